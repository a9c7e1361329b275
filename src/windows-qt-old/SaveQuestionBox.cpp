#include "SaveQuestionBox.h"

#include "YesNoTexts.h"

#include <QCloseEvent>
#include <QKeyEvent>

SaveQuestionBox::SaveQuestionBox(QWidget* parent)
    : QMessageBox(QMessageBox::NoIcon, u"編集終了"_qs, u"データは変更されています。保存しますか。"_qs,
                  QMessageBox::Yes | QMessageBox::No, parent,
                  Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setDefaultButton(QMessageBox::Yes);
    setJapaneseYesNoTexts(*this);
    // QMessageBox adds a close box of its own; this question has none.
    setWindowFlags(windowFlags() & ~Qt::WindowCloseButtonHint);
}

void SaveQuestionBox::keyPressEvent(QKeyEvent* event) {
    // QMessageBox would take No as the escape button; the question has none.
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QMessageBox::keyPressEvent(event);
}

void SaveQuestionBox::closeEvent(QCloseEvent* event) {
    // Answering hides the box without a close event, so any close request comes from elsewhere.
    event->ignore();
}
