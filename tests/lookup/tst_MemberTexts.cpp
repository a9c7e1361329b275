#include "catalogue/Catalogue.h"
#include "lookup/MemberTexts.h"

#include <QTest>

class tst_MemberTexts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void valueLabel_data();
    void valueLabel();
    void tableRow();
};

void tst_MemberTexts::valueLabel_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<double>("weight");
    QTest::addColumn<double>("coefficient");
    QTest::addColumn<QString>("label");

    QTest::newRow("the coefficient brings its own blank")
        << 1 << 12.3 << 1.25 << QString("12.3kg/m 1.25m2/t");
    QTest::newRow("zero weight") << 1 << 0.0 << 1.25 << QString("0kg/m 1.25m2/t");
    QTest::newRow("negative coefficient follows directly")
        << 1 << 12.3 << -1.5 << QString("12.3kg/m-1.5m2/t");
    QTest::newRow("negative weight keeps its sign") << 2 << -4.0 << 0.5 << QString("-4kg/m2 .5m2/t");
    QTest::newRow("kind 0 has empty labels") << 0 << 12.3 << 1.25 << QString("12.3 1.25");
    QTest::newRow("kind without a line") << 7 << 12.3 << 1.25 << QString("12.3 1.25");
    QTest::newRow("kind 50") << 50 << 12.3 << 1.25 << QString("12.3 1.25");
    QTest::newRow("kind above the tables") << 51 << 12.3 << 1.25 << QString("12.3 1.25");
    QTest::newRow("negative kind") << -3 << 12.3 << 1.25 << QString("12.3 1.25");
}

void tst_MemberTexts::valueLabel() {
    QFETCH(int, kind);
    QFETCH(double, weight);
    QFETCH(double, coefficient);
    QFETCH(QString, label);
    Catalogue c;
    c.resetTables();
    c.UnitWeightLabel[1] = QStringLiteral("kg/m");
    c.UnitPaintLabel[1] = QStringLiteral("m2/t");
    c.UnitWeightLabel[2] = QStringLiteral("kg/m2");
    c.UnitPaintLabel[2] = QStringLiteral("m2/t");
    c.GroupKind[3] = qint16(kind);
    c.MemberWeight[3][200] = weight;
    c.MemberPaintCoef[3][200] = coefficient;
    QCOMPARE(ValueLabelText(c, 3, 200), label);
}

void tst_MemberTexts::tableRow() {
    Catalogue c;
    c.resetTables();
    c.GroupKind[1] = 1;
    c.MemberName[1][1] = QStringLiteral("H-100x100x6x8");
    c.MemberWeight[1][1] = 17.2;
    c.MemberPaintCoef[1][1] = 34.19;
    QCOMPARE(TableRowText(c, 1, 1), QStringLiteral("H-100x100x6x8\t\t 1\t 17.2\t 34.19"));
    c.GroupKind[1] = -2;
    c.MemberRemark[1][1] = QStringLiteral("ソ");
    c.MemberPaintCoef[1][1] = -0.5;
    QCOMPARE(TableRowText(c, 1, 1), QStringLiteral("H-100x100x6x8\tソ\t-2\t 17.2\t-.5"));
}

QTEST_APPLESS_MAIN(tst_MemberTexts)
#include "tst_MemberTexts.moc"
