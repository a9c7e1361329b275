#pragma once
// Files, folders and case tables for the tests. Expected texts are kept in UTF-8, as the test
// sources and the case files are, and the core's UTF-16 results are compared after toUtf8.
#include "base/Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

inline std::string u8(std::u16string_view text) {
    return toUtf8(text);
}

// The shortest text that reads back as `value`.
inline std::string numberText(double value) {
    char text[32];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

inline fs::path sourcePath(const std::string& relative) {
    return fs::path(ZELK_SOURCE_DIR) / fs::path(relative);
}

// The bytes of a file; "(no file)" when it cannot be read.
inline std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "(no file)";
}

inline void writeBytes(const fs::path& path, const std::string& bytes) {
    ASSERT_TRUE(std::ofstream(path, std::ios::binary) << bytes) << path;
}

// A new empty folder for one test, removed with everything in it afterwards.
class ScratchDir {
public:
    ScratchDir()
        : m_path(fs::temp_directory_path() / ("zelk-test-" + std::to_string(std::random_device()()))) {
        fs::create_directories(m_path);
    }
    ~ScratchDir() {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    fs::path operator/(const std::string& name) const { return m_path / name; }

private:
    fs::path m_path;
};

// The rows of a tab-separated case table: lines starting with "#" and blank lines are skipped;
// in a field \t, \n, \r and \\ stand for a tab, line feed, return and backslash, \xHH for a byte;
// \uXXXX stays for u16, which makes it one UTF-16 unit.
inline std::vector<std::vector<std::string>> readTable(const std::string& relative) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(readBytes(sourcePath(relative)));
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        rows.emplace_back(1);
        for (std::size_t i = 0; i < line.size(); ++i) {
            std::string& field = rows.back().back();
            if (line[i] == '\t')
                rows.back().emplace_back();
            else if (line[i] != '\\' || i + 1 == line.size())
                field += line[i];
            else if (line[++i] == 'x')
                field += char(std::stoi(line.substr(i + 1, 2), nullptr, 16)), i += 2;
            else if (line[i] == 'u')
                field += "\\u";
            else
                field += line[i] == 't' ? '\t' : line[i] == 'n' ? '\n' : line[i] == 'r' ? '\r' : line[i];
        }
    }
    EXPECT_FALSE(rows.empty()) << relative;
    return rows;
}

// A table field as UTF-16: its UTF-8 text, with \uXXXX for a unit of its own (a lone surrogate too).
inline std::u16string u16(std::string_view field) {
    std::u16string text;
    for (std::size_t at; (at = field.find("\\u")) != std::string_view::npos; field.remove_prefix(at + 6))
        text += fromUtf8(field.substr(0, at)) +
                char16_t(std::stoi(std::string(field.substr(at + 2, 4)), nullptr, 16));
    return text + fromUtf8(field);
}

// The names (without extension) of the files in a case folder that end in `extension`.
inline std::vector<std::string> caseNames(const std::string& folder, const std::string& extension) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(sourcePath(folder)))
        if (entry.path().extension() == extension)
            names.push_back(entry.path().stem().string());
    return names;
}

// The parts of `text` between the separators.
inline std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts(1);
    for (const char c : text)
        if (c == separator)
            parts.emplace_back();
        else
            parts.back() += c;
    return parts;
}

// A case's test name: its file name with "_" for "-".
inline std::string caseTestName(const testing::TestParamInfo<std::string>& info) {
    std::string name = info.param;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
}
