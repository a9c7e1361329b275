#include "coefficients/DataError.h"
#include "coefficients/SizeDesignation.h"

#include <QTest>

using DimensionList = QList<double>;

namespace {

// The message of the DataError that `f` throws, or "no error".
template <typename F> QString errorOf(F f) {
    try {
        f();
    } catch (const DataError& error) {
        return error.message;
    }
    return QStringLiteral("no error");
}

} // namespace

class TestSizeDesignation : public QObject {
    Q_OBJECT
private slots:
    void stripSizePrefix_data();
    void stripSizePrefix();
    void findDimensionSeparator_data();
    void findDimensionSeparator();
    void splitDimensions_data();
    void splitDimensions();
    void splitDimensionsFails_data();
    void splitDimensionsFails();
};

void TestSizeDesignation::stripSizePrefix_data() {
    QTest::addColumn<QString>("designation");
    QTest::addColumn<QString>("expected"); // empty: the missing-size error
    QTest::newRow("prefix") << QStringLiteral("H-100x100x6x8") << QStringLiteral("100x100x6x8");
    QTest::newRow("starts with digit") << QStringLiteral("100x100x6x8") << QStringLiteral("100x100x6x8");
    QTest::newRow("starts with point") << QStringLiteral(".5x10") << QStringLiteral(".5x10");
    QTest::newRow("digit in prefix") << QStringLiteral("2L-65x65x6") << QStringLiteral("2L-65x65x6");
    QTest::newRow("Japanese prefix") << QStringLiteral("角形鋼管□-100x100x3.2")
                                     << QStringLiteral("100x100x3.2");
    QTest::newRow("trailing blanks kept") << QStringLiteral("PL-9   ") << QStringLiteral("9   ");
    QTest::newRow("full-width digits") << QStringLiteral("ＰＬ－９") << QString();
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("blanks") << QStringLiteral("   ") << QString();
}

void TestSizeDesignation::stripSizePrefix() {
    QFETCH(QString, designation);
    QFETCH(QString, expected);
    QString stripped = designation;
    const QString error = errorOf([&] { StripSizePrefix(stripped); });
    if (expected.isEmpty()) {
        QCOMPARE(error, kMissingSizeMessage);
        QCOMPARE(stripped, designation);
    } else {
        QCOMPARE(error, QStringLiteral("no error"));
        QCOMPARE(stripped, expected);
    }
}

void TestSizeDesignation::findDimensionSeparator_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected"); // 0: the missing-separator error
    QTest::newRow("first x") << QStringLiteral("100x50x20") << 4;
    QTest::newRow("at the start") << QStringLiteral("x5") << 1;
    QTest::newRow("upper-case X") << QStringLiteral("100X100") << 0;
    QTest::newRow("multiplication sign") << QStringLiteral("100×100") << 0;
    QTest::newRow("full-width x") << QStringLiteral("100ｘ100") << 0;
    QTest::newRow("empty") << QString() << 0;
}

void TestSizeDesignation::findDimensionSeparator() {
    QFETCH(QString, text);
    QFETCH(int, expected);
    qsizetype position = 0;
    const QString error = errorOf([&] { position = FindDimensionSeparator(text); });
    if (expected == 0) {
        QCOMPARE(error, kMissingSeparatorMessage);
    } else {
        QCOMPARE(error, QStringLiteral("no error"));
        QCOMPARE(position, qsizetype(expected));
    }
}

void TestSizeDesignation::splitDimensions_data() {
    QTest::addColumn<QString>("designation");
    QTest::addColumn<int>("count");
    QTest::addColumn<DimensionList>("expected");
    QTest::newRow("lipped channel, 4")
        << QStringLiteral("C-100x50x20x2.3") << 4 << DimensionList{100, 50, 20, 2.3};
    QTest::newRow("H, 3 of 4") << QStringLiteral("H-100x100x6x8") << 3 << DimensionList{100, 100, 6};
    QTest::newRow("angle, 2 of 3") << QStringLiteral("L-65x65x6") << 2 << DimensionList{65, 65};
    QTest::newRow("pipe, 1") << QStringLiteral("P-60.5x3.2") << 1 << DimensionList{60.5};
    QTest::newRow("plate, 0") << QStringLiteral("PL-9") << 0 << DimensionList{};
    QTest::newRow("pipe without x") << QStringLiteral("P-60.5") << 1 << DimensionList{60.5};
    QTest::newRow("digit in prefix") << QStringLiteral("2L-65x65x6") << 2 << DimensionList{2, 65};
    QTest::newRow("empty piece") << QStringLiteral("H-100xx6") << 3 << DimensionList{100, 0, 6};
    QTest::newRow("blanks in pieces") << QStringLiteral("H-100 x 100 x 6") << 3 << DimensionList{100, 100, 6};
    QTest::newRow("blank-filled piece") << QStringLiteral("H-100x   x6") << 3 << DimensionList{100, 0, 6};
    QTest::newRow("trailing blanks") << QStringLiteral("L-65x65        ") << 2 << DimensionList{65, 65};
    QTest::newRow("empty last piece") << QStringLiteral("L-65x") << 2 << DimensionList{65, 0};
    QTest::newRow("text in a piece") << QStringLiteral("C-100x50mmx20x2.3t") << 4
                                     << DimensionList{100, 50, 20, 2.3};
    QTest::newRow("point starts") << QStringLiteral(".5x10") << 2 << DimensionList{0.5, 10};
}

void TestSizeDesignation::splitDimensions() {
    QFETCH(QString, designation);
    QFETCH(int, count);
    QFETCH(DimensionList, expected);
    const Dimensions d = SplitDimensions(designation, count);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(d.value[std::size_t(i)], i < expected.size() ? expected[i] : 0.0);
}

void TestSizeDesignation::splitDimensionsFails_data() {
    QTest::addColumn<QString>("designation");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("message");
    QTest::newRow("upper-case X") << QStringLiteral("H-100X100") << 2 << kMissingSeparatorMessage;
    QTest::newRow("one separator short") << QStringLiteral("L-65x65") << 3 << kMissingSeparatorMessage;
    QTest::newRow("x only in the prefix") << QStringLiteral("x-100") << 2 << kMissingSeparatorMessage;
    QTest::newRow("full-width digits, plate") << QStringLiteral("ＰＬ－９") << 0 << kMissingSizeMessage;
    QTest::newRow("empty, pipe") << QString() << 1 << kMissingSizeMessage;
    // Both checks would fail: the missing size character is the one reported.
    QTest::newRow("size before separator") << QStringLiteral("H-") << 3 << kMissingSizeMessage;
    QTest::newRow("x but no size") << QStringLiteral("Hxx") << 3 << kMissingSizeMessage;
}

void TestSizeDesignation::splitDimensionsFails() {
    QFETCH(QString, designation);
    QFETCH(int, count);
    QFETCH(QString, message);
    QCOMPARE(errorOf([&] { SplitDimensions(designation, count); }), message);
}

QTEST_APPLESS_MAIN(TestSizeDesignation)
#include "tst_SizeDesignation.moc"
