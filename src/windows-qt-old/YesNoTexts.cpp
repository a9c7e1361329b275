#include "YesNoTexts.h"

#include <QMessageBox>
#include <QPushButton>

void setJapaneseYesNoTexts(QMessageBox& box) {
    if (QAbstractButton* yes = box.button(QMessageBox::Yes))
        yes->setText(u"はい(&Y)"_qs);
    if (QAbstractButton* no = box.button(QMessageBox::No))
        no->setText(u"いいえ(&N)"_qs);
}
