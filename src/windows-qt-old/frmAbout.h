#pragma once

#include <QDialog>

class QIcon;
class QLabel;
class QPushButton;

// The version information window: the program's title, description, version and copyright
// notice beside the application icon, on a fixed dialog frame without a task-bar entry.
// Shown modally over the lookup window: `frmAbout(icon, lookupWindow).exec();`
class frmAbout : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(const QIcon& applicationIcon, QWidget* owner = nullptr);

    QPushButton* const Command1;
    QLabel* const lblTitle;
    QLabel* const lblDescription;
    QLabel* const lblVersion;
    QLabel* const Label1;
    QLabel* const Label2;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Command1_Click();
};
