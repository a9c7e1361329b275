#include "frmText.h"

#include "CentreOnOwner.h"
#include "DesignFont.h"
#include "EditorDialogs.h"
#include "Twips.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QPlainTextEdit>

namespace {

// The same file, also when one path is relative to the current directory and the other is not,
// and without regard to case where the file system ignores it.
bool isSameFile(const QString& a, const QString& b) {
    const QFileInfo first(a);
    const QFileInfo second(b);
    if (first.exists() && second.exists())
        return first == second;
    // Two files that do not exist have no canonical path to compare.
    return first.absoluteFilePath() == second.absoluteFilePath();
}

} // namespace

frmText::frmText(const QString& dataFileName, EditorDialogs& dialogs, QWidget* owner)
    : QDialog(owner, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      rtf1(new QPlainTextEdit(this)), m_dialogs(dialogs), m_dataFileName(dataFileName) {
    setObjectName(u"frmText"_qs);
    setWindowTitle(u"Text Screen"_qs);
    resize(twipsSize(*this, 4932, 4896));

    rtf1->setObjectName(u"rtf1"_qs);
    rtf1->setGeometry(twipsRect(*this, 0, 0, 3252, 2652));
    rtf1->setFont(designFont(u"ＭＳ ゴシック"_qs, 9.15));
    rtf1->setLineWrapMode(QPlainTextEdit::NoWrap);
    rtf1->setPlainText(u"データファイルなし"_qs);
    connect(rtf1, &QPlainTextEdit::textChanged, this, &frmText::rtf1_Change);

    Form_Load();
}

void frmText::Form_Load() {
    m_loadDone = false;
    const CatalogueText::ReadResult file = CatalogueText::read(m_dataFileName);
    if (file.ok) {
        rtf1->setPlainText(file.text);
        m_encoding = file.encoding;
    } else {
        // The design content stays, so the user sees that there is nothing to edit.
        m_dialogs.showError(parentWidget(), u"データファイルを読み込めません。\n%1\n%2"_qs.arg(
                                                QFileInfo(m_dataFileName).absoluteFilePath(), file.error));
    }
    m_loadDone = true;
}

void frmText::rtf1_Change() {
    if (m_loadDone)
        m_textChanged = true;
}

void frmText::Form_Resize() {
    rtf1->setGeometry(0, 0, width(), height());
}

void frmText::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    Form_Resize();
}

void frmText::showEvent(QShowEvent* event) {
    if (!event->spontaneous())
        centreOnOwner(*this);
    QDialog::showEvent(event);
}

void frmText::keyPressEvent(QKeyEvent* event) {
    // The editor has no cancel button: Esc is not a way to close it.
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmText::reject() {
    if (Form_QueryUnload())
        QDialog::reject();
}

bool frmText::Form_QueryUnload() {
    if (!m_textChanged)
        return true;
    if (!m_dialogs.askSaveChanges(this))
        return true;
    return saveText();
}

bool frmText::saveText() {
    // Checked before the save dialog: nothing is written with a character replaced.
    const CatalogueText::EncodeResult encoded = CatalogueText::encode(rtf1->toPlainText(), m_encoding);
    if (!encoded.ok) {
        m_dialogs.showError(
            this, u"%1行目の文字「%2」(%3) はこのファイルの文字コード (%4) で保存できません。\n"
                  u"その文字を直してから閉じてください。"_qs.arg(encoded.badLine)
                      .arg(encoded.badCharacter, CatalogueText::codePointText(encoded.badCharacter),
                           m_encoding == CatalogueText::Encoding::Utf8 ? u"UTF-8"_qs : u"シフトJIS"_qs));
        return false;
    }
    const std::optional<QString> path = chooseSavePath();
    if (!path)
        return false;
    const QString failure = CatalogueText::write(*path, encoded.bytes);
    if (!failure.isEmpty()) {
        m_dialogs.showError(this, u"データファイルを保存できません。\n%1\n%2"_qs.arg(*path, failure));
        return false;
    }
    if (!isSameFile(*path, m_dataFileName))
        m_dataFileName = *path;
    return true;
}

std::optional<QString> frmText::chooseSavePath() {
    QString proposed = m_dataFileName;
    for (;;) {
        const std::optional<QString> chosen = m_dialogs.askSaveFileName(this, proposed);
        if (!chosen)
            return std::nullopt;
        if (isSameFile(*chosen, m_dataFileName) || !QFileInfo::exists(*chosen))
            return chosen;
        if (m_dialogs.askOverwrite(this, u"%1 は既にあります。\n上書きしますか。"_qs.arg(*chosen)))
            return chosen;
        proposed = *chosen;
    }
}
