#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The title of the spreadsheet window that the transfer activates: the environment variable
// ZELK_SPREADSHEET_TITLE when it is set and not empty, else "Microsoft Excel".
std::u16string spreadsheetWindowTitle();

// Which of the top-level window `titles` stands for `title`, as AppActivate chooses: one equal to
// it, else one that begins with it, else one that ends with " - " and the title ("Book1 - Excel"
// for the default title, whose current form ends in " - Excel"). The first such title in list
// order wins; -1 when none matches. Comparisons are exact and case-sensitive.
std::ptrdiff_t matchWindowTitle(const std::vector<std::u16string>& titles, const std::u16string& title);
