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
char* argv[] = {const_cast<char*>("qt_tests"), nullptr};
// On the offscreen platform, also while CTest lists the tests.
const bool offscreen = qputenv("QT_QPA_PLATFORM", "offscreen");
// Never destroyed: Qt's own globals are gone by the time static objects would be.
QApplication* const application = new QApplication(argc, argv);

const fs::path kCatalogue = sourcePath("tests/data/link-table.csv");

// The caption names the file and a click shows the member's values. The link's switch and the three
// modes are the items with a check mark; each mode command (mode-commands.tsv) moves the mark and
// chooses what a click on a member sends.
TEST(LookupWindow, showsTheChoiceAndSendsWhatTheCheckedModeSays) {
    RecordingTransferSink sheet;
    LookupWindow window(sheet, {});
    ASSERT_EQ(window.logic().Form_Load(kCatalogue), LookupWindowLogic::StartOutcome::Shown);
    window.show();
    EXPECT_EQ(window.windowTitle().toStdString(), "ZELK_Win [ link-table.csv ]");
    auto* list = window.findChild<QListWidget*>(u"lstnum"_qs);
    for (const auto& row : readTable("tests/qt/mode-commands.tsv")) {
        if (row[0] != "-")
            window.findChild<QAction*>(QString::fromStdString(row[0]))->trigger();
        std::string seen;
        for (const QAction* action : window.findChildren<QAction*>()) {
            if (action->isCheckable())
                seen += action->objectName().toStdString() + (action->isChecked() ? "* " : " ");
        }
        sheet.received.clear();
        list->clearSelection();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
        EXPECT_EQ(seen + "| " + (sheet.received.empty() ? "-" : sheet.received[0]), row[1]) << row[0];
    }
    EXPECT_EQ(window.findChild<QLabel*>(u"lblW"_qs)->text().toStdString(), "17.2kg/m 34.19m2/t");
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
