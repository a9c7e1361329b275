#pragma once

#include "forms/TextEditor.h"

#include <QDialog>

class QPlainTextEdit;

// The catalogue text editor `frmText`: the file as plain text in one edit box that fills the
// window. Its behaviour is TextEditor's; this window shows its text, questions and dialogs.
// Shown modally over the lookup window; dataFileName() afterwards is the catalogue path.
class TextEditorWindow final : public QDialog, private TextEditorView {
public:
    TextEditorWindow(const std::filesystem::path& dataFileName, QWidget* owner);

    const std::filesystem::path& dataFileName() const { return m_editor.dataFileName(); }

    // Every close request (close box, system menu, Alt+F4) arrives here.
    void reject() override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // TextEditorView
    void setText(const std::u16string& text) override;
    std::u16string text() const override;
    bool askSaveChanges() override;
    bool askToProceed(const std::u16string& text) override;
    void showMessage(const std::u16string& text) override;
    std::optional<std::filesystem::path> askSaveFileName(const std::filesystem::path& proposed) override;

    // The messages of the load come before the window is shown: over the lookup window then.
    QWidget* messageParent();

    QPlainTextEdit* m_rtf1;
    TextEditor m_editor;
};
