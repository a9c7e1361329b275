#pragma once

#include "Win32Design.h"
#include "forms/TextEditor.h"

#include <windows.h>

#include <vector>

// The catalogue text editor `frmText`: the file as plain text in one multi-line edit control that
// fills the window. Its behaviour is TextEditor's; this window shows its text, questions and the
// common Save As dialog. dataFileName() after showModal() is the catalogue path.
class TextEditorWindow final : private TextEditorView {
public:
    explicit TextEditorWindow(const std::filesystem::path& dataFileName);

    // Shows the window modally over `owner`, centred on it, until it has closed.
    void showModal(HWND owner);
    const std::filesystem::path& dataFileName() const { return m_editor.dataFileName(); }

private:
    friend INT_PTR CALLBACK modalDialogProcedure<TextEditorWindow>(HWND, UINT, WPARAM, LPARAM);
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Message handlers.
    void onInitDialog();
    void onSize();
    void onCommand(WPARAM wParam);
    void onClose();
    void onDpiChanged(UINT dpi, const RECT& suggested);

    // TextEditorView
    void setText(const std::u16string& text) override;
    std::u16string text() const override;
    bool askSaveChanges() override;
    bool askToProceed(const std::u16string& text) override;
    void showMessage(const std::u16string& text) override;
    std::optional<std::filesystem::path> askSaveFileName(const std::filesystem::path& proposed) override;

    // The messages of the load come before the window is shown: over the lookup window then.
    HWND messageOwner() const;

    HWND m_hwnd = nullptr;
    UINT m_dpi = USER_DEFAULT_SCREEN_DPI;
    std::vector<DesignControl> m_controls;
    HWND m_rtf1 = nullptr;
    bool m_settingText = false;
    TextEditor m_editor;
};
