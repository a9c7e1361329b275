#include "../support/CatalogueFiles.h"
#include "../support/LookupHarness.h"

#include "catalogue/LoadCatalogue.h"
#include "lookup/LookupWindowLogic.h"
#include "lookup/ZelkExitStatus.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

class LookupWindowLogicTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_previousDir;

    QString pathIn(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_previousDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir.path()));
        QVERIFY(writeCatalogueFile(pathIn(QStringLiteral("JISTEELW.CSV")), threeGroupCatalogue()));
    }
    void cleanupTestCase() { QDir::setCurrent(m_previousDir); }

    void startUpRunsEveryStepInOrder() {
        Harness h;
        QCOMPARE(h.logic.TopMost(), false);
        QCOMPARE(h.logic.Form_Load(QString()), LookupWindowLogic::StartOutcome::Shown);
        const QStringList expected = {
            QStringLiteral("setMenuVisible mnuptarea 1"),
            QStringLiteral("setMenuCaption mnuW 重量のみ(&W)"),
            QStringLiteral("setMenuCaption mnuP 面積のみ(&P)"),
            QStringLiteral("setMenuChecked mnuW 0"),
            QStringLiteral("setMenuChecked mnuP 0"),
            QStringLiteral("setMenuChecked mnuT 1"),
            QStringLiteral("clearGroups"),
            QStringLiteral("addGroup H形鋼"),
            QStringLiteral("addGroup EMPTY"),
            QStringLiteral("addGroup 鋼板"),
            QStringLiteral("setGroupIndex 0"),
            QStringLiteral("clearMembers"),
            QStringLiteral("addMember H-100x50x5x7"),
            QStringLiteral("addMember H-100x100x6x8"),
            QStringLiteral("setCaption ZELK_Win [ JISTEELW.CSV ]"),
            QStringLiteral("setAbove %1 1").arg(RecordingLookupView::kHandle),
        };
        QCOMPARE(h.takeLog(), expected);
        QCOMPARE(h.logic.DataFileName, QStringLiteral("JISTEELW.CSV"));
        QCOMPARE(h.logic.link.TransferEnabled, true);
        QCOMPARE(h.logic.link.TransferMode, qint16(0));
        QCOMPARE(h.logic.TopMost(), true);
        QCOMPARE(h.view.chosenMember, -1);
        QCOMPARE(h.view.valueLabel, QString());
    }

    void captionAndCoefficientCommand_data() {
        QTest::addColumn<QString>("fileName"); // where the catalogue is written, in the current folder
        QTest::addColumn<bool>("absolute");    // whether the argument is the file's full path
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("coefficientCommand");

        QTest::newRow("full path") << "data/JISTEELW.CSV" << true << "ZELK_Win [ JISTEELW.CSV ]" << true;
        QTest::newRow("backslash path")
            << "D:\\data\\JISTEELW.CSV" << false << "ZELK_Win [ JISTEELW.CSV ]" << true;
        QTest::newRow("lower-case name")
            << "data/jisteelw.csv" << true << "ZELK_Win [ jisteelw.csv ]" << false;
        QTest::newRow("longer name, same end")
            << "OLDJISTEELW.CSV" << false << "ZELK_Win [ OLDJISTEELW.CSV ]" << true;
        QTest::newRow("shorter than 12") << "A.CSV" << false << "ZELK_Win [ A.CSV ]" << false;
        QTest::newRow("blanks kept") << " A.CSV " << false << "ZELK_Win [  A.CSV  ]" << false;
    }
    void captionAndCoefficientCommand() {
        QFETCH(QString, fileName);
        QFETCH(bool, absolute);
        QFETCH(QString, caption);
        QFETCH(bool, coefficientCommand);
        QVERIFY(writeCatalogueFile(pathIn(fileName), threeGroupCatalogue()));
        const QString argument = absolute ? pathIn(fileName) : fileName;

        Harness h;
        QCOMPARE(h.logic.Form_Load(argument), LookupWindowLogic::StartOutcome::Shown);
        QCOMPARE(h.view.caption, caption);
        QCOMPARE(h.view.menuVisible.at(LookupMenuItem::mnuptarea), coefficientCommand);
        QCOMPARE(h.logic.DataFileName, argument);
        QCOMPARE(h.view.groups.size(), 3);
    }

    void captionOfPathEndingInSeparator() {
        Harness h;
        QCOMPARE(h.logic.Form_Load(QString()), LookupWindowLogic::StartOutcome::Shown);
        // As after the editor saved under another name: the refresh shows the new file's name.
        h.logic.DataFileName = QStringLiteral("D:\\data\\");
        h.logic.RefreshLookupWindow();
        QCOMPARE(h.view.caption, QStringLiteral("ZELK_Win [  ]"));
    }

    void missingOrUnreadableFileClosesTheWindow_data() {
        QTest::addColumn<QString>("argument");
        QTest::newRow("missing") << "no such file.csv";
        QTest::newRow("a folder") << "data/";
    }
    void missingOrUnreadableFileClosesTheWindow() {
        QFETCH(QString, argument);
        QVERIFY(QDir().mkpath(pathIn(QStringLiteral("data"))));
        Catalogue scratch;
        const QString expectedMessage = LoadCatalogue(scratch, argument).message;
        QVERIFY(!expectedMessage.isEmpty());

        Harness h;
        QCOMPARE(h.logic.Form_Load(argument), LookupWindowLogic::StartOutcome::Closed);
        const QStringList expected = {
            QStringLiteral("showMessage"),
            QStringLiteral("closeWindow"),
            QStringLiteral("setAbove %1 0").arg(RecordingLookupView::kHandle),
        };
        QCOMPARE(h.takeLog(), expected);
        QCOMPARE(h.view.messages, QStringList{expectedMessage});
        QVERIFY(h.view.closed);
        QCOMPARE(h.logic.TopMost(), false);
    }

    void wrongTagEndsTheProcessAfterItsMessage() {
        QStringList lines = threeGroupCatalogue();
        lines[2] = QStringLiteral("X>{right}");
        QVERIFY(writeCatalogueFile(pathIn(QStringLiteral("badtag.csv")), lines));
        Harness h;
        try {
            h.logic.Form_Load(QStringLiteral("badtag.csv"));
            QFAIL("the process went on after a wrong tag");
        } catch (const ProcessEnded& ended) {
            QCOMPARE(ended.exitCode, int(ZelkExitCatalogueFault));
        }
        QCOMPARE(h.takeLog(), (QStringList{QStringLiteral("showMessage"), QStringLiteral("endProcess 2")}));
        Catalogue scratch;
        QCOMPARE(h.view.messages, QStringList{LoadCatalogue(scratch, QStringLiteral("badtag.csv")).message});
    }

    void repairedFileShowsOneMessageThenStarts() {
        QStringList lines = threeGroupCatalogue();
        lines.removeLast(); // the last group is not closed by "/*"
        QVERIFY(writeCatalogueFile(pathIn(QStringLiteral("unclosed.csv")), lines));
        Harness h;
        QCOMPARE(h.logic.Form_Load(QStringLiteral("unclosed.csv")), LookupWindowLogic::StartOutcome::Shown);
        QCOMPARE(h.view.messages.size(), 1);
        QCOMPARE(h.log.indexOf(QStringLiteral("showMessage")), 0);
        QCOMPARE(h.view.groups.size(), 3);
        QCOMPARE(h.logic.TopMost(), true);
    }

    void catalogueWithoutGroupsLeavesBothListsEmpty() {
        QVERIFY(writeCatalogueFile(pathIn(QStringLiteral("nogroups.csv")), catalogueHeader()));
        Harness h;
        QCOMPARE(h.logic.Form_Load(QString()), LookupWindowLogic::StartOutcome::Shown);
        QCOMPARE(h.view.members.size(), 2);

        // A reload that finds no groups must not leave the earlier members behind.
        h.logic.DataFileName = QStringLiteral("nogroups.csv");
        QVERIFY(h.logic.ReloadCatalogue());
        h.takeLog();
        h.logic.RefreshLookupWindow();
        QVERIFY(!h.log.contains(QStringLiteral("setGroupIndex 0")));
        QVERIFY(h.view.groups.isEmpty());
        QVERIFY(h.view.members.isEmpty());
        QCOMPARE(h.view.caption, QStringLiteral("ZELK_Win [ nogroups.csv ]"));

        // Nothing chosen: the handlers find no group and do nothing.
        h.takeLog();
        h.logic.cmbmem_Click();
        h.logic.lstnum_Click();
        QCOMPARE(h.takeLog(), QStringList{QStringLiteral("clearMembers")});
    }

    void choosingAGroupListsItsMembers_data() {
        QTest::addColumn<int>("group");
        QTest::addColumn<QStringList>("members");
        QTest::newRow("first") << 0 << QStringList{"H-100x50x5x7", "H-100x100x6x8"};
        QTest::newRow("no members") << 1 << QStringList{};
        QTest::newRow("last") << 2 << QStringList{"PL-6"};
    }
    void choosingAGroupListsItsMembers() {
        QFETCH(int, group);
        QFETCH(QStringList, members);
        Harness h;
        QCOMPARE(h.logic.Form_Load(QString()), LookupWindowLogic::StartOutcome::Shown);
        h.view.chosenMember = 1;
        h.logic.lstnum_Click();
        const QString label = h.view.valueLabel;

        h.view.chosenGroup = group;
        h.logic.cmbmem_Click();
        QCOMPARE(h.view.members, members);
        QCOMPARE(h.view.chosenMember, -1);
        QCOMPARE(h.view.valueLabel, label);
    }

    void valueLabel_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("weight");
        QTest::addColumn<QString>("coefficient");
        QTest::addColumn<QString>("label");

        QTest::newRow("both positive") << "1"
                                       << "12.3"
                                       << "1.25"
                                       << "12.3kg/m 1.25m2/t";
        QTest::newRow("second kind") << "2"
                                     << "47.1"
                                     << "42.46"
                                     << "47.1kg/m2 42.46m2/m2";
        QTest::newRow("zero weight") << "1"
                                     << "0"
                                     << "0.574"
                                     << "0kg/m .574m2/t";
        QTest::newRow("zero coefficient") << "1"
                                          << "9.3"
                                          << "0"
                                          << "9.3kg/m 0m2/t";
        QTest::newRow("negative coefficient") << "1"
                                              << "12.3"
                                              << "-1.5"
                                              << "12.3kg/m-1.5m2/t";
        QTest::newRow("negative weight") << "1"
                                         << "-0.5"
                                         << "1"
                                         << "-.5kg/m 1m2/t";
        QTest::newRow("kind 0") << "0"
                                << "12.3"
                                << "1.25"
                                << "12.3 1.25";
        QTest::newRow("kind without a line") << "50"
                                             << "12.3"
                                             << "1.25"
                                             << "12.3 1.25";
        QTest::newRow("kind below 0") << "-1"
                                      << "12.3"
                                      << "1.25"
                                      << "12.3 1.25";
        QTest::newRow("kind above 50") << "51"
                                       << "12.3"
                                       << "1.25"
                                       << "12.3 1.25";
        QTest::newRow("largest kind") << "32767"
                                      << "12.3"
                                      << "1.25"
                                      << "12.3 1.25";
    }
    void valueLabel() {
        QFETCH(QString, kind);
        QFETCH(QString, weight);
        QFETCH(QString, coefficient);
        QFETCH(QString, label);
        const QStringList lines = catalogueHeader() + QStringList{
                                                          QStringLiteral("G,%1,1").arg(kind),
                                                          QStringLiteral("FIRST,,1,1"),
                                                          QStringLiteral("M,,%1,%2").arg(weight, coefficient),
                                                          QStringLiteral("/*"),
                                                      };
        QVERIFY(writeCatalogueFile(pathIn(QStringLiteral("label.csv")), lines));
        Harness h;
        QCOMPARE(h.logic.Form_Load(QStringLiteral("label.csv")), LookupWindowLogic::StartOutcome::Shown);
        h.view.chosenMember = 1;
        h.logic.lstnum_Click();
        QCOMPARE(h.view.valueLabel, label);
    }

    void memberChoiceHandsOverToTheTransferWhenTheLinkIsOn_data() {
        QTest::addColumn<bool>("linkOn");
        QTest::newRow("link on") << true;
        QTest::newRow("link off") << false;
    }
    void memberChoiceHandsOverToTheTransferWhenTheLinkIsOn() {
        QFETCH(bool, linkOn);
        Harness h;
        QCOMPARE(h.logic.Form_Load(QString()), LookupWindowLogic::StartOutcome::Shown);
        h.logic.link.TransferEnabled = linkOn;
        h.view.chosenGroup = 2;
        h.logic.cmbmem_Click();
        h.view.chosenMember = 0;
        h.takeLog();
        h.logic.lstnum_Click();
        QCOMPARE(h.view.valueLabel, QStringLiteral("47.1kg/m2 42.46m2/m2"));
        // The label comes first; the transfer of member 1 of group 3 follows only with the link on.
        QCOMPARE(h.takeLog(), QStringList{QStringLiteral("setValueLabel 47.1kg/m2 42.46m2/m2")});
        if (linkOn) {
            QCOMPARE(h.transferSink.calls.value(0), QStringLiteral("AppActivate Microsoft Excel"));
            QCOMPARE(h.transferSink.calls.value(2), QStringLiteral("SetText PL-6\t\t 2\t 47.1\t 42.46"));
        } else {
            QCOMPARE(h.transferSink.calls, QStringList());
        }
    }

    void resize_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("minimized");
        QTest::addColumn<QStringList>("calls");

        QTest::newRow("design size") << 180 << 214 << false
                                     << QStringList{"setMemberListHeight 179", "setMemberListWidth 180",
                                                    "setGroupBoxWidth 180"};
        QTest::newRow("larger") << 400 << 500 << false
                                << QStringList{"setMemberListHeight 465", "setMemberListWidth 400",
                                               "setGroupBoxWidth 400"};
        QTest::newRow("just the strip and box")
            << 100 << 35 << false
            << QStringList{"setMemberListHeight 0", "setMemberListWidth 100", "setGroupBoxWidth 100"};
        QTest::newRow("too low") << 100 << 20 << false
                                 << QStringList{"setMemberListHeight 0", "setMemberListWidth 100",
                                                "setGroupBoxWidth 100"};
        QTest::newRow("minimized") << 160 << 0 << true << QStringList{};
    }
    void resize() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(bool, minimized);
        QFETCH(QStringList, calls);
        Harness h;
        h.view.width = width;
        h.view.height = height;
        h.view.minimized = minimized;
        h.logic.Form_Resize();
        QCOMPARE(h.takeLog(), calls);
    }

    void everyTopMostAssignmentAsksTheWindowSystem() {
        Harness h;
        h.logic.setTopMost(false);
        h.logic.setTopMost(true);
        h.logic.setTopMost(true);
        QCOMPARE(h.logic.TopMost(), true);
        h.logic.Form_QueryUnload();
        QCOMPARE(h.logic.TopMost(), false);
        const QString call = QStringLiteral("setAbove %1 %2").arg(RecordingLookupView::kHandle);
        QCOMPARE(h.takeLog(), (QStringList{call.arg(0), call.arg(1), call.arg(1), call.arg(0)}));
    }

    void tableModeCommandMovesTheMark() {
        Harness h;
        h.logic.link.TransferMode = 2;
        h.logic.mnuT_Click();
        QCOMPARE(h.takeLog(),
                 (QStringList{"setMenuChecked mnuW 0", "setMenuChecked mnuP 0", "setMenuChecked mnuT 1"}));
        QCOMPARE(h.logic.link.TransferMode, qint16(0));
    }
};

QTEST_GUILESS_MAIN(LookupWindowLogicTest)
#include "LookupWindowLogicTest.moc"
