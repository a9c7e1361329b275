#include "lookup/SpreadsheetWindowTitle.h"

#include <QTest>

class SpreadsheetWindowTitleTest : public QObject {
    Q_OBJECT

private slots:
    void matchesTitles_data();
    void matchesTitles();
};

void SpreadsheetWindowTitleTest::matchesTitles_data() {
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("match");

    const QString excel = QStringLiteral("Microsoft Excel");
    QTest::newRow("exact before beginning")
        << QStringList{"Microsoft Excel - Book1", "Microsoft Excel", "Book2 - Excel"} << excel << 1;
    QTest::newRow("beginning before ending")
        << QStringList{"Book2 - Excel", "Microsoft Excel - Book1"} << excel << 1;
    QTest::newRow("current spreadsheet versions") << QStringList{"zelk", "Book1 - Excel"} << excel << 1;
    QTest::newRow("case matters") << QStringList{"microsoft excel", "Book1 - excel"} << excel << -1;
    QTest::newRow("ending only at the end") << QStringList{"Book1 - Excel (2)"} << excel << -1;
    QTest::newRow("nothing") << QStringList{"zelk", "xterm"} << excel << -1;
    QTest::newRow("no windows") << QStringList{} << excel << -1;
    QTest::newRow("other title, beginning")
        << QStringList{"Untitled 1 - LibreOffice Calc", "LibreOffice Calc 7"} << "LibreOffice Calc" << 1;
    QTest::newRow("other title, ending")
        << QStringList{"Book1 - Excel", "Untitled 1 - LibreOffice Calc"} << "LibreOffice Calc" << 1;
    QTest::newRow("empty title matches nothing") << QStringList{"", "x"} << "" << -1;
}

void SpreadsheetWindowTitleTest::matchesTitles() {
    QFETCH(QStringList, titles);
    QFETCH(QString, title);
    QFETCH(int, match);
    QCOMPARE(MatchWindowTitle(titles, title), qsizetype(match));
}

QTEST_GUILESS_MAIN(SpreadsheetWindowTitleTest)
#include "SpreadsheetWindowTitleTest.moc"
