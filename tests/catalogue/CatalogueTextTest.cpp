// The text editor's file: read in its encoding, written back in it with CR LF after every line,
// and the first character that the encoding cannot hold named with its line.
#include "catalogue/CatalogueText.h"
#include "catalogue/Files.h"
#include "catalogue/TextLineWriter.h"
#include "support/TestFiles.h"

namespace {

TEST(CatalogueText, readsAndWritesBackInTheFilesEncoding) {
    const ScratchDir dir;
    for (const std::string& bytes :
         {std::string("\x8d\x7c\x94\xc2,2\r\nPL\r\n"), std::string("\xEF\xBB\xBF鋼板,2\r\nPL\r\n")}) {
        writeBytes(dir / "A.CSV", bytes);
        const CatalogueText::ReadResult read = CatalogueText::read(dir / "A.CSV");
        ASSERT_TRUE(read.ok);
        EXPECT_EQ(u8(read.text), "鋼板,2\nPL\n");
        const CatalogueText::EncodeResult encoded = CatalogueText::encode(read.text, read.encoding);
        EXPECT_EQ(CatalogueText::write(dir / "B.CSV", encoded.bytes), u"");
        EXPECT_EQ(readBytes(dir / "B.CSV"), bytes);
    }
}

TEST(CatalogueText, linesEndInCrLfWhateverTheyEndedIn) {
    const CatalogueText::EncodeResult encoded =
        CatalogueText::encode(u"a\r\nb\nc\rd", TextLineReader::Encoding::Cp932);
    EXPECT_EQ(encoded.bytes, "a\r\nb\r\nc\r\nd\r\n");
}

TEST(CatalogueText, namesTheFirstCharacterCodePage932CannotHold) {
    const CatalogueText::EncodeResult encoded =
        CatalogueText::encode(u"ok\nx©y🔩", TextLineReader::Encoding::Cp932);
    EXPECT_FALSE(encoded.ok);
    EXPECT_EQ(u8(encoded.badCharacter) + " " + u8(CatalogueText::codePointText(encoded.badCharacter)),
              "© U+00A9");
    EXPECT_EQ(encoded.badLine, 2);
    EXPECT_EQ(u8(CatalogueText::codePointText(u"🔩")), "U+1F529");
}

TEST(CatalogueText, badBytesAreReadWithTheirLines) {
    const ScratchDir dir;
    writeBytes(dir / "A.CSV", "ok\r\n\x81\x20\r\nok\r\n\xEF\xBB\r\n");
    EXPECT_EQ(CatalogueText::read(dir / "A.CSV").badLines, (std::vector<std::int64_t>{2, 4}));
}

TEST(TextLineWriter, refusesALineTheEncodingCannotHoldWhole) {
    MemorySink sink;
    TextLineWriter writer(sink, TextLineReader::Encoding::Cp932);
    EXPECT_TRUE(writer.writeLine(u"鋼板"));
    EXPECT_FALSE(writer.writeLine(u"PL ©"));
    EXPECT_TRUE(writer.unencodable());
    EXPECT_TRUE(writer.flush());
    EXPECT_EQ(sink.bytes(), "\x8d\x7c\x94\xc2\r\n");
}

} // namespace
