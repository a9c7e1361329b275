// Code page 932 both ways (cp932.tsv), and the file name that a caption shows (file-names.tsv).
#include "base/CodePage932.h"
#include "base/FileNameOf.h"
#include "support/TestFiles.h"

TEST(CodePage932, decodesAndEncodesAsTheCaseSays) {
    for (const auto& row : readTable("tests/base/cp932.tsv")) {
        SCOPED_TRACE(row[3]);
        std::u16string text = u"kept ";
        std::string bytes = "kept ";
        if (row[2] != "text") {
            EXPECT_EQ(CodePage932::decode(row[0], text), row[2] == "both");
            EXPECT_EQ(text, u"kept " + u16(row[1]));
        }
        if (row[2] != "bytes") {
            EXPECT_EQ(CodePage932::encode(u16(row[1]), bytes), row[2] == "both");
            EXPECT_EQ(row[2] == "both" ? bytes : "kept " + row[0], "kept " + row[0]);
        }
    }
}

TEST(FileNameOf, takesTheTextAfterTheLastSeparator) {
    for (const auto& row : readTable("tests/base/file-names.tsv"))
        EXPECT_EQ(u8(FileNameOf(fromUtf8(row[0]))), row.size() > 1 ? row[1] : "") << row[0];
}
