#pragma once

#include <filesystem>

// The help page beside the program: "zelkhelp/default.htm" in the program's folder, where a build,
// a folder copied whole and every Windows installation keep it.
std::filesystem::path helpPageBeside(const std::filesystem::path& programFolder);

// The help page of the program in `programFolder`: the one beside it; when there is none but one
// in "../share/zelk/zelkhelp" of that folder, that one: an installed program keeps its data apart
// (/usr/bin/zelk finds /usr/share/zelk/zelkhelp/default.htm).
std::filesystem::path helpPagePath(const std::filesystem::path& programFolder);
