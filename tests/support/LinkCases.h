#pragma once
// The link's end-to-end cases: tests/x11/link-cases.tsv and tests/win32/link-cases.tsv.
#include "catalogue/Catalogue.h"
#include "link/MemberTexts.h"
#include "support/TestFiles.h"

#include <map>
#include <set>

// A case, from its row "case NAME" to the next: rows of the kinds in `stepKinds` are its steps in
// order, "grid ENTRY TEXT" rows the spreadsheet's grid at the end, every other row a setting.
struct LinkCase {
    std::string name;
    std::map<std::string, std::vector<std::string>> settings;
    std::vector<std::vector<std::string>> steps;
    std::map<std::string, std::string> grid;

    friend std::ostream& operator<<(std::ostream& out, const LinkCase& c) { return out << c.name; }

    // A field of a setting; empty when the case has none.
    std::string setting(const std::string& kind, std::size_t field = 0) const {
        const auto found = settings.find(kind);
        return found != settings.end() && field < found->second.size() ? found->second[field] : std::string();
    }
};

inline std::vector<LinkCase> readLinkCases(const std::string& table, const std::set<std::string>& stepKinds) {
    std::vector<LinkCase> cases;
    for (std::vector<std::string>& row : readTable(table)) {
        if (row[0] == "case")
            cases.push_back({row.at(1), {}, {}, {}});
        else if (stepKinds.count(row[0]))
            cases.back().steps.push_back(row);
        else if (row[0] == "grid")
            cases.back().grid[row.at(1)] = row.at(2);
        else
            cases.back().settings[row[0]] = std::vector(row.begin() + 1, row.end());
    }
    return cases;
}

// The value label that a "choose" step ends with: that of member M of group G, or the LABEL of
// "choose computed LABEL ...".
inline std::u16string chosenLabel(const Catalogue& catalogue, const std::vector<std::string>& step) {
    if (step.at(1) == "computed")
        return u16(step.at(2));
    return valueLabelText(catalogue, std::int16_t(std::stoi(step[1])), std::int16_t(std::stoi(step[2])));
}

// The case's name as a test name: "_" for every character that is no letter or digit.
inline std::string linkCaseTestName(const testing::TestParamInfo<LinkCase>& info) {
    std::string name = info.param.name;
    std::replace_if(
        name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
}
