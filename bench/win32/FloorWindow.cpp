// The floor of zelk.exe's start-up: a bare Win32 window with the same controls (drop-down list,
// list box, strip with a label, a menu bar of the same items) filled from the same catalogue file,
// with no more work than reading the file, decoding it and listing the groups and the first
// group's members. Prints the time of its first paint like zelk.exe with ZELK_REPORT_FIRST_PAINT.
// Usage: bench-floor-window-win32.exe CATALOGUE
#include "forms/FirstPaintTime.h"

#include <windows.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

bool painted = false;

LRESULT CALLBACK floorProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        if (!painted) {
            painted = true;
            printFirstPaintTime();
        }
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

std::vector<std::wstring> catalogueLines(const wchar_t* path) {
    std::ifstream file(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    std::wstring text(bytes.size(), L'\0');
    text.resize(std::size_t(
        MultiByteToWideChar(932, 0, bytes.data(), int(bytes.size()), text.data(), int(text.size()))));
    std::vector<std::wstring> lines;
    std::wistringstream stream(text);
    for (std::wstring line; std::getline(stream, line);) {
        if (!line.empty() && line.back() == L'\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::wstring firstField(const std::wstring& line) {
    return line.substr(0, line.find(L','));
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand) {
    const std::vector<std::wstring> lines = catalogueLines(commandLine);

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = floorProcedure;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = L"FloorWindow";
    RegisterClassExW(&windowClass);

    HMENU bar = CreateMenu();
    for (int m = 0; m < 2; ++m) {
        HMENU menu = CreatePopupMenu();
        for (int i = 0; i < 4; ++i)
            AppendMenuW(menu, MF_STRING, UINT_PTR(100 + 10 * m + i), L"項目(&I)");
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), L"メニュー(&M)");
    }
    HWND window = CreateWindowExW(0, L"FloorWindow", L"floor", WS_OVERLAPPEDWINDOW, 475, 30, 196, 290,
                                  nullptr, bar, instance, nullptr);
    HWND groups = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL,
                                  0, 0, 180, 220, window, nullptr, instance, nullptr);
    HWND members = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                                   WS_CHILD | WS_VISIBLE | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL, 0,
                                   20, 180, 160, window, nullptr, instance, nullptr);
    HWND strip = CreateWindowExW(WS_EX_STATICEDGE, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 214, 180, 17,
                                 window, nullptr, instance, nullptr);
    CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 8, 0, 100, 14, strip, nullptr, instance,
                    nullptr);

    // Seven key lines and the unit-kind count line, the unit-kind lines, then the groups: a header
    // line, its members, "/*".
    std::size_t at = lines.size() > 7 ? 8 + std::size_t(_wtoi(lines[7].c_str())) : lines.size();
    for (bool first = true; at < lines.size(); first = false) {
        SendMessageW(groups, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(firstField(lines[at]).c_str()));
        for (++at; at < lines.size() && lines[at] != L"/*"; ++at) {
            if (first)
                SendMessageW(members, LB_ADDSTRING, 0,
                             reinterpret_cast<LPARAM>(firstField(lines[at]).c_str()));
        }
        ++at;
    }
    SendMessageW(groups, CB_SETCURSEL, 0, 0);

    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
