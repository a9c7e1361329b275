#pragma once

#include "catalogue/CatalogueText.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// What the catalogue text editor's logic needs of its window: the edit box `rtf1`, the questions
// and messages, and the save-file dialog. Each platform's editor window implements it; tests
// implement it with a double that answers from a script.
class TextEditorView {
public:
    virtual ~TextEditorView() = default;

    // The whole text of `rtf1`, lines separated by "\n". Setting it is a change of the text like
    // any other: the window runs rtf1_Change for it.
    virtual void setText(const std::u16string& text) = 0;
    virtual std::u16string text() const = 0;

    // The question before closing after a change (kSaveQuestion, titled kSaveQuestionTitle):
    // Yes, the default, or No; nothing else answers it.
    virtual bool askSaveChanges() = 0;
    // A Yes/No question whose default is No, the answer that leaves every file as it is.
    virtual bool askToProceed(const std::u16string& text) = 0;
    // An OK-only message.
    virtual void showMessage(const std::u16string& text) = 0;
    // The save-file dialog with `proposed` filled in: the chosen path, or nothing on Cancel.
    virtual std::optional<std::filesystem::path> askSaveFileName(const std::filesystem::path& proposed) = 0;
};

inline constexpr std::u16string_view kSaveQuestion = u"データは変更されています。保存しますか。";
inline constexpr std::u16string_view kSaveQuestionTitle = u"編集終了";

// The catalogue text editor `frmText`, apart from its widgets: the load, the change flag, and on
// closing after a change the question whether to save, under the same name or another.
//
// Saving never loses the edits and never changes a file behind the user's back: on Cancel in the
// save dialog, on a No to any question, on a text the file's encoding cannot hold and on a failed
// write the window stays open with the text as it is. Bytes that the encoding could not decode
// are named at the load and asked about before a save, and a file that someone else changed
// since the load is not replaced without asking.
class TextEditor {
public:
    TextEditor(TextEditorView& view, std::filesystem::path dataFileName);

    // Fills `rtf1` from the file; a file that cannot be read leaves the design text and says why.
    void Form_Load();
    void rtf1_Change();
    // Whether the window may close now: asks, and saves, when the text was changed.
    bool Form_QueryUnload();

    // The catalogue path: the one the editor was opened with, or the one the text was saved under.
    const std::filesystem::path& dataFileName() const { return m_dataFileName; }
    // Set by the first change after the load and never reset: an edit undone again still counts.
    bool TextChanged() const { return m_textChanged; }

    // What the editor remembers of a file's bytes, to tell whether someone changed it.
    struct Fingerprint {
        bool readable = false;
        std::uintmax_t size = 0;
        std::uint64_t hash = 0;
        bool operator==(const Fingerprint&) const = default;
    };

private:
    bool saveText();
    std::optional<std::filesystem::path> chooseSavePath();

    TextEditorView& m_view;
    std::filesystem::path m_dataFileName;
    CatalogueText::Encoding m_encoding = CatalogueText::Encoding::Cp932;
    std::vector<std::int64_t> m_badLines;
    Fingerprint m_loaded;
    // LoadDone: false while the file is being loaded, true from the end of the load on, so that the
    // load itself is no change.
    bool m_loadDone = false;
    bool m_textChanged = false;
};
