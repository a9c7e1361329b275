// What the Qt windows add to the logic, as a user sees it: the label after a click, the caption,
// the check marks, the editor's question and the About window. (The message box of a missing
// catalogue is checked with the whole program.)
#include "link/RecordingTransferSink.h"
#include "platform/qt/AboutWindow.h"
#include "platform/qt/LookupWindow.h"
#include "platform/qt/QtDesign.h"
#include "platform/qt/TextEditorWindow.h"
#include "support/TestFiles.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

int argc = 1;
char programName[] = "windows_qt_tests";
char* argv[] = {programName, nullptr};
// On the offscreen platform, also while CTest lists the tests.
const bool offscreen = qputenv("QT_QPA_PLATFORM", "offscreen");
// Never destroyed: Qt's own globals are gone by the time static objects would be.
QApplication* const application = new QApplication(argc, argv);

const fs::path kCatalogue = sourcePath("tests/data/link-table.csv");

// The caption names the file and a click shows the member's values. The link's switch and the three
// modes are the items with a check mark; each mode command moves the mark and chooses what a click
// on a member sends.
TEST(LookupWindow, showsTheChoiceAndSendsWhatTheCheckedModeSays) {
    RecordingTransferSink sheet;
    LookupWindow window(sheet, {});
    ASSERT_EQ(window.logic().Form_Load(kCatalogue), LookupWindowLogic::StartOutcome::Shown);
    window.show();
    auto* list = window.findChild<QListWidget*>(u"lstnum"_qs);
    const auto* label = window.findChild<QLabel*>(u"lblW"_qs);
    std::string seen = (window.windowTitle() + u" "_qs).toStdString();
    for (const char* command : {"", "mnuW", "mnuP", "mnuT", "mnuexcel", "mnuexcel"}) {
        if (*command)
            window.findChild<QAction*>(QString::fromLatin1(command))->trigger();
        for (const QAction* action : window.findChildren<QAction*>()) {
            if (action->isCheckable())
                seen += action->objectName().toStdString() + (action->isChecked() ? "* " : " ");
        }
        sheet.received.clear();
        list->clearSelection();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
        seen += "| " + (sheet.received.empty() ? "-" : sheet.received[0]) + "\n";
        seen += command[0] ? "" : label->text().toStdString() + "\n";
    }
    const std::string row = "paste H-100x100x6x8\tSS400\t 1\t 17.2\t 34.19\n";
    EXPECT_EQ(seen, "ZELK_Win [ link-table.csv ] mnuexcel* mnuT* mnuW mnuP | " + row +
                        "17.2kg/m 34.19m2/t\n" + "mnuexcel* mnuT mnuW* mnuP | paste  17.2\n" +
                        "mnuexcel* mnuT mnuW mnuP* | paste  34.19\n" + "mnuexcel* mnuT* mnuW mnuP | " + row +
                        "mnuexcel mnuT* mnuW mnuP | -\n" + "mnuexcel* mnuT* mnuW mnuP | " + row);
}

TEST(TextEditorWindow, typingMakesTheCloseAskAndOnlyTheButtonsAnswer) {
    const ScratchDir dir;
    writeBytes(dir / "cat.csv", "A,1\r\n");
    TextEditorWindow editor(dir / "cat.csv", nullptr);
    editor.show();
    QTest::keyClicks(editor.findChild<QPlainTextEdit*>(u"rtf1"_qs), u"x"_qs);
    bool stayedAfterEscape = false;
    // Answers the question once it shows.
    QTimer::singleShot(0, [&stayedAfterEscape] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QTest::keyClick(box, Qt::Key_Escape);
        stayedAfterEscape = box->isVisible();
        box->button(QMessageBox::No)->click();
    });
    editor.reject();
    EXPECT_TRUE(stayedAfterEscape);
    EXPECT_FALSE(editor.isVisible());
    EXPECT_EQ(readBytes(dir / "cat.csv"), "A,1\r\n");
}

// Each label sizes itself to show its whole text.
TEST(AboutWindow, showsEachLabelWholeAndTheIconButtonClosesIt) {
    AboutWindow about(nullptr);
    about.show();
    for (const QLabel* label : about.findChildren<QLabel*>())
        EXPECT_EQ(label->size(), label->sizeHint()) << label->text().toStdString();
    auto* button = about.findChild<QPushButton*>(u"Command1"_qs);
    ASSERT_TRUE(button);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
}

} // namespace
