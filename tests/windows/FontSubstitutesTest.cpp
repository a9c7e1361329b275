#include "windows/FontSubstitutes.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QTest>

class FontSubstitutesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutes(); }

    void designFacesAreDrawnWithAFaceOfTheirKind_data() {
        QTest::addColumn<QString>("face");
        QTest::addColumn<bool>("japanese");
        QTest::newRow("gothic, proportional") << "ＭＳ Ｐゴシック" << true;
        QTest::newRow("gothic, fixed") << "ＭＳ ゴシック" << true;
        QTest::newRow("mincho, proportional") << "ＭＳ Ｐ明朝" << true;
        QTest::newRow("heavy sans") << "Arial Black" << false;
    }
    void designFacesAreDrawnWithAFaceOfTheirKind() {
        QFETCH(QString, face);
        QFETCH(bool, japanese);
        const QString family = QFontInfo(QFont(face)).family();
        // Either the face itself is installed or one of its stand-ins draws it.
        QVERIFY2(family == face || QFont::substitutes(face).contains(family, Qt::CaseInsensitive),
                 qPrintable(family));
        if (japanese)
            QVERIFY2(QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese),
                     qPrintable(family));
    }

    void interfaceFontIsJapaneseAtNinePoints() {
        const QFont font = defaultInterfaceFont();
        QCOMPARE(font.pointSizeF(), 9.0);
        QVERIFY(QFontDatabase::writingSystems(QFontInfo(font).family()).contains(QFontDatabase::Japanese));
    }
};

QTEST_MAIN(FontSubstitutesTest)
#include "FontSubstitutesTest.moc"
