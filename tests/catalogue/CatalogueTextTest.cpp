// The text editor's file: read in its encoding, written back in it with CR LF after every line,
// and the first character that the encoding cannot hold named with its line.
#include "catalogue/CatalogueText.h"
#include "support/TestFiles.h"

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
    EXPECT_EQ(CatalogueText::encode(u"a\r\nb\nc\rd", CatalogueText::Encoding::Cp932).bytes,
              "a\r\nb\r\nc\r\nd\r\n");
}

TEST(CatalogueText, namesTheFirstCharacterCodePage932CannotHold) {
    const CatalogueText::EncodeResult encoded =
        CatalogueText::encode(u"鋼板\nx©y🔩", CatalogueText::Encoding::Cp932);
    EXPECT_FALSE(encoded.ok);
    EXPECT_EQ(u8(CatalogueText::codePointText(encoded.badCharacter)) + " line " +
                  std::to_string(encoded.badLine),
              "U+00A9 line 2");
    EXPECT_EQ(u8(CatalogueText::codePointText(u"🔩")), "U+1F529");
}

TEST(CatalogueText, badBytesAreReadWithTheirLines) {
    const ScratchDir dir;
    writeBytes(dir / "A.CSV", "ok\r\n\x81\x20\r\nok\r\n\xEF\xBB\r\n");
    EXPECT_EQ(CatalogueText::read(dir / "A.CSV").badLines, (std::vector<std::int64_t>{2, 4}));
}
