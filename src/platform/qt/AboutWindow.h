#pragma once

#include "forms/AboutWindowLogic.h"

#include <QDialog>

// The version information window `frmAbout`, built from its design: the icon button `Command1`
// and the five labels on a fixed dialog frame without a task-bar entry. Shown modally over the
// lookup window.
class AboutWindow final : public QDialog, private AboutView {
public:
    explicit AboutWindow(QWidget* owner);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void closeWindow() override { close(); }
};
