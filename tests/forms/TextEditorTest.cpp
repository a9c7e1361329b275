// The catalogue text editor's logic with a view double that answers like a user: every way out of
// the editor, checked by the bytes of every file involved afterwards.
#include "forms/TextEditor.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <deque>
#include <sstream>

#ifdef __linux__
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// A file's bytes; "-" when there is no file, as in the cases.
std::string fileBytes(const fs::path& path) {
    return fs::exists(path) ? readBytes(path) : "-";
}

// Answers from a script: see editor-cases.tsv.
class ScriptedView : public TextEditorView {
public:
    explicit ScriptedView(const fs::path& file) : editor(*this, file), m_folder(file.parent_path()) {
        editor.Form_Load();
    }
    TextEditor editor;
    std::u16string shown;
    std::string said; // every message and question the user read

    void type(std::u16string_view text) {
        shown += text;
        editor.rtf1_Change();
    }
    bool close(const std::string& script) {
        m_answers.clear();
        std::istringstream words(script);
        for (std::string word; words >> word;)
            m_answers.push_back(word);
        const bool closed = editor.Form_QueryUnload();
        EXPECT_TRUE(m_answers.empty()) << "not asked: " << m_answers.front();
        return closed;
    }
    void setText(const std::u16string& text) override { type(text); }
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
        if (m_answers.empty() || m_answers.front().rfind(kind, 0) != 0) {
            ADD_FAILURE() << "asked unexpectedly: " << kind;
            return {};
        }
        std::string answer = m_answers.front().substr(kind.size());
        m_answers.pop_front();
        return answer;
    }
    std::deque<std::string> m_answers;
    fs::path m_folder;
};

using EditorCase = std::vector<std::string>;

class EditorAnswers : public ::testing::TestWithParam<EditorCase> {};

TEST_P(EditorAnswers, leaveEveryFileAsTheUserChose) {
    const EditorCase& c = GetParam();
    ASSERT_EQ(c.size(), 10u);
    const ScratchDir folder;
    for (const auto& [name, bytes] : {std::pair{"cat.csv", c[1]}, std::pair{"other.csv", c[2]}})
        if (bytes != "-")
            writeBytes(folder / name, bytes);
    ScriptedView view(folder / "cat.csv");
    EXPECT_FALSE(view.editor.TextChanged()) << "the load itself is no change";
    if (c[3] != "-")
        view.type(fromUtf8(c[3]));

    EXPECT_EQ(view.close(c[4] == "-" ? "" : c[4]), c[5] == "yes");
    EXPECT_EQ(fileBytes(folder / "cat.csv"), c[6]);
    EXPECT_EQ(fileBytes(folder / "other.csv"), c[7]);
    EXPECT_EQ(view.editor.dataFileName(), folder / c[8]);
    EXPECT_EQ(view.said.empty(), c[9] == "-") << view.said;
    EXPECT_NE(view.said.find(c[9] == "-" ? "" : c[9]), std::string::npos) << view.said;
}

INSTANTIATE_TEST_SUITE_P(TextEditor, EditorAnswers,
                         ::testing::ValuesIn(readTable("tests/forms/editor-cases.tsv")),
                         [](const auto& param) { return param.param[0]; });

TEST(TextEditor, asksBeforeReplacingWhatAnotherEditorSavedMeanwhile) {
    const ScratchDir folder;
    const fs::path file = folder / "cat.csv";
    const std::string head = std::string(65532, 'A') + ",1\r\n"; // 64 KiB: the size of a read, exactly
    writeBytes(file, head);
    ScriptedView first(file), second(file);
    first.type(u"first");
    second.type(u"second");
    EXPECT_TRUE(second.close("save:yes file:cat.csv"));
    EXPECT_TRUE(second.said.empty()) << second.said;

    EXPECT_FALSE(first.close("save:yes file:cat.csv proceed:no"));
    EXPECT_EQ(readBytes(file), head + "second\r\n");
    EXPECT_NE(first.said.find(file.string()), std::string::npos) << first.said;
    EXPECT_TRUE(first.close("save:yes file:cat.csv proceed:yes"));
    EXPECT_EQ(readBytes(file), head + "first\r\n");
    EXPECT_TRUE(first.close("save:yes file:new.csv")); // another file: nothing of it to lose
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
    const ScratchDir folder;
    const fs::path file = folder / "cat.csv";
    writeBytes(file, "A,1\r\n");
    ScriptedView view(file);
    view.type(u"x");
    lockFolder(file.parent_path(), true);
    const bool refused = !std::ofstream(file.parent_path() / "probe");
    const bool closed = view.close("save:yes file:cat.csv");
    lockFolder(file.parent_path(), false);
    ASSERT_TRUE(refused) << "the folder still takes new files";
    EXPECT_TRUE(closed) << view.said;
    EXPECT_EQ(readBytes(file), "A,1\r\nx\r\n");
}
#endif

} // namespace
