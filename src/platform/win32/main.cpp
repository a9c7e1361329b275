// zelk.exe: the lookup window on the catalogue the command line names, or on "JISTEELW.CSV" in
// the current directory; its exit status is a ZelkExitStatus.
#include "FirstPaintReporter.h"
#include "LookupWindow.h"
#include "Win32TransferSink.h"
#include "forms/ZelkExitStatus.h"

#include <windows.h>

#include <memory>
#include <string_view>

namespace {

// Explorer, shortcuts and "Open with" put a path that holds blanks in double quotes, which are
// no part of the path: without them stripped such a catalogue would never be found.
std::wstring_view withoutEnclosingQuotes(std::wstring_view text) {
    if (text.size() >= 2 && text.front() == L'"' && text.back() == L'"')
        return text.substr(1, text.size() - 2);
    return text;
}

int runMessageLoop(LookupWindow& window) {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Ctrl+F, and the find's keys, before the list or the field takes them as their own.
        if (window.translateKeys(message))
            continue;
        // The dialog manager's keyboard rules (Tab between the lists) in the lookup window too.
        if (window.handle() && IsDialogMessageW(window.handle(), &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return int(message.wParam);
}

} // namespace

// The C runtime hands over the command line after the program's name and the blanks that follow
// it, as typed: the catalogue path, whole and untrimmed but for one pair of enclosing quotes.
// The manifest's common controls (version 6, with visual styles) come in with the first control:
// user32 loads them for the standard classes it redirects. The program uses no other common
// control, so it neither links nor initialises them, which costs start-up time before any work.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int showCommand) {
    const std::unique_ptr<TransferSink> transferSink = createPlatformTransferSink();
    LookupWindow window(*transferSink);
    if (!window.create())
        return int(ZelkExitStatus::NoDisplay);
    if (GetEnvironmentVariableW(L"ZELK_REPORT_FIRST_PAINT", nullptr, 0) > 0)
        reportFirstPaint(window.handle());
    if (window.logic().Form_Load(std::filesystem::path(withoutEnclosingQuotes(commandLine))) ==
        LookupWindowLogic::StartOutcome::Closed)
        return int(ZelkExitStatus::CatalogueMissing);
    ShowWindow(window.handle(), showCommand);
    UpdateWindow(window.handle());
    return runMessageLoop(window);
}
