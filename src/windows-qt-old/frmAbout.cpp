#include "frmAbout.h"

#include "CentreOnOwner.h"
#include "DesignFont.h"
#include "Twips.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

namespace {

// A label that sizes itself to its text from its design position.
void placeLabel(QLabel& label, const QString& name, const QString& text, int x, int y) {
    label.setObjectName(name);
    label.setText(text);
    label.move(twipsRect(*label.parentWidget(), x, y, 0, 0).topLeft());
    label.adjustSize();
}

void setTextColour(QLabel& label, const QColor& colour) {
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, colour);
    label.setPalette(palette);
}

} // namespace

frmAbout::frmAbout(const QIcon& applicationIcon, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      Command1(new QPushButton(this)), lblTitle(new QLabel(this)), lblDescription(new QLabel(this)),
      lblVersion(new QLabel(this)), Label1(new QLabel(this)), Label2(new QLabel(this)) {
    setObjectName(u"frmAbout"_qs);
    setWindowTitle(u"ﾊﾞｰｼﾞｮﾝ情報"_qs);
    setWindowIcon(applicationIcon);
    setFixedSize(twipsSize(*this, 3144, 1716));

    Command1->setObjectName(u"Command1"_qs);
    Command1->setGeometry(twipsRect(*this, 120, 120, 612, 612));
    Command1->setIcon(applicationIcon);
    Command1->setIconSize(QSize(32, 32));
    // Neither Enter nor Esc presses it; the space bar and the mouse do.
    Command1->setAutoDefault(false);
    Command1->setDefault(false);
    connect(Command1, &QPushButton::clicked, this, &frmAbout::Command1_Click);

    lblTitle->setFont(designFont(u"Arial Black"_qs, 18.31));
    setTextColour(*lblTitle, QColor(0, 0, 192));
    placeLabel(*lblTitle, u"lblTitle"_qs, u"ZELK_Win"_qs, 840, 0);

    lblDescription->setFont(designFont(u"ＭＳ Ｐ明朝"_qs, 16.48));
    setTextColour(*lblDescription, QColor(0, 0, 192));
    placeLabel(*lblDescription, u"lblDescription"_qs, u"鋼材重量集計"_qs, 840, 480);

    lblVersion->setFont(designFont(u"ＭＳ Ｐゴシック"_qs, 10.38));
    setTextColour(*lblVersion, QColor(0, 0, 255));
    placeLabel(*lblVersion, u"lblVersion"_qs, u"Version 1.01"_qs, 1200, 840);

    placeLabel(*Label1, u"Label1"_qs, u"Copyright (C) 2026"_qs, 360, 1200);
    placeLabel(*Label2, u"Label2"_qs, u"ZELK_Win developers"_qs, 840, 1440);

    Command1->setFocus();
}

void frmAbout::Command1_Click() {
    close();
}

void frmAbout::showEvent(QShowEvent* event) {
    if (!event->spontaneous())
        centreOnOwner(*this);
    QDialog::showEvent(event);
}
