#pragma once

#include <QString>

#include <optional>

class QWidget;

// The modal questions and messages of the catalogue text editor. The editor decides what to ask
// and what to say; this interface only shows it and returns the answer, so that tests can answer
// without a dialog blocking them.
class EditorDialogs {
public:
    virtual ~EditorDialogs() = default;

    // "データは変更されています。保存しますか。": true for Yes, false for No (there is no other way out).
    virtual bool askSaveChanges(QWidget* parent) = 0;
    // The save-file dialog, proposing `proposedPath`; the chosen path, or nothing on Cancel.
    virtual std::optional<QString> askSaveFileName(QWidget* parent, const QString& proposedPath) = 0;
    // Whether an existing file other than the catalogue being edited may be replaced; `text` names it.
    virtual bool askOverwrite(QWidget* parent, const QString& text) = 0;
    // A message with an OK button only.
    virtual void showError(QWidget* parent, const QString& text) = 0;
};
