#include <QProcess>
#include <QTest>

// `zelk-tool keys TEXT`, run as the user runs it.
class KeysCommandTest : public QObject {
    Q_OBJECT

private slots:
    void printsKeystrokes_data();
    void printsKeystrokes();
};

void KeysCommandTest::printsKeystrokes_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("errMentions");

    QTest::newRow("paste") << QStringList{"^v"} << 0 << "Ctrl+\"v\"\n"
                           << "";
    QTest::newRow("repeat and enter") << QStringList{"{LEFT 2}~"} << 0 << "LEFT\nLEFT\nENTER\n"
                                      << "";
    QTest::newRow("group") << QStringList{"+(ec)"} << 0 << "Shift+\"e\"\nShift+\"c\"\n"
                           << "";
    QTest::newRow("all modifiers, alias") << QStringList{"%^+{bs}"} << 0 << "Shift+Ctrl+Alt+BACKSPACE\n"
                                          << "";
    QTest::newRow("empty text") << QStringList{""} << 0 << ""
                                << "";
    QTest::newRow("text after the options' end") << QStringList{"--", "-"} << 0 << "\"-\"\n"
                                                 << "";
    QTest::newRow("malformed") << QStringList{"{LEFT"} << 1 << ""
                               << "「{」が閉じていません";
    QTest::newRow("unknown key") << QStringList{"{NOPE}"} << 1 << ""
                                 << "{NOPE}";
    QTest::newRow("no text") << QStringList{} << 64 << ""
                             << "TEXT";
    QTest::newRow("two texts") << QStringList{"a", "b"} << 64 << ""
                               << "TEXT";
}

void KeysCommandTest::printsKeystrokes() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, errMentions);
    QProcess tool;
    tool.start(QStringLiteral(ZELK_BINARY_DIR "/bin/zelk-tool"),
               QStringList{QStringLiteral("keys")} + arguments);
    QVERIFY(tool.waitForFinished());
    QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
    QCOMPARE(tool.exitCode(), exitCode);
    QCOMPARE(QString::fromUtf8(tool.readAllStandardOutput()), out);
    const QString err = QString::fromUtf8(tool.readAllStandardError());
    QVERIFY2(errMentions.isEmpty() ? err.isEmpty() : err.contains(errMentions), qPrintable(err));
}

QTEST_GUILESS_MAIN(KeysCommandTest)
#include "KeysCommandTest.moc"
