// The catalogue text editor's logic with a view double that answers like a user: every way out of
// the editor, checked by the bytes of every file involved afterwards.
#include "windows/TextEditor.h"
#include "catalogue/Text.h"
#include "windows/WindowDesigns.h"

#include <gtest/gtest.h>

#include <deque>
#include <fstream>
#include <sstream>

#ifdef __linux__
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return "(missing)";
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void writeBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A folder of its own for each test, removed afterwards.
struct Folder {
    fs::path path;
    Folder()
        : path(fs::temp_directory_path() /
               ("zelk-editor-" +
                std::to_string(::testing::UnitTest::GetInstance()->current_test_info()->line()))) {
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~Folder() { fs::remove_all(path); }
};

// Answers from a script: "save:yes|no" for the save question, "proceed:yes|no" for the other
// questions, "file:<name>" for the save dialog ("file:" cancels it).
class ScriptedView : public TextEditorView {
public:
    explicit ScriptedView(fs::path folder) : m_folder(std::move(folder)) {}
    TextEditor* editor = nullptr;
    std::u16string shown{textEditorDesign().control("rtf1").text};
    std::deque<std::string> answers;
    std::string said; // every message and question the user read, in UTF-8

    void type(std::u16string_view text) {
        shown += text;
        editor->rtf1_Change();
    }
    void setText(const std::u16string& text) override {
        shown = text;
        editor->rtf1_Change();
    }
    std::u16string text() const override { return shown; }
    bool askSaveChanges() override { return next("save:") == "yes"; }
    bool askToProceed(const std::u16string& text) override {
        said += toUtf8(text);
        return next("proceed:") == "yes";
    }
    void showMessage(const std::u16string& text) override { said += toUtf8(text); }
    std::optional<fs::path> askSaveFileName(const fs::path&) override {
        const std::string name = next("file:");
        return name.empty() ? std::nullopt : std::optional(m_folder / name);
    }

private:
    std::string next(const std::string& kind) {
        if (answers.empty() || answers.front().rfind(kind, 0) != 0) {
            ADD_FAILURE() << "not expected now: " << kind;
            return {};
        }
        std::string answer = answers.front().substr(kind.size());
        answers.pop_front();
        return answer;
    }
    fs::path m_folder;
};

struct EditorCase {
    const char* name;
    std::string before;   // cat.csv when the editor opens
    bool otherExists;     // other.csv holds "OTHER\r\n"
    std::u16string typed; // typed at the end of the text
    std::vector<std::string> answers;
    bool closes;
    std::string after;      // cat.csv afterwards
    std::string otherAfter; // other.csv afterwards
    const char* savedName;  // the editor's catalogue afterwards
    const char* said;       // part of what the user was told, "" for nothing
};

const std::string kUtf8File = "\xEF\xBB\xBF"
                              "A,1\r\nB,\xFF\r\n";

const EditorCase kCases[] = {
    {"untouched", "A,1\r\n", false, u"", {}, true, "A,1\r\n", "(missing)", "cat.csv", ""},
    {"no", "A,1\r\n", false, u"x", {"save:no"}, true, "A,1\r\n", "(missing)", "cat.csv", ""},
    {"yes",
     "A,1\r\n",
     false,
     u"x",
     {"save:yes", "file:cat.csv"},
     true,
     "A,1\r\nx\r\n",
     "(missing)",
     "cat.csv",
     ""},
    {"cancel", "A,1\r\n", false, u"x", {"save:yes", "file:"}, false, "A,1\r\n", "(missing)", "cat.csv", ""},
    {"newName",
     "A,1\r\n",
     false,
     u"x",
     {"save:yes", "file:other.csv"},
     true,
     "A,1\r\n",
     "A,1\r\nx\r\n",
     "other.csv",
     ""},
    {"keepOther",
     "A,1\r\n",
     true,
     u"x",
     {"save:yes", "file:other.csv", "proceed:no", "file:"},
     false,
     "A,1\r\n",
     "OTHER\r\n",
     "cat.csv",
     "other.csv"},
    {"replaceOther",
     "A,1\r\n",
     true,
     u"x",
     {"save:yes", "file:other.csv", "proceed:yes"},
     true,
     "A,1\r\n",
     "A,1\r\nx\r\n",
     "other.csv",
     "other.csv"},
    {"unencodable",
     "A,1\r\n",
     false,
     u"\U0001F600",
     {"save:yes"},
     false,
     "A,1\r\n",
     "(missing)",
     "cat.csv",
     "2行目の文字「\U0001F600」(U+1F600)"},
    {"badBytesKept",
     kUtf8File,
     false,
     u"x",
     {"save:yes", "proceed:no"},
     false,
     kUtf8File,
     "(missing)",
     "cat.csv",
     "2 行目"},
    {"badBytesReplaced",
     kUtf8File,
     false,
     u"x",
     {"save:yes", "proceed:yes", "file:cat.csv"},
     true,
     "\xEF\xBB\xBF"
     "A,1\r\nB,\xEF\xBF\xBD\r\nx\r\n",
     "(missing)",
     "cat.csv",
     "2 行目"},
    {"badShiftJisBytes",
     "A,1\r\n\x85\x40\r\n\x85\x41\r\n",
     false,
     u"",
     {},
     true,
     "A,1\r\n\x85\x40\r\n\x85\x41\r\n",
     "(missing)",
     "cat.csv",
     "2, 3 行目"},
};

void PrintTo(const EditorCase& c, std::ostream* out) {
    *out << c.name;
}

class EditorAnswers : public ::testing::TestWithParam<EditorCase> {};

TEST_P(EditorAnswers, leaveEveryFileAsTheUserChose) {
    const EditorCase& c = GetParam();
    Folder folder;
    writeBytes(folder.path / "cat.csv", c.before);
    if (c.otherExists)
        writeBytes(folder.path / "other.csv", "OTHER\r\n");
    ScriptedView view(folder.path);
    TextEditor editor(view, folder.path / "cat.csv");
    view.editor = &editor;
    editor.Form_Load();
    EXPECT_FALSE(editor.TextChanged()) << "the load itself is no change";
    if (!c.typed.empty())
        view.type(c.typed);
    view.answers.assign(c.answers.begin(), c.answers.end());

    EXPECT_EQ(editor.Form_QueryUnload(), c.closes);
    EXPECT_TRUE(view.answers.empty()) << "answers left: " << view.answers.size();
    EXPECT_EQ(readBytes(folder.path / "cat.csv"), c.after);
    EXPECT_EQ(readBytes(folder.path / "other.csv"), c.otherAfter);
    EXPECT_EQ(editor.dataFileName(), folder.path / c.savedName);
    EXPECT_NE(view.said.find(c.said), std::string::npos) << view.said;
    EXPECT_EQ(view.said.empty(), *c.said == 0) << view.said;
}

INSTANTIATE_TEST_SUITE_P(TextEditor, EditorAnswers, ::testing::ValuesIn(kCases),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(TextEditor, unreadableFileKeepsTheDesignTextAndSaysWhy) {
    Folder folder;
    ScriptedView view(folder.path);
    TextEditor editor(view, folder.path / "gone.csv");
    view.editor = &editor;
    editor.Form_Load();
    EXPECT_EQ(view.shown, textEditorDesign().control("rtf1").text);
    EXPECT_NE(view.said.find((folder.path / "gone.csv").string()), std::string::npos) << view.said;
    EXPECT_TRUE(editor.Form_QueryUnload());
}

TEST(TextEditor, asksBeforeReplacingWhatAnotherEditorSavedMeanwhile) {
    Folder folder;
    const fs::path file = folder.path / "cat.csv";
    writeBytes(file, "A,1\r\n");
    ScriptedView first(folder.path), second(folder.path);
    TextEditor firstEditor(first, file), secondEditor(second, file);
    first.editor = &firstEditor;
    second.editor = &secondEditor;
    firstEditor.Form_Load();
    secondEditor.Form_Load();
    first.type(u"first");
    second.type(u"second");

    second.answers = {"save:yes", "file:cat.csv"};
    EXPECT_TRUE(secondEditor.Form_QueryUnload());
    EXPECT_TRUE(second.said.empty()) << second.said;

    first.answers = {"save:yes", "file:cat.csv", "proceed:no"};
    EXPECT_FALSE(firstEditor.Form_QueryUnload());
    EXPECT_EQ(readBytes(file), "A,1\r\nsecond\r\n");
    EXPECT_NE(first.said.find(file.string()), std::string::npos) << first.said;

    first.answers = {"save:yes", "file:cat.csv", "proceed:yes"};
    EXPECT_TRUE(firstEditor.Form_QueryUnload());
    EXPECT_EQ(readBytes(file), "A,1\r\nfirst\r\n");
}

#ifdef __linux__
// Makes `folder` refuse new files: read-only for a user, immutable for root, who may write anyway.
void lockFolder(const fs::path& folder, bool locked) {
    if (geteuid() != 0) {
        ::chmod(folder.c_str(), locked ? 0555 : 0755);
        return;
    }
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    int flags = 0;
    ::ioctl(fd, FS_IOC_GETFLAGS, &flags);
    flags = locked ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
    ::close(fd);
}

TEST(TextEditor, savesInPlaceInAFolderThatTakesNoNewFile) {
    Folder folder;
    const fs::path file = folder.path / "cat.csv";
    writeBytes(file, "A,1\r\n");
    ScriptedView view(folder.path);
    TextEditor editor(view, file);
    view.editor = &editor;
    editor.Form_Load();
    view.type(u"x");
    lockFolder(folder.path, true);
    ASSERT_FALSE(std::ofstream(folder.path / "probe")) << "the folder still takes new files";
    view.answers = {"save:yes", "file:cat.csv"};
    const bool closed = editor.Form_QueryUnload();
    lockFolder(folder.path, false);
    EXPECT_TRUE(closed) << view.said;
    EXPECT_EQ(readBytes(file), "A,1\r\nx\r\n");
}
#endif

} // namespace
