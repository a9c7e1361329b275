#include "SpreadsheetWindowTitle.h"

#include "base/Text.h"
#include "base/WideText.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr std::u16string_view kDefaultTitle = u"Microsoft Excel";

// Current spreadsheet versions put the application name after the book: "Book1 - Excel".
std::u16string titleEnding(const std::u16string& title) {
    return title == kDefaultTitle ? u" - Excel" : u" - " + title;
}

std::u16string environmentTitle() {
#ifdef _WIN32
    const wchar_t* value = _wgetenv(L"ZELK_SPREADSHEET_TITLE");
    return value ? coreText(value) : std::u16string();
#else
    const char* value = std::getenv("ZELK_SPREADSHEET_TITLE");
    return value ? fromUtf8(value) : std::u16string();
#endif
}

} // namespace

std::u16string spreadsheetWindowTitle() {
    const std::u16string fromEnvironment = environmentTitle();
    return fromEnvironment.empty() ? std::u16string(kDefaultTitle) : fromEnvironment;
}

std::ptrdiff_t matchWindowTitle(const std::vector<std::u16string>& titles, const std::u16string& title) {
    if (title.empty())
        return -1;
    const auto indexWhere = [&](auto matches) {
        const auto found = std::find_if(titles.begin(), titles.end(), matches);
        return found == titles.end() ? std::ptrdiff_t(-1) : std::ptrdiff_t(found - titles.begin());
    };
    std::ptrdiff_t index = indexWhere([&](const std::u16string& t) { return t == title; });
    if (index < 0)
        index = indexWhere([&](const std::u16string& t) { return t.starts_with(title); });
    if (index < 0) {
        const std::u16string ending = titleEnding(title);
        index = indexWhere([&](const std::u16string& t) { return t.ends_with(ending); });
    }
    return index;
}
