// zelk.exe: the lookup window on the catalogue the command line names, or on "JISTEELW.CSV" in
// the current directory; its exit status is a ZelkExitStatus.
#include "LookupWindow.h"
#include "lookup/ZelkExitStatus.h"
#include "platform/qt/NoSpreadsheet.h"
#ifdef ZELK_WIN32_TRANSFER_SINK
#include "Win32TransferSink.h"
#endif

#include <windows.h>

#include <commctrl.h>

#include <memory>

namespace {

// The spreadsheet link where this tree has one for Windows; without it zelk.exe finds no
// spreadsheet, and a member choice ends after the value label.
std::unique_ptr<TransferSink> createTransferSink() {
#ifdef ZELK_WIN32_TRANSFER_SINK
    return createPlatformTransferSink();
#else
    return std::make_unique<NoSpreadsheet>();
#endif
}

int runMessageLoop(HWND window) {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // The dialog manager's keyboard rules (Tab between the lists) in the lookup window too.
        if (window && IsWindow(window) && IsDialogMessageW(window, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return int(message.wParam);
}

} // namespace

// The C runtime hands over the command line after the program's name and the blanks that follow
// it, as typed: the catalogue path, whole and untrimmed.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int showCommand) {
    INITCOMMONCONTROLSEX commonControls{sizeof commonControls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&commonControls);

    const std::unique_ptr<TransferSink> transferSink = createTransferSink();
    LookupWindow window(*transferSink);
    if (GetEnvironmentVariableW(L"ZELK_REPORT_FIRST_PAINT", nullptr, 0) > 0)
        window.reportFirstPaint();
    if (!window.create())
        return ZelkExitNoDisplay;
    if (window.logic().Form_Load(std::filesystem::path(commandLine)) ==
        LookupWindowLogic::StartOutcome::Closed)
        return ZelkExitCatalogueMissing;
    ShowWindow(window.handle(), showCommand);
    UpdateWindow(window.handle());
    return runMessageLoop(window.handle());
}
