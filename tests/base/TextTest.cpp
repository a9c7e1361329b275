// UTF-8 both ways at every boundary of its byte forms (utf8.tsv), and the message patterns.
#include "base/Text.h"
#include "support/TestFiles.h"

TEST(Text, utf8ReadsAndWritesAsTheCaseSays) {
    for (const auto& row : readTable("tests/base/utf8.tsv")) {
        SCOPED_TRACE(row[0]);
        // A case that goes one way only takes the other side as given.
        const std::u16string text = u16(row[1]);
        bool valid = false;
        EXPECT_EQ(row[2] == "text" ? text : fromUtf8(row[0], &valid), text);
        EXPECT_EQ(row[2] == "bytes" ? row[0] : toUtf8(text), row[0]);
        EXPECT_EQ(valid, row[2] == "both");
        EXPECT_EQ(hasLoneSurrogate(text), row[2] == "text");
    }
}

TEST(Text, formatTextFillsInTheArgumentsItHas) {
    const auto format = [](std::u16string_view pattern) {
        return u8(formatText(pattern, {u"a", u"b", u"c", u"d", u"e", u"f", u"g", u"h", u"i"}));
    };
    EXPECT_EQ(format(u"%2%1 %9, %0 %a 100% %"), "ba i, %0 %a 100% %");
    EXPECT_EQ(u8(formatText(u"%1:%3", {u"x", u"y"})), "x:%3");
}
