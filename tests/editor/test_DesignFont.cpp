#include "windows/DesignFont.h"

#include <QFontInfo>
#include <QTest>

class TestDesignFont : public QObject {
    Q_OBJECT

private slots:
    void resolvesToInstalledJapaneseFace_data();
    void resolvesToInstalledJapaneseFace();
    void keepsDesignSize();
};

void TestDesignFont::resolvesToInstalledJapaneseFace_data() {
    QTest::addColumn<QString>("face");
    QTest::addColumn<QStringList>("acceptable"); // the face itself, or the IPA face of the same kind
    QTest::addColumn<bool>("fixedPitch");

    QTest::newRow("fixed Gothic") << u"ＭＳ ゴシック"_qs << QStringList{u"MS Gothic"_qs, u"IPAGothic"_qs}
                                  << true;
    QTest::newRow("proportional Gothic")
        << u"ＭＳ Ｐゴシック"_qs << QStringList{u"MS PGothic"_qs, u"IPAPGothic"_qs} << false;
    QTest::newRow("proportional Mincho")
        << u"ＭＳ Ｐ明朝"_qs << QStringList{u"MS PMincho"_qs, u"IPAPMincho"_qs} << false;
}

void TestDesignFont::resolvesToInstalledJapaneseFace() {
    QFETCH(QString, face);
    QFETCH(QStringList, acceptable);
    QFETCH(bool, fixedPitch);
    const QFontInfo shown(designFont(face, 12));
    QVERIFY2(acceptable.contains(shown.family()), qPrintable(shown.family()));
    // Half-width letters of one width, as the catalogue's columns need in the editor (the IPA faces
    // are "dual" spaced, so QFontInfo::fixedPitch() does not tell).
    const QFontMetrics metrics(designFont(face, 12));
    QCOMPARE(metrics.horizontalAdvance(u'i') == metrics.horizontalAdvance(u'W'), fixedPitch);
    // The face draws Japanese text itself rather than through another font.
    QVERIFY(metrics.inFontUcs4(U'鋼'));
}

void TestDesignFont::keepsDesignSize() {
    QCOMPARE(designFont(u"Arial Black"_qs, 18.31).pointSizeF(), 18.31);
    QCOMPARE(designFont(u"Arial Black"_qs, 18.31).weight(), QFont::Black);
    QCOMPARE(designFont(u"ＭＳ ゴシック"_qs, 9.15).weight(), QFont::Normal);
}

QTEST_MAIN(TestDesignFont)
#include "test_DesignFont.moc"
