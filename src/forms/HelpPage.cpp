#include "HelpPage.h"

#include <system_error>

std::filesystem::path helpPageBeside(const std::filesystem::path& programFolder) {
    return programFolder / "zelkhelp" / "default.htm";
}

std::filesystem::path helpPagePath(const std::filesystem::path& programFolder) {
    const std::filesystem::path beside = helpPageBeside(programFolder);
    std::error_code error;
    if (!std::filesystem::exists(beside, error)) {
        const std::filesystem::path installed =
            (programFolder / ".." / "share" / "zelk" / "zelkhelp" / "default.htm").lexically_normal();
        if (std::filesystem::exists(installed, error))
            return installed;
    }
    return beside;
}
