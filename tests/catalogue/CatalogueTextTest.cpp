// The text editor's file: read in its encoding, written back in it with CR LF after every line.
#include "catalogue/CatalogueText.h"
#include "support/TestFiles.h"

#ifdef _WIN32
#include <thread>

#include <windows.h>
#endif

TEST(CatalogueText, readsAndWritesBackInTheFilesEncoding) {
    const ScratchDir dir;
    for (const std::string bytes : {"\x8d\x7c\x94\xc2,2\r\nPL\r\n", "\xEF\xBB\xBF鋼板,2\r\nPL\r\n"}) {
        writeBytes(dir / "A.CSV", bytes);
        const CatalogueText::ReadResult read = CatalogueText::read(dir / "A.CSV");
        EXPECT_EQ(u8(read.text), "鋼板,2\nPL\n");
        EXPECT_EQ(CatalogueText::write(dir / "B.CSV", CatalogueText::encode(read.text, read.encoding).bytes),
                  u"");
        EXPECT_EQ(readBytes(dir / "B.CSV"), bytes);
    }
    EXPECT_EQ(CatalogueText::encode(u"a\r\nb\n\nc\rd", CatalogueText::Encoding::Cp932).bytes,
              "a\r\nb\r\n\r\nc\r\nd\r\n");
    // A character named in a message: its code point, a lone surrogate as itself.
    EXPECT_EQ(u8(CatalogueText::codePointText(u"\u00A9") + CatalogueText::codePointText(u"\xD83D\xDE00") +
                 CatalogueText::codePointText(u"\xDE00")),
              "U+00A9U+1F600U+DE00");
}

#ifdef _WIN32
// A program holding the catalogue for a moment (a virus scanner, a second run replacing it too)
// delays its replacement instead of failing it.
TEST(CatalogueText, replacesAFileThatAnotherProgramHoldsForAMoment) {
    const ScratchDir dir;
    writeBytes(dir / "A.CSV", "old\r\n");
    const HANDLE held = CreateFileW((dir / "A.CSV").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::thread release([held] { Sleep(300), CloseHandle(held); });
    EXPECT_EQ(CatalogueText::write(dir / "A.CSV", "new\r\n"), u"");
    release.join();
    EXPECT_EQ(readBytes(dir / "A.CSV"), "new\r\n");
}
#endif
