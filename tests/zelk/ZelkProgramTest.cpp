#include "lookup/ZelkExitStatus.h"

#include <QProcess>
#include <QTest>

// The zelk program as a user starts it, where no window can be shown.
class ZelkProgramTest : public QObject {
    Q_OBJECT

private slots:
    void withoutADisplayItSaysHowToRunIt() {
        QProcess zelk;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        zelk.setProcessEnvironment(environment);
        zelk.start(QStringLiteral(ZELK_BINARY_DIR "/bin/zelk"),
                   {QStringLiteral(ZELK_SOURCE_DIR "/data/JISTEELW.CSV")});
        QVERIFY(zelk.waitForFinished(20000));
        QCOMPARE(zelk.exitStatus(), QProcess::NormalExit);
        QCOMPARE(zelk.exitCode(), int(ZelkExitNoDisplay));
        const QString message = QString::fromLocal8Bit(zelk.readAllStandardError());
        QVERIFY2(message.contains(QStringLiteral("xvfb-run")), qPrintable(message));
        QVERIFY(zelk.readAllStandardOutput().isEmpty());
    }
};

QTEST_GUILESS_MAIN(ZelkProgramTest)
#include "ZelkProgramTest.moc"
