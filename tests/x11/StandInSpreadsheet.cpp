// The stand-in spreadsheet of the link's end-to-end tests and benchmark on X11, its sheet and
// its fetches those of support/StandInGrid.h: it lets keys wait for a paste and asks for the
// clipboard's formats whenever the clipboard changes owner. Its window shows nothing; the tests
// read its grid file.
// Usage: zelk-standin-spreadsheet GRID_FILE TITLE [MODE]
// MODE, for a spreadsheet worse still:
//   later:T1,T2... / inside:T1,T2...  its fetches of each paste (support/StandInGrid.h)
//   refuse-focus   its window takes no input focus, so that the focus stays where it was, as a
//                  window manager that refuses the activation leaves it;
//   stop-after-paste  after its first paste it stops answering, like a hung program, for
//                  kStandInHungSeconds: far longer than zelk waits for an answer.
#include "support/StandInGrid.h"

#include <QApplication>
#include <QClipboard>
#include <QHash>
#include <QKeyEvent>
#include <QMimeData>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>
#include <thread>

namespace {

constexpr int kStandInHungSeconds = 10;

void askForFormats() {
    if (const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard))
        (void)data->formats();
}

// Keys act on their release, so that one released too soon after its press can be ignored, and
// wait while a paste is under way.
class StandInSheet : public QWidget {
public:
    StandInSheet(QString gridFile, QString mode)
        : m_gridFile(std::move(gridFile)), m_mode(std::move(mode)),
          m_fetches(fetchPattern(m_mode.toStdString())) {
        setFocusPolicy(Qt::StrongFocus);
        connect(QGuiApplication::clipboard(), &QClipboard::changed, this, [](QClipboard::Mode changed) {
            if (changed == QClipboard::Clipboard)
                QTimer::singleShot(5, Qt::PreciseTimer, askForFormats);
        });
        writeGrid();
    }

protected:
    bool focusNextPrevChild(bool) override { return false; } // Tab is a key of the sheet

    void keyPressEvent(QKeyEvent* event) override {
        if (event->isAutoRepeat())
            return;
        const bool tooSoon = m_lastKeyTime && event->timestamp() - *m_lastKeyTime < kStandInKeyGapMs;
        m_lastKeyTime = event->timestamp();
        if (event->key() < Qt::Key_Shift || event->key() > Qt::Key_Alt) // not a modifier
            m_pressed[event->key()] = {std::shared_ptr<QKeyEvent>(event->clone()), tooSoon};
    }

    void keyReleaseEvent(QKeyEvent* event) override {
        if (event->isAutoRepeat())
            return;
        m_lastKeyTime = event->timestamp();
        if (!m_pressed.contains(event->key()))
            return;
        const auto [press, tooSoon] = m_pressed.take(event->key());
        if (tooSoon || event->timestamp() - press->timestamp() < kStandInKeyGapMs)
            ++m_grid.ignored;
        else
            m_waiting.append(press);
        runWaiting();
    }

private:
    QString m_gridFile;
    QString m_mode;
    FetchPattern m_fetches;
    StandInGrid m_grid;
    std::optional<unsigned long> m_lastKeyTime;
    QHash<int, std::pair<std::shared_ptr<QKeyEvent>, bool>> m_pressed; // with "too soon"
    QList<std::shared_ptr<QKeyEvent>> m_waiting;                       // for the paste to end
    bool m_pasting = false;
    QString m_text; // what the last fetch got

    void runWaiting() {
        while (!m_pasting && !m_waiting.isEmpty())
            act(*m_waiting.takeFirst());
        writeGrid();
    }

    void act(const QKeyEvent& event) {
        static const QHash<int, std::pair<int, int>> kMoves{
            {Qt::Key_Left, {0, -1}},    {Qt::Key_Right, {0, 1}}, {Qt::Key_Tab, {0, 1}},
            {Qt::Key_Backtab, {0, -1}}, {Qt::Key_Up, {-1, 0}},   {Qt::Key_Down, {1, 0}},
            {Qt::Key_Return, {1, 0}},   {Qt::Key_Enter, {1, 0}}};
        if ((event.modifiers() & Qt::ControlModifier) && event.key() == Qt::Key_V && m_fetches.inside) {
            const auto start = std::chrono::steady_clock::now();
            for (const int at : m_fetches.times) {
                std::this_thread::sleep_until(start + std::chrono::milliseconds(at));
                m_text = QGuiApplication::clipboard()->text(); // asks for the formats itself
            }
            m_grid.paste(m_grid.cursor, m_text.toStdU16String());
        } else if ((event.modifiers() & Qt::ControlModifier) && event.key() == Qt::Key_V) {
            m_pasting = true;
            QTimer::singleShot(kStandInFormatsFetchMs, Qt::PreciseTimer, this, askForFormats);
            for (const int at : m_fetches.times) {
                QTimer::singleShot(at, Qt::PreciseTimer, this, [this, last = at == m_fetches.times.back()] {
                    m_text = QGuiApplication::clipboard()->text();
                    if (last)
                        pasted();
                });
            }
        } else if (event.key() == Qt::Key_Home) {
            m_grid.move(0, -m_grid.cursor.second);
        } else if (kMoves.contains(event.key())) {
            m_grid.move(kMoves[event.key()].first, kMoves[event.key()].second);
        } else if (!(event.modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            for (const QChar c : event.text())
                m_grid.type(c.unicode());
        }
    }

    void pasted() {
        m_grid.paste(m_grid.cursor, m_text.toStdU16String());
        m_pasting = false;
        runWaiting();
        if (m_mode == u"stop-after-paste" && m_grid.pastes == 1)
            std::this_thread::sleep_for(std::chrono::seconds(kStandInHungSeconds));
    }

    void writeGrid() { writeGridFile(m_gridFile.toStdString(), m_grid.entries()); }
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    const QString mode = arguments.value(3);
    StandInSheet sheet(arguments[1], mode);
    sheet.setWindowTitle(arguments[2]);
    sheet.setWindowFlag(Qt::WindowDoesNotAcceptFocus, mode == u"refuse-focus");
    sheet.setGeometry(10, 40, 820, 600);
    sheet.show();
    return QApplication::exec();
}
