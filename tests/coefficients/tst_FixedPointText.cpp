#include "coefficients/FixedPointText.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>
#include <cstdio>

namespace {

// An independent reckoning of the same rounding in whole numbers: the 15 significant digits
// as printf gives them, then half away from zero at `decimals`. For magnitudes below 1e12.
QString reference(double value, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.14e", std::fabs(value));
    const QString scientific = QString::fromLatin1(text);
    const qint64 mantissa =
        scientific.left(1).toLongLong() * 100000000000000LL + scientific.mid(2, 14).toLongLong();
    const int shift = scientific.mid(17).toInt() - 14 + decimals; // mantissa * 10^shift units
    qint64 units = 0; // below 0.1 unit when shifted more than 15 places
    if (shift >= 0) {
        units = mantissa;
        for (int i = 0; i < shift; ++i)
            units *= 10;
    } else if (shift >= -15) {
        qint64 divisor = 1;
        for (int i = 0; i < -shift; ++i)
            divisor *= 10;
        units = mantissa / divisor + (2 * (mantissa % divisor) >= divisor ? 1 : 0);
    }
    QString digits = QString::number(units).rightJustified(decimals + 1, u'0');
    digits.insert(digits.size() - decimals, u'.');
    return (value < 0 && units != 0 ? QStringLiteral("-") : QString()) + digits;
}

} // namespace

class TestFixedPointText : public QObject {
    Q_OBJECT
private slots:
    void formats_data();
    void formats();
    void agreesWithWholeNumberReckoning();
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
    QTest::newRow("largest double") << 1.7976931348623157e308 << 15
                                    << "179769313486232" + QString(294, u'0') + u'.' + QString(15, u'0');
}

void TestFixedPointText::formats() {
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(FixedPointText(value, decimals)), expected);
}

void TestFixedPointText::agreesWithWholeNumberReckoning() {
    // Values anywhere, and values within a few units in the last place of a rounding tie.
    QRandomGenerator random(2675);
    for (int i = 0; i < 200000; ++i) {
        const int decimals = i % 2 == 0 ? 2 : 4;
        double value;
        if (i % 4 < 2) {
            value = std::ldexp(random.generateDouble(), int(random.bounded(-20, 36)));
        } else {
            const double step = std::pow(10.0, -decimals);
            const double tie = (double(random.bounded(1, 100000000)) + 0.5) * step;
            value = tie;
            for (int n = int(random.bounded(-3, 4)); n != 0; n += n > 0 ? -1 : 1)
                value = std::nextafter(value, n > 0 ? INFINITY : 0.0);
        }
        if (i % 8 == 7)
            value = -value;
        const QString expected = reference(value, decimals);
        const QString actual = QString::fromStdString(FixedPointText(value, decimals));
        if (actual != expected)
            QFAIL(qPrintable(QStringLiteral("%1 with %2 decimals: %3, expected %4")
                                 .arg(value, 0, 'g', 17)
                                 .arg(decimals)
                                 .arg(actual, expected)));
    }
}

QTEST_APPLESS_MAIN(TestFixedPointText)
#include "tst_FixedPointText.moc"
