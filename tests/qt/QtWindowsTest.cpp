// What the Qt windows add to the logic, as a user sees it: the label after a click, the caption,
// the check marks, the editor's question and the About button. (The message box of a missing
// catalogue is checked with the whole program.)
#include "link/MemberTexts.h"
#include "link/NoSpreadsheet.h"
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

TEST(LookupWindow, showsTheClickedMembersValuesAndTheFileInTheCaption) {
    NoSpreadsheet sink;
    LookupWindow window(sink, {});
    ASSERT_EQ(window.logic().Form_Load(kCatalogue), LookupWindowLogic::StartOutcome::Shown);
    window.show();
    EXPECT_EQ(window.windowTitle(), u"ZELK_Win [ link-table.csv ]"_qs);
    auto* list = window.findChild<QListWidget*>(u"lstnum"_qs);
    auto* label = window.findChild<QLabel*>(u"lblW"_qs);
    ASSERT_TRUE(list && label && list->count() > 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    EXPECT_EQ(label->text(), qtText(valueLabelText(window.logic().catalogue(), 1, 2)));
}

TEST(LookupWindow, modeCommandsMoveTheCheckMarks) {
    NoSpreadsheet sink;
    LookupWindow window(sink, {});
    ASSERT_EQ(window.logic().Form_Load(kCatalogue), LookupWindowLogic::StartOutcome::Shown);
    const auto checks = [&window] {
        QString marks;
        for (const char* name : {"mnuexcel", "mnuT", "mnuW", "mnuP"})
            marks += window.findChild<QAction*>(QString::fromLatin1(name))->isChecked() ? u'x' : u'-';
        return marks;
    };
    EXPECT_EQ(checks(), u"xx--"_qs);
    window.findChild<QAction*>(u"mnuW"_qs)->trigger();
    EXPECT_EQ(checks(), u"x-x-"_qs);
    window.findChild<QAction*>(u"mnuP"_qs)->trigger();
    window.findChild<QAction*>(u"mnuexcel"_qs)->trigger();
    EXPECT_EQ(checks(), u"---x"_qs);
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

TEST(AboutWindow, iconButtonClosesIt) {
    AboutWindow about(nullptr);
    about.show();
    auto* button = about.findChild<QPushButton*>(u"Command1"_qs);
    ASSERT_TRUE(button);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
}

} // namespace
