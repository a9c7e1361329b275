// A stand-in spreadsheet for the tests of the spreadsheet link, as awkward as a real one: on Ctrl+V
// it fetches the clipboard late and twice and pastes what it got last, tab-separated fields into
// cells to the right of the cell that was current at the keystroke; it ignores a key event that
// comes less than kKeyGapMs after the one before. Arrows, Enter (down), Tab (right, with Shift
// left) and Home move the current cell; typed characters are added to it. After every change it
// writes its grid to the report file: "A1=text" lines row by row, then "cursor=", "ignored=" and
// "pastes=" lines (UTF-8).
// Usage: standin-spreadsheet REPORT_FILE [TITLE]   (title "Microsoft Excel - Book1")
#include <windows.h>

#include <deque>
#include <map>
#include <string>

namespace {

constexpr UINT kFirstFetchMs = 100;
constexpr UINT kLastFetchMs = 200;
constexpr LONG kKeyGapMs = 2;
constexpr int kCellWidth = 120, kCellHeight = 22;

struct Cell {
    int row = 0, column = 0;
    auto operator<=>(const Cell&) const = default;
};

struct Sheet {
    std::wstring reportPath;
    std::map<Cell, std::wstring> cells;
    Cell cursor;
    int pastes = 0, ignored = 0;
    LONG lastKeyTime = 0;
    bool anyKey = false, skipChar = false;
    std::deque<Cell> pending; // where the pastes still fetching go, oldest first
} sheet;

std::wstring cellName(Cell cell) {
    return std::wstring(1, wchar_t(L'A' + cell.column)) + std::to_wstring(cell.row + 1);
}

void writeReport() {
    std::wstring text;
    for (const auto& [cell, value] : sheet.cells)
        text += cellName(cell) + L'=' + value + L'\n';
    text += L"cursor=" + cellName(sheet.cursor) + L"\nignored=" + std::to_wstring(sheet.ignored) +
            L"\npastes=" + std::to_wstring(sheet.pastes) + L'\n';
    std::string bytes(
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), bytes.data(), int(bytes.size()), nullptr,
                        nullptr);
    const std::wstring next = sheet.reportPath + L".next";
    HANDLE file = CreateFileW(next.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(file);
    // A reader may have the report open for a moment.
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (MoveFileExW(next.c_str(), sheet.reportPath.c_str(), MOVEFILE_REPLACE_EXISTING))
            break;
        Sleep(1);
    }
}

std::wstring fetchClipboard(HWND window) {
    std::wstring text;
    for (int attempt = 0; attempt < 100 && !OpenClipboard(window); ++attempt)
        Sleep(1);
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* units = static_cast<const wchar_t*>(GlobalLock(data)))
            text = units;
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

void paste(Cell at, const std::wstring& text) {
    Cell cell = at;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find_first_of(L"\t\r\n", start);
        const std::wstring field = text.substr(start, end - start);
        if (field.empty())
            sheet.cells.erase(cell);
        else
            sheet.cells[cell] = field;
        if (end == std::wstring::npos)
            break;
        const bool lineEnd = text[end] != L'\t';
        cell = lineEnd ? Cell{cell.row + 1, at.column} : Cell{cell.row, cell.column + 1};
        start = end + (text.compare(end, 2, L"\r\n") == 0 ? 2 : 1);
    }
}

void onKeyDown(HWND window, WPARAM key) {
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    Cell& c = sheet.cursor;
    switch (key) {
    case 'V':
        if (GetKeyState(VK_CONTROL) < 0) {
            ++sheet.pastes;
            sheet.pending.push_back(c);
            if (sheet.pending.size() == 1)
                SetTimer(window, 1, kFirstFetchMs, nullptr);
        }
        break;
    case VK_LEFT:
        c.column = c.column > 0 ? c.column - 1 : 0;
        break;
    case VK_RIGHT:
        ++c.column;
        break;
    case VK_UP:
        c.row = c.row > 0 ? c.row - 1 : 0;
        break;
    case VK_DOWN:
    case VK_RETURN:
        ++c.row;
        break;
    case VK_TAB:
        c.column = shift ? (c.column > 0 ? c.column - 1 : 0) : c.column + 1;
        break;
    case VK_HOME:
        c.column = 0;
        break;
    default:
        break;
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
    paste(sheet.pending.front(), text);
    sheet.pending.pop_front();
    if (!sheet.pending.empty())
        SetTimer(window, 1, kFirstFetchMs, nullptr);
}

void onPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    for (int row = 0; row < 20; ++row) {
        for (int column = 0; column < 8; ++column) {
            RECT r{column * kCellWidth, row * kCellHeight, (column + 1) * kCellWidth + 1,
                   (row + 1) * kCellHeight + 1};
            const Cell cell{row, column};
            FrameRect(dc, &r, HBRUSH(GetStockObject(GRAY_BRUSH)));
            InflateRect(&r, -2, -1);
            if (cell == sheet.cursor)
                FillRect(dc, &r, GetSysColorBrush(COLOR_INFOBK));
            SetBkMode(dc, TRANSPARENT);
            if (const auto found = sheet.cells.find(cell); found != sheet.cells.end())
                DrawTextW(dc, found->second.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
        }
    }
    EndPaint(window, &paint);
}

LRESULT CALLBACK sheetProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP: {
        const LONG time = GetMessageTime();
        const bool tooSoon = sheet.anyKey && time - sheet.lastKeyTime < kKeyGapMs;
        sheet.anyKey = true;
        sheet.lastKeyTime = time;
        if (message == WM_KEYUP)
            return 0;
        sheet.skipChar = tooSoon;
        if (tooSoon)
            ++sheet.ignored;
        else
            onKeyDown(window, wParam);
        break;
    }
    case WM_CHAR:
        if (sheet.skipChar || wParam < 0x20 || wParam == 0x7F)
            return 0;
        sheet.cells[sheet.cursor] += wchar_t(wParam);
        break;
    case WM_TIMER:
        onTimer(window, wParam);
        break;
    case WM_PAINT:
        onPaint(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
    writeReport();
    InvalidateRect(window, nullptr, TRUE);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2)
        return 2;
    sheet.reportPath = argv[1];
    writeReport();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = sheetProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = HBRUSH(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"ZelkStandInSpreadsheet";
    RegisterClassW(&windowClass);
    CreateWindowExW(0, windowClass.lpszClassName, argc > 2 ? argv[2] : L"Microsoft Excel - Book1",
                    WS_OVERLAPPEDWINDOW | WS_VISIBLE, 420, 80, 8 * kCellWidth + 20, 20 * kCellHeight + 40,
                    nullptr, nullptr, windowClass.hInstance, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
