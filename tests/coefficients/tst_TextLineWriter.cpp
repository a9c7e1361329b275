#include "coefficients/TextLineWriter.h"

#include <QBuffer>
#include <QStringEncoder>
#include <QTest>

using Encoding = TextLineReader::Encoding;

class TestTextLineWriter : public QObject {
    Q_OBJECT
private slots:
    void writesAsTheConverter_data();
    void writesAsTheConverter();
    void utf8BeginsWithItsMark();
    void longLinesAndManyLines();
    void reportsAFailedWrite();
    void refusesWhatTheEncodingCannotHold();
};

void TestTextLineWriter::writesAsTheConverter_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("ASCII") << QStringList{"W>{right}",
                                          "\"H-100x100x6x8        \",\"\",     17.2000,       34.19"};
    // Code page 932 does not keep U+001A, U+001C and U+007F in place; the output must still be
    // the converter's own.
    QTest::newRow("control characters") << QStringList{QStringLiteral("a\u001Ab\u001Cc\u007Fd\u0000\t~\\")};
    QTest::newRow("Japanese") << QStringList{"\"Ｈ形鋼\",1,2", "鋼板", "x", ""};
}

void TestTextLineWriter::writesAsTheConverter() {
    QFETCH(QStringList, lines);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TextLineWriter writer(buffer, Encoding::Cp932);
    QStringEncoder encoder(kCp932Name);
    QByteArray expected;
    for (const QString& line : lines) {
        QVERIFY(writer.writeLine(line));
        expected += encoder.encode(line) + "\r\n";
    }
    QVERIFY(writer.flush());
    QCOMPARE(buffer.data(), expected);
}

void TestTextLineWriter::utf8BeginsWithItsMark() {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TextLineWriter writer(buffer, Encoding::Utf8);
    QVERIFY(writer.writeLine(u"鋼板 🔩 \u001A"));
    QVERIFY(writer.flush());
    QCOMPARE(buffer.data(), QByteArray("\xEF\xBB\xBF") + QStringLiteral("鋼板 🔩 \u001A").toUtf8() + "\r\n");
}

void TestTextLineWriter::longLinesAndManyLines() {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TextLineWriter writer(buffer, Encoding::Cp932);
    const QString longLine = QString(100000, u'鋼') + u'x';
    QByteArray expected;
    for (int i = 0; i < 3000; ++i) {
        const QString line = i % 1000 == 0 ? longLine : QStringLiteral("line %1").arg(i);
        QVERIFY(writer.writeLine(line));
        expected += QStringEncoder(kCp932Name).encode(line) + "\r\n";
    }
    QVERIFY(writer.flush());
    QCOMPARE(buffer.data().size(), expected.size());
    QCOMPARE(buffer.data(), expected);
}

void TestTextLineWriter::reportsAFailedWrite() {
    QBuffer buffer;
    buffer.open(QIODevice::ReadOnly);
    TextLineWriter writer(buffer, Encoding::Cp932);
    QVERIFY(writer.writeLine(u"kept in the buffer"));
    QVERIFY(!writer.flush());
    QVERIFY(writer.failed());
    QVERIFY(!writer.writeLine(u"no more"));
}

void TestTextLineWriter::refusesWhatTheEncodingCannotHold() {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TextLineWriter writer(buffer, Encoding::Cp932);
    QVERIFY(writer.writeLine(u"鋼板"));
    QVERIFY(!writer.writeLine(u"read as \uFFFD"));
    QVERIFY(writer.unencodable());
    QVERIFY(!writer.failed());
    QVERIFY(writer.writeLine(u"next 鋼"));
    QVERIFY(!writer.unencodable());
    QVERIFY(writer.flush());
    QCOMPARE(buffer.data(), QStringEncoder(kCp932Name).encode(u"鋼板\r\nnext 鋼\r\n"));
}

QTEST_APPLESS_MAIN(TestTextLineWriter)
#include "tst_TextLineWriter.moc"
