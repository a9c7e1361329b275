// The stand-in spreadsheet of the link's end-to-end tests and benchmark, as awkward as a real one
// (see StandIn.h): it fetches the clipboard late and twice, pastes what it got last, lets keys
// wait for a paste, asks for the formats whenever the clipboard changes owner, and ignores keys
// without a gap. Arrows, Enter (down), Tab (right) and Home move the current cell; other
// characters are typed into it; a paste fills the cells from the current one on, tab-separated
// fields as columns, lines as rows. After every change it writes its grid file:
//   cursor<TAB>A2, pastes<TAB>N, ignored<TAB>N, then KEY<TAB>text for every cell that is not empty.
// Usage: zelk-standin-spreadsheet GRID_FILE TITLE ROWS [MODE]
// MODE, for a spreadsheet worse still:
//   late           it asks for the text kStandInLateMs later (busy recalculating);
//   refuse-focus   it hands the focus back to the window active before as soon as it gets it,
//                  as a window manager that refuses the activation leaves it;
//   stop-after-paste  after its first paste it stops (SIGSTOP) like a hung program, until it is
//                  sent SIGCONT.
#include "StandIn.h"
#include "platform/qt/x11/X11Connection.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QClipboard>
#include <QHash>
#include <QKeyEvent>
#include <QMimeData>
#include <QSaveFile>
#include <QTableWidget>
#include <QTimer>

#include <algorithm>
#include <csignal>
#include <memory>
#include <optional>

namespace {

constexpr int kColumns = 10;

void askForFormats() {
    if (const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard))
        (void)data->formats();
}

// Sends the activation straight back to the window that was active before, whenever the focus
// arrives from outside: as a window manager that refuses an activation leaves the focus where it
// was. It learns that window from the root window's _NET_ACTIVE_WINDOW.
class FocusRefuser : public QAbstractNativeEventFilter {
public:
    FocusRefuser() {
        const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_x11.get(), m_x11.root(), XCB_CW_EVENT_MASK, &mask);
    }

    bool nativeEventFilter(const QByteArray&, void* message, qintptr*) override {
        const auto* event = static_cast<const xcb_focus_in_event_t*>(message);
        const uint8_t type = event->response_type & 0x7f;
        if (type == XCB_PROPERTY_NOTIFY) {
            const xcb_window_t active = m_x11.activeWindow();
            if (active != XCB_NONE && m_x11.clientOf(active) != m_own)
                m_previous = active;
        }
        // The focus coming from outside; not the pointer's passing over it, nor a move inside.
        if (type == XCB_FOCUS_IN && event->detail != XCB_NOTIFY_DETAIL_POINTER &&
            event->detail != XCB_NOTIFY_DETAIL_INFERIOR && m_previous != XCB_NONE) {
            xcb_ewmh_request_change_active_window(
                &m_x11.ewmh(), 0, m_previous, XCB_EWMH_CLIENT_SOURCE_TYPE_OTHER, XCB_CURRENT_TIME, XCB_NONE);
            xcb_flush(m_x11.get());
        }
        return false;
    }

private:
    X11Connection& m_x11 = *X11Connection::application();
    const uint32_t m_own = m_x11.clientOf(xcb_get_setup(m_x11.get())->resource_id_base);
    xcb_window_t m_previous = m_x11.activeWindow();
};

class StandInSheet : public QTableWidget {
public:
    StandInSheet(QString gridFile, int rows, QString mode)
        : QTableWidget(rows, kColumns), m_gridFile(std::move(gridFile)), m_mode(std::move(mode)) {
        connect(QGuiApplication::clipboard(), &QClipboard::changed, this, [](QClipboard::Mode changed) {
            if (changed == QClipboard::Clipboard)
                QTimer::singleShot(5, Qt::PreciseTimer, askForFormats);
        });
        setCurrentCell(0, 0);
        writeGrid();
    }

protected:
    // Keys act on their release, so that one released too soon after its press can be ignored.
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
            ++m_ignored;
        else
            m_waiting.append(press);
        runWaiting();
    }

private:
    QString m_gridFile;
    QString m_mode;
    std::optional<unsigned long> m_lastKeyTime;
    QHash<int, std::pair<std::shared_ptr<QKeyEvent>, bool>> m_pressed; // with "too soon"
    QList<std::shared_ptr<QKeyEvent>> m_waiting;                       // for the paste to end
    bool m_pasting = false;
    int m_pastes = 0;
    int m_ignored = 0;

    void runWaiting() {
        while (!m_pasting && !m_waiting.isEmpty())
            act(*m_waiting.takeFirst());
        writeGrid();
    }

    void act(const QKeyEvent& event) {
        const int key = event.key(), row = currentRow(), column = currentColumn();
        const bool ctrlOrAlt = event.modifiers() & (Qt::ControlModifier | Qt::AltModifier);
        if ((event.modifiers() & Qt::ControlModifier) && key == Qt::Key_V) {
            m_pasting = true;
            const int late = m_mode == u"late" ? kStandInLateMs : 0;
            QTimer::singleShot(kStandInFormatsFetchMs, Qt::PreciseTimer, this, askForFormats);
            QTimer::singleShot(late + kStandInFirstFetchMs, Qt::PreciseTimer, this,
                               [] { (void)QGuiApplication::clipboard()->text(); });
            QTimer::singleShot(late + kStandInLastFetchMs, Qt::PreciseTimer, this, [this] {
                paste(QGuiApplication::clipboard()->text());
                m_pasting = false;
                runWaiting();
                if (m_mode == u"stop-after-paste" && m_pastes == 1)
                    std::raise(SIGSTOP);
            });
        } else if (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Tab || key == Qt::Key_Home) {
            moveTo(row, key == Qt::Key_Home ? 0 : column + (key == Qt::Key_Left ? -1 : 1));
        } else if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Return ||
                   key == Qt::Key_Enter) {
            moveTo(row + (key == Qt::Key_Up ? -1 : 1), column);
        } else if (!ctrlOrAlt && !event.text().isEmpty() && event.text()[0].isPrint()) {
            setText(row, column, text(row, column) + event.text());
        }
    }

    void moveTo(int row, int column) {
        setCurrentCell(std::clamp(row, 0, rowCount() - 1), std::clamp(column, 0, kColumns - 1));
    }

    QString text(int row, int column) const {
        const QTableWidgetItem* cell = item(row, column);
        return cell ? cell->text() : QString();
    }

    void setText(int row, int column, const QString& text) {
        if (row >= rowCount() || column >= kColumns)
            return;
        if (text.isEmpty())
            delete takeItem(row, column);
        else
            setItem(row, column, new QTableWidgetItem(text));
    }

    // What the clipboard held at the last fetch, from the current cell on: tab-separated fields as
    // columns, lines as rows.
    void paste(const QString& fetched) {
        ++m_pastes;
        const QStringList lines = QString(fetched).remove(u'\r').split(u'\n', Qt::SkipEmptyParts);
        for (qsizetype r = 0; r < lines.size(); ++r) {
            const QStringList fields = lines[r].split(u'\t');
            for (qsizetype c = 0; c < fields.size(); ++c)
                setText(currentRow() + int(r), currentColumn() + int(c), fields[c]);
        }
    }

    static QString cellName(int row, int column) { return QChar(u'A' + column) + QString::number(row + 1); }

    void writeGrid() {
        QString grid = QStringLiteral("cursor\t%1\npastes\t%2\nignored\t%3\n")
                           .arg(cellName(currentRow(), currentColumn()))
                           .arg(m_pastes)
                           .arg(m_ignored);
        for (int row = 0; row < rowCount(); ++row) {
            for (int column = 0; column < kColumns; ++column) {
                if (!text(row, column).isEmpty())
                    grid += cellName(row, column) + u'\t' + text(row, column) + u'\n';
            }
        }
        QSaveFile file(m_gridFile);
        if (file.open(QIODevice::WriteOnly) && file.write(grid.toUtf8()) >= 0)
            file.commit();
    }
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    const QString mode = arguments.value(4);
    FocusRefuser refuser;
    if (mode == u"refuse-focus")
        app.installNativeEventFilter(&refuser);
    StandInSheet sheet(arguments[1], std::max(1, arguments[3].toInt()), mode);
    sheet.setWindowTitle(arguments[2]);
    sheet.setGeometry(10, 40, 820, 600);
    sheet.show();
    return QApplication::exec();
}
