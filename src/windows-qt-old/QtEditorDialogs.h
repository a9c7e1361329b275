#pragma once

#include "EditorDialogs.h"

// The editor's dialogs as the user sees them: message boxes and the save-file dialog.
class QtEditorDialogs : public EditorDialogs {
public:
    bool askSaveChanges(QWidget* parent) override;
    std::optional<QString> askSaveFileName(QWidget* parent, const QString& proposedPath) override;
    bool askOverwrite(QWidget* parent, const QString& text) override;
    void showError(QWidget* parent, const QString& text) override;
};
