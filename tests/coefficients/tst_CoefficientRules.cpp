#include "coefficients/CoefficientRules.h"
#include "coefficients/DataError.h"
#include "coefficients/FixedPointText.h"
#include "coefficients/SizeDesignation.h"

#include <QTest>

#include <cmath>

class TestCoefficientRules : public QObject {
    Q_OBJECT
private slots:
    void workedExamples_data();
    void workedExamples();
    void otherShapesKeepTheCoefficient_data();
    void otherShapesKeepTheCoefficient();
    void parseFailures_data();
    void parseFailures();
    void zeroWeightIsNotFinite();
};

void TestCoefficientRules::workedExamples_data() {
    QTest::addColumn<qint16>("shape");
    QTest::addColumn<QString>("designation");
    QTest::addColumn<double>("weight");
    QTest::addColumn<double>("expected"); // as the rule computes it, term by term
    QTest::addColumn<QString>("written");
    QTest::newRow("1 lipped channel")
        << qint16(1) << "C-100x50x20x2.3" << 4.06
        << (((2 * 100.0 + 4 * 50.0 + 4 * 20.0 - 6 * 2.3) / 1000) / (4.06 / 1000)) << "114.83";
    QTest::newRow("2 H-section") << qint16(2) << "H-100x100x6x8" << 17.2 << ((588.0 / 1000) / (17.2 / 1000))
                                 << "34.19";
    QTest::newRow("3 angle") << qint16(3) << "L-65x65x6" << 5.91 << ((260.0 / 1000) / (5.91 / 1000))
                             << "43.99";
    QTest::newRow("4 pipe") << qint16(4) << "P-60.5x3.2" << 4.52
                            << (((60.5 / 1000) * 3.141592) / (4.52 / 1000)) << "42.05";
    QTest::newRow("5 plate") << qint16(5) << "PL-9" << 70.65 << (2 / (70.65 / 1000)) << "28.31";
}

void TestCoefficientRules::workedExamples() {
    QFETCH(qint16, shape);
    QFETCH(QString, designation);
    QFETCH(double, weight);
    QFETCH(double, expected);
    QFETCH(QString, written);
    const double k = PaintCoefficient(shape, designation, weight, -1);
    QCOMPARE(k, expected);
    QCOMPARE(QString::fromStdString(FixedPointText(k, 2)), written);
}

void TestCoefficientRules::otherShapesKeepTheCoefficient_data() {
    QTest::addColumn<qint16>("shape");
    QTest::newRow("0") << qint16(0);
    QTest::newRow("6") << qint16(6);
    QTest::newRow("-1") << qint16(-1);
    QTest::newRow("32767") << qint16(32767);
}

void TestCoefficientRules::otherShapesKeepTheCoefficient() {
    QFETCH(qint16, shape);
    QVERIFY(!HasCoefficientRule(shape));
    // The designation is not parsed: one without any size character passes.
    QCOMPARE(PaintCoefficient(shape, u"ＰＬ", 0, 34.186), 34.186);
}

void TestCoefficientRules::parseFailures_data() {
    QTest::addColumn<qint16>("shape");
    QTest::addColumn<QString>("designation");
    QTest::addColumn<QString>("message");
    QTest::newRow("1 needs three x") << qint16(1) << "C-100x50x20" << kMissingSeparatorMessage;
    QTest::newRow("2 needs two x") << qint16(2) << "H-100x100" << kMissingSeparatorMessage;
    QTest::newRow("3 needs one x") << qint16(3) << "L-65" << kMissingSeparatorMessage;
    QTest::newRow("4 needs a size") << qint16(4) << "P-" << kMissingSizeMessage;
    QTest::newRow("5 needs a size") << qint16(5) << "PL" << kMissingSizeMessage;
}

void TestCoefficientRules::parseFailures() {
    QFETCH(qint16, shape);
    QFETCH(QString, designation);
    QFETCH(QString, message);
    QString thrown;
    try {
        PaintCoefficient(shape, designation, 1, 0);
    } catch (const DataError& error) {
        thrown = error.message;
    }
    QCOMPARE(thrown, message);
}

void TestCoefficientRules::zeroWeightIsNotFinite() {
    for (qint16 shape = 1; shape <= 5; ++shape)
        QVERIFY2(!std::isfinite(PaintCoefficient(shape, u"X-100x50x20x2", 0, 1)),
                 qPrintable(QString::number(shape)));
}

QTEST_APPLESS_MAIN(TestCoefficientRules)
#include "tst_CoefficientRules.moc"
