// The one reader and the one writer of catalogue lines: line ends, encodings, undecodable bytes,
// the bound on a line, and what reaches the sink.
#include "base/Files.h"
#include "base/TextLineReader.h"
#include "base/TextLineWriter.h"
#include "support/TestFiles.h"

namespace {

// The lines as lines.tsv writes them, then the encoding, or the error that stopped the reading.
std::string linesOf(std::string bytes) {
    MemorySource source(std::move(bytes));
    TextLineReader reader(source);
    std::string seen;
    for (std::u16string line; reader.readLine(line);)
        seen += "[" + u8(line) + "]" + (reader.lastLineHadBadBytes() ? "!" : "");
    if (reader.readFailed())
        return seen + " " + u8(reader.errorText());
    return seen + (reader.encoding() == TextLineReader::Encoding::Utf8 ? " utf8" : " cp932");
}

} // namespace

TEST(TextLineReader, readsTheLinesAsTheCaseSays) {
    for (const auto& row : readTable("tests/base/lines.tsv"))
        EXPECT_EQ(linesOf(row[0]), u8(u16(row[1])) + " " + row[2]) << row[0];
    // A CR LF split between two reads of the source, and lines at and just over their bound.
    EXPECT_EQ(linesOf(std::string(65535, 'a') + "\r\nb"), "[" + std::string(65535, 'a') + "][b] cp932");
    EXPECT_EQ(linesOf(std::string(1 << 20, 'a') + "\n").size(), (1u << 20) + 8);
    const std::string tooLong = " 1 行目が 1048576 バイトを超えています。鋼材データファイルではありません";
    EXPECT_EQ(linesOf(std::string((1 << 20) + 1, 'a') + "\n"), tooLong);
    EXPECT_EQ(linesOf(std::string((1 << 20) + 1, 'a')), tooLong);
}

// Each line whole with CR LF, or nothing of it when the encoding cannot hold it (line-writes.tsv);
// once the sink has failed, nothing more.
TEST(TextLineWriter, writesEachLineWholeOrNotAtAll) {
    for (const auto& row : readTable("tests/base/line-writes.tsv")) {
        MemorySink sink;
        TextLineWriter writer(sink, row[0] == "utf8" ? TextLineReader::Encoding::Utf8
                                                     : TextLineReader::Encoding::Cp932);
        std::string refused;
        for (const std::string& line : split(row[1], '|'))
            refused +=
                writer.writeLine(u16(line)) ? "" : " " + line + (writer.unencodable() ? " unencodable" : "");
        EXPECT_TRUE(writer.flush());
        EXPECT_EQ(sink.bytes() + " /" + refused, row[2]) << row[1];
    }
    struct : ByteSink {
        bool write(const char*, std::size_t) override { return false; }
        std::u16string errorText() const override { return u"full"; }
    } full;
    TextLineWriter writer(full, TextLineReader::Encoding::Cp932);
    for (int i = 0; i < 1000 && writer.writeLine(std::u16string(1000, u'a')); ++i) {
    }
    EXPECT_TRUE(writer.failed() && !writer.unencodable());
    EXPECT_FALSE(writer.writeLine(u"b") || writer.unencodable() || writer.flush());
}
