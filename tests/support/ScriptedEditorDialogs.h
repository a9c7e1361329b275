#pragma once

#include "windows/EditorDialogs.h"

#include <QList>
#include <QStringList>

// Answers the editor's dialogs from a script and records each one asked, in order, as
// "question", "save-as <proposed path>", "overwrite <text>" or "error <text>". A dialog that the
// script has no answer for records "unexpected ..." and answers No / Cancel.
class ScriptedEditorDialogs : public EditorDialogs {
public:
    QList<bool> saveAnswers;                   // the question: true for Yes
    QList<std::optional<QString>> fileAnswers; // the save dialog: a path, or nothing for Cancel
    QList<bool> overwriteAnswers;
    QStringList asked;

    bool askSaveChanges(QWidget*) override {
        asked << QStringLiteral("question");
        if (saveAnswers.isEmpty()) {
            asked << QStringLiteral("unexpected question");
            return false;
        }
        return saveAnswers.takeFirst();
    }

    std::optional<QString> askSaveFileName(QWidget*, const QString& proposedPath) override {
        asked << QStringLiteral("save-as ") + proposedPath;
        if (fileAnswers.isEmpty()) {
            asked << QStringLiteral("unexpected save-as");
            return std::nullopt;
        }
        return fileAnswers.takeFirst();
    }

    bool askOverwrite(QWidget*, const QString& text) override {
        asked << QStringLiteral("overwrite ") + text;
        if (overwriteAnswers.isEmpty()) {
            asked << QStringLiteral("unexpected overwrite");
            return false;
        }
        return overwriteAnswers.takeFirst();
    }

    void showError(QWidget*, const QString& text) override { asked << QStringLiteral("error ") + text; }
};
