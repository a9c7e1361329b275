#include "QtEditorDialogs.h"

#include "SaveQuestionBox.h"
#include "YesNoTexts.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>

bool QtEditorDialogs::askSaveChanges(QWidget* parent) {
    SaveQuestionBox box(parent);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> QtEditorDialogs::askSaveFileName(QWidget* parent, const QString& proposedPath) {
    // No title, no filter, no default extension: a name typed without an extension is used as typed.
    // The editor asks itself before replacing a file, because saving over the catalogue it is
    // editing must not ask.
    const QString chosen =
        QFileDialog::getSaveFileName(parent, QString(), QFileInfo(proposedPath).absoluteFilePath(), QString(),
                                     nullptr, QFileDialog::DontConfirmOverwrite);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

bool QtEditorDialogs::askOverwrite(QWidget* parent, const QString& text) {
    // No is the default: replacing another file is the answer that cannot be taken back.
    QMessageBox box(QMessageBox::Question, QGuiApplication::applicationDisplayName(), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    setJapaneseYesNoTexts(box);
    return box.exec() == QMessageBox::Yes;
}

void QtEditorDialogs::showError(QWidget* parent, const QString& text) {
    QMessageBox::warning(parent, QGuiApplication::applicationDisplayName(), text);
}
