// What each kind of path is taken for, what reading and replacing it give (path-kinds.tsv), and a
// replacement that fails at its last step. The reasons are the system's own, as POSIX words them.
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
    for (const auto& row : readTable("tests/base/path-kinds.tsv")) {
        const fs::path path = dir / row[0];
        const char* kinds[] = {"missing", "file", "other"};
        const bool linked = isSameFile(dir / "link", path);
        std::string seen = kinds[int(pathKind(path))];
        InputFile input;
        seen += ", " + (input.open(path) ? "read" : u8(input.errorText()));
        ReplacingFile output;
        const bool replaced = output.open(path) && output.write("new", 3) && output.commit();
        seen +=
            ", " + (replaced ? readBytes(path) == "new" ? "replaced" : "(not new)" : u8(output.errorText()));
        EXPECT_EQ(seen + (linked ? ", link is the same file" : ""), row[1]) << row[0];
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
