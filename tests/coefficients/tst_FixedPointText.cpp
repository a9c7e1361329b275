#include "coefficients/FixedPointText.h"

#include <QTest>

class TestFixedPointText : public QObject {
    Q_OBJECT
private slots:
    void formats_data();
    void formats();
    void rightAligned_data();
    void rightAligned();
};

void TestFixedPointText::formats_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("expected");
    QTest::newRow("pads decimals") << 17.2 << 4 << "17.2000";
    QTest::newRow("leading zero") << 0.3 << 2 << "0.30";
    QTest::newRow("zero") << 0.0 << 2 << "0.00";
    QTest::newRow("negative zero") << -0.0 << 4 << "0.0000";
    QTest::newRow("rounds to zero, no sign") << -0.001 << 2 << "0.00";
    QTest::newRow("negative") << -1.25 << 4 << "-1.2500";
    // Ties as the user reads them, although the binary value lies just below: away from zero.
    QTest::newRow("2.675 tie") << 2.675 << 2 << "2.68";
    QTest::newRow("1.005 tie") << 1.005 << 2 << "1.01";
    QTest::newRow("negative tie") << -2.675 << 2 << "-2.68";
    QTest::newRow("exact tie") << 0.125 << 2 << "0.13";
    QTest::newRow("weight tie") << 1.00005 << 4 << "1.0001";
    QTest::newRow("below tie") << 2.67499 << 2 << "2.67";
    QTest::newRow("carry into a new digit") << 9.995 << 2 << "10.00";
    QTest::newRow("carry far") << 999999.995 << 2 << "1000000.00";
    QTest::newRow("first digit rounds up") << 0.00005 << 4 << "0.0001";
    QTest::newRow("first digit rounds down") << 0.00004999 << 4 << "0.0000";
    QTest::newRow("far below") << 1e-300 << 4 << "0.0000";
    QTest::newRow("worked example K") << (466.2 / 1000) / (4.06 / 1000) << 2 << "114.83";
    QTest::newRow("15 significant digits") << 123456789012345678.0 << 2 << "123456789012346000.00";
    QTest::newRow("huge") << 1e20 << 4 << "100000000000000000000.0000";
}

void TestFixedPointText::formats() {
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(FixedPointText(value, decimals)), expected);
}

void TestFixedPointText::rightAligned_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("padded") << "4.0600"
                            << "      4.0600";
    QTest::newRow("exact width") << "123456789.00"
                                 << "123456789.00";
    QTest::newRow("wider written whole") << "1234567890.0000"
                                         << "1234567890.0000";
}

void TestFixedPointText::rightAligned() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(RightAligned(text.toStdString(), 12)), expected);
}

QTEST_APPLESS_MAIN(TestFixedPointText)
#include "tst_FixedPointText.moc"
