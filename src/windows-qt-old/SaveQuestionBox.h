#pragma once

#include <QMessageBox>

// The editor's question before closing after a change: "編集終了", Yes and No, Yes the default,
// no icon. Only the two buttons answer it: Esc, the close box and Alt+F4 do nothing.
class SaveQuestionBox : public QMessageBox {
    Q_OBJECT

public:
    explicit SaveQuestionBox(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};
