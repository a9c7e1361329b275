// Puts the editor, the save question and the About window on the screen one after another and
// saves a picture of the whole screen for each, for looking at them as the user will.
// Usage (under scripts/x11-session, QT_QPA_PLATFORM=xcb): editor-screens OUTPUT_FOLDER
#include "windows/QtEditorDialogs.h"
#include "windows/SaveQuestionBox.h"
#include "windows/frmAbout.h"
#include "windows/frmText.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

namespace {

bool shoot(QWidget& window, const QString& path) {
    if (!QTest::qWaitForWindowExposed(&window))
        return false;
    QTest::qWait(400); // let the window manager draw the frame
    // What the window manager was told about the window, printed beside the picture.
    QProcess::execute(QStringLiteral("xprop"),
                      {QStringLiteral("-id"), QString::number(window.winId()), QStringLiteral("WM_NAME"),
                       QStringLiteral("_NET_WM_WINDOW_TYPE"), QStringLiteral("WM_TRANSIENT_FOR"),
                       QStringLiteral("_NET_WM_ALLOWED_ACTIONS"), QStringLiteral("WM_NORMAL_HINTS")});
    return QGuiApplication::primaryScreen()->grabWindow(0).save(path);
}

QIcon placeholderIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.fillRect(1, 1, 14, 3, Qt::red);
    painter.fillRect(7, 1, 3, 14, Qt::red);
    painter.setPen(QPen(Qt::yellow, 3));
    painter.drawEllipse(19, 3, 10, 10);
    painter.fillRect(2, 18, 12, 3, Qt::green);
    painter.fillRect(2, 18, 3, 12, Qt::green);
    painter.fillRect(2, 27, 12, 3, Qt::green);
    painter.fillRect(18, 18, 3, 12, Qt::cyan);
    painter.fillRect(18, 27, 12, 3, Qt::cyan);
    return QIcon(pixmap);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZELK_Win"));
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    QTemporaryDir work;
    const QString catalogue = work.filePath(QStringLiteral("JISTEELW.CSV"));
    if (!QFile::copy(QStringLiteral(ZELK_SOURCE_DIR "/data/JISTEELW.CSV"), catalogue))
        return 1;

    // Where the lookup window stands by its design.
    QWidget owner;
    owner.setWindowTitle(QStringLiteral("ZELK_Win [ JISTEELW.CSV ]"));
    owner.setGeometry(475, 76, 180, 214);
    owner.show();

    QtEditorDialogs dialogs;
    frmText editor(catalogue, dialogs, &owner);
    editor.show();
    bool ok = shoot(editor, out.filePath(QStringLiteral("editor.png")));
    editor.rtf1->insertPlainText(QStringLiteral("鋼材 "));

    SaveQuestionBox question(&editor);
    question.show();
    ok = shoot(question, out.filePath(QStringLiteral("save-question.png"))) && ok;
    question.done(QMessageBox::No);
    editor.hide();

    frmAbout about(placeholderIcon(), &owner);
    about.show();
    ok = shoot(about, out.filePath(QStringLiteral("about.png"))) && ok;
    return ok ? 0 : 1;
}
