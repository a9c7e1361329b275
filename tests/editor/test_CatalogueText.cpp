#include "catalogue/CatalogueText.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using CatalogueText::Encoding;

namespace {

QByteArray cp932(const char16_t* text) {
    QStringEncoder encoder(kCp932Name);
    return encoder.encode(QString::fromUtf16(text));
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

class TestCatalogueText : public QObject {
    Q_OBJECT

private slots:
    void readsBothEncodings_data();
    void readsBothEncodings();
    void readFailureGivesReason_data();
    void readFailureGivesReason();
    void encodesLinesWithCrLf_data();
    void encodesLinesWithCrLf();
    void namesFirstCharacterOutsideEncoding_data();
    void namesFirstCharacterOutsideEncoding();
    void readThenEncodeGivesFileBack_data();
    void readThenEncodeGivesFileBack();
    void writeReplacesFile();
    void writeFailureLeavesNothing();

private:
    QTemporaryDir m_dir;
};

void TestCatalogueText::readsBothEncodings_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("utf8");

    QTest::newRow("cp932 CR LF") << cp932(u"W>{right}\r\n鋼材,1,2\r\n") << u"W>{right}\n鋼材,1,2\n"_qs
                                 << false;
    QTest::newRow("cp932 LF, no last line end") << cp932(u"ﾊﾞｰｼﾞｮﾝ\nx") << u"ﾊﾞｰｼﾞｮﾝ\nx\n"_qs << false;
    QTest::newRow("UTF-8 with mark") << QByteArray("\xEF\xBB\xBF") + u"鋼材\r\n©\r\n"_qs.toUtf8()
                                     << u"鋼材\n©\n"_qs << true;
    QTest::newRow("UTF-8 without mark is cp932")
        << u"鋼"_qs.toUtf8() + "\r\n"
        << QStringDecoder(kCp932Name).decode(u"鋼"_qs.toUtf8()) + u'\n' << false;
    QTest::newRow("empty") << QByteArray() << QString() << false;
}

void TestCatalogueText::readsBothEncodings() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(bool, utf8);
    const QString path = m_dir.filePath(QStringLiteral("read.csv"));
    writeBytes(path, bytes);

    const CatalogueText::ReadResult result = CatalogueText::read(path);
    QVERIFY(result.ok);
    QCOMPARE(result.text, text);
    QCOMPARE(result.encoding, utf8 ? Encoding::Utf8 : Encoding::Cp932);
}

void TestCatalogueText::readFailureGivesReason_data() {
    QTest::addColumn<QString>("path");
    QTest::newRow("missing") << m_dir.filePath(QStringLiteral("no-such.csv"));
    QTest::newRow("a folder") << m_dir.path();
}

void TestCatalogueText::readFailureGivesReason() {
    QFETCH(QString, path);
    const CatalogueText::ReadResult result = CatalogueText::read(path);
    QVERIFY(!result.ok);
    QVERIFY(!result.error.isEmpty());
    QVERIFY(result.text.isEmpty());
}

void TestCatalogueText::encodesLinesWithCrLf_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("utf8");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("LF") << u"a\nb\n"_qs << false << QByteArray("a\r\nb\r\n");
    QTest::newRow("no last line end") << u"a\nb"_qs << false << QByteArray("a\r\nb\r\n");
    QTest::newRow("CR LF kept single") << u"a\r\nb\r\n"_qs << false << QByteArray("a\r\nb\r\n");
    QTest::newRow("lone CR") << u"a\rb"_qs << false << QByteArray("a\r\nb\r\n");
    QTest::newRow("blank lines kept") << u"a\n\n"_qs << false << QByteArray("a\r\n\r\n");
    QTest::newRow("Japanese in cp932") << u"鋼材,ﾊﾞｰ\n"_qs << false << cp932(u"鋼材,ﾊﾞｰ\r\n");
    QTest::newRow("UTF-8 gets its mark") << u"©"_qs << true << QByteArray("\xEF\xBB\xBF\xC2\xA9\r\n");
    QTest::newRow("empty stays empty") << QString() << false << QByteArray();
}

void TestCatalogueText::encodesLinesWithCrLf() {
    QFETCH(QString, text);
    QFETCH(bool, utf8);
    QFETCH(QByteArray, bytes);
    const CatalogueText::EncodeResult result =
        CatalogueText::encode(text, utf8 ? Encoding::Utf8 : Encoding::Cp932);
    QVERIFY(result.ok);
    QCOMPARE(result.bytes, bytes);
}

void TestCatalogueText::namesFirstCharacterOutsideEncoding_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("utf8");
    QTest::addColumn<QString>("character");
    QTest::addColumn<qint64>("line");
    QTest::addColumn<QString>("codePoint");

    QTest::newRow("copyright sign") << u"鋼材\nH-100\nx©y®\n"_qs << false << u"©"_qs << qint64(3)
                                    << u"U+00A9"_qs;
    QTest::newRow("after CR LF lines") << u"a\r\nb\r\n€"_qs << false << u"€"_qs << qint64(3) << u"U+20AC"_qs;
    QTest::newRow("pair outside the BMP") << u"ok\n😀"_qs << false << u"😀"_qs << qint64(2) << u"U+1F600"_qs;
    QTest::newRow("replacement of a bad byte")
        << u"\uFFFD"_qs << false << u"\uFFFD"_qs << qint64(1) << u"U+FFFD"_qs;
    QTest::newRow("lone surrogate in UTF-8")
        << QString(QChar(0xD800)) << true << QString(QChar(0xD800)) << qint64(1) << u"U+D800"_qs;
}

void TestCatalogueText::namesFirstCharacterOutsideEncoding() {
    QFETCH(QString, text);
    QFETCH(bool, utf8);
    QFETCH(QString, character);
    QFETCH(qint64, line);
    QFETCH(QString, codePoint);
    const CatalogueText::EncodeResult result =
        CatalogueText::encode(text, utf8 ? Encoding::Utf8 : Encoding::Cp932);
    QVERIFY(!result.ok);
    QVERIFY(result.bytes.isEmpty());
    QCOMPARE(result.badCharacter, character);
    QCOMPARE(result.badLine, line);
    QCOMPARE(CatalogueText::codePointText(result.badCharacter), codePoint);
}

void TestCatalogueText::readThenEncodeGivesFileBack_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("bundled catalogue") << readBytes(QStringLiteral(ZELK_SOURCE_DIR "/data/JISTEELW.CSV"));
    QTest::newRow("UTF-8 with mark") << QByteArray("\xEF\xBB\xBF") + u"鋼材,©\r\n/*\r\n"_qs.toUtf8();
}

void TestCatalogueText::readThenEncodeGivesFileBack() {
    QFETCH(QByteArray, bytes);
    const QString path = m_dir.filePath(QStringLiteral("roundtrip.csv"));
    writeBytes(path, bytes);
    const CatalogueText::ReadResult read = CatalogueText::read(path);
    QVERIFY(read.ok);
    const CatalogueText::EncodeResult encoded = CatalogueText::encode(read.text, read.encoding);
    QVERIFY(encoded.ok);
    QCOMPARE(encoded.bytes, bytes);
}

void TestCatalogueText::writeReplacesFile() {
    const QString path = m_dir.filePath(QStringLiteral("replace.csv"));
    writeBytes(path, "old old old old\r\n");
    QCOMPARE(CatalogueText::write(path, "new\r\n"), QString());
    QCOMPARE(readBytes(path), QByteArray("new\r\n"));
    // No temporary file is left beside it.
    QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("replace*")}, QDir::Files | QDir::Hidden).size(),
             1);
}

void TestCatalogueText::writeFailureLeavesNothing() {
    const QString path = m_dir.filePath(QStringLiteral("no-such-folder/x.csv"));
    QVERIFY(!CatalogueText::write(path, "x\r\n").isEmpty());
    QVERIFY(!QFile::exists(path));
}

QTEST_GUILESS_MAIN(TestCatalogueText)
#include "test_CatalogueText.moc"
