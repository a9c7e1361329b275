#pragma once
// The sheet of the stand-in spreadsheets (tests/x11 and tests/win32), which the link's end-to-end
// tests and benchmarks type into, and the grid file through which they read it.
//
// A stand-in is as awkward as a real spreadsheet: at a paste keystroke it fetches the clipboard's
// text at the times of its FetchPattern (by default after kStandInFirstFetchMs and again after
// kStandInLastFetchMs; on X11 it asks for the formats first, after kStandInFormatsFetchMs), and
// pastes what it got last, into the cells from the one current at the keystroke on. A key event
// that comes less than kStandInKeyGapMs after the one before is ignored.
#include "base/Files.h"
#include "base/Text.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <string>
#include <vector>

constexpr int kStandInFormatsFetchMs = 10;
constexpr int kStandInFirstFetchMs = 100;
constexpr int kStandInLastFetchMs = 200;
constexpr int kStandInKeyGapMs = 2;

// When a stand-in fetches each paste, in ms after the keystroke: "later:100,400" from its event
// loop, answering everything else in between (by default, at kStandInFirstFetchMs and
// kStandInLastFetchMs), or "inside:100,400" while it handles the keystroke, answering nothing until
// it has pasted. A mode without a colon leaves the default.
struct FetchPattern {
    bool inside = false;
    std::vector<int> times{kStandInFirstFetchMs, kStandInLastFetchMs};
};

inline FetchPattern fetchPattern(const std::string& mode) {
    FetchPattern pattern;
    if (const std::size_t colon = mode.find(':'); colon != std::string::npos) {
        pattern = {mode.compare(0, colon, "inside") == 0, {}};
        for (std::size_t at = colon; at != std::string::npos; at = mode.find(',', at + 1))
            pattern.times.push_back(std::stoi(mode.substr(at + 1)));
    }
    return pattern;
}

// Cells by row and column, the current cell, the pastes done and the keys ignored. Arrows, Enter
// (down), Tab (right; with Shift, left) and Home move the current cell, never before A1.
class StandInGrid {
public:
    using Cell = std::pair<int, int>; // row, column, from 0
    Cell cursor{0, 0};
    int pastes = 0, ignored = 0;

    void move(int rows, int columns) {
        cursor = {std::max(0, cursor.first + rows), std::max(0, cursor.second + columns)};
    }
    // A typed character, added to the current cell; control characters type nothing.
    void type(char16_t c) {
        if (c >= 0x20 && c != 0x7f)
            m_cells[cursor] += c;
    }
    // Tab-separated fields as columns, lines (CR LF or LF) as rows; an empty field empties its cell.
    void paste(Cell at, std::u16string_view text) {
        ++pastes;
        Cell cell = at;
        for (std::size_t start = 0; start < text.size();) {
            const std::size_t end = std::min(text.find_first_of(u"\t\r\n", start), text.size());
            if (end == start)
                m_cells.erase(cell);
            else
                m_cells[cell] = text.substr(start, end - start);
            const bool lineEnd = end < text.size() && text[end] != u'\t';
            cell = lineEnd ? Cell{cell.first + 1, at.second} : Cell{cell.first, cell.second + 1};
            start = end + (text.substr(end, 2) == u"\r\n" ? 2 : 1);
        }
    }
    // "cursor<TAB>A2", "pastes<TAB>N", "ignored<TAB>N", then "KEY<TAB>text" for every cell that is
    // not empty, one entry a line.
    std::string entries() const {
        std::string text = "cursor\t" + name(cursor) + "\npastes\t" + std::to_string(pastes) + "\nignored\t" +
                           std::to_string(ignored) + "\n";
        for (const auto& [cell, value] : m_cells)
            text += name(cell) + "\t" + toUtf8(value) + "\n";
        return text;
    }

private:
    std::map<Cell, std::u16string> m_cells;
    static std::string name(Cell cell) { return char('A' + cell.second) + std::to_string(cell.first + 1); }
};

// Replaces the grid file with `entries` whole, so that a reader never sees half of it.
inline void writeGridFile(const std::filesystem::path& file, const std::string& entries) {
    ReplacingFile out;
    if (out.open(file) && out.write(entries.data(), entries.size()))
        out.commit();
}

// The grid file's entries; none while there is no file or while it cannot be opened.
inline std::map<std::string, std::string> readGridFile(const std::filesystem::path& file) {
    std::map<std::string, std::string> entries;
    std::ifstream in(file, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        if (const std::size_t tab = line.find('\t'); tab != std::string::npos)
            entries[line.substr(0, tab)] = line.substr(tab + 1);
    }
    return entries;
}
