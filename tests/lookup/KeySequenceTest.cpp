// The keystroke notation of the catalogue's settings (key-sequences.tsv), and the texts that
// belong to the link: window titles and file names.
#include "link/KeySequence.h"
#include "base/FileNameOf.h"
#include "link/SpreadsheetWindowTitle.h"
#include "support/TestFiles.h"

TEST(KeySequence, readsTheKeysOrSaysWhatIsWrong) {
    for (const auto& row : readTable("tests/lookup/key-sequences.tsv")) {
        SCOPED_TRACE(row[0]);
        const KeySequenceParse parsed = parseKeySequence(fromUtf8(row[0]));
        std::string keys = parsed.sequence ? "" : "error: " + u8(parsed.error);
        for (const KeyStroke& stroke : parsed.sequence ? parsed.sequence->strokes : std::vector<KeyStroke>())
            keys += (keys.empty() ? "" : ", ") + u8(stroke.description());
        EXPECT_EQ(keys, row[1]);
    }
}

TEST(SpreadsheetWindowTitle, choosesAsAppActivateDoes) {
    for (const auto& row : readTable("tests/lookup/window-titles.tsv")) {
        std::vector<std::u16string> titles;
        for (const std::string& title : split(row[0], '|'))
            titles.push_back(fromUtf8(title));
        EXPECT_EQ(matchWindowTitle(titles, fromUtf8(row[1])), std::stoi(row[2])) << row[0] << " / " << row[1];
    }
}

TEST(FileNameOf, takesTheTextAfterTheLastSeparator) {
    for (const auto& row : readTable("tests/lookup/file-names.tsv"))
        EXPECT_EQ(u8(FileNameOf(fromUtf8(row[0]))), row.size() > 1 ? row[1] : "") << row[0];
}
