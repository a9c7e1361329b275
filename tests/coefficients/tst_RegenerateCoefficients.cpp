#include "catalogue/TextLineReader.h"
#include "coefficients/RegenerateCoefficients.h"
#include "coefficients/SizeDesignation.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using Status = RegenerationResult::Status;

namespace {

class RecordingReporter : public RegenerationReporter {
public:
    void problem(qint64 line, const QString& text) override {
        problems.append(QStringLiteral("%1: %2").arg(line).arg(text));
    }
    void stopped(const RegenerationResult& result) override { stops.append(result); }
    void summary(const QString& caption, const QString& prompt) override {
        summaries.append(caption + u'|' + prompt);
    }

    QStringList problems;
    QList<RegenerationResult> stops;
    QStringList summaries;
};

// The catalogue's lines in code page 932, each ended by CR LF, as the files come.
QByteArray cp932Lines(const QStringList& lines) {
    QStringEncoder encoder(kCp932Name);
    QByteArray bytes;
    for (const QString& line : lines) {
        const QByteArray encoded = encoder.encode(line);
        Q_ASSERT(!encoder.hasError());
        bytes += encoded + "\r\n";
    }
    return bytes;
}

// The seven tag lines, a count line of 2 and two unit-kind lines.
const QStringList kLeadingLines = {
    QStringLiteral("W>{right}"),
    QStringLiteral("W=d1*e1"),
    QStringLiteral("A>{right}"),
    QStringLiteral("A="),
    QStringLiteral("1>{down}{left 6}"),
    QStringLiteral("2>{down}{left 5}"),
    QStringLiteral("3>"),
    QStringLiteral("2,単位重量,塗装面積"),
    QStringLiteral("1,kg/m,m2/t"),
    QStringLiteral("2,kg/m2,m2/t"),
};

const QStringList kWorkedExampleInput =
    kLeadingLines +
    QStringList{
        QStringLiteral("軽量形鋼,1,1"),   QStringLiteral("C-100x50x20x2.3,,4.06,0"),   QStringLiteral("/*"),
        QStringLiteral("\"Ｈ形鋼\",1,2"), QStringLiteral("H-100x100x6x8,,17.2,34.19"), QStringLiteral("/*"),
        QStringLiteral("等辺山形鋼,1,3"), QStringLiteral("L-65x65x6,,5.91,40"),        QStringLiteral("/*"),
        QStringLiteral("鋼管,1,4"),       QStringLiteral("P-60.5x3.2,,4.52,1"),        QStringLiteral("/*"),
        QStringLiteral("鋼板,2,5"),       QStringLiteral("PL-9,,70.65,28.3"),          QStringLiteral("/*"),
    };

const QStringList kWorkedExampleOutput =
    kLeadingLines + QStringList{
                        QStringLiteral("\"軽量形鋼\",1,1"),
                        QStringLiteral("\"C-100x50x20x2.3      \",\"\",      4.0600,      114.83"),
                        QStringLiteral("/*"),
                        QStringLiteral("\"Ｈ形鋼\",1,2"),
                        QStringLiteral("\"H-100x100x6x8        \",\"\",     17.2000,       34.19"),
                        QStringLiteral("/*"),
                        QStringLiteral("\"等辺山形鋼\",1,3"),
                        QStringLiteral("\"L-65x65x6            \",\"\",      5.9100,       43.99"),
                        QStringLiteral("/*"),
                        QStringLiteral("\"鋼管\",1,4"),
                        QStringLiteral("\"P-60.5x3.2           \",\"\",      4.5200,       42.05"),
                        QStringLiteral("/*"),
                        QStringLiteral("\"鋼板\",2,5"),
                        QStringLiteral("\"PL-9                 \",\"\",     70.6500,       28.31"),
                        QStringLiteral("/*"),
                    };

QString summaryOf(int groups, int members) {
    return kSummaryCaption + u'|' + SummaryPrompt(groups, members);
}

} // namespace

class TestRegenerateCoefficients : public QObject {
    Q_OBJECT
private slots:
    void init();
    void summaryPrompt();
    void regenerates_data();
    void regenerates();
    void writesCp932Bytes();
    void replacesAnExistingOutput();
    void roundTrip();
    void keepsUtf8WithItsMark();
    void countersHaveNoLimit();
    void stopsOnADataError_data();
    void stopsOnADataError();
    void stopsAtBytesThatDoNotDecode_data();
    void stopsAtBytesThatDoNotDecode();
    void writesNothingWhenAFileFails();
    void refusesToOverwriteItsInput();
    void stopsWhenTheOutputCannotBeWritten();

private:
    QString path(const QString& name) const { return m_dir->filePath(name); }
    void writeFile(const QString& name, const QByteArray& bytes) const;
    QByteArray readFile(const QString& name) const;
    RegenerationResult regenerate(const QByteArray& input);

    std::unique_ptr<QTemporaryDir> m_dir;
    RecordingReporter m_reporter;
};

void TestRegenerateCoefficients::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_reporter = RecordingReporter();
}

void TestRegenerateCoefficients::writeFile(const QString& name, const QByteArray& bytes) const {
    QFile file(path(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray TestRegenerateCoefficients::readFile(const QString& name) const {
    QFile file(path(name));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("(no file)");
    return file.readAll();
}

RegenerationResult TestRegenerateCoefficients::regenerate(const QByteArray& input) {
    writeFile(QStringLiteral("JISTEELW.CSV"), input);
    return RegenerateCoefficients(path(QStringLiteral("JISTEELW.CSV")), path(kRegeneratedFileName),
                                  m_reporter);
}

void TestRegenerateCoefficients::summaryPrompt() {
    QCOMPARE(SummaryPrompt(12, 345), QStringLiteral("グループ数= 12, 総部材数= 345"));
    QCOMPARE(SummaryPrompt(1, 3), QStringLiteral("グループ数= 1, 総部材数= 3"));
}

void TestRegenerateCoefficients::regenerates_data() {
    QTest::addColumn<QStringList>("input");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("groups");
    QTest::addColumn<int>("members");
    QTest::addColumn<int>("problems");

    QTest::newRow("worked examples, all five rules")
        << kWorkedExampleInput << kWorkedExampleOutput << 5 << 5 << 0;

    const QStringList tags = kLeadingLines.mid(0, 7);
    QTest::newRow("group without members, count line 0")
        << tags + QStringList{"0,W,P", "空,1,2", "/*", "G,1,3", "L-65x65x6,,5.91,0", "/*"}
        << tags + QStringList{"0,W,P",
                              "\"空\",1,2",
                              "/*",
                              "\"G\",1,3",
                              "\"L-65x65x6            \",\"\",      5.9100,       43.99",
                              "/*"}
        << 2 << 1 << 0;
    QTest::newRow("count 1.5 rounds to 2")
        << tags + QStringList{"1.5,W,P", "1,a,b", "2,c,d", "G,1,9", "/*"}
        << tags + QStringList{"1.5,W,P", "1,a,b", "2,c,d", "\"G\",1,9", "/*"} << 1 << 0 << 0;
    QTest::newRow("count 2.5 rounds to 2")
        << tags + QStringList{" 2.5 kinds,W,P", "1,a,b", "2,c,d", "G,1,9", "/*"}
        << tags + QStringList{" 2.5 kinds,W,P", "1,a,b", "2,c,d", "\"G\",1,9", "/*"} << 1 << 0 << 0;
    QTest::newRow("negative count") << tags + QStringList{"-1,W,P", "G,1,9", "/*"}
                                    << tags + QStringList{"-1,W,P", "\"G\",1,9", "/*"} << 1 << 0 << 0;

    QTest::newRow("other shape codes keep the coefficient, two decimals")
        << kLeadingLines + QStringList{"G,1,9",
                                       "H-100x100x6x8,,17.2,34.186",
                                       "ＰＬ（寸法なし）,備考,1,2.675",
                                       "/*",
                                       "Z,1,0",
                                       "X,,0,-0.125",
                                       "/*"}
        << kLeadingLines + QStringList{"\"G\",1,9",
                                       "\"H-100x100x6x8        \",\"\",     17.2000,       34.19",
                                       "\"ＰＬ（寸法なし）             \",\"備考\",      1.0000,        2.68",
                                       "/*",
                                       "\"Z\",1,0",
                                       "\"X                    \",\"\",      0.0000,       -0.13",
                                       "/*"}
        << 2 << 3 << 0;

    // Parsed whole, written cut: the "3" of D4 = 2.3 lies past the 21st character.
    QTest::newRow("designation over 21 characters")
        << kLeadingLines + QStringList{"G,1,1",
                                       "LIPPED-C-100x50x20x2.3,,4.06,0",
                                       "/*",
                                       "G2,2,5",
                                       "\"鋼板　一般構造用圧延鋼材ＳＳ４００　厚さ-9mm\",,70.65,0",
                                       "/*"}
        << kLeadingLines +
               QStringList{"\"G\",1,1",
                           "\"LIPPED-C-100x50x20x2.\",\"\",      4.0600,      114.83",
                           "/*",
                           "\"G2\",2,5",
                           "\"鋼板　一般構造用圧延鋼材ＳＳ４００　厚さ-\",\"\",     70.6500,       28.31",
                           "/*"}
        << 2 << 2 << 0;

    QTest::newRow("empty and blank-filled pieces")
        << kLeadingLines +
               QStringList{"G,1,2", "H-100xx6,,10,0", "H-100x   x6,,10,0", "H-100 x 100 x 6   ,,17.2,0", "/*"}
        << kLeadingLines + QStringList{"\"G\",1,2",
                                       "\"H-100xx6             \",\"\",     10.0000,       18.80",
                                       "\"H-100x   x6          \",\"\",     10.0000,       18.80",
                                       "\"H-100 x 100 x 6      \",\"\",     17.2000,       34.19", "/*"}
        << 1 << 3 << 0;

    QTest::newRow("rounding ties and wide numbers")
        << kLeadingLines + QStringList{"G,1,9", "A,,1.00005,1.005", "B,,123456789.5,99999999999.995", "/*"}
        << kLeadingLines + QStringList{"\"G\",1,9",
                                       "\"A                    \",\"\",      1.0001,        1.01",
                                       "\"B                    \",\"\",123456789.5000,100000000000.00", "/*"}
        << 1 << 2 << 0;

    QTest::newRow("quoted fields, blanks and a blank line")
        << kLeadingLines + QStringList{" \"Ｈ形鋼, 広幅\" , 1 , 2 ",
                                       " \"H-100x100x6x8 \" , \"SS400, 溶接\" , 17.2 , 1",
                                       "\"/*\"",
                                       "",
                                       "G,1,9",
                                       " /*"}
        << kLeadingLines + QStringList{"\"Ｈ形鋼, 広幅\",1,2",
                                       "\"H-100x100x6x8        \",\"SS400, 溶接\",     17.2000,       34.19",
                                       "/*", "\"G\",1,9", "/*"}
        << 2 << 1 << 1;

    QTest::newRow("field without a number reads 0")
        << kLeadingLines + QStringList{"G,abc,9", "X,,heavy,light", "/*"}
        << kLeadingLines +
               QStringList{"\"G\",0,9", "\"X                    \",\"\",      0.0000,        0.00", "/*"}
        << 1 << 1 << 3;
}

void TestRegenerateCoefficients::regenerates() {
    QFETCH(QStringList, input);
    QFETCH(QStringList, expected);
    QFETCH(int, groups);
    QFETCH(int, members);
    QFETCH(int, problems);
    const RegenerationResult result = regenerate(cp932Lines(input));
    QCOMPARE(result.status, Status::Done);
    QCOMPARE(result.groups, groups);
    QCOMPARE(result.members, members);
    QCOMPARE(m_reporter.stops.size(), 0);
    QCOMPARE(m_reporter.summaries, QStringList{summaryOf(groups, members)});
    QCOMPARE(m_reporter.problems.size(), problems);
    QCOMPARE(readFile(kRegeneratedFileName), cp932Lines(expected));
}

void TestRegenerateCoefficients::writesCp932Bytes() {
    // An LF-only file without a line end at its close still comes out in CR LF.
    QByteArray input = cp932Lines(kLeadingLines).replace("\r\n", "\n");
    input += "\x8d\x7c\x94\xc2,2,5\n"          // 鋼板
             "PL-9,\x94\xf5\x8d\x6c,70.65,0\n" // 備考
             "/*";
    QCOMPARE(regenerate(input).status, Status::Done);
    const QByteArray expected = cp932Lines(kLeadingLines) +
                                "\"\x8d\x7c\x94\xc2\",2,5\r\n"
                                "\"PL-9                 \",\"\x94\xf5\x8d\x6c\",     70.6500,       28.31\r\n"
                                "/*\r\n";
    QCOMPARE(readFile(kRegeneratedFileName), expected);
}

void TestRegenerateCoefficients::replacesAnExistingOutput() {
    writeFile(kRegeneratedFileName, QByteArray(100000, 'z'));
    QCOMPARE(regenerate(cp932Lines(kWorkedExampleInput)).status, Status::Done);
    QCOMPARE(readFile(kRegeneratedFileName), cp932Lines(kWorkedExampleOutput));
}

void TestRegenerateCoefficients::roundTrip() {
    const QStringList input =
        kWorkedExampleInput.mid(0, kWorkedExampleInput.size() - 1) +
        QStringList{"H-100 x 100 x 6,,9.9999,0", "/*", "その他,1,7", "ＣＴ形鋼,,3.1,2.675", "/*"};
    QCOMPARE(regenerate(cp932Lines(input)).status, Status::Done);
    const QByteArray first = readFile(kRegeneratedFileName);
    QVERIFY(QFile::rename(path(kRegeneratedFileName), path(QStringLiteral("first.new"))));
    QCOMPARE(RegenerateCoefficients(path(QStringLiteral("first.new")), path(kRegeneratedFileName), m_reporter)
                 .status,
             Status::Done);
    QCOMPARE(readFile(kRegeneratedFileName), first);
    QCOMPARE(m_reporter.summaries, (QStringList{summaryOf(6, 7), summaryOf(6, 7)}));
}

void TestRegenerateCoefficients::keepsUtf8WithItsMark() {
    // Characters that code page 932 cannot hold survive because the output stays UTF-8.
    const QStringList lines = kLeadingLines + QStringList{"鋼板 🔩,2,5", "PL-9,ⅰ 丂 ß,70.65,0", "/*"};
    QCOMPARE(regenerate("\xEF\xBB\xBF" + lines.join(u"\r\n").toUtf8() + "\r\n").status, Status::Done);
    const QStringList expected =
        kLeadingLines +
        QStringList{"\"鋼板 🔩\",2,5", "\"PL-9                 \",\"ⅰ 丂 ß\",     70.6500,       28.31", "/*"};
    QCOMPARE(readFile(kRegeneratedFileName), "\xEF\xBB\xBF" + expected.join(u"\r\n").toUtf8() + "\r\n");
    QCOMPARE(m_reporter.problems, QStringList());
}

void TestRegenerateCoefficients::countersHaveNoLimit() {
    // More groups and more members than a 16-bit counter holds.
    QByteArray input = cp932Lines(kLeadingLines);
    for (int g = 0; g < 33000; ++g)
        input += "G,1,9\r\n/*\r\n";
    input += "M,1,5\r\n";
    for (int m = 0; m < 40000; ++m)
        input += "PL-1,,1,0\r\n";
    input += "/*\r\n";
    const RegenerationResult result = regenerate(input);
    QCOMPARE(result.status, Status::Done);
    QCOMPARE(m_reporter.summaries, QStringList{summaryOf(33001, 40000)});
    QCOMPARE(QFileInfo(path(kRegeneratedFileName)).size(),
             cp932Lines(kLeadingLines).size() + 33000 * 13 + 9 + 40000 * 54 + 4);
}

void TestRegenerateCoefficients::stopsOnADataError_data() {
    QTest::addColumn<QStringList>("input");
    QTest::addColumn<int>("linesKept"); // the first so many lines of `expected` are in the output
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("line");

    const QStringList head = kLeadingLines + QStringList{"G,1,2", "H-100x100x6x8,,17.2,0"};
    const QStringList headOut =
        kLeadingLines + QStringList{"\"G\",1,2", "\"H-100x100x6x8        \",\"\",     17.2000,       34.19"};
    QTest::newRow("missing size character")
        << head + QStringList{"/*", "P,2,5", "PL-1,,10,0", "ＰＬ－９,,1,0", "PL-2,,20,0", "/*"} << 15
        << headOut +
               QStringList{"/*", "\"P\",2,5", "\"PL-1                 \",\"\",     10.0000,      200.00"}
        << kMissingSizeMessage << 16;
    QTest::newRow("missing separator")
        << head + QStringList{"H-100X100X6,,1,0", "/*"} << 12 << headOut << kMissingSeparatorMessage << 13;
    QTest::newRow("weight 0")
        << head + QStringList{"/*", "L,1,3", "L-65x65x6,,0,43.99", "/*"} << 14
        << headOut + QStringList{"/*", "\"L\",1,3"}
        << QStringLiteral(
               " DATA ERROR: 部材 <L-65x65x6>（15 行目）の単位重量が 0 です。塗装面積係数を計算できません。")
        << 15;
    QTest::newRow("weight that is no number")
        << head + QStringList{"H-100x50x5,,abc,0", "/*"} << 12 << headOut
        << QStringLiteral(" DATA ERROR: 部材 <H-100x50x5>（13 行目）の単位重量が 0 です。"
                          "塗装面積係数を計算できません。")
        << 13;
    const QString huge = u'1' + QString(300, u'0');
    QTest::newRow("overflow")
        << head + QStringList{"/*", "P,1,4", "P-" + huge + ",,1e-300,0", "/*"} << 14
        << headOut + QStringList{"/*", "\"P\",1,4"}
        << QStringLiteral(" DATA ERROR: 部材 <P-%1>（15 行目）の塗装面積係数が有限の数になりません。"
                          "寸法と単位重量を確かめてください。")
               .arg(huge)
        << 15;
    const QString infinite = u'1' + QString(400, u'0');
    QTest::newRow("no defined result")
        << head + QStringList{"C-" + infinite + "x1x1x" + infinite + ",,1,0", "/*"} << 12 << headOut
        << QStringLiteral(" DATA ERROR: 部材 <C-%1x1x1x%1>（13 行目）の塗装面積係数が"
                          "有限の数になりません。寸法と単位重量を確かめてください。")
               .arg(infinite)
        << 13;

    QTest::newRow("ends in the tag lines")
        << kLeadingLines.mid(0, 5) << 5 << kLeadingLines
        << QStringLiteral("鋼材データファイル%1が 6 行目（見出し行）の前で終わっています。") << 6;
    QTest::newRow("empty file") << QStringList() << 0 << QStringList()
                                << QStringLiteral(
                                       "鋼材データファイル%1が 1 行目（見出し行）の前で終わっています。")
                                << 1;
    QTest::newRow("ends before the count line")
        << kLeadingLines.mid(0, 7) << 7 << kLeadingLines
        << QStringLiteral("鋼材データファイル%1が 8 行目（単位種別の数の行）の前で終わっています。") << 8;
    QTest::newRow("ends in the unit-kind lines")
        << kLeadingLines.mid(0, 7) + QStringList{"3,W,P", "1,a,b", "2,c,d"} << 10
        << kLeadingLines.mid(0, 7) + QStringList{"3,W,P", "1,a,b", "2,c,d"}
        << QStringLiteral("鋼材データファイル%1が 11 行目（単位種別の行）の前で終わっています。") << 11;
    QTest::newRow("ends inside a group")
        << kLeadingLines + QStringList{"G,1,9", "/*", "Ｈ形鋼,1,2", "H-100x100x6x8,,17.2,0"} << 14
        << kLeadingLines + QStringList{"\"G\",1,9", "/*", "\"Ｈ形鋼\",1,2",
                                       "\"H-100x100x6x8        \",\"\",     17.2000,       34.19"}
        << QStringLiteral(
               "鋼材データファイル%1のグループ「Ｈ形鋼」（13 行目から）が \"/*\" で閉じられないまま、"
               "14 行目でファイルが終わっています。")
        << 14;
    QTest::newRow("ends inside a member")
        << head + QStringList{"H-200x100x5.5x8,,"} << 12 << headOut
        << QStringLiteral("鋼材データファイル%1のグループ「G」（11 行目から）が \"/*\" で閉じられないまま、"
                          "13 行目でファイルが終わっています。")
        << 13;
    QTest::newRow("ends inside a group header")
        << kLeadingLines + QStringList{"G,1,9", "/*", "Ｈ形鋼,1"} << 12
        << kLeadingLines + QStringList{"\"G\",1,9", "/*"}
        << QStringLiteral(
               "鋼材データファイル%1のグループ「Ｈ形鋼」（13 行目から）が \"/*\" で閉じられないまま、"
               "13 行目でファイルが終わっています。")
        << 13;
}

void TestRegenerateCoefficients::stopsOnADataError() {
    QFETCH(QStringList, input);
    QFETCH(int, linesKept);
    QFETCH(QStringList, expected);
    QFETCH(QString, message);
    QFETCH(int, line);
    if (message.contains(u"%1"))
        message = message.arg(path(QStringLiteral("JISTEELW.CSV")));
    const RegenerationResult result = regenerate(cp932Lines(input));
    QCOMPARE(result.status, Status::DataError);
    QCOMPARE(m_reporter.stops.size(), 1);
    QCOMPARE(m_reporter.stops[0].status, Status::DataError);
    QCOMPARE(m_reporter.stops[0].message, message);
    QCOMPARE(m_reporter.stops[0].line, line);
    QCOMPARE(m_reporter.summaries, QStringList());
    QCOMPARE(readFile(kRegeneratedFileName), cp932Lines(expected.mid(0, linesKept)));
}

// The decoder reads such bytes as substitutes; written back, they would silently replace what
// the catalogue holds there: the run stops at their line, with everything before it written.
void TestRegenerateCoefficients::stopsAtBytesThatDoNotDecode_data() {
    QTest::addColumn<QByteArray>("badRemark");
    QTest::newRow("lead byte before a blank") << QByteArray("\x81\x20");
    QTest::newRow("bytes outside the code page") << QByteArray("\xFF\xA0");
    QTest::newRow("unassigned pair") << QByteArray("\xEF\xBB");
}

void TestRegenerateCoefficients::stopsAtBytesThatDoNotDecode() {
    QFETCH(QByteArray, badRemark);
    const QByteArray input =
        cp932Lines(kLeadingLines + QStringList{"G,1,9", "H-1,,1,2"}) + "H-2," + badRemark + ",3,4\r\n/*\r\n";
    const RegenerationResult result = regenerate(input);
    QCOMPARE(result.status, Status::DataError);
    QCOMPARE(result.line, 13);
    QVERIFY2(result.message.contains(u"の 13 行目にコードページ 932 として読めないバイトがあります。"),
             qPrintable(result.message));
    QCOMPARE(m_reporter.summaries, QStringList());
    QCOMPARE(
        readFile(kRegeneratedFileName),
        cp932Lines(kLeadingLines +
                   QStringList{"\"G\",1,9", "\"H-1                  \",\"\",      1.0000,        2.00"}));
}

void TestRegenerateCoefficients::writesNothingWhenAFileFails() {
    const QString output = path(kRegeneratedFileName);
    const QString missing = path(QStringLiteral("missing.csv"));
    QCOMPARE(RegenerateCoefficients(missing, output, m_reporter).status, Status::FileError);
    QVERIFY(!QFile::exists(output));

    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("folder.csv")));
    const QString folder = path(QStringLiteral("folder.csv"));
    QCOMPARE(RegenerateCoefficients(folder, output, m_reporter).status, Status::FileError);
    QVERIFY(!QFile::exists(output));

    writeFile(QStringLiteral("JISTEELW.CSV"), cp932Lines(kWorkedExampleInput));
    const QString unwritable = path(QStringLiteral("no such folder/JISTEELW.new"));
    QCOMPARE(RegenerateCoefficients(path(QStringLiteral("JISTEELW.CSV")), unwritable, m_reporter).status,
             Status::FileError);

    QCOMPARE(m_reporter.stops.size(), 3);
    QCOMPARE(m_reporter.stops[0].message,
             QStringLiteral("鋼材データファイル%1が見つかりません。").arg(missing));
    const QString unreadable = QStringLiteral("鋼材データファイル%1を読み込めません（").arg(folder);
    QVERIFY2(m_reporter.stops[1].message.startsWith(unreadable) &&
                 m_reporter.stops[1].message.size() > unreadable.size() + 2,
             qPrintable(m_reporter.stops[1].message));
    const QString uncreatable = QStringLiteral("塗装面積係数ファイル%1を作成できません（").arg(unwritable);
    QVERIFY2(m_reporter.stops[2].message.startsWith(uncreatable) &&
                 m_reporter.stops[2].message.size() > uncreatable.size() + 2,
             qPrintable(m_reporter.stops[2].message));
    for (const RegenerationResult& stop : std::as_const(m_reporter.stops))
        QCOMPARE(stop.status, Status::FileError);
    QCOMPARE(m_reporter.summaries, QStringList());
    QVERIFY(!QFile::exists(unwritable));
}

void TestRegenerateCoefficients::refusesToOverwriteItsInput() {
    const QByteArray input = cp932Lines(kWorkedExampleInput);
    writeFile(kRegeneratedFileName, input);
    const QString sameFile = m_dir->path() + QStringLiteral("/./") + kRegeneratedFileName;
    QCOMPARE(RegenerateCoefficients(path(kRegeneratedFileName), sameFile, m_reporter).status,
             Status::FileError);
    QCOMPARE(readFile(kRegeneratedFileName), input);
    QCOMPARE(m_reporter.stops.size(), 1);
    QVERIFY(m_reporter.stops[0].message.contains(sameFile));
}

void TestRegenerateCoefficients::stopsWhenTheOutputCannotBeWritten() {
    // A full disk: /dev/full opens but takes no byte.
    QByteArray input = cp932Lines(kLeadingLines) + "G,1,5\r\n";
    for (int m = 0; m < 5000; ++m)
        input += "PL-1,,1,0\r\n";
    writeFile(QStringLiteral("JISTEELW.CSV"), input + "/*\r\n");
    const QString full = QStringLiteral("/dev/full");
    QVERIFY(QFile::exists(full));
    const RegenerationResult result =
        RegenerateCoefficients(path(QStringLiteral("JISTEELW.CSV")), full, m_reporter);
    QCOMPARE(result.status, Status::FileError);
    QCOMPARE(m_reporter.stops.size(), 1);
    QVERIFY2(m_reporter.stops[0].message.startsWith(
                 QStringLiteral("塗装面積係数ファイル/dev/fullに書き込めません（")),
             qPrintable(m_reporter.stops[0].message));
    QCOMPARE(m_reporter.summaries, QStringList());
}

QTEST_GUILESS_MAIN(TestRegenerateCoefficients)
#include "tst_RegenerateCoefficients.moc"
