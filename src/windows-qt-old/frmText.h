#pragma once

#include "catalogue/CatalogueText.h"

#include <QDialog>

#include <optional>

class EditorDialogs;
class QPlainTextEdit;

// The catalogue text editor: the catalogue file as plain text in one edit box that fills the
// window, and on closing after any change the question whether to save, under the same name or
// another. Shown modally over the lookup window:
//
//     frmText editor(DataFileName, dialogs, lookupWindow);
//     editor.exec();
//     DataFileName = editor.dataFileName();
//
// Saving never loses the edits: on Cancel in the save dialog, on a text the file's encoding cannot
// hold or on a failed write the editor stays open with the text as it was.
class frmText : public QDialog {
    Q_OBJECT

public:
    frmText(const QString& dataFileName, EditorDialogs& dialogs, QWidget* owner = nullptr);

    // The catalogue path after the editor closed: the name the text was saved under, otherwise
    // the one it was opened with.
    QString dataFileName() const { return m_dataFileName; }
    // False while the file is being loaded, true from the end of the load on.
    bool LoadDone() const { return m_loadDone; }
    // Set by the first change of the text after the load, and never reset: an edit undone again
    // still counts, because the user may have meant to keep the file as it now reads.
    bool TextChanged() const { return m_textChanged; }

    QPlainTextEdit* const rtf1;

public slots:
    // Every close request (close box, system menu, Alt+F4) arrives here.
    void reject() override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_Load();
    void Form_Resize();
    // Whether the window may close: asks, and saves, when the text was changed.
    bool Form_QueryUnload();
    void rtf1_Change();
    bool saveText();
    std::optional<QString> chooseSavePath();

    EditorDialogs& m_dialogs;
    QString m_dataFileName;
    CatalogueText::Encoding m_encoding = CatalogueText::Encoding::Cp932;
    bool m_loadDone = false;
    bool m_textChanged = false;
};
