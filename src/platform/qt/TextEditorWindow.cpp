#include "TextEditorWindow.h"

#include "QtDesign.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

// The question before closing after a change: Yes (the default) or No, no icon. Only the two
// buttons answer it: Esc, the close box and Alt+F4 do nothing.
class SaveQuestionBox final : public QMessageBox {
public:
    explicit SaveQuestionBox(QWidget* parent)
        : QMessageBox(QMessageBox::NoIcon, qtText(kSaveQuestionTitle), qtText(kSaveQuestion),
                      QMessageBox::Yes | QMessageBox::No, parent,
                      Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
        setDefaultButton(QMessageBox::Yes);
        setJapaneseYesNo(*this);
        setWindowFlags(windowFlags() & ~Qt::WindowCloseButtonHint);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Cancel)) {
            event->accept();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }
    // Answering hides the box without a close event, so any close request comes from elsewhere.
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

} // namespace

TextEditorWindow::TextEditorWindow(const std::filesystem::path& dataFileName, QWidget* owner)
    : QDialog(owner, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      m_rtf1(new QPlainTextEdit(this)), m_editor(*this, dataFileName) {
    const WindowDesign& design = textEditorDesign();
    setObjectName(qtName(design.name));
    setWindowTitle(qtText(design.caption));
    resize(pixelSize(*this, design.client.width, design.client.height));

    const ControlDesign& rtf1 = design.control("rtf1");
    applyDesign(*m_rtf1, rtf1);
    m_rtf1->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_rtf1->setPlainText(qtText(rtf1.text));
    connect(m_rtf1, &QPlainTextEdit::textChanged, this, [this] { m_editor.rtf1_Change(); });

    m_editor.Form_Load();
}

void TextEditorWindow::setText(const std::u16string& text) {
    m_rtf1->setPlainText(qtText(text));
}

std::u16string TextEditorWindow::text() const {
    return coreText(m_rtf1->toPlainText());
}

QWidget* TextEditorWindow::messageParent() {
    return isVisible() ? this : parentWidget();
}

bool TextEditorWindow::askSaveChanges() {
    SaveQuestionBox box(this);
    return box.exec() == QMessageBox::Yes;
}

bool TextEditorWindow::askToProceed(const std::u16string& text) {
    return askYesNo(messageParent(), qtText(text), false);
}

void TextEditorWindow::showMessage(const std::u16string& text) {
    showMessageBox(messageParent(), qtText(text));
}

std::optional<std::filesystem::path>
TextEditorWindow::askSaveFileName(const std::filesystem::path& proposed) {
    // No title, no filter, no default extension: a name typed without an extension is used as
    // typed. The editor asks itself before replacing another file.
    const QString chosen =
        QFileDialog::getSaveFileName(this, QString(), qtPath(std::filesystem::absolute(proposed)), QString(),
                                     nullptr, QFileDialog::DontConfirmOverwrite);
    if (chosen.isEmpty())
        return std::nullopt;
    return corePath(chosen);
}

void TextEditorWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    // Form_Resize: the box covers the whole client area.
    m_rtf1->setGeometry(0, 0, width(), height());
}

void TextEditorWindow::showEvent(QShowEvent* event) {
    if (!event->spontaneous())
        centreOnOwner(*this);
    QDialog::showEvent(event);
}

void TextEditorWindow::keyPressEvent(QKeyEvent* event) {
    // The editor has no cancel button: Esc is not a way to close it.
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TextEditorWindow::reject() {
    if (m_editor.Form_QueryUnload())
        QDialog::reject();
}
