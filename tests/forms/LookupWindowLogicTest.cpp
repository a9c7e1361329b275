// The lookup window's behaviour as its user sees it: start-up, browsing, the find, closing and
// the commands that leave the window, on the catalogue lookup.csv in a folder of its own. (The
// check marks and what each mode sends are the Qt window's test.)
#include "forms/LookupWindowLogic.h"
#include "forms/LookupView.h"
#include "forms/MemberFind.h"
#include "forms/WindowDesigns.h"
#include "link/RecordingTransferSink.h"
#include "support/TestFiles.h"

#include <functional>
#include <map>

using Strings = std::vector<std::string>;

// Thrown by endProcess: nothing after it runs.
struct ProcessEnded {};

// A lookup window without a display: it keeps what the user would see (lists, label, captions,
// messages, whether it is on top) and runs the handlers that a real window runs.
class RecordingLookupView : public LookupView {
public:
    std::vector<std::string> groups, members, messages;
    int chosenGroup = -1, chosenMember = -1;
    std::string valueLabel, caption;
    std::map<MenuItem, std::string> captions;
    std::map<MenuItem, bool> visible;
    bool onTop = false, closed = false;
    int helpPagesOpened = 0, exitCode = -1;
    // The client area's height, and the member list's as the window last set it.
    int windowHeight = 0, listHeight = -1;
    // The modal windows: what the editor does, and whether the window stayed on top meanwhile.
    std::function<fs::path(const fs::path&)> editor = [](const fs::path& path) { return path; };
    std::vector<bool> onTopWhileModal;
    // The logic's handlers that the window itself runs.
    std::function<void()> onGroupChosen, onMemberChosen, onClose;

    void clearGroups() override { groups.clear(), chosenGroup = -1; }
    void addGroup(const std::u16string& name) override { groups.push_back(u8(name)); }
    void setGroupIndex(int index) override { chosenGroup = index, onGroupChosen(); }
    int groupIndex() const override { return chosenGroup; }
    int groupBoxHeight() const override { return 20; }
    void setGroupBoxWidth(int) override {}
    void clearMembers() override { members.clear(), chosenMember = -1; }
    void addMember(const std::u16string& name) override { members.push_back(u8(name)); }
    void setMemberIndex(int index) override { chosenMember = index, onMemberChosen(); }
    int memberIndex() const override { return chosenMember; }
    void setMemberListHeight(int height) override { listHeight = height; }
    void setMemberListWidth(int) override {}
    int stripInnerHeight() const override { return 16; }
    void setValueLabel(const std::u16string& text) override { valueLabel = u8(text); }
    void setMenuCaption(MenuItem item, const std::u16string& text) override { captions[item] = u8(text); }
    void setMenuVisible(MenuItem item, bool on) override { visible[item] = on; }
    void setMenuChecked(MenuItem, bool) override {}
    void setCaption(const std::u16string& text) override { caption = u8(text); }
    int innerWidth() const override { return 0; }
    int innerHeight() const override { return windowHeight; }
    bool isMinimized() const override { return false; }
    void setStayOnTop(bool above) override { onTop = above; }
    void showMessage(const std::u16string& text) override { messages.push_back(u8(text)); }
    void showCaptionedMessage(std::u16string_view title, const std::u16string& text) override {
        messages.push_back(u8(title) + ": " + u8(text));
    }
    fs::path showTextEditor(const fs::path& path) override {
        return onTopWhileModal.push_back(onTop), editor(path);
    }
    void showAboutWindow() override { onTopWhileModal.push_back(onTop); }
    void openHelpPage() override { ++helpPagesOpened; }
    void closeWindow() override { closed = true, onClose(); }
    void endProcess(ZelkExitStatus status) override { exitCode = int(status), throw ProcessEnded(); }
};

// The find's field and result list without a display.
class RecordingFindView : public FindView {
public:
    bool open = false;
    std::string closedBy;
    std::vector<FindRow> rows;
    int current = -1;

    void showFind() override { open = true, rows.clear(), current = -1; }
    void hideFind(FindEnd end) override {
        open = false, closedBy = end == FindEnd::Picked ? "picked" : "cancelled";
    }
    void selectFindText() override {}
    void setFindResults(const std::vector<FindRow>& found) override { rows = found; }
    void setCurrentFindResult(int index) override { current = index; }
};

// A window, its logic, its find and the spreadsheet beside it.
struct Window {
    Window() {
        view.onGroupChosen = [this] { logic.cmbmem_Click(); };
        view.onMemberChosen = [this] { logic.lstnum_Click(); };
        view.onClose = [this] { logic.Form_QueryUnload(); };
    }
    void choose(int group, int member) {
        view.setGroupIndex(group);
        view.setMemberIndex(member);
    }
    RecordingLookupView view;
    RecordingTransferSink sheet;
    LookupWindowLogic logic{view, sheet};
    RecordingFindView findView;
    MemberFind find{findView, logic};
};

// Runs in a new current folder that holds lookup.csv as the default catalogue "JISTEELW.CSV".
class LookupWindow : public testing::Test {
protected:
    void SetUp() override {
        fs::current_path(dir / ".");
        fs::copy_file(sourcePath("tests/forms/lookup.csv"), "JISTEELW.CSV");
        fs::create_directory("sub");
    }
    void TearDown() override { fs::current_path(previous); }
    const fs::path previous = fs::current_path();
    const ScratchDir dir;
    Window w;
    RecordingLookupView& view = w.view;
};

TEST_F(LookupWindow, startUpShowsTheFirstGroupOnTop) {
    ASSERT_EQ(w.logic.Form_Load({}), LookupWindowLogic::StartOutcome::Shown);
    EXPECT_EQ(view.groups, (Strings{"H形鋼", "EMPTY", "鋼板", "VALUES", "KIND0", "KIND3", "KIND51"}));
    EXPECT_EQ(view.members, (Strings{"H-100x50x5x7", "H-100x100x6x8"}));
    EXPECT_EQ(view.chosenGroup + view.chosenMember, -1); // the first group, no member
    EXPECT_EQ(view.valueLabel + view.captions[MenuItem::mnuW] + view.captions[MenuItem::mnuP],
              "重量のみ(&W)面積のみ(&P)");
    EXPECT_TRUE(view.onTop && view.messages.empty());
    w.logic.mnuver_Click(); // the About window: not on top while it is open
    w.logic.mnuhelp_Click();
    EXPECT_EQ(view.onTopWhileModal, std::vector<bool>{false});
    EXPECT_TRUE(view.onTop && view.helpPagesOpened == 1);
    view.closeWindow();
    EXPECT_FALSE(view.onTop);
}

// The caption names the file; the coefficient command is there for a catalogue whose path ends
// in the default name, exactly. What the load has to say comes first.
TEST_F(LookupWindow, argumentNamesTheCatalogue) {
    for (const auto& row : readTable("tests/forms/start-arguments.tsv")) {
        if (!row[1].empty())
            fs::copy_file(sourcePath(row[1]), row[0], fs::copy_options::overwrite_existing);
        Window window;
        window.logic.Form_Load(row[0]);
        std::string seen =
            window.view.caption + (window.view.visible[MenuItem::mnuptarea] ? " and coefficients" : "");
        for (const std::string& message : window.view.messages)
            seen += " / " + message.substr(0, message.find("（"));
        EXPECT_EQ(seen + (window.view.closed ? " closed" : ""), row[2]);
    }
}

// The label shows the member chosen last, whatever group is chosen after it; a full group shows
// all its members.
TEST_F(LookupWindow, choosingShowsTheMembersAndTheValues) {
    w.logic.Form_Load({});
    w.logic.mnuexcel_Click(); // the link off: the label alone changes
    for (const auto& row : readTable("tests/forms/value-labels.tsv")) {
        w.choose(std::stoi(row[0]), std::stoi(row[1]));
        EXPECT_EQ(view.valueLabel, row[2]);
    }
    view.setGroupIndex(1);
    EXPECT_EQ(view.members.size() + view.chosenMember + 1, 0u);
    view.setGroupIndex(2);
    EXPECT_EQ(view.members, Strings{"PL-6"});
    EXPECT_EQ(view.valueLabel, "1 2");
    EXPECT_TRUE(w.sheet.received.empty() && w.sheet.activatedTitle.empty());
    w.logic.Form_Load(sourcePath("tests/catalogue/cases/members-201.csv"));
    EXPECT_EQ(view.members.size(), 200u);
}

// The editor: the window leaves the top while it is open; afterwards the catalogue is read
// again and the lists refilled, the link and the label as the user left them.
TEST_F(LookupWindow, dataEditReloadsTheCatalogue) {
    w.logic.Form_Load({});
    w.choose(0, 1);
    w.logic.mnuW_Click();
    view.editor = [](const fs::path& path) {
        std::string bytes = readBytes(path);
        writeBytes("NEW.CSV", bytes.replace(bytes.find("重量"), 6, "重さ"));
        return fs::path("NEW.CSV");
    };
    w.logic.mnuedit_Click();
    EXPECT_EQ(view.onTopWhileModal, std::vector<bool>{false});
    EXPECT_TRUE(view.onTop && view.chosenGroup == 0 && view.members.size() == 2 && !view.closed);
    EXPECT_EQ(view.caption + view.captions[MenuItem::mnuW], "ZELK_Win [ NEW.CSV ]重さのみ(&W)");
    EXPECT_EQ(view.valueLabel, "17.2kg/m 34.19m2/t");
    EXPECT_TRUE(view.visible[MenuItem::mnuptarea]);
    w.sheet.received.clear();
    w.choose(0, 0);
    EXPECT_EQ(w.sheet.received, Strings{"paste  9.3"});

    view.editor = [](const fs::path& path) { return fs::remove(path), path; };
    w.logic.mnuedit_Click();
    EXPECT_EQ(view.messages, Strings{"鋼材データファイルNEW.CSVが見つかりません。"});
    EXPECT_EQ(view.groups, Strings(100, "")); // what the failed load left, refilled before the close
    EXPECT_EQ(view.captions[MenuItem::mnuW], "重さのみ(&W)");
    EXPECT_TRUE(view.closed && !view.onTop);
}

TEST_F(LookupWindow, coefficientsAreWrittenBesideAndCounted) {
    const std::string cases = "tests/coefficients/cases/";
    fs::copy_file(sourcePath(cases + "worked-examples.csv"), "WORKED.CSV");
    w.logic.Form_Load("WORKED.CSV");
    w.logic.mnuptarea_Click();
    EXPECT_EQ(readBytes("JISTEELW.new"), readBytes(sourcePath(cases + "worked-examples.new")));
    EXPECT_TRUE(view.groups.size() == 5 && view.onTop);
    fs::remove("WORKED.CSV");
    w.logic.mnuptarea_Click();
    fs::copy_file(sourcePath(cases + "stop-missing-separator.csv"), "WORKED.CSV");
    EXPECT_THROW(w.logic.mnuptarea_Click(), ProcessEnded);
    EXPECT_EQ(view.exitCode, 4);
    EXPECT_EQ(view.messages, (Strings{"塗装面積係数更新: グループ数= 5, 総部材数= 5",
                                      "鋼材データファイルWORKED.CSVが見つかりません。",
                                      " DATA ERROR: データ区切り <x> がありません。"}));
}

// The member list fills what lies between the group box (20) and the strip (16), and a window
// too low for both leaves it with no height at all.
TEST_F(LookupWindow, resizingFitsTheListBetweenGroupBoxAndStrip) {
    ASSERT_EQ(w.logic.Form_Load({}), LookupWindowLogic::StartOutcome::Shown);
    for (const auto& [height, list] : {std::pair{300, 264}, std::pair{36, 0}, std::pair{10, 0}}) {
        view.windowHeight = height;
        w.logic.Form_Resize();
        EXPECT_EQ(view.listHeight, list) << "window height " << height;
    }
}

// What the window shows after a step of find-steps.tsv: the find's rows (the highlighted one
// marked), or how it closed, the lists' choice, the label and the first thing sent.
std::string seenAfterFind(const Window& w) {
    std::string seen;
    if (w.findView.open) {
        for (std::size_t i = 0; i < w.findView.rows.size(); ++i) {
            const FindRow& row = w.findView.rows[i];
            seen += (i ? " | " : "") + std::string(int(i) == w.findView.current ? "*" : "") +
                    u8(row.designation) + " / " + u8(row.detail);
        }
        return "find: " + (seen.empty() ? "-" : seen);
    }
    const std::string sent = w.sheet.received.empty() ? "-" : w.sheet.received.front();
    return w.findView.closedBy + ", " + std::to_string(w.view.chosenGroup) + ":" +
           std::to_string(w.view.chosenMember) + " " + w.view.valueLabel + ", " + sent;
}

// The find step by step, each step's outcome as the user sees it (find-steps.tsv).
TEST_F(LookupWindow, findListsPicksAndCloses) {
    w.logic.Form_Load({});
    for (const auto& row : readTable("tests/forms/find-steps.tsv")) {
        const std::string& step = row[0];
        const std::vector<std::string> fields = split(row[1], ';');
        w.sheet.received.clear();
        if (step == "menu") {
            for (const MenuDesign& entry : lookupMenuTree()) {
                if (entry.name == row[1])
                    runMenuCommand(w.logic, w.find, entry.item);
            }
        } else if (step == "type") {
            w.find.textChanged(u16(row[1]));
        } else if (step == "key") {
            const std::map<std::string, std::function<void()>> keys{{"Up", [&] { w.find.moveCurrent(-1); }},
                                                                    {"Down", [&] { w.find.moveCurrent(1); }},
                                                                    {"Enter", [&] { w.find.pick(); }},
                                                                    {"Escape", [&] { w.find.cancel(); }}};
            keys.at(row[1])();
        } else if (step == "double") {
            w.find.pickAt(std::stoi(row[1]));
        } else if (step == "choose") {
            w.choose(std::stoi(fields[0]), std::stoi(fields[1]));
        } else if (step ==
                   "computed") { // as the finder hands one over: group;designation;kind;weight;coefficient
            w.logic.chooseFound({true,
                                 std::int16_t(std::stoi(fields[0])),
                                 0,
                                 u"平鋼（計算値）",
                                 {u16(fields[1]), u"計算値", std::int16_t(std::stoi(fields[2])),
                                  std::stod(fields[3]), std::stod(fields[4])}});
        } else if (step == "edit") { // the catalogue edited: the text FROM replaced by TO
            view.editor = [&](const fs::path& path) {
                std::string bytes = readBytes(path);
                writeBytes(path, bytes.replace(bytes.find(fields[0]), fields[0].size(), fields[1]));
                return path;
            };
            w.logic.mnuedit_Click();
        }
        EXPECT_EQ(seenAfterFind(w), row[2]) << step << " " << row[1];
    }
}
