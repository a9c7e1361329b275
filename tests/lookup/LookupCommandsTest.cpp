#include "../support/CatalogueFiles.h"
#include "../support/LookupHarness.h"

#include "lookup/ZelkExitStatus.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The commands that leave the lookup window: text editor and reload, coefficient generator, help
// and About. Each runs on a logic that has started on the three-group catalogue.
class LookupCommandsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_previousDir;
    const QString kAbove = QStringLiteral("setAbove %1 1").arg(RecordingLookupView::kHandle);
    const QString kNotAbove = QStringLiteral("setAbove %1 0").arg(RecordingLookupView::kHandle);

    void start(Harness& h) {
        QVERIFY(writeCatalogueFile(QStringLiteral("JISTEELW.CSV"), threeGroupCatalogue()));
        QCOMPARE(h.logic.Form_Load(QString()), LookupWindowLogic::StartOutcome::Shown);
        h.takeLog();
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_previousDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir.path()));
    }
    void cleanupTestCase() { QDir::setCurrent(m_previousDir); }

    void dataEdit_reloadsAndRefreshesWithTheStayOnTopStateOffWhileOpen() {
        Harness h;
        start(h);
        // The user chose a member, switched the link off and chose weight-only mode before editing.
        h.view.chosenGroup = 0;
        h.view.chosenMember = 1;
        h.logic.lstnum_Click();
        h.logic.link.TransferEnabled = false;
        h.logic.link.TransferMode = 1;
        h.takeLog();
        bool aboveWhileOpen = true;
        h.view.onTextEditor = [&](const QString& path) {
            aboveWhileOpen = h.logic.TopMost();
            QStringList edited = threeGroupCatalogue();
            edited[7] = QStringLiteral("2,単位重量,塗装面積係数");
            edited[10] = QStringLiteral("新H形鋼,1,2");
            writeCatalogueFile(path, edited);
            return path;
        };
        h.logic.mnuedit_Click();
        QCOMPARE(aboveWhileOpen, false);
        const QStringList log = h.takeLog();
        QCOMPARE(log.first(), kNotAbove);
        QCOMPARE(log.at(1), QStringLiteral("showTextEditor JISTEELW.CSV"));
        QCOMPARE(log.last(), kAbove);
        QVERIFY(log.contains(QStringLiteral("setMenuCaption mnuW 単位重量のみ(&W)")));
        QVERIFY(log.contains(QStringLiteral("setGroupIndex 0")));
        // What start-up decides and the user set stays as it was.
        for (const QString& call : log) {
            QVERIFY2(!call.startsWith(QStringLiteral("setMenuVisible")), qPrintable(call));
            QVERIFY2(!call.startsWith(QStringLiteral("setMenuChecked")), qPrintable(call));
            QVERIFY2(!call.startsWith(QStringLiteral("setValueLabel")), qPrintable(call));
        }
        QCOMPARE(h.view.groups.first(), QStringLiteral("新H形鋼"));
        QCOMPARE(h.view.valueLabel, QStringLiteral("17.2kg/m 34.19m2/t"));
        QCOMPARE(h.view.caption, QStringLiteral("ZELK_Win [ JISTEELW.CSV ]"));
        QCOMPARE(h.logic.link.TransferEnabled, false);
        QCOMPARE(h.logic.link.TransferMode, qint16(1));
        QCOMPARE(h.logic.TopMost(), true);
    }

    void dataEdit_savedUnderANewNameLoadsThatFile() {
        Harness h;
        start(h);
        const QString other = m_dir.filePath(QStringLiteral("sub/other.csv"));
        h.view.onTextEditor = [&](const QString&) {
            QStringList copy = threeGroupCatalogue();
            copy[10] = QStringLiteral("別,1,2");
            writeCatalogueFile(other, copy);
            return other;
        };
        h.logic.mnuedit_Click();
        QCOMPARE(h.logic.DataFileName, other);
        QCOMPARE(h.view.caption, QStringLiteral("ZELK_Win [ other.csv ]"));
        QCOMPARE(h.view.groups.first(), QStringLiteral("別"));
        QCOMPARE(h.view.menuVisible.at(LookupMenuItem::mnuptarea), true); // as start-up left it
        QCOMPARE(h.logic.TopMost(), true);
    }

    void dataEdit_fileNowMissingRefreshesThenCloses() {
        Harness h;
        start(h);
        h.view.onTextEditor = [](const QString& path) {
            QFile::remove(path);
            return path;
        };
        h.logic.mnuedit_Click();
        const QStringList log = h.takeLog();
        QCOMPARE(log.first(), kNotAbove);
        QVERIFY(h.view.messages.last().endsWith(QStringLiteral("JISTEELW.CSVが見つかりません。")));
        // The refresh runs on what the failed load left: a hundred groups without names.
        QCOMPARE(h.view.groups.size(), 100);
        QCOMPARE(h.view.groups.first(), QString());
        QVERIFY(h.view.closed);
        QCOMPARE(log.count(kAbove), 0);
        QCOMPARE(h.logic.TopMost(), false);
    }

    void dataEdit_wrongTagEndsTheProcess() {
        Harness h;
        start(h);
        h.view.onTextEditor = [](const QString& path) {
            QStringList broken = threeGroupCatalogue();
            broken[2] = QStringLiteral("X>");
            writeCatalogueFile(path, broken);
            return path;
        };
        try {
            h.logic.mnuedit_Click();
            QFAIL("the process went on after a wrong tag");
        } catch (const ProcessEnded& ended) {
            QCOMPARE(ended.exitCode, int(ZelkExitCatalogueFault));
        }
        QCOMPARE(h.view.messages.last(), QStringLiteral("error in Line(A>)"));
    }

    void about_stayOnTopOffExactlyWhileOpen() {
        Harness h;
        start(h);
        h.logic.mnuver_Click();
        QCOMPARE(h.takeLog(), (QStringList{kNotAbove, QStringLiteral("showAboutWindow"), kAbove}));
    }

    void help_opensThePageAndLeavesTheStateAlone() {
        Harness h;
        start(h);
        h.logic.mnuhelp_Click();
        QCOMPARE(h.takeLog(), QStringList{QStringLiteral("openHelpPage")});
        QCOMPARE(h.logic.TopMost(), true);
    }

    void coefficients_writeTheNewFileAndReportTheCounts() {
        Harness h;
        start(h);
        QFile::remove(QStringLiteral("JISTEELW.new"));
        h.logic.mnuptarea_Click();
        // One summary box and nothing else: the window keeps its lists, label and state.
        QCOMPARE(h.takeLog(), QStringList{QStringLiteral("showCaptionedMessage 塗装面積係数更新")});
        QCOMPARE(h.view.messages.last(), QStringLiteral("グループ数= 3, 総部材数= 3"));
        QVERIFY(QFile::exists(QStringLiteral("JISTEELW.new")));
        QCOMPARE(h.logic.TopMost(), true);
    }

    void coefficients_dataErrorEndsTheProgramAfterItsMessage() {
        Harness h;
        start(h);
        QStringList bad = threeGroupCatalogue();
        bad[11] = QStringLiteral("H-XX,,9.3,41.94"); // no size figure in the designation
        QVERIFY(writeCatalogueFile(QStringLiteral("JISTEELW.CSV"), bad));
        try {
            h.logic.mnuptarea_Click();
            QFAIL("the program went on after a data error");
        } catch (const ProcessEnded& ended) {
            QCOMPARE(ended.exitCode, int(ZelkExitGeneratorFault));
        }
        QCOMPARE(h.takeLog(), (QStringList{QStringLiteral("showMessage"), QStringLiteral("endProcess 4")}));
        QCOMPARE(h.view.messages.last(), QStringLiteral(" DATA ERROR: サイズを示す数字が不足です。"));
    }

    void coefficients_missingInputIsReportedAndTheWindowGoesOn() {
        Harness h;
        start(h);
        QVERIFY(QFile::remove(QStringLiteral("JISTEELW.CSV")));
        h.logic.mnuptarea_Click();
        QCOMPARE(h.takeLog(), QStringList{QStringLiteral("showMessage")});
        QVERIFY(h.view.messages.last().contains(QStringLiteral("JISTEELW.CSV")));
    }
};

QTEST_GUILESS_MAIN(LookupCommandsTest)
#include "LookupCommandsTest.moc"
