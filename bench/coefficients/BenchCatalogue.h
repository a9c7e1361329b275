#pragma once

#include <cstdint>
#include <filesystem>

// Writes an ASCII catalogue (CR LF) of `members` members in groups of 200, spread over the five
// shape rules and one shape code without a rule. ASCII so that the byte-reading awk peer sees
// the same characters as the generator. False when the file cannot be written.
bool writeBenchCatalogue(const std::filesystem::path& path, std::int64_t members);

// Copies `input` to `output` line by line through the generator's reader, converter, writer and
// replacing file, changing nothing: the floor that the generator is measured against. Returns
// the number of lines, -1 when a file fails.
std::int64_t copyCatalogue(const std::filesystem::path& input, const std::filesystem::path& output);
