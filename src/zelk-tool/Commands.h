#pragma once

#include "ToolOutput.h"

#include <filesystem>
#include <string_view>

// The subcommands of zelk-tool, on arguments already parsed. Each prints its results and returns
// its exit status; main() adds the check of standard output.

// `show FILE`: the catalogue as the program loads it, as one JSON object.
ToolExitStatus runShow(const std::filesystem::path& file);
// `check FILE [--json]`: every problem the load repairs and every member whose unit weight
// disagrees with its designation, one a line, or as one JSON array.
ToolExitStatus runCheck(const std::filesystem::path& file, bool asJson);
// `find FILE TEXT [--json]`: the members that TEXT finds, best first (computed ones too), one a
// line or as one JSON array; Problems when none.
ToolExitStatus runFind(const std::filesystem::path& file, std::u16string_view text, bool asJson);
// `regen FILE -o OUT`: the catalogue with recomputed paint-area coefficients, written to OUT.
ToolExitStatus runRegen(const std::filesystem::path& file, const std::filesystem::path& output);
// `keys TEXT`: the keystrokes that a keystroke setting stands for, one a line.
ToolExitStatus runKeys(std::u16string_view text);
