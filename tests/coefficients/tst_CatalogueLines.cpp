#include "coefficients/CatalogueLines.h"

#include <QTest>

class TestCatalogueLines : public QObject {
    Q_OBJECT
private slots:
    void outputDesignation_data();
    void outputDesignation();
    void groupHeaderLine();
    void memberLine_data();
    void memberLine();
};

void TestCatalogueLines::outputDesignation_data() {
    QTest::addColumn<QString>("designation");
    QTest::addColumn<QString>("expected");
    QTest::newRow("widened") << QStringLiteral("H-100x100x6x8") << QStringLiteral("H-100x100x6x8        ");
    QTest::newRow("empty") << QString() << QString(21, u' ');
    QTest::newRow("exactly 21") << QStringLiteral("C-200x75x25x4.5xABCDE")
                                << QStringLiteral("C-200x75x25x4.5xABCDE");
    QTest::newRow("cut") << QStringLiteral("C-200x75x25x4.5xABCDEFG")
                         << QStringLiteral("C-200x75x25x4.5xABCDE");
    QTest::newRow("already widened") << QStringLiteral("PL-9                 ")
                                     << QStringLiteral("PL-9                 ");
    // Characters, not bytes: 21 Japanese characters are 42 bytes in the file.
    QTest::newRow("Japanese cut") << QStringLiteral("溝形鋼リップ付き軽量形鋼一般構造用冷間成形品-100x50")
                                  << QStringLiteral("溝形鋼リップ付き軽量形鋼一般構造用冷間成形");
    QTest::newRow("Japanese widened")
        << QStringLiteral("角形鋼管-100x3.2") << QStringLiteral("角形鋼管-100x3.2         ");
    // A character outside the BMP counts once and is not split.
    QTest::newRow("surrogate pair") << QStringLiteral("𠀋") + QString(25, u'a')
                                    << QStringLiteral("𠀋") + QString(20, u'a');
}

void TestCatalogueLines::outputDesignation() {
    QFETCH(QString, designation);
    QFETCH(QString, expected);
    QCOMPARE(OutputDesignation(designation), expected);
}

void TestCatalogueLines::groupHeaderLine() {
    QString line = QStringLiteral("left over from before");
    FormatGroupHeaderLine(line, u"Ｈ形鋼, 細幅", 1, 2);
    QCOMPARE(line, QStringLiteral("\"Ｈ形鋼, 細幅\",1,2"));
    FormatGroupHeaderLine(line, u"", -3, 32767);
    QCOMPARE(line, QStringLiteral("\"\",-3,32767"));
}

void TestCatalogueLines::memberLine_data() {
    QTest::addColumn<QString>("designation");
    QTest::addColumn<QString>("remark");
    QTest::addColumn<double>("weight");
    QTest::addColumn<double>("coefficient");
    QTest::addColumn<QString>("expected");
    QTest::newRow("worked example") << QStringLiteral("H-100x100x6x8") << QString() << 17.2 << 34.18604651
                                    << QStringLiteral(
                                           "\"H-100x100x6x8        \",\"\",     17.2000,       34.19");
    QTest::newRow("remark with quote and comma")
        << QStringLiteral("L-65x65x6") << QStringLiteral("SS400, \"等辺\"") << 5.91 << 43.99
        << QStringLiteral("\"L-65x65x6            \",\"SS400, \"等辺\"\",      5.9100,       43.99");
    QTest::newRow("wider than 12 written whole")
        << QStringLiteral("PL-0.001") << QString() << 1234567.5 << 123456789012.345
        << QStringLiteral("\"PL-0.001             \",\"\",1234567.5000,123456789012.35");
    QTest::newRow("negative") << QStringLiteral("X-1") << QString() << -1.5 << -0.005
                              << QStringLiteral("\"X-1                  \",\"\",     -1.5000,       -0.01");
}

void TestCatalogueLines::memberLine() {
    QFETCH(QString, designation);
    QFETCH(QString, remark);
    QFETCH(double, weight);
    QFETCH(double, coefficient);
    QFETCH(QString, expected);
    QString line = QStringLiteral("left over");
    FormatMemberLine(line, OutputDesignation(designation), remark, weight, coefficient);
    QCOMPARE(line, expected);
    if (remark.isEmpty() && expected.size() <= 52)
        QCOMPARE(line.size(), 52);
}

QTEST_APPLESS_MAIN(TestCatalogueLines)
#include "tst_CatalogueLines.moc"
