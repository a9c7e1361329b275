#include "platform/HelpPage.h"
#include "platform/RecordingShellOpener.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

class TestHelpPage : public QObject {
    Q_OBJECT

private slots:
    void pathBelowProgramFolder_data();
    void pathBelowProgramFolder();
    void installedPageInShareFolder_data();
    void installedPageInShareFolder();
    void opensPageBesideProgram();
    void pageCoversEveryToolCommand();
};

void TestHelpPage::pathBelowProgramFolder_data() {
    QTest::addColumn<QString>("programFolder");
    QTest::addColumn<QString>("path");
#ifdef Q_OS_WIN
    QTest::newRow("folder") << u"C:/tools"_qs << u"C:\\tools\\zelkhelp\\default.htm"_qs;
    QTest::newRow("drive root") << u"C:/"_qs << u"C:\\zelkhelp\\default.htm"_qs;
#else
    QTest::newRow("folder") << u"/opt/zelk"_qs << u"/opt/zelk/zelkhelp/default.htm"_qs;
    QTest::newRow("root") << u"/"_qs << u"/zelkhelp/default.htm"_qs;
    QTest::newRow("folder with a space")
        << u"/home/a b/ツール"_qs << u"/home/a b/ツール/zelkhelp/default.htm"_qs;
#endif
}

void TestHelpPage::pathBelowProgramFolder() {
    QFETCH(QString, programFolder);
    QFETCH(QString, path);
    QCOMPARE(helpPagePath(programFolder), path);
}

// A program in PREFIX/bin, as installed, with pages in some of the two places (paths below PREFIX).
void TestHelpPage::installedPageInShareFolder_data() {
    QTest::addColumn<QStringList>("pages");
    QTest::addColumn<QString>("path");
    QTest::newRow("installed") << QStringList{u"share/zelk/zelkhelp/default.htm"_qs}
                               << u"share/zelk/zelkhelp/default.htm"_qs;
    QTest::newRow("beside and installed")
        << QStringList{u"bin/zelkhelp/default.htm"_qs, u"share/zelk/zelkhelp/default.htm"_qs}
        << u"bin/zelkhelp/default.htm"_qs;
    QTest::newRow("neither") << QStringList{} << u"bin/zelkhelp/default.htm"_qs;
    QTest::newRow("share folder of another program")
        << QStringList{u"share/other/zelkhelp/default.htm"_qs} << u"bin/zelkhelp/default.htm"_qs;
}

void TestHelpPage::installedPageInShareFolder() {
    QFETCH(QStringList, pages);
    QFETCH(QString, path);
    QTemporaryDir prefix;
    QVERIFY(prefix.isValid());
    const QDir root(prefix.path());
    QVERIFY(root.mkpath(u"bin"_qs));
    for (const QString& page : pages) {
        QVERIFY(root.mkpath(QFileInfo(page).path()));
        QFile file(root.filePath(page));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QCOMPARE(helpPagePath(root.filePath(u"bin"_qs)), QDir::toNativeSeparators(root.filePath(path)));
}

void TestHelpPage::opensPageBesideProgram() {
    RecordingShellOpener opener;
    openHelpPage(opener, WId(42));
    QCOMPARE(opener.requests.size(), 1);
    const RecordingShellOpener::Request& request = opener.requests.first();
    // The build puts the page beside the programs, where the request looks for it.
    QCOMPARE(request.path,
             QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + u"/zelkhelp/default.htm"_qs));
    QVERIFY(QFile::exists(request.path));
    QCOMPARE(request.workingDirectory, QDir::toNativeSeparators(QDir::currentPath()));
    QCOMPARE(request.owner, WId(42));
}

void TestHelpPage::pageCoversEveryToolCommand() {
    QFile page(QStringLiteral(ZELK_SOURCE_DIR "/data/zelkhelp/default.htm"));
    QVERIFY(page.open(QIODevice::ReadOnly));
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString html = utf8.decode(page.readAll());
    QVERIFY(!utf8.hasError());
    QVERIFY(html.contains(u"<meta charset=\"utf-8\">"_qs));

    QProcess tool;
    tool.start(QStringLiteral(ZELK_BINARY_DIR "/bin/zelk-tool"), {QStringLiteral("--help")});
    QVERIFY(tool.waitForFinished());
    const QString usage = QString::fromUtf8(tool.readAllStandardOutput());
    const QRegularExpression commandLine(u"^  ([a-z]+) "_qs, QRegularExpression::MultilineOption);
    int commands = 0;
    for (const QRegularExpressionMatch& match : commandLine.globalMatch(usage)) {
        ++commands;
        QVERIFY2(html.contains(u"zelk-tool "_qs + match.captured(1)), qPrintable(match.captured(1)));
    }
    QVERIFY(commands >= 2);
}

QTEST_GUILESS_MAIN(TestHelpPage)
#include "test_HelpPage.moc"
