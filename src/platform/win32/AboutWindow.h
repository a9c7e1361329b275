#pragma once

#include "Win32Design.h"
#include "forms/AboutWindowLogic.h"

#include <windows.h>

#include <vector>

// The About window `frmAbout`: a fixed dialog with the icon button and the five labels of its
// design. Its one behaviour, the button closing it, is Command1_Click's.
class AboutWindow final : private AboutView {
public:
    AboutWindow() = default;
    ~AboutWindow() override;

    // Shows the window modally over `owner`, centred on it, until it has closed.
    void showModal(HWND owner);

private:
    friend INT_PTR CALLBACK modalDialogProcedure<AboutWindow>(HWND, UINT, WPARAM, LPARAM);
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Message handlers.
    void onInitDialog();
    void onCommand(WPARAM wParam);
    void onDpiChanged(UINT dpi, const RECT& suggested);

    // AboutView
    void closeWindow() override;

    // The icons at `dpi`: the window's and the button's.
    void applyIcons(UINT dpi);

    HWND m_hwnd = nullptr;
    std::vector<DesignControl> m_controls;
    HWND m_Command1 = nullptr;
    HICON m_windowIcon = nullptr;
    HICON m_smallIcon = nullptr;
    HICON m_buttonIcon = nullptr;
};
