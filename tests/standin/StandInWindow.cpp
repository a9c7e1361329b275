#include "StandInWindow.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QSaveFile>
#include <QTimer>

namespace {

bool isModifierKey(int key) {
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta ||
           key == Qt::Key_AltGr;
}

void askForFormats() {
    if (const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard))
        (void)data->formats();
}

} // namespace

StandInWindow::StandInWindow(const QString& gridFile, int rows)
    : QTableWidget(rows, StandInGrid::kColumns), gridFile_(gridFile) {
    grid_.rows = rows;
    QStringList columns;
    for (int c = 0; c < StandInGrid::kColumns; ++c)
        columns.append(QString(QChar(u'A' + c)));
    setHorizontalHeaderLabels(columns);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    horizontalHeader()->setDefaultSectionSize(105);
    connect(QGuiApplication::clipboard(), &QClipboard::changed, this, [](QClipboard::Mode mode) {
        if (mode == QClipboard::Clipboard)
            QTimer::singleShot(5, Qt::PreciseTimer, askForFormats);
    });
    setCurrentCell(0, 0);
}

void StandInWindow::showEvent(QShowEvent* event) {
    QTableWidget::showEvent(event);
    QTimer::singleShot(0, this, &StandInWindow::changed);
}

void StandInWindow::keyPressEvent(QKeyEvent* event) {
    if (event->isAutoRepeat())
        return;
    const ulong time = event->timestamp();
    const bool tooSoon = haveKeyTime_ && time - lastKeyTime_ < kMinKeyGapMs;
    haveKeyTime_ = true;
    lastKeyTime_ = time;
    if (!isModifierKey(event->key()))
        pressed_.insert(event->key(), Press{time, tooSoon, event->modifiers(), event->text()});
}

void StandInWindow::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat())
        return;
    const ulong time = event->timestamp();
    haveKeyTime_ = true;
    lastKeyTime_ = time;
    const auto press = pressed_.find(event->key());
    if (press == pressed_.end())
        return;
    const Press p = *press;
    pressed_.erase(press);
    if (p.tooSoon || time - p.time < kMinKeyGapMs) {
        ++grid_.ignoredKeys;
        changed();
        return;
    }
    const int key = event->key();
    if (pasting_)
        waiting_.append([this, key, p] { act(key, p.modifiers, p.text); });
    else
        act(key, p.modifiers, p.text);
}

void StandInWindow::act(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    const bool ctrl = modifiers & Qt::ControlModifier;
    if (ctrl && key == Qt::Key_V) {
        startPaste();
        return;
    }
    switch (key) {
    case Qt::Key_Left:
        grid_.move(-1, 0);
        break;
    case Qt::Key_Right:
    case Qt::Key_Tab:
        grid_.move(1, 0);
        break;
    case Qt::Key_Up:
        grid_.move(0, -1);
        break;
    case Qt::Key_Down:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        grid_.move(0, 1);
        break;
    case Qt::Key_Home:
        grid_.move(-StandInGrid::kColumns, 0);
        break;
    default:
        if (ctrl || (modifiers & Qt::AltModifier) || text.isEmpty() || !text[0].isPrint())
            return;
        grid_.type(text);
        break;
    }
    changed();
}

void StandInWindow::startPaste() {
    pasting_ = true;
    fetched_.clear();
    QTimer::singleShot(kTargetsFetchMs, Qt::PreciseTimer, this, askForFormats);
    QTimer::singleShot(kFirstTextFetchMs, Qt::PreciseTimer, this,
                       [this] { fetched_ = QGuiApplication::clipboard()->text(QClipboard::Clipboard); });
    QTimer::singleShot(kLastTextFetchMs, Qt::PreciseTimer, this, &StandInWindow::finishPaste);
}

void StandInWindow::finishPaste() {
    fetched_ = QGuiApplication::clipboard()->text(QClipboard::Clipboard);
    grid_.paste(fetched_);
    pasting_ = false;
    changed();
    const QList<std::function<void()>> waiting = std::exchange(waiting_, {});
    for (const auto& action : waiting) {
        if (pasting_)
            waiting_.append(action);
        else
            action();
    }
}

void StandInWindow::changed() {
    clearContents();
    for (auto it = grid_.cells.cbegin(); it != grid_.cells.cend(); ++it)
        setItem(it.key().first, it.key().second, new QTableWidgetItem(it.value()));
    setCurrentCell(grid_.cursor.y(), grid_.cursor.x());
    QSaveFile file(gridFile_);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(grid_.toText().toUtf8());
        file.commit();
    }
}
