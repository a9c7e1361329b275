#include "catalogue/TextLineReader.h"

#include <QFile>
#include <QProcess>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kTool = QStringLiteral(ZELK_BINARY_DIR "/bin/zelk-tool");

QByteArray cp932(const QString& text) {
    return QStringEncoder(kCp932Name).encode(text);
}

const QString kHeader =
    QStringLiteral("W>\r\nW=\r\nA>\r\nA=\r\n1>\r\n2>\r\n3>\r\n1,重量,係数\r\n1,kg/m,m2/t\r\n");
const QString kGood = kHeader + QStringLiteral("Ｈ形鋼,1,2\r\nH-100x100x6x8,,17.2,0\r\n/*\r\n");
const QString kGoodOut =
    kHeader +
    QStringLiteral("\"Ｈ形鋼\",1,2\r\n\"H-100x100x6x8        \",\"\",     17.2000,       34.19\r\n/*\r\n");

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

} // namespace

class TestRegenCommand : public QObject {
    Q_OBJECT
private slots:
    void init();
    void writesIntoTheCurrentDirectory();
    void writesToOut();
    void dataErrorKeepsThePartialOutput();
    void fileErrors_data();
    void fileErrors();
    void help();

private:
    Run run(const QStringList& arguments) const;
    void write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestRegenCommand::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

Run TestRegenCommand::run(const QStringList& arguments) const {
    QProcess process;
    process.setWorkingDirectory(m_dir->path());
    process.start(kTool, arguments);
    Run result;
    if (!process.waitForFinished(60000))
        return result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

void TestRegenCommand::write(const QString& name, const QByteArray& bytes) const {
    QFile file(m_dir->filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray TestRegenCommand::read(const QString& name) const {
    QFile file(m_dir->filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(no file)");
}

void TestRegenCommand::writesIntoTheCurrentDirectory() {
    write(QStringLiteral("in.csv"), cp932(kGood));
    const Run r = run({QStringLiteral("regen"), QStringLiteral("in.csv")});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, QStringLiteral("グループ数= 1, 総部材数= 1\n"));
    QCOMPARE(r.err, QString());
    QCOMPARE(read(QStringLiteral("JISTEELW.new")), cp932(kGoodOut));
}

void TestRegenCommand::writesToOut() {
    write(QStringLiteral("in.csv"), cp932(kGood));
    const Run r = run(
        {QStringLiteral("regen"), QStringLiteral("in.csv"), QStringLiteral("-o"), QStringLiteral("out.txt")});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(read(QStringLiteral("out.txt")), cp932(kGoodOut));
    QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("JISTEELW.new"))));
}

void TestRegenCommand::dataErrorKeepsThePartialOutput() {
    write(QStringLiteral("in.csv"), cp932(kGood + QStringLiteral("鋼板,1,5\r\nＰＬ－９,,70.65,0\r\n/*\r\n")));
    const Run r = run({QStringLiteral("regen"), QStringLiteral("in.csv")});
    QCOMPARE(r.exitCode, 2);
    QCOMPARE(r.out, QString());
    QVERIFY2(r.err.startsWith(QStringLiteral(" DATA ERROR: サイズを示す数字が不足です。\n")),
             qPrintable(r.err));
    QVERIFY2(r.err.contains(QStringLiteral("in.csv の 14 行目")), qPrintable(r.err));
    QCOMPARE(read(QStringLiteral("JISTEELW.new")), cp932(kGoodOut + QStringLiteral("\"鋼板\",1,5\r\n")));
}

void TestRegenCommand::fileErrors_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("missing input") << QStringList{"regen", "missing.csv"} << 3;
    QTest::newRow("output not creatable") << QStringList{"regen", "in.csv", "-o", "no/such/dir/x.new"} << 3;
    QTest::newRow("no file") << QStringList{"regen"} << 64;
    QTest::newRow("two files") << QStringList{"regen", "a", "b"} << 64;
}

void TestRegenCommand::fileErrors() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    write(QStringLiteral("in.csv"), cp932(kGood));
    const Run r = run(arguments);
    QCOMPARE(r.exitCode, exitCode);
    QCOMPARE(r.out, QString());
    QVERIFY(!r.err.isEmpty());
    if (exitCode == 3) // names the file
        QVERIFY2(r.err.contains(arguments.last()), qPrintable(r.err));
    QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("JISTEELW.new"))));
}

void TestRegenCommand::help() {
    const Run r = run({QStringLiteral("regen"), QStringLiteral("--help")});
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.out.contains(QStringLiteral("-o, --output <OUT>")), qPrintable(r.out));
    QVERIFY(run({QStringLiteral("--help")}).out.contains(QStringLiteral("regen FILE [-o OUT]")));
}

QTEST_GUILESS_MAIN(TestRegenCommand)
#include "tst_RegenCommand.moc"
