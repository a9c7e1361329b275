#include "coefficients/LeadingNumber.h"

#include <QTest>

#include <cmath>
#include <limits>

class TestLeadingNumber : public QObject {
    Q_OBJECT
private slots:
    void readsTheNumberAtTheStart_data();
    void readsTheNumberAtTheStart();
    void overflowAndUnderflow();
};

void TestLeadingNumber::readsTheNumberAtTheStart_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("stops at x") << QStringLiteral("100x50") << 100.0;
    QTest::newRow("decimal") << QStringLiteral("60.5x3.2") << 60.5;
    QTest::newRow("empty") << QString() << 0.0;
    QTest::newRow("no number") << QStringLiteral("abc") << 0.0;
    QTest::newRow("blanks anywhere") << QStringLiteral(" 1 2\t3\n4x") << 1234.0;
    QTest::newRow("minus after blanks") << QStringLiteral("\t- 5.5x") << -5.5;
    QTest::newRow("plus") << QStringLiteral("+7") << 7.0;
    QTest::newRow("point first") << QStringLiteral(".5x10") << 0.5;
    QTest::newRow("point last") << QStringLiteral("5.") << 5.0;
    QTest::newRow("second point stops") << QStringLiteral("1.2.3") << 1.2;
    QTest::newRow("two signs") << QStringLiteral("--5") << 0.0;
    QTest::newRow("sign after digits stops") << QStringLiteral("5-3") << 5.0;
    QTest::newRow("point alone") << QStringLiteral(".") << 0.0;
    QTest::newRow("no exponent") << QStringLiteral("1e5") << 1.0;
    QTest::newRow("no radix prefix") << QStringLiteral("0x10") << 0.0;
    QTest::newRow("full-width digits") << QStringLiteral("１００") << 0.0;
    QTest::newRow("ideographic space is no blank") << QStringLiteral("\u30001") << 0.0;
    QTest::newRow("carriage return is no blank") << QStringLiteral("\r1") << 0.0;
    QTest::newRow("count line") << QStringLiteral("2,Unit weight,Paint area") << 2.0;
}

void TestLeadingNumber::readsTheNumberAtTheStart() {
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(LeadingNumber(text), expected);
}

void TestLeadingNumber::overflowAndUnderflow() {
    const QString huge = QStringLiteral("1") + QString(400, u'0');
    QCOMPARE(LeadingNumber(huge), std::numeric_limits<double>::infinity());
    QCOMPARE(LeadingNumber(u'-' + huge), -std::numeric_limits<double>::infinity());
    const QString tiny = QStringLiteral("0.") + QString(400, u'0') + u'1';
    QCOMPARE(LeadingNumber(tiny), 0.0);
    QCOMPARE(LeadingNumber(QString(300, u'0') + QStringLiteral("12.5")), 12.5);
}

QTEST_APPLESS_MAIN(TestLeadingNumber)
#include "tst_LeadingNumber.moc"
