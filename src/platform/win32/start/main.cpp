// zelk-start.exe: how the Start-menu shortcut of a per-machine installation starts zelk. The
// installation folder is read-only for users, so each user gets a catalogue of their own in
// %APPDATA%\ZELK_Win, copied from the installed one on the first start and never replaced
// afterwards (an uninstall leaves it too). zelk.exe runs in that folder, so that the generator's
// "JISTEELW.new" lands beside the catalogue, and gets the catalogue's whole path as its command
// line. Where there is no such folder, zelk opens the installed catalogue, to read only.
#include "platform/win32/Win32Design.h"
#include "platform/win32/Win32Text.h"

#include <windows.h>

#include <shlobj.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace {

constexpr wchar_t kCatalogueName[] = L"JISTEELW.CSV";

// The roaming application data, so that the catalogue follows its user to another machine of a
// network with roaming profiles. Empty when the user has none.
std::filesystem::path userFolder() {
    PWSTR appData = nullptr;
    std::filesystem::path folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_CREATE, nullptr, &appData)))
        folder = std::filesystem::path(appData) / L"ZELK_Win";
    CoTaskMemFree(appData);
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return error ? std::filesystem::path() : folder;
}

// Copied under a temporary name and moved into place without replacing: a second start at the
// same moment, or a copy cut short, never leaves a partial catalogue, and an existing one (the
// user's, edited or not) is never replaced.
void copyCatalogueOnce(const std::filesystem::path& installed, const std::filesystem::path& catalogue) {
    if (GetFileAttributesW(catalogue.c_str()) != INVALID_FILE_ATTRIBUTES)
        return;
    std::filesystem::path partial = catalogue;
    partial += L"." + std::to_wstring(GetCurrentProcessId()) + L".partial";
    if (!CopyFileW(installed.c_str(), partial.c_str(), FALSE) ||
        !MoveFileExW(partial.c_str(), catalogue.c_str(), 0))
        DeleteFileW(partial.c_str());
}

std::u16string systemMessage(DWORD error) {
    PWSTR text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, error, 0, reinterpret_cast<PWSTR>(&text), 0, nullptr);
    std::u16string message = text ? coreText(text) : std::u16string();
    LocalFree(text);
    return message;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const std::filesystem::path program = programFolder();
    const std::filesystem::path folder = userFolder();
    std::filesystem::path catalogue = program / kCatalogueName;
    if (!folder.empty()) {
        copyCatalogueOnce(catalogue, folder / kCatalogueName);
        catalogue = folder / kCatalogueName;
    }

    const std::filesystem::path zelk = program / L"zelk.exe";
    std::wstring commandLine = L"\"" + zelk.native() + L"\" \"" + catalogue.native() + L"\"";
    // The window state the shortcut asks for goes on to zelk; the standard handles do not.
    STARTUPINFOW startup{};
    GetStartupInfoW(&startup);
    startup.dwFlags &= ~DWORD(STARTF_USESTDHANDLES);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(zelk.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                        catalogue.parent_path().c_str(), &startup, &process)) {
        showMessageBox(nullptr,
                       coreText(zelk.c_str()) + u" を起動できません。\n" + systemMessage(GetLastError()));
        return 1;
    }
    // Windows brings a new window to the front only for a process the user started; the shortcut
    // gave this launcher that right, which goes on to zelk before it runs.
    AllowSetForegroundWindow(process.dwProcessId);
    ResumeThread(process.hThread);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}
