#include "catalogue/NumberText.h"

#include <QTest>

#include <limits>

class tst_NumberText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void conversions_data();
    void conversions();
};

void tst_NumberText::conversions_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("whole number") << 12.0 << QString(" 12");
    QTest::newRow("trailing zero dropped") << 12.30 << QString(" 12.3");
    QTest::newRow("no zero before the point") << 0.574 << QString(" .574");
    QTest::newRow("negative below one") << -0.5 << QString("-.5");
    QTest::newRow("negative whole") << -12.0 << QString("-12");
    QTest::newRow("zero") << 0.0 << QString(" 0");
    QTest::newRow("negative zero has no sign") << -0.0 << QString(" 0");
    QTest::newRow("binary noise rounded away") << 0.1 + 0.2 << QString(" .3");
    QTest::newRow("fifteen significant digits") << 1.0 / 3.0 << QString(" .333333333333333");
    QTest::newRow("fifteen digits before the point") << 123456789012345.0 << QString(" 123456789012345");
    QTest::newRow("1E+15 takes the exponent") << 1e15 << QString(" 1E+15");
    QTest::newRow("large exponent") << 1e20 << QString(" 1E+20");
    QTest::newRow("small negative exponent") << -1.5e-7 << QString("-1.5E-07");
    QTest::newRow("smallest fixed magnitude") << 0.0001 << QString(" .0001");
    QTest::newRow("below it the exponent") << 0.00001 << QString(" 1E-05");
    QTest::newRow("weight") << 17.2 << QString(" 17.2");
    QTest::newRow("coefficient") << 114.827586206897 << QString(" 114.827586206897");
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << QString(" Inf");
}

void tst_NumberText::conversions() {
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(NumberText(value), text);
}

QTEST_APPLESS_MAIN(tst_NumberText)
#include "tst_NumberText.moc"
