// A stand-in spreadsheet for the tests of the spreadsheet link, as awkward as a real one: on Ctrl+V
// it fetches the clipboard late and twice and pastes what it got last, tab-separated fields into
// cells to the right of the cell that was current at the keystroke; it ignores a key event that
// comes less than kKeyGapMs after the one before. Arrows, Enter (down), Tab (right, with Shift
// left) and Home move the current cell; typed characters are added to it. After every change it
// writes its grid to the report file: "A1=text" lines row by row, then "cursor=", "ignored=" and
// "pastes=" (those done) lines (UTF-8). The window itself shows nothing; the tests read the report.
// Usage: standin-spreadsheet REPORT_FILE [TITLE [MODE]]   (title "Microsoft Excel - Book1")
// MODE, for the spreadsheet:
//   stall-at-N  at its Nth paste keystroke it stops handling messages until the event
//               "zelk-<report file name>.resume" is set
//   close-at-N  at its Nth paste keystroke it closes its window and ends
// MODE, for a helper that opens no visible window and is no spreadsheet:
//   hold        once the stand-in writing REPORT_FILE has done a paste, holds the clipboard open
//               for 2 s, then ends
//   watch       a clipboard watcher as Windows' clipboard history is one: at every change it
//               fetches the text unless the exclusion format is there; its report (REPORT_FILE)
//               says whether it saw that format and how often it fetched
//   watch-all   the same, fetching the text at every change all the same
#include <windows.h>

#include <algorithm>
#include <deque>
#include <map>
#include <string>

namespace {

constexpr UINT kFirstFetchMs = 100, kLastFetchMs = 200;
constexpr LONG kKeyGapMs = 2;
constexpr DWORD kHoldMs = 2000;

using Cell = std::pair<int, int>; // row, column from 0

std::wstring reportPath, mode;
std::map<Cell, std::wstring> cells;
Cell cursor;
int pastes = 0, ignored = 0, keystrokes = 0;
int fetched = 0;
bool excluded = false;
LONG lastKeyTime = 0;
bool skipChar = false;
std::deque<Cell> pending; // where the pastes still fetching go, oldest first

std::wstring cellName(Cell cell) {
    return std::wstring(1, wchar_t(L'A' + cell.second)) + std::to_wstring(cell.first + 1);
}

// The events between the stand-in and the tests or its helpers, named after its report file.
HANDLE event(const wchar_t* what) {
    const std::wstring name = L"zelk-" + reportPath.substr(reportPath.find_last_of(L"\\/") + 1) + what;
    return CreateEventW(nullptr, FALSE, FALSE, name.c_str());
}

void writeReport() {
    std::wstring text;
    for (const auto& [cell, value] : cells)
        text += cellName(cell) + L'=' + value + L'\n';
    text += L"cursor=" + cellName(cursor) + L"\nignored=" + std::to_wstring(ignored) + L"\npastes=" +
            std::to_wstring(pastes) + L'\n';
    if (mode.starts_with(L"watch"))
        text =
            L"excluded=" + std::wstring(excluded ? L"yes" : L"no") + L"\nfetched=" + std::to_wstring(fetched);
    static char bytes[1 << 16];
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), bytes, sizeof bytes,
                                         nullptr, nullptr);
    const std::wstring next = reportPath + L".next";
    HANDLE file = CreateFileW(next.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes, DWORD(size), &written, nullptr);
    CloseHandle(file);
    // A reader may have the report open for a moment.
    for (int i = 0; i < 100 && !MoveFileExW(next.c_str(), reportPath.c_str(), MOVEFILE_REPLACE_EXISTING); ++i)
        Sleep(1);
}

void openClipboard(HWND window) {
    for (int i = 0; i < 100 && !OpenClipboard(window); ++i)
        Sleep(1);
}

// In the open clipboard.
std::wstring clipboardText() {
    std::wstring text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    return text;
}

std::wstring fetchClipboard(HWND window) {
    openClipboard(window);
    const std::wstring text = clipboardText();
    CloseClipboard();
    return text;
}

void paste(Cell at, const std::wstring& text) {
    Cell cell = at;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find_first_of(L"\t\r\n", start), text.size());
        if (end == start)
            cells.erase(cell);
        else
            cells[cell] = text.substr(start, end - start);
        const bool lineEnd = end < text.size() && text[end] != L'\t';
        cell = lineEnd ? Cell{cell.first + 1, at.second} : Cell{cell.first, cell.second + 1};
        start = end + (text.compare(end, 2, L"\r\n") == 0 ? 2 : 1);
    }
}

void onKeyDown(HWND window, WPARAM key) {
    static const std::map<WPARAM, Cell> moves{{VK_LEFT, {0, -1}}, {VK_RIGHT, {0, 1}},  {VK_UP, {-1, 0}},
                                              {VK_DOWN, {1, 0}},  {VK_RETURN, {1, 0}}, {VK_TAB, {0, 1}}};
    if (key == 'V' && GetKeyState(VK_CONTROL) < 0) {
        ++keystrokes;
        if (mode == L"stall-at-" + std::to_wstring(keystrokes))
            WaitForSingleObject(event(L".resume"), INFINITE);
        if (mode == L"close-at-" + std::to_wstring(keystrokes)) {
            DestroyWindow(window);
            return;
        }
        pending.push_back(cursor);
        if (pending.size() == 1)
            SetTimer(window, 1, kFirstFetchMs, nullptr);
    } else if (key == VK_HOME) {
        cursor.second = 0;
    } else if (const auto move = moves.find(key); move != moves.end()) {
        const int sign = key == VK_TAB && GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
        cursor = {std::max(0, cursor.first + move->second.first),
                  std::max(0, cursor.second + sign * move->second.second)};
    }
}

// The first fetch only looks; the last one is what gets pasted.
void onTimer(HWND window, UINT_PTR fetch) {
    KillTimer(window, fetch);
    const std::wstring text = fetchClipboard(window);
    if (fetch == 1) {
        SetTimer(window, 2, kLastFetchMs - kFirstFetchMs, nullptr);
        return;
    }
    paste(pending.front(), text);
    pending.pop_front();
    ++pastes;
    static const HANDLE kPasted = event(L".pasted");
    SetEvent(kPasted);
    if (!pending.empty())
        SetTimer(window, 1, kFirstFetchMs, nullptr);
}

LRESULT CALLBACK sheetProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP: {
        const bool tooSoon = GetMessageTime() - lastKeyTime < kKeyGapMs;
        lastKeyTime = GetMessageTime();
        if (message == WM_KEYDOWN) {
            skipChar = tooSoon;
            ignored += tooSoon ? 1 : 0;
            if (!tooSoon)
                onKeyDown(window, wParam);
        }
        break;
    }
    case WM_CHAR:
        if (!skipChar && wParam >= 0x20 && wParam != 0x7F)
            cells[cursor] += wchar_t(wParam);
        break;
    case WM_TIMER:
        onTimer(window, wParam);
        break;
    case WM_CLIPBOARDUPDATE: {
        // As a monitor does: what it finds in the clipboard once it has opened it.
        openClipboard(window);
        const bool marked = IsClipboardFormatAvailable(
            RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing"));
        excluded = excluded || marked;
        if (IsClipboardFormatAvailable(CF_UNICODETEXT) && (mode == L"watch-all" || !marked)) {
            clipboardText();
            ++fetched;
        }
        CloseClipboard();
        break;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
    writeReport();
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2)
        return 2;
    reportPath = argv[1];
    mode = argc > 3 ? argv[3] : L"";
    if (mode == L"hold") {
        WaitForSingleObject(event(L".pasted"), INFINITE);
        while (!OpenClipboard(nullptr))
            Sleep(0);
        Sleep(kHoldMs);
        CloseClipboard();
        return 0;
    }
    lastKeyTime = LONG(GetTickCount()) - kKeyGapMs;
    writeReport();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = sheetProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = HBRUSH(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"ZelkStandInSpreadsheet";
    RegisterClassW(&windowClass);
    const bool watcher = mode.starts_with(L"watch");
    const HWND window =
        CreateWindowExW(0, windowClass.lpszClassName, argc > 2 ? argv[2] : L"Microsoft Excel - Book1",
                        WS_OVERLAPPEDWINDOW | (watcher ? 0 : WS_VISIBLE), 420, 80, 600, 400, nullptr, nullptr,
                        windowClass.hInstance, nullptr);
    if (watcher)
        AddClipboardFormatListener(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
