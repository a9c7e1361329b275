#include "base/CodePage932.h"
#include "base/FileNameOf.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct DecodeCase {
    const char* name;
    std::string bytes;
    std::u16string text;
};

std::string bytesOf(const std::u16string& text) {
    std::string bytes;
    EXPECT_TRUE(CodePage932::encode(text, bytes));
    return bytes;
}

std::u16string textOf(const std::string& bytes) {
    std::u16string text;
    EXPECT_TRUE(CodePage932::decode(bytes, text));
    return text;
}

} // namespace

// Windows gives these bytes their own code points; catalogue files written there hold them so.
TEST(CodePage932, controlBytesAndByte80AreTheirOwnCharacters) {
    const std::string bytes = "\x1A\x1C\x7F\x80|\x82\xA0\x1A\x82\xA0\x80";
    const std::u16string text = u"\x001A\x001C\x007F\x0080|\u3042\x001A\u3042\x0080";
    EXPECT_EQ(textOf(bytes), text);
    EXPECT_EQ(bytesOf(text), bytes);
}

// A catalogue line with full-width and half-width characters, a trail byte 0x5C (表) and the
// trail byte 0x7E (×).
TEST(CodePage932, japaneseLineRoundTrips) {
    const std::string bytes =
        "\x82g\x8C`\x8D| \x95\\\x8E\xA6 \xB6\xC5 200\x81~100\x81~5.5\x81~8,21.3 kg/m\r\n";
    const std::u16string text = u"Ｈ形鋼 表示 ｶﾅ 200×100×5.5×8,21.3 kg/m\r\n";
    EXPECT_EQ(textOf(bytes), text);
    EXPECT_EQ(bytesOf(text), bytes);
}

TEST(CodePage932, undefinedUnitsBecomeOneReplacementEach) {
    const DecodeCase cases[] = {
        {"lead byte at the end", "ab\x82", u"ab\uFFFD"},
        {"lead byte before a byte that cannot trail", "\x82 \x82\xA0", u"\uFFFD \u3042"},
        {"lead and trail byte of no character", "\x85\x40z", u"\uFFFDz"},
        {"lead byte before 0x80, taken as a pair", "\x82\x80", u"\uFFFD"},
        {"byte that only trails", "\x82\xA0\xFD\x82\xA0", u"\u3042\uFFFD\u3042"},
    };
    for (const DecodeCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::u16string text = u"kept ";
        EXPECT_FALSE(CodePage932::decode(c.bytes, text));
        EXPECT_EQ(text, u"kept " + c.text);
    }
}

TEST(CodePage932, charactersWithoutBytesAreRefused) {
    const std::pair<const char*, std::u16string> cases[] = {
        {"yen sign, whose best fit is a backslash", u"200\u00A5"},
        {"euro sign", u"\u3042\u20AC\u3042"},
        {"byte order mark, which is not to vanish", u"\uFEFF200"},
        {"zero-width space", u"H\u200B200"},
        {"private-use character with a look-alike", u"\uF86F"},
        {"private-use character after 0x9F", u"\uF8F0"},
        {"character beyond the BMP", u"\xD842\xDF9F"},
        {"lone high surrogate", u"a\xD842"},
        {"lone low surrogate", u"\xDF9F\u3042"},
    };
    for (const auto& [name, text] : cases) {
        SCOPED_TRACE(name);
        std::string bytes;
        EXPECT_FALSE(CodePage932::encode(text, bytes));
    }
}

TEST(FileNameOf, takesTheTextAfterTheLastSeparator) {
    for (const auto& row : readTable("tests/base/file-names.tsv"))
        EXPECT_EQ(u8(FileNameOf(fromUtf8(row[0]))), row.size() > 1 ? row[1] : "") << row[0];
}
