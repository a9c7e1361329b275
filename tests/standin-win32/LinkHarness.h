#pragma once

// What the link's end-to-end test and benchmark share: the stand-in spreadsheet as a program of
// its own, a message pump for the sink's clipboard window, and a lookup view for the link logic.
#include "lookup/LookupView.h"

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

inline std::wstring wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

// Runs this thread's messages (the sink's clipboard window) until `done` or the time is up.
inline bool pumpUntil(const std::function<bool()>& done, int milliseconds) {
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

// The stand-in spreadsheet as a program of its own, with the window title given.
class StandIn {
public:
    explicit StandIn(const std::string& title) {
        wchar_t directory[MAX_PATH];
        GetModuleFileNameW(nullptr, directory, MAX_PATH);
        *wcsrchr(directory, L'\\') = L'\0';
        wchar_t temporary[MAX_PATH];
        GetTempPathW(MAX_PATH, temporary);
        m_report =
            temporary + std::wstring(L"zelk-standin-") + std::to_wstring(GetCurrentProcessId()) + L".txt";
        std::wstring command = L"\"" + std::wstring(directory) + L"\\standin-spreadsheet.exe\" \"" +
                               m_report + L"\" \"" + wide(title) + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                           &m_process)) {
            pumpUntil([&] { return (m_window = FindWindowW(nullptr, wide(title).c_str())) != nullptr; },
                      20000);
            // Keys sent while the window manager still hands the new window the focus get lost; a
            // user's spreadsheet has been open for a while.
            pumpUntil([&] { return GetForegroundWindow() == m_window; }, 5000);
            pumpUntil([] { return false; }, 300);
        }
    }
    ~StandIn() {
        PostMessageW(m_window, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(m_process.hProcess, 5000) != WAIT_OBJECT_0)
            TerminateProcess(m_process.hProcess, 1);
        CloseHandle(m_process.hProcess);
        CloseHandle(m_process.hThread);
        DeleteFileW(m_report.c_str());
    }
    bool running() const { return m_window != nullptr; }

    // The report's lines, sorted.
    std::vector<std::string> grid() const {
        std::ifstream in{std::filesystem::path(m_report)};
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        std::sort(lines.begin(), lines.end());
        return lines;
    }

private:
    std::wstring m_report;
    PROCESS_INFORMATION m_process{};
    HWND m_window = nullptr;
};

// The link logic needs of the window only the menu checks and the message box.
class MessageView : public LookupView {
public:
    std::vector<std::u16string> messages;
    void clearGroups() override {}
    void addGroup(const std::u16string&) override {}
    void setGroupIndex(int) override {}
    int groupIndex() const override { return -1; }
    int groupBoxHeight() const override { return 0; }
    void setGroupBoxWidth(int) override {}
    void clearMembers() override {}
    void addMember(const std::u16string&) override {}
    int memberIndex() const override { return -1; }
    void setMemberListHeight(int) override {}
    void setMemberListWidth(int) override {}
    int stripInnerHeight() const override { return 0; }
    void setValueLabel(const std::u16string&) override {}
    void setMenuCaption(MenuItem, const std::u16string&) override {}
    void setMenuVisible(MenuItem, bool) override {}
    void setMenuChecked(MenuItem, bool) override {}
    void setCaption(const std::u16string&) override {}
    int innerWidth() const override { return 0; }
    int innerHeight() const override { return 0; }
    bool isMinimized() const override { return false; }
    void setStayOnTop(bool) override {}
    void showMessage(const std::u16string& text) override { messages.push_back(text); }
    void showCaptionedMessage(std::u16string_view, const std::u16string& text) override { showMessage(text); }
    std::filesystem::path showTextEditor(const std::filesystem::path& file) override { return file; }
    void showAboutWindow() override {}
    void openHelpPage() override {}
    void closeWindow() override {}
    void endProcess(int) override {}
};
