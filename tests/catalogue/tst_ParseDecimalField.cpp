#include "catalogue/FieldReader.h"

#include <QRandomGenerator>
#include <QTest>

#include <charconv>

class TestParseDecimalField : public QObject {
    Q_OBJECT
private slots:
    void parses_data();
    void parses();
    void shortDecimalsReadAsFromChars();
};

void TestParseDecimalField::parses_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("expected");
    QTest::newRow("empty") << "" << true << 0.0;
    QTest::newRow("blanks") << "  \t" << true << 0.0;
    QTest::newRow("plain") << " 17.2 " << true << 17.2;
    QTest::newRow("plus") << "+5" << true << 5.0;
    QTest::newRow("minus point") << "-.5" << true << -0.5;
    QTest::newRow("point last") << "5." << true << 5.0;
    QTest::newRow("exponent") << "1.5e3" << true << 1500.0;
    QTest::newRow("16 digits") << "1234567890.123456" << true << 1234567890.123456;
    QTest::newRow("point alone") << "." << false << 0.0;
    QTest::newRow("sign alone") << "-" << false << 0.0;
    QTest::newRow("two points") << "1.2.3" << false << 0.0;
    QTest::newRow("text") << "heavy" << false << 0.0;
    QTest::newRow("inf") << "inf" << false << 0.0;
    QTest::newRow("overflow") << "1e999" << false << 0.0;
    QTest::newRow("full-width") << "１７" << false << 0.0;
}

void TestParseDecimalField::parses() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(double, expected);
    const std::optional<double> value = parseDecimalField(text);
    QCOMPARE(value.has_value(), valid);
    if (valid)
        QCOMPARE(*value, expected);
}

void TestParseDecimalField::shortDecimalsReadAsFromChars() {
    // Short decimals take a quicker way than from_chars; the values must be the same doubles.
    QRandomGenerator random(932);
    for (int i = 0; i < 200000; ++i) {
        const int digits = int(random.bounded(1, 17));
        QByteArray text;
        for (int d = 0; d < digits; ++d)
            text += char('0' + random.bounded(10));
        text.insert(int(random.bounded(digits + 1)), '.');
        double expected = 0;
        std::from_chars(text.constData(), text.constData() + text.size(), expected);
        const std::optional<double> value = parseDecimalField(QString::fromLatin1(text));
        if (!value || *value != expected)
            QFAIL(text.constData());
    }
}

QTEST_APPLESS_MAIN(TestParseDecimalField)
#include "tst_ParseDecimalField.moc"
