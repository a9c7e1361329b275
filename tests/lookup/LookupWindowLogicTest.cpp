// The lookup window's behaviour as its user sees it: start-up, browsing, resizing, closing and
// the commands that leave the window, on the catalogue lookup.csv in a folder of its own.
#include "lookup/LookupWindowLogic.h"
#include "support/RecordingLookupView.h"
#include "support/SpreadsheetStandIn.h"

using Strings = std::vector<std::string>;

// A window, its logic and the spreadsheet beside it.
struct Window {
    Window() {
        view.onGroupChosen = [this] { logic.cmbmem_Click(); };
        view.onClose = [this] { logic.Form_QueryUnload(); };
    }
    RecordingLookupView view;
    SpreadsheetStandIn sheet;
    LookupWindowLogic logic{view, sheet};
};

// Runs in a new current folder that holds lookup.csv as the default catalogue "JISTEELW.CSV".
class LookupWindow : public testing::Test {
protected:
    void SetUp() override {
        fs::current_path(dir / ".");
        fs::copy_file(sourcePath("tests/lookup/lookup.csv"), "JISTEELW.CSV");
    }
    void TearDown() override { fs::current_path(previous); }
    static int exitCodeOf(const std::function<void()>& action) {
        try {
            action();
        } catch (const ProcessEnded& ended) {
            return ended.exitCode;
        }
        return -1;
    }
    const fs::path previous = fs::current_path();
    const ScratchDir dir;
    Window w;
};

TEST_F(LookupWindow, startUpShowsTheFirstGroupOnTopAndCloses) {
    EXPECT_FALSE(w.logic.TopMost());
    ASSERT_EQ(w.logic.Form_Load({}), LookupWindowLogic::StartOutcome::Shown);
    EXPECT_EQ(w.view.groups, (Strings{"H形鋼", "EMPTY", "鋼板", "VALUES", "KIND0", "KIND3"}));
    EXPECT_EQ(w.view.members, (Strings{"H-100x50x5x7", "H-100x100x6x8"}));
    EXPECT_EQ(w.view.chosenGroup + w.view.chosenMember, -1); // the first group, no member
    EXPECT_EQ(w.view.valueLabel + w.view.caption, "ZELK_Win [ JISTEELW.CSV ]");
    EXPECT_EQ(w.view.captions[MenuItem::mnuW] + w.view.captions[MenuItem::mnuP], "重量のみ(&W)面積のみ(&P)");
    EXPECT_TRUE(w.view.visible[MenuItem::mnuptarea]);
    EXPECT_TRUE(w.view.checked[MenuItem::mnuT] && !w.view.checked[MenuItem::mnuW] &&
                !w.view.checked[MenuItem::mnuP]);
    EXPECT_TRUE(w.logic.link.TransferEnabled && w.logic.TopMost() && w.view.onTop && w.view.messages.empty());
    w.view.closeWindow();
    EXPECT_FALSE(w.logic.TopMost() || w.view.onTop);
}

// The caption names the file; the coefficient command is there for a catalogue whose path ends
// in the default name, exactly.
TEST_F(LookupWindow, argumentNamesTheCatalogue) {
    fs::create_directory("sub");
    for (const auto& [argument, caption, coefficients] :
         {std::tuple{"OLDJISTEELW.CSV", "ZELK_Win [ OLDJISTEELW.CSV ]", true},
          {"A.CSV", "ZELK_Win [ A.CSV ]", false},
          {"jisteelw.csv", "ZELK_Win [ jisteelw.csv ]", false},
          {"sub/JISTEELW.CSV", "ZELK_Win [ JISTEELW.CSV ]", true}}) {
        SCOPED_TRACE(argument);
        fs::copy_file("JISTEELW.CSV", argument);
        Window window;
        ASSERT_EQ(window.logic.Form_Load(argument), LookupWindowLogic::StartOutcome::Shown);
        EXPECT_EQ(window.view.caption, caption);
        EXPECT_EQ(window.view.visible[MenuItem::mnuptarea], coefficients);
        EXPECT_EQ(window.view.groups.size(), 6u);
    }
}

TEST_F(LookupWindow, catalogueThatCannotBeReadClosesTheWindow) {
    fs::create_directory("sub");
    for (const std::string argument : {"NOFILE.CSV", "sub"}) {
        Window window;
        EXPECT_EQ(window.logic.Form_Load(argument), LookupWindowLogic::StartOutcome::Closed);
        ASSERT_EQ(window.view.messages.size(), 1u);
        const std::string start = "鋼材データファイル" + argument +
                                  (argument == "sub" ? "を読み込めません（" : "が見つかりません。");
        EXPECT_EQ(window.view.messages[0].substr(0, start.size()), start);
        EXPECT_TRUE(window.view.closed && !window.view.onTop);
    }
}

TEST_F(LookupWindow, wrongTagEndsTheProcessAfterItsMessage) {
    std::string bytes = readBytes("JISTEELW.CSV");
    writeBytes("JISTEELW.CSV", bytes.replace(bytes.find("A>"), 2, "X>"));
    EXPECT_EQ(exitCodeOf([&] { w.logic.Form_Load({}); }), 2);
    EXPECT_EQ(w.view.messages, Strings{"error in Line(A>)"});
}

TEST_F(LookupWindow, repairedCatalogueShowsOneMessageThenStarts) {
    writeBytes("JISTEELW.CSV", readBytes("JISTEELW.CSV") + "\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
    EXPECT_EQ(w.logic.Form_Load({}), LookupWindowLogic::StartOutcome::Shown);
    std::string message = "鋼材データファイルJISTEELW.CSVに問題があります。読めたところまでを使います。\n";
    for (int line = 31; line <= 35; ++line)
        message += "\n" + std::to_string(line) + "行目: 空行があります。読み飛ばします。";
    EXPECT_EQ(w.view.messages, Strings{message + "\nほか 2 件"});
    EXPECT_EQ(w.view.groups.size(), 6u);
}

TEST_F(LookupWindow, catalogueWithoutGroupsLeavesBothListsEmpty) {
    fs::copy_file(sourcePath("tests/catalogue/cases/groups-none.csv"), "NONE.CSV");
    EXPECT_EQ(w.logic.Form_Load("NONE.CSV"), LookupWindowLogic::StartOutcome::Shown);
    EXPECT_TRUE(w.view.groups.empty() && w.view.members.empty());
}

// The label shows the member chosen last, whatever group is chosen after it.
TEST_F(LookupWindow, choosingShowsTheMembersAndTheValues) {
    w.logic.Form_Load({});
    w.logic.mnuexcel_Click(); // the link off: the label alone changes
    for (const auto& row : readTable("tests/lookup/value-labels.tsv")) {
        w.view.setGroupIndex(std::stoi(row[0]));
        w.view.chosenMember = std::stoi(row[1]);
        w.logic.lstnum_Click();
        EXPECT_EQ(w.view.valueLabel, row[2]);
    }
    w.view.setGroupIndex(1);
    EXPECT_EQ(w.view.members.size() + w.view.chosenMember + 1, 0u);
    w.view.setGroupIndex(2);
    EXPECT_EQ(w.view.members, Strings{"PL-6"});
    EXPECT_EQ(w.view.valueLabel, "1 2");
    EXPECT_TRUE(w.sheet.received.empty() && w.sheet.activatedTitle.empty());
}

TEST_F(LookupWindow, resizeFillsTheWindowBetweenBoxAndStrip) {
    for (const auto& [minimized, height, listHeight, width] :
         {std::tuple{false, 300, 236, 400}, {false, 50, 0, 400}, {true, 300, -1, -1}}) {
        Window window;
        window.view.minimized = minimized;
        window.view.height = height;
        window.logic.Form_Resize();
        EXPECT_EQ(std::tuple(window.view.listHeight, window.view.listWidth, window.view.boxWidth),
                  std::tuple(listHeight, width, width));
    }
}

// The editor: the window leaves the top while it is open; afterwards the catalogue is read
// again and the lists refilled, the link and the label as the user left them.
TEST_F(LookupWindow, dataEditReloadsTheCatalogue) {
    w.logic.Form_Load({});
    w.view.chosenMember = 1;
    w.logic.lstnum_Click();
    w.logic.mnuexcel_Click();
    w.logic.mnuW_Click();
    w.view.editor = [](const fs::path& path) {
        std::string bytes = readBytes(path);
        writeBytes("NEW.CSV", bytes.replace(bytes.find("重量"), 6, "重さ"));
        return fs::path("NEW.CSV");
    };
    w.logic.mnuedit_Click();
    EXPECT_EQ(w.view.onTopWhileModal, std::vector<bool>{false});
    EXPECT_TRUE(w.view.onTop && w.view.chosenGroup == 0 && w.view.members.size() == 2 && !w.view.closed);
    EXPECT_EQ(w.view.caption + w.view.captions[MenuItem::mnuW], "ZELK_Win [ NEW.CSV ]重さのみ(&W)");
    EXPECT_EQ(w.view.valueLabel, "17.2kg/m 34.19m2/t");
    EXPECT_TRUE(!w.logic.link.TransferEnabled && w.view.checked[MenuItem::mnuW] &&
                w.view.visible[MenuItem::mnuptarea]);
}

TEST_F(LookupWindow, dataEditOfACatalogueNowMissingClosesTheWindow) {
    w.logic.Form_Load({});
    w.view.editor = [](const fs::path& path) { return fs::remove(path), path; };
    w.logic.mnuedit_Click();
    EXPECT_EQ(w.view.messages, Strings{"鋼材データファイルJISTEELW.CSVが見つかりません。"});
    EXPECT_EQ(w.view.groups, Strings(100, "")); // what the failed load left, refilled before the close
    EXPECT_EQ(w.view.captions[MenuItem::mnuW], "重量のみ(&W)");
    EXPECT_TRUE(w.view.closed && !w.view.onTop);
}

TEST_F(LookupWindow, aboutAndHelpLeaveTheWindowOnTop) {
    w.logic.Form_Load({});
    w.logic.mnuver_Click();
    w.logic.mnuhelp_Click();
    EXPECT_EQ(w.view.onTopWhileModal, std::vector<bool>{false});
    EXPECT_TRUE(w.view.onTop && w.view.helpPagesOpened == 1);
}

TEST_F(LookupWindow, coefficientsAreWrittenBesideAndCounted) {
    const std::string cases = "tests/coefficients/cases/";
    fs::copy_file(sourcePath(cases + "worked-examples.csv"), "WORKED.CSV");
    w.logic.Form_Load("WORKED.CSV");
    w.logic.mnuptarea_Click();
    EXPECT_EQ(readBytes("JISTEELW.new"), readBytes(sourcePath(cases + "worked-examples.new")));
    EXPECT_EQ(w.view.messages, Strings{"塗装面積係数更新: グループ数= 5, 総部材数= 5"});
    EXPECT_TRUE(w.view.groups.size() == 5 && w.view.onTop);

    fs::copy_file(sourcePath(cases + "stop-missing-separator.csv"), "WORKED.CSV",
                  fs::copy_options::overwrite_existing);
    EXPECT_EQ(exitCodeOf([&] { w.logic.mnuptarea_Click(); }), 4);
    fs::remove("WORKED.CSV");
    EXPECT_EQ(exitCodeOf([&] { w.logic.mnuptarea_Click(); }), -1);
    EXPECT_EQ(w.view.messages, (Strings{"塗装面積係数更新: グループ数= 5, 総部材数= 5",
                                        " DATA ERROR: データ区切り <x> がありません。",
                                        "鋼材データファイルWORKED.CSVが見つかりません。"}));
}
