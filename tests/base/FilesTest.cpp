// What each kind of path is taken for, what reading and replacing it give, and a replacement that
// fails at its last step. The reasons are the system's own, as POSIX words them.
#include "base/Files.h"
#include "support/TestFiles.h"

#ifndef _WIN32
#include <sys/stat.h>

TEST(Files, eachKindOfPathIsReadReplacedOrRefused) {
    const ScratchDir dir;
    writeBytes(dir / "file", "old");
    fs::create_hard_link(dir / "file", dir / "link");
    fs::create_directory(dir / "folder");
    ::mkfifo((dir / "fifo").c_str(), 0600);
    fs::create_symlink("loop", dir / "loop");
    const std::pair<const char*, const char*> cases[] = {
        {"file", "file, read, replaced, link is the same file"},
        {"missing", "missing, No such file or directory, replaced"},
        {"none/x", "missing, No such file or directory, No such file or directory"},
        {"folder", "other, Is a directory, Is a directory"},
        {"fifo", "other, 通常のファイルではありません, 通常のファイルではありません"},
        {"loop", "other, Too many levels of symbolic links, Too many levels of symbolic links"},
    };
    for (const auto& [name, expected] : cases) {
        const fs::path path = dir / name;
        const char* kinds[] = {"missing", "file", "other"};
        const bool linked = isSameFile(dir / "link", path);
        std::string seen = kinds[int(pathKind(path))];
        InputFile input;
        seen += ", " + (input.open(path) ? "read" : u8(input.errorText()));
        ReplacingFile output;
        const bool replaced = output.open(path) && output.write("new", 3) && output.commit();
        seen +=
            ", " + (replaced ? readBytes(path) == "new" ? "replaced" : "(not new)" : u8(output.errorText()));
        EXPECT_EQ(seen + (linked ? ", link is the same file" : ""), expected);
    }
    // The target became a folder before the commit: the rename fails and the new file goes.
    ReplacingFile late;
    ASSERT_TRUE(late.open(dir / "late") && late.write("x", 1));
    fs::create_directory(dir / "late");
    EXPECT_FALSE(late.commit());
    EXPECT_EQ(u8(late.errorText()), "Is a directory");
    EXPECT_FALSE(ReplacingFile().commit());
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "."), fs::directory_iterator()), 7);
}
#endif
