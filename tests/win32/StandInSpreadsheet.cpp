// The stand-in spreadsheet of the link's end-to-end tests and benchmark on Windows, its sheet and
// its fetches those of support/StandInGrid.h: it takes the paste keystroke on its key-down, and
// the pastes in the order of their keystrokes. Its window shows nothing; the tests read its grid
// file.
// Usage: standin-spreadsheet REPORT_FILE [TITLE [MODE]]   (title "Microsoft Excel - Book1")
// MODE, for the spreadsheet:
//   later:T1,T2... / inside:T1,T2...  its fetches of each paste (support/StandInGrid.h)
//   stall-at-N  at its Nth paste keystroke it stops handling messages until the event
//               "zelk-<report file name>.resume" is set
//   close-at-N  at its Nth paste keystroke it closes its window and ends
// MODE, for a helper that opens no visible window and is no spreadsheet:
//   hold        once the stand-in writing REPORT_FILE has done a paste, holds the clipboard open
//               for 5 s (longer than zelk waits out the first paste into a window), then ends
//   watch       a clipboard watcher as Windows' clipboard history is one: at every change it
//               fetches the text unless the exclusion format is there; its grid file
//               (REPORT_FILE) holds "excluded<TAB>yes|no" and "fetched<TAB>N"
//   watch-all   the same, fetching the text at every change all the same
#include "base/WideText.h"
#include "support/StandInGrid.h"

#include <windows.h>

#include <algorithm>
#include <deque>
#include <map>
#include <string>

namespace {

constexpr DWORD kHoldMs = 5000;

std::wstring reportPath, mode;
FetchPattern fetches;
StandInGrid grid;
int keystrokes = 0, fetched = 0;
bool excluded = false;
LONG lastKeyTime = 0;
bool skipChar = false;
std::deque<StandInGrid::Cell> pending; // where the pastes still fetching go, oldest first

// The events between the stand-in and the tests or its helpers, named after its report file.
HANDLE event(const wchar_t* what) {
    const std::wstring name = L"zelk-" + reportPath.substr(reportPath.find_last_of(L"\\/") + 1) + what;
    return CreateEventW(nullptr, FALSE, FALSE, name.c_str());
}

void writeReport() {
    writeGridFile(reportPath, mode.starts_with(L"watch")
                                  ? std::string("excluded\t") + (excluded ? "yes" : "no") + "\nfetched\t" +
                                        std::to_string(fetched) + "\n"
                                  : grid.entries());
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

// The oldest paste still fetching gets `text`, and the next one starts fetching.
void paste(HWND window, const std::wstring& text) {
    grid.paste(pending.front(), coreText(text.c_str()));
    pending.pop_front();
    static const HANDLE kPasted = event(L".pasted");
    SetEvent(kPasted);
    if (!pending.empty())
        SetTimer(window, 1, fetches.times[0], nullptr);
}

// Fetch number `fetch` (from 1) of the oldest paste; the fetches before the last only look.
void onTimer(HWND window, UINT_PTR fetch) {
    KillTimer(window, fetch);
    const std::wstring text = fetchClipboard(window);
    if (fetch < fetches.times.size())
        SetTimer(window, fetch + 1, UINT(fetches.times[fetch] - fetches.times[fetch - 1]), nullptr);
    else
        paste(window, text);
}

void onKeyDown(HWND window, WPARAM key) {
    static const std::map<WPARAM, StandInGrid::Cell> moves{{VK_LEFT, {0, -1}},  {VK_RIGHT, {0, 1}},
                                                           {VK_UP, {-1, 0}},    {VK_DOWN, {1, 0}},
                                                           {VK_RETURN, {1, 0}}, {VK_TAB, {0, 1}}};
    if (key == 'V' && GetKeyState(VK_CONTROL) < 0) {
        ++keystrokes;
        if (mode == L"stall-at-" + std::to_wstring(keystrokes))
            WaitForSingleObject(event(L".resume"), INFINITE);
        if (mode == L"close-at-" + std::to_wstring(keystrokes)) {
            DestroyWindow(window);
            return;
        }
        pending.push_back(grid.cursor);
        if (fetches.inside) {
            const ULONGLONG start = GetTickCount64();
            std::wstring text;
            for (const int at : fetches.times) {
                Sleep(DWORD(std::max<LONGLONG>(0, at - LONGLONG(GetTickCount64() - start))));
                text = fetchClipboard(window);
            }
            paste(window, text);
        } else if (pending.size() == 1) {
            SetTimer(window, 1, fetches.times[0], nullptr);
        }
    } else if (key == VK_HOME) {
        grid.move(0, -grid.cursor.second);
    } else if (const auto move = moves.find(key); move != moves.end()) {
        const int sign = key == VK_TAB && GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
        grid.move(move->second.first, sign * move->second.second);
    }
}

LRESULT CALLBACK sheetProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP: {
        const bool tooSoon = GetMessageTime() - lastKeyTime < kStandInKeyGapMs;
        lastKeyTime = GetMessageTime();
        if (message == WM_KEYDOWN) {
            skipChar = tooSoon;
            grid.ignored += tooSoon ? 1 : 0;
            if (!tooSoon)
                onKeyDown(window, wParam);
        }
        break;
    }
    case WM_CHAR:
        if (!skipChar)
            grid.type(char16_t(wParam));
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
    fetches = fetchPattern(std::string(mode.begin(), mode.end()));
    if (mode == L"hold") {
        WaitForSingleObject(event(L".pasted"), INFINITE);
        while (!OpenClipboard(nullptr))
            Sleep(0);
        Sleep(kHoldMs);
        CloseClipboard();
        return 0;
    }
    lastKeyTime = LONG(GetTickCount()) - kStandInKeyGapMs;
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
