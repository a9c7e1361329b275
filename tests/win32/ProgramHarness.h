#pragma once

// What the Win32 program tests, the link's end-to-end test and its benchmark share: zelk.exe and the
// stand-in spreadsheet as programs of their own, their windows found and read through the Win32
// API, zelk worked with real key presses and clicks.
#include "base/WideText.h"
#include "platform/win32/Win32Design.h"
#include "support/StandInGrid.h"

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

// Runs this thread's messages until `done` or the time is up.
inline bool pumpUntil(const std::function<bool()>& done, int milliseconds = 20000) {
    const ULONGLONG end = GetTickCount64() + ULONGLONG(milliseconds);
    while (!done()) {
        if (GetTickCount64() > end)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
        for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);)
            DispatchMessageW(&message);
    }
    return true;
}

// The folder of the built programs.
inline std::wstring binaryFolder() {
    wchar_t directory[MAX_PATH];
    GetModuleFileNameW(nullptr, directory, MAX_PATH);
    *wcsrchr(directory, L'\\') = L'\0';
    return directory;
}

// A file of the repo, by a Unix path, which Wine reads on its drive Z:.
inline std::string sourceFile(const std::string& relative) {
    return ZELK_SOURCE_DIR "/" + relative;
}

// A window's text, through a message, which the system carries across processes.
inline std::wstring windowText(HWND window) {
    wchar_t text[1024] = {};
    SendMessageW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text));
    return text;
}

inline RECT windowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

// A control of the lookup window's design in `window`.
inline HWND designControl(HWND window, std::string_view name) {
    return GetDlgItem(window, controlId(lookupWindowDesign().control(name)));
}

// A program of this build, started with `arguments` and ended with the object.
class Program {
public:
    Program(const std::wstring& name, const std::wstring& arguments) {
        std::wstring command = L"\"" + binaryFolder() + L"\\" + name + L"\" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &m_process);
    }
    ~Program() {
        if (!m_process.hProcess)
            return;
        TerminateProcess(m_process.hProcess, 255);
        WaitForSingleObject(m_process.hProcess, 5000);
        CloseHandle(m_process.hProcess);
        CloseHandle(m_process.hThread);
    }

    // Its visible top-level window of the class and title given (either may be null), once there.
    HWND find(const wchar_t* className, const wchar_t* title) const {
        HWND found = nullptr;
        pumpUntil([&] {
            for (HWND w = FindWindowExW(nullptr, nullptr, className, title); w && !found;
                 w = FindWindowExW(nullptr, w, className, title)) {
                DWORD owner = 0;
                GetWindowThreadProcessId(w, &owner);
                if (owner == m_process.dwProcessId && IsWindowVisible(w))
                    found = w;
            }
            return found != nullptr;
        });
        return found;
    }

    int exitStatus() const {
        DWORD status = 0;
        const bool ended = WaitForSingleObject(m_process.hProcess, 20000) == WAIT_OBJECT_0;
        return ended && GetExitCodeProcess(m_process.hProcess, &status) ? int(status) : -1;
    }

protected:
    PROCESS_INFORMATION m_process{};
};

// The stand-in spreadsheet with the window title given, in a mode of StandInSpreadsheet.cpp; with no
// title, one of its helpers, which opens no window, writing `report` (by default a new one).
class StandIn : public Program {
public:
    explicit StandIn(const std::string& title, const std::string& mode = "",
                     std::wstring report = newReport())
        : Program(L"standin-spreadsheet.exe", L"\"" + report + L"\" \"" + wide(fromUtf8(title)) + L"\" \"" +
                                                  wide(fromUtf8(mode)) + L"\""),
          m_report(std::move(report)),
          m_window(title.empty() ? nullptr : find(nullptr, wide(fromUtf8(title)))) {
        // Keys sent while the window manager still hands the new window the focus get lost; a
        // user's spreadsheet has been open for a while.
        if (m_window)
            pumpUntil([&] { return GetForegroundWindow() == m_window; }, 5000);
        pumpUntil([] { return false; }, 300);
    }

    // Its grid file's entries. It cannot be opened for the moment in which the stand-in replaces it.
    std::map<std::string, std::string> grid() const {
        std::map<std::string, std::string> entries;
        for (int attempt = 0; entries.empty() && attempt < 100; ++attempt, Sleep(1))
            entries = readGridFile(m_report);
        return entries;
    }
    HWND window() const { return m_window; }
    const std::wstring& report() const { return m_report; }

    // A stand-in that stopped at a paste goes on.
    void resume() const {
        const std::wstring name = L"zelk-" + m_report.substr(m_report.find_last_of(L'\\') + 1) + L".resume";
        const HANDLE resume = CreateEventW(nullptr, FALSE, FALSE, name.c_str());
        SetEvent(resume);
        CloseHandle(resume);
    }

    // A report file of its own for each stand-in of this test process.
    static std::wstring newReport() {
        static int count = 0;
        wchar_t folder[MAX_PATH];
        GetTempPathW(MAX_PATH, folder);
        return folder + (L"zelk-standin-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                         std::to_wstring(++count) + L".txt");
    }

private:
    std::wstring m_report;
    HWND m_window;
};

// One key event, or a mouse event at (x, y), then a user's pause.
inline void userInput(WORD key, DWORD flags, int pauseMs = 40, int x = 0, int y = 0) {
    INPUT input{};
    if (key == 0) {
        input.type = INPUT_MOUSE;
        input.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
        input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    } else {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.wScan = WORD(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = flags | (key == VK_UP || key == VK_DOWN ? KEYEVENTF_EXTENDEDKEY : 0);
    }
    SendInput(1, &input, sizeof input);
    Sleep(DWORD(pauseMs));
}

// zelk.exe on a catalogue (quoted, as Explorer and shortcuts pass a path), started with
// ZELK_SPREADSHEET_TITLE set to `search` (unset when empty).
class Zelk : public Program {
public:
    explicit Zelk(const std::string& catalogue, const std::string& search = "")
        : Program(L"zelk.exe", searching(search, std::wstring(L"\"") + wide(fromUtf8(catalogue)) + L"\"")) {
        SetEnvironmentVariableW(L"ZELK_SPREADSHEET_TITLE", nullptr);
    }

    // The lookup window, once it is there.
    HWND window() const { return find(L"frmZELK", nullptr); }
    HWND control(std::string_view name) const { return designControl(window(), name); }

    // The user clicks the value strip, which takes no action, to bring zelk forward.
    bool activate() const {
        click(control("Picture1"));
        return pumpUntil([&] { return GetForegroundWindow() == window(); }, 5000);
    }

    // Types keys by their X names ("Tab", "shift+Tab", "alt+s", "space", "Down", "w", "H" with
    // Shift); "click" clicks the list's member `m` (from 1).
    void type(const std::string& names, int m = 0) const {
        static const std::map<std::string, WORD> keys{
            {"Tab", VK_TAB},         {"Down", VK_DOWN},        {"Up", VK_UP},
            {"space", VK_SPACE},     {"shift", VK_SHIFT},      {"alt", VK_MENU},
            {"ctrl", VK_CONTROL},    {"Return", VK_RETURN},    {"Escape", VK_ESCAPE},
            {"minus", VK_OEM_MINUS}, {"period", VK_OEM_PERIOD}};
        std::stringstream in(names);
        for (std::string name; in >> name;) {
            if (name == "click") {
                click(control("lstnum"), m);
                continue;
            }
            std::vector<WORD> stroke;
            for (std::stringstream parts(name); std::getline(parts, name, '+');) {
                const SHORT scan = keys.count(name) ? SHORT(keys.at(name)) : VkKeyScanW(wchar_t(name[0]));
                if (!keys.count(name) && (scan & 0x100))
                    stroke.push_back(VK_SHIFT);
                stroke.push_back(WORD(scan & 0xFF));
            }
            for (const WORD key : stroke)
                userInput(key, 0);
            for (auto key = stroke.rbegin(); key != stroke.rend(); ++key)
                userInput(*key, KEYEVENTF_KEYUP);
            // A user sees what a key did (a menu open, say) before pressing the next one.
            WaitForInputIdle(m_process.hProcess, 2000);
        }
    }

    std::wstring valueLabel() const { return windowText(designControl(control("Picture1"), "lblW")); }

private:
    // A click in the middle of `window`, or of its list item `item` (from 1).
    static void click(HWND window, int item = 0) {
        RECT area;
        GetClientRect(window, &area);
        if (item > 0) {
            const auto height = int(SendMessageW(window, LB_GETITEMHEIGHT, 0, 0));
            area.top = (item - 1 - int(SendMessageW(window, LB_GETTOPINDEX, 0, 0))) * height;
            area.bottom = area.top + height;
        }
        POINT point{(area.left + area.right) / 2, (area.top + area.bottom) / 2};
        ClientToScreen(window, &point);
        userInput(0, MOUSEEVENTF_MOVE, 40, point.x, point.y);
        userInput(0, MOUSEEVENTF_LEFTDOWN);
        userInput(0, MOUSEEVENTF_LEFTUP);
    }
    // The title zelk will search for, in the environment it inherits.
    static std::wstring searching(const std::string& search, const std::wstring& arguments) {
        SetEnvironmentVariableW(L"ZELK_SPREADSHEET_TITLE", search.empty() ? nullptr : wide(fromUtf8(search)));
        return arguments;
    }
};
