// The catalogue text editor's logic with a view double that answers like a user: every way out of
// the editor, checked by the bytes of every file involved afterwards.
#include "forms/TextEditor.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <deque>
#include <set>
#include <sstream>

#ifndef _WIN32
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef _WIN32
#include <windows.h>
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

// Saves that keep the file's identity. The catalogue is sub/cat.csv; the editor opens it by
// `opened` and saves an edit under that name. Afterwards the catalogue holds the edit (or, refused,
// its old text) with its old owner, group and mode (its attributes on Windows), no temporary file
// is left, and every other name of it (`links`, `hardLink`) still names the same file.
struct IdentityCase {
    std::string name;
    std::string opened;
    std::vector<std::pair<std::string, std::string>> links; // symbolic link, what it holds
    std::string hardLink;
    unsigned mode = 0; // permissions (POSIX) or attributes (Windows) given to the catalogue first
    bool otherOwner = false;
    bool saved = true;
    bool lockedFolder = false; // sub/ takes no new file: the save writes the catalogue in place

    friend std::ostream& operator<<(std::ostream& out, const IdentityCase& c) { return out << c.name; }
};

const IdentityCase kIdentityCases[] = {
    {"symbolicLink", "link.csv", {{"link.csv", "sub/cat.csv"}}, ""},
    // The first link in another folder, read from there.
    {"chainOfTwo", "second.csv", {{"sub/first.csv", "cat.csv"}, {"second.csv", "sub/first.csv"}}, ""},
    {"hardLink", "sub/cat.csv", {}, "other.csv"},
#ifdef _WIN32
    {"hiddenFile", "sub/cat.csv", {}, "", FILE_ATTRIBUTE_HIDDEN},
    // A read-only file is not replaced on Windows, as before.
    {"readOnly", "sub/cat.csv", {}, "", FILE_ATTRIBUTE_READONLY, false, false},
// Not made under Wine 8, so not tested there: a junction (FSCTL_SET_REPARSE_POINT answers
// ERROR_NOT_SUPPORTED), the creation time (SetFileTime does not store it), the security
// (SetNamedSecurityInfoW succeeds and the default comes back), alternate streams ("cat.csv:s"
// is a file of its own) and another owner (Wine has none).
#else
    {"otherOwner", "sub/cat.csv", {}, "", 0640, true},
    // A read-only file is replaced on POSIX, as before: the folder allows it.
    {"readOnly", "sub/cat.csv", {}, "", 0444},
    {"folderTakesNoNewFile", "sub/cat.csv", {}, "", 0, false, true, true},
#endif
};

#ifdef _WIN32
// Wine 8's CreateSymbolicLinkW reports success and makes nothing; there the host's ln makes the
// link (Wine starts Unix programs, without waiting for them), which Wine follows as Windows
// follows its own.
void makeSymbolicLink(const fs::path& link, const std::string& target) {
    const std::wstring held = fs::path(target).make_preferred().wstring();
    if (CreateSymbolicLinkW(link.c_str(), held.c_str(), SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) &&
        fs::exists(link))
        return;
    using UnixName = char*(CDECL*)(const wchar_t*);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    ASSERT_TRUE(unixName) << "no symbolic link: Windows needs developer mode or administrator rights";
    char* name = unixName(link.c_str());
    std::wstring command = L"Z:\\bin\\ln -s " + fs::path(target).wstring() + L" " + fs::path(name).wstring();
    HeapFree(GetProcessHeap(), 0, name);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process));
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    for (int i = 0; i < 1000 && !fs::exists(link); ++i)
        Sleep(10);
    ASSERT_TRUE(fs::exists(link)) << link;
}

std::string identity(const fs::path& file) {
    return std::to_string(GetFileAttributesW(file.c_str()));
}

void setIdentity(const fs::path& file, const IdentityCase& c) {
    if (c.mode != 0) {
        ASSERT_TRUE(SetFileAttributesW(file.c_str(), c.mode));
    }
}

void lockFolder(const fs::path&, bool) {}
#else
void makeSymbolicLink(const fs::path& link, const std::string& target) {
    fs::create_symlink(target, link);
}

std::string identity(const fs::path& file) {
    struct stat info {};
    ::stat(file.c_str(), &info);
    return std::to_string(info.st_uid) + ":" + std::to_string(info.st_gid) + " " +
           std::to_string(info.st_mode);
}

void setIdentity(const fs::path& file, const IdentityCase& c) {
    if (c.otherOwner && geteuid() != 0)
        GTEST_SKIP() << "giving the file another owner needs root";
    if (c.otherOwner) {
        ASSERT_EQ(::chown(file.c_str(), 4321, 4322), 0);
    }
    if (c.mode != 0)
        fs::permissions(file, fs::perms(c.mode));
}

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
#endif

std::set<fs::path> namesIn(const fs::path& folder) {
    return {fs::recursive_directory_iterator(folder), {}};
}

class SaveKeepsTheFile : public ::testing::TestWithParam<IdentityCase> {};

TEST_P(SaveKeepsTheFile, underEveryName) {
    const IdentityCase& c = GetParam();
    const ScratchDir folder;
    fs::create_directory(folder / "sub");
    const fs::path catalogue = folder / "sub/cat.csv";
    writeBytes(catalogue, "A,1\r\n");
    std::vector<fs::path> names;
    for (const auto& [link, target] : c.links) {
        makeSymbolicLink(folder / link, target);
        names.push_back(folder / link);
    }
    if (!c.hardLink.empty()) {
        fs::create_hard_link(catalogue, folder / c.hardLink);
        names.push_back(folder / c.hardLink);
    }
    setIdentity(catalogue, c);
    if (IsSkipped() || HasFatalFailure())
        return;
    const std::string before = identity(catalogue);
    const std::set<fs::path> files = namesIn(folder / ".");

    ScriptedView view(folder / c.opened);
    view.type(u"x");
    if (c.lockedFolder) {
        lockFolder(folder / "sub", true);
        EXPECT_FALSE(std::ofstream(folder / "sub/probe")) << "the folder still takes new files";
    }
    const bool closed = view.close("save:yes file:" + fs::path(c.opened).filename().string());
    lockFolder(folder / "sub", false);
    EXPECT_EQ(closed, c.saved) << view.said;
    EXPECT_EQ(readBytes(catalogue), c.saved ? "A,1\r\nx\r\n" : "A,1\r\n");
    EXPECT_EQ(identity(catalogue), before);
    EXPECT_EQ(namesIn(folder / "."), files);
    // Still the one file: what is written to it shows under every other name.
    fs::permissions(catalogue, fs::perms::owner_write, fs::perm_options::add);
    writeBytes(catalogue, "later");
    for (const fs::path& name : names)
        EXPECT_EQ(readBytes(name), "later") << name;
}

INSTANTIATE_TEST_SUITE_P(TextEditor, SaveKeepsTheFile, ::testing::ValuesIn(kIdentityCases),
                         [](const auto& param) { return param.param.name; });

} // namespace
