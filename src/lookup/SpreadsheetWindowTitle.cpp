#include "SpreadsheetWindowTitle.h"

namespace {

const QString kDefaultTitle = QStringLiteral("Microsoft Excel");

// Current spreadsheet versions put the application name after the book: "Book1 - Excel".
QString titleEnding(const QString& title) {
    return title == kDefaultTitle ? QStringLiteral(" - Excel") : QStringLiteral(" - ") + title;
}

} // namespace

QString SpreadsheetWindowTitle() {
    const QString fromEnvironment = qEnvironmentVariable("ZELK_SPREADSHEET_TITLE");
    return fromEnvironment.isEmpty() ? kDefaultTitle : fromEnvironment;
}

qsizetype MatchWindowTitle(const QStringList& titles, const QString& title) {
    if (title.isEmpty())
        return -1;
    qsizetype index = titles.indexOf(title);
    if (index >= 0)
        return index;
    for (index = 0; index < titles.size(); ++index) {
        if (titles[index].startsWith(title))
            return index;
    }
    const QString ending = titleEnding(title);
    for (index = 0; index < titles.size(); ++index) {
        if (titles[index].endsWith(ending))
            return index;
    }
    return -1;
}
