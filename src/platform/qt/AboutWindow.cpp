#include "AboutWindow.h"

#include "QtDesign.h"

#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

AboutWindow::AboutWindow(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    const WindowDesign& design = aboutWindowDesign();
    setObjectName(qtName(design.name));
    setWindowTitle(qtText(design.caption));
    setWindowIcon(applicationIcon());
    setFixedSize(pixelSize(*this, design.client.width, design.client.height));

    QPushButton* command1 = nullptr;
    for (const ControlDesign& control : design.controls) {
        if (control.kind == ControlKind::IconButton) {
            command1 = new QPushButton(this);
            command1->setIcon(applicationIcon());
            command1->setIconSize(QSize(32, 32));
            // Neither Enter nor Esc presses it; the space bar and the mouse do.
            command1->setAutoDefault(false);
            command1->setDefault(false);
            connect(command1, &QPushButton::clicked, this, [this] { Command1_Click(*this); });
            applyDesign(*command1, control);
        } else {
            applyDesign(*new QLabel(this), control);
        }
    }
    // The button is the one control that takes the focus.
    if (command1)
        command1->setFocus();
}

void AboutWindow::showEvent(QShowEvent* event) {
    if (!event->spontaneous())
        centreOnOwner(*this);
    QDialog::showEvent(event);
}
