// The keystroke notation of the catalogue's settings (key-sequences.tsv), and which window the
// link takes for the spreadsheet's (window-titles.tsv).
#include "link/KeySequence.h"
#include "link/SpreadsheetWindowTitle.h"
#include "support/TestFiles.h"

TEST(KeySequence, readsTheKeysOrSaysWhatIsWrong) {
    for (const auto& row : readTable("tests/link/key-sequences.tsv")) {
        SCOPED_TRACE(row[0]);
        const KeySequenceParse parsed = parseKeySequence(u16(row[0]));
        std::string keys = parsed.sequence ? "" : "error: " + u8(parsed.error);
        for (const KeyStroke& stroke : parsed.sequence ? parsed.sequence->strokes : std::vector<KeyStroke>())
            keys += (keys.empty() ? "" : ", ") + u8(stroke.description());
        EXPECT_EQ(keys + (parsed.sequence && parsed.sequence->pastes() ? " (pastes)" : ""), row[1]);
    }
}

TEST(SpreadsheetWindowTitle, choosesAsAppActivateDoes) {
    for (const auto& row : readTable("tests/link/window-titles.tsv")) {
        std::vector<std::u16string> titles;
        for (const std::string& title : split(row[0], '|'))
            titles.push_back(fromUtf8(title));
        EXPECT_EQ(matchWindowTitle(titles, fromUtf8(row[1])), std::stoi(row[2])) << row[0] << " / " << row[1];
    }
}
