#include "CatalogueFile.h"
#include "catalogue/FieldReader.h"
#include "catalogue/TextLineReader.h"

#include <QBuffer>
#include <QTest>

namespace {

struct Reading {
    QStringList fields;
    QStringList problems; // "line:text"
};

// Reads text fields until the end and collects what the reader reported.
Reading readAllFields(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    TextLineReader lines(buffer);
    FieldReader reader(lines);
    Reading reading;
    reader.setProblemHandler([&](qint64 line, const QString& text) {
        reading.problems << QStringLiteral("%1:%2").arg(line).arg(text);
    });
    while (!reader.atEnd()) {
        const std::optional<QString> field = reader.readText();
        if (!field)
            break;
        reading.fields << *field;
    }
    return reading;
}

} // namespace

class tst_FieldReader : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textFields_data();
    void textFields();
    void numbers_data();
    void numbers();
    void integers_data();
    void integers();
    void endOfFileAndBlankLines();
    void wholeLinesAndLineNumbers();
    void undecodableBytesAreReportedWithTheirLine();
    void aBadBytesHandlerTakesThePlaceOfTheReport();
};

void tst_FieldReader::textFields_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<int>("problems");

    QTest::newRow("plain") << QByteArray("a,b,c\r\n") << QStringList{"a", "b", "c"} << 0;
    QTest::newRow("quoted comma") << QByteArray("\"a, b\",c\r\n") << QStringList{"a, b", "c"} << 0;
    QTest::newRow("blanks before skipped, inside kept")
        << QByteArray("  \t\"  x  \",y\r\n") << QStringList{"  x  ", "y"} << 0;
    QTest::newRow("text after closing quote dropped")
        << QByteArray("\"ab\"cd,e\r\n") << QStringList{"ab", "e"} << 0;
    QTest::newRow("unquoted loses trailing spaces")
        << QByteArray("abc   ,d\r\n") << QStringList{"abc", "d"} << 0;
    QTest::newRow("empty field") << QByteArray("a,,b\r\n") << QStringList{"a", "", "b"} << 0;
    QTest::newRow("comma at line end gives an empty field")
        << QByteArray("a,\r\nb\r\n") << QStringList{"a", "", "b"} << 0;
    QTest::newRow("unclosed quote ends at the line end")
        << QByteArray("\"open, x\r\ny\r\n") << QStringList{"open, x", "y"} << 1;
    QTest::newRow("LF alone ends a line too") << QByteArray("a\nb\r\nc") << QStringList{"a", "b", "c"} << 0;
    QTest::newRow("lone CR at the end of the file") << QByteArray("a,b\r") << QStringList{"a", "b"} << 0;
    QTest::newRow("code page 932") << CatalogueFile::lines({QStringLiteral("Ｈ形鋼,ソ表")})
                                   << QStringList{QStringLiteral("Ｈ形鋼"), QStringLiteral("ソ表")} << 0;
    QTest::newRow("UTF-8 with byte-order mark")
        << QByteArray("\xEF\xBB\xBF").append(QStringLiteral("鋼板,x").toUtf8())
        << QStringList{QStringLiteral("鋼板"), "x"} << 0;
}

void tst_FieldReader::textFields() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, fields);
    QFETCH(int, problems);
    const Reading reading = readAllFields(bytes);
    QCOMPARE(reading.fields, fields);
    QCOMPARE(reading.problems.size(), problems);
}

void tst_FieldReader::numbers_data() {
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("reported");

    QTest::newRow("empty is zero") << QByteArray("") << 0.0 << false;
    QTest::newRow("blanks around") << QByteArray("  12.5 ") << 12.5 << false;
    QTest::newRow("negative") << QByteArray("-3") << -3.0 << false;
    QTest::newRow("plus sign") << QByteArray("+4") << 4.0 << false;
    QTest::newRow("leading point") << QByteArray(".5") << 0.5 << false;
    QTest::newRow("exponent") << QByteArray("1.5E-2") << 0.015 << false;
    QTest::newRow("quoted number") << QByteArray("\"7\"") << 7.0 << false;
    QTest::newRow("letters") << QByteArray("abc") << 0.0 << true;
    QTest::newRow("two points") << QByteArray("1.2.3") << 0.0 << true;
    QTest::newRow("sign alone") << QByteArray("-") << 0.0 << true;
    QTest::newRow("nan") << QByteArray("nan") << 0.0 << true;
    QTest::newRow("inf") << QByteArray("inf") << 0.0 << true;
    QTest::newRow("overflow") << QByteArray("1e400") << 0.0 << true;
    QTest::newRow("number then letters") << QByteArray("12abc") << 0.0 << true;
    QTest::newRow("comma decimal mark") << QByteArray("\"1,5\"") << 0.0 << true;
}

void tst_FieldReader::numbers() {
    QFETCH(QByteArray, field);
    QFETCH(double, value);
    QFETCH(bool, reported);
    QBuffer buffer;
    buffer.setData(field + ",next\r\n");
    buffer.open(QIODevice::ReadOnly);
    TextLineReader lines(buffer);
    FieldReader reader(lines);
    int problems = 0;
    reader.setProblemHandler([&](qint64 line, const QString&) {
        QCOMPARE(line, 1);
        ++problems;
    });
    QCOMPARE(reader.readNumber(), std::optional<double>(value));
    QCOMPARE(problems, reported ? 1 : 0);
    QCOMPARE(reader.readText(), std::optional<QString>(QStringLiteral("next")));
}

void tst_FieldReader::integers_data() {
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("reported");

    QTest::newRow("whole") << QByteArray("12") << 12 << false;
    QTest::newRow("half goes to even, down") << QByteArray("2.5") << 2 << false;
    QTest::newRow("half goes to even, up") << QByteArray("3.5") << 4 << false;
    QTest::newRow("lowest") << QByteArray("-32768") << -32768 << false;
    QTest::newRow("highest") << QByteArray("32767") << 32767 << false;
    QTest::newRow("too high") << QByteArray("32768") << 0 << true;
    QTest::newRow("too low") << QByteArray("-32769") << 0 << true;
    QTest::newRow("exponent") << QByteArray("1e2") << 100 << false;
    QTest::newRow("not a number") << QByteArray("x") << 0 << true;
}

void tst_FieldReader::integers() {
    QFETCH(QByteArray, field);
    QFETCH(int, value);
    QFETCH(bool, reported);
    QBuffer buffer;
    buffer.setData(field);
    buffer.open(QIODevice::ReadOnly);
    TextLineReader lines(buffer);
    FieldReader reader(lines);
    int problems = 0;
    reader.setProblemHandler([&](qint64, const QString&) { ++problems; });
    QCOMPARE(reader.readInteger(), std::optional<qint16>(qint16(value)));
    QCOMPARE(problems, reported ? 1 : 0);
}

void tst_FieldReader::endOfFileAndBlankLines() {
    QBuffer buffer;
    buffer.setData("a\r\n  \r\n\r\nb,\r\n");
    buffer.open(QIODevice::ReadOnly);
    TextLineReader lines(buffer);
    FieldReader reader(lines);
    QList<qint64> reportedLines;
    reader.setProblemHandler([&](qint64 line, const QString&) { reportedLines << line; });

    QCOMPARE(reader.readText(), std::optional<QString>(QStringLiteral("a")));
    QVERIFY(!reader.atEnd());
    reader.skipBlankLines();
    QCOMPARE(reportedLines, (QList<qint64>{2, 3}));
    QCOMPARE(reader.readText(), std::optional<QString>(QStringLiteral("b")));
    // The comma promises one more, empty, field on line 4.
    QVERIFY(!reader.atEnd());
    QCOMPARE(reader.readText(), std::optional<QString>(QString()));
    QVERIFY(reader.atEnd());
    QCOMPARE(reader.readText(), std::nullopt);
    QCOMPARE(reader.readNumber(), std::nullopt);
}

void tst_FieldReader::wholeLinesAndLineNumbers() {
    QBuffer buffer;
    buffer.setData("W> x ,\"y\"\r\na,b c\r\nlast");
    buffer.open(QIODevice::ReadOnly);
    TextLineReader lines(buffer);
    FieldReader reader(lines);
    QCOMPARE(reader.readWholeLine(), std::optional<QString>(QStringLiteral("W> x ,\"y\"")));
    QCOMPARE(reader.lineNumber(), 1);
    QCOMPARE(reader.readText(), std::optional<QString>(QStringLiteral("a")));
    QCOMPARE(reader.readWholeLine(), std::optional<QString>(QStringLiteral("b c")));
    QCOMPARE(reader.lineNumber(), 2);
    QCOMPARE(reader.readWholeLine(), std::optional<QString>(QStringLiteral("last")));
    QCOMPARE(reader.lineNumber(), 3);
    QVERIFY(reader.atEnd());
    QCOMPARE(reader.readWholeLine(), std::nullopt);
}

void tst_FieldReader::undecodableBytesAreReportedWithTheirLine() {
    // 0x81 0x20 is no code-page-932 character; the lines around it are fine.
    const Reading reading = readAllFields(QByteArray("ok\r\nbad\x81\x20,x\r\nfine\r\n"));
    QCOMPARE(reading.fields.size(), 4);
    QCOMPARE(reading.fields.first(), QStringLiteral("ok"));
    QCOMPARE(reading.fields.last(), QStringLiteral("fine"));
    QCOMPARE(reading.problems.size(), 1);
    QVERIFY(reading.problems.first().startsWith(QStringLiteral("2:")));
}

// A reader that must not go on with such a line hears of it before any field of it is read.
void tst_FieldReader::aBadBytesHandlerTakesThePlaceOfTheReport() {
    QBuffer buffer;
    buffer.setData("a,b\r\nc\x81\x20,d\r\n");
    buffer.open(QIODevice::ReadOnly);
    TextLineReader lines(buffer);
    FieldReader reader(lines);
    QStringList heard;
    reader.setProblemHandler(
        [&](qint64 line, const QString&) { heard << QStringLiteral("problem %1").arg(line); });
    reader.setBadBytesHandler([&](qint64 line) { heard << QStringLiteral("bad bytes %1").arg(line); });
    QCOMPARE(reader.readText(), std::optional<QString>(QStringLiteral("a")));
    QCOMPARE(reader.readText(), std::optional<QString>(QStringLiteral("b")));
    QCOMPARE(heard, QStringList());
    QVERIFY(reader.readText());
    QCOMPARE(heard, QStringList{QStringLiteral("bad bytes 2")});
}

QTEST_APPLESS_MAIN(tst_FieldReader)
#include "tst_FieldReader.moc"
