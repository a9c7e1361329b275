#include "../support/CatalogueFiles.h"

#include "lookup/ZelkExitStatus.h"
#include "platform/X11StayOnTop.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

template <typename T> struct Reply {
    T* p;
    explicit Reply(T* reply) : p(reply) {}
    ~Reply() { std::free(p); }
    Reply(const Reply&) = delete;
    Reply& operator=(const Reply&) = delete;
    T* operator->() const { return p; }
    explicit operator bool() const { return p != nullptr; }
};

} // namespace

// The stay-on-top state as the window manager (openbox, under Xvfb) reports it in _NET_WM_STATE.
class X11StayOnTopTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QByteArray m_display;
    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_root = 0;

    xcb_atom_t atom(const char* name) const {
        Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
            m_connection, xcb_intern_atom(m_connection, 0, uint16_t(std::strlen(name)), name), nullptr));
        return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }

    std::vector<uint32_t> property(xcb_window_t window, xcb_atom_t name, xcb_atom_t type) const {
        Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
            m_connection, xcb_get_property(m_connection, 0, window, name, type, 0, 1024), nullptr));
        if (!reply || reply->format != 32)
            return {};
        const auto* values = static_cast<const uint32_t*>(xcb_get_property_value(reply.p));
        return {values, values + xcb_get_property_value_length(reply.p) / 4};
    }

    bool isAbove(xcb_window_t window) const {
        const std::vector<uint32_t> states = property(window, atom("_NET_WM_STATE"), XCB_ATOM_ATOM);
        return std::find(states.begin(), states.end(), atom("_NET_WM_STATE_ABOVE")) != states.end();
    }

    // The managed top-level window of process `pid`, or 0 while there is none.
    xcb_window_t managedWindowOf(qint64 pid) const {
        for (uint32_t window : property(m_root, atom("_NET_CLIENT_LIST"), XCB_ATOM_WINDOW)) {
            const std::vector<uint32_t> owner = property(window, atom("_NET_WM_PID"), XCB_ATOM_CARDINAL);
            if (!owner.empty() && owner.front() == uint32_t(pid))
                return window;
        }
        return 0;
    }

    QString title(xcb_window_t window) const {
        const xcb_atom_t name = atom("_NET_WM_NAME");
        Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
            m_connection, xcb_get_property(m_connection, 0, window, name, atom("UTF8_STRING"), 0, 1024),
            nullptr));
        if (!reply)
            return QString();
        return QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(reply.p)),
                                 xcb_get_property_value_length(reply.p));
    }

    bool isManaged(xcb_window_t window) const {
        const std::vector<uint32_t> state = property(window, atom("WM_STATE"), atom("WM_STATE"));
        return !state.empty() && state.front() != 0;
    }

    // Asks the window to close, as the window manager's close box does.
    void requestClose(xcb_window_t window) const {
        xcb_client_message_event_t event;
        std::memset(&event, 0, sizeof event);
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = window;
        event.type = atom("WM_PROTOCOLS");
        event.data.data32[0] = atom("WM_DELETE_WINDOW");
        event.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(m_connection, 0, window, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char*>(&event));
        xcb_flush(m_connection);
    }

private slots:
    void initTestCase() {
        m_display = qgetenv("ZELK_X11_DISPLAY");
        QVERIFY2(!m_display.isEmpty(), "needs the X server of scripts/x11-session (ZELK_X11_DISPLAY)");
        m_connection = xcb_connect(m_display.constData(), nullptr);
        QVERIFY(!xcb_connection_has_error(m_connection));
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        QVERIFY(m_dir.isValid());
        QVERIFY(writeCatalogueFile(m_dir.filePath(QStringLiteral("steel data/JISTEELW.CSV")),
                                   threeGroupCatalogue()));
    }
    void cleanupTestCase() {
        if (m_connection)
            xcb_disconnect(m_connection);
    }

    void startZelk(QProcess& zelk, const QStringList& arguments) const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.insert(QStringLiteral("DISPLAY"), QString::fromLocal8Bit(m_display));
        zelk.setProcessEnvironment(environment);
        zelk.setWorkingDirectory(m_dir.path());
        zelk.setProcessChannelMode(QProcess::ForwardedChannels);
        zelk.start(QStringLiteral(ZELK_BINARY_DIR "/bin/zelk"), arguments);
    }

    void zelkIsAboveAfterStartUpAndEndsWithItsWindow() {
        QProcess zelk;
        // The path comes in two arguments, as an unquoted path with a blank does; zelk joins them.
        startZelk(zelk, {QStringLiteral("steel"), QStringLiteral("data/JISTEELW.CSV")});
        QVERIFY(zelk.waitForStarted());

        xcb_window_t window = 0;
        QTRY_VERIFY_WITH_TIMEOUT((window = managedWindowOf(zelk.processId())) != 0, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(isAbove(window), 5000);
        QCOMPARE(title(window), QStringLiteral("ZELK_Win [ JISTEELW.CSV ]"));

        // Requests to a window on screen go to the window manager, which takes the state off and
        // puts it back.
        X11StayOnTop stayOnTop(m_connection);
        stayOnTop.setAbove(window, false);
        QTRY_VERIFY_WITH_TIMEOUT(!isAbove(window), 5000);
        stayOnTop.setAbove(window, true);
        QTRY_VERIFY_WITH_TIMEOUT(isAbove(window), 5000);

        requestClose(window);
        QVERIFY(zelk.waitForFinished(20000));
        QCOMPARE(zelk.exitStatus(), QProcess::NormalExit);
        QCOMPARE(zelk.exitCode(), 0);
    }

    void catalogueFaultEndsTheProcessAfterItsMessage_data() {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("missing file") << "missing.csv" << int(ZelkExitCatalogueMissing);
        QTest::newRow("wrong tag") << "badtag.csv" << int(ZelkExitCatalogueFault);
    }
    void catalogueFaultEndsTheProcessAfterItsMessage() {
        QFETCH(QString, argument);
        QFETCH(int, exitCode);
        QStringList badTag = threeGroupCatalogue();
        badTag[1] = QStringLiteral("X=d1*e1");
        QVERIFY(writeCatalogueFile(m_dir.filePath(QStringLiteral("badtag.csv")), badTag));

        QProcess zelk;
        startZelk(zelk, {argument});
        QVERIFY(zelk.waitForStarted());
        // The only window is the message box; closing it is the user's answer.
        xcb_window_t box = 0;
        QTRY_VERIFY_WITH_TIMEOUT((box = managedWindowOf(zelk.processId())) != 0, 20000);
        QCOMPARE(title(box), QStringLiteral("ZELK_Win"));
        requestClose(box);
        QVERIFY(zelk.waitForFinished(20000));
        QCOMPARE(zelk.exitStatus(), QProcess::NormalExit);
        QCOMPARE(zelk.exitCode(), exitCode);
    }

    void stateSetBeforeMappingIsKeptByTheWindowManager() {
        const xcb_window_t window = xcb_generate_id(m_connection);
        xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, window, m_root, 10, 10, 100, 80, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
        X11StayOnTop stayOnTop(m_connection);
        stayOnTop.setAbove(window, true);
        stayOnTop.setAbove(window, false);
        QVERIFY(!isAbove(window));
        stayOnTop.setAbove(window, true);
        QVERIFY(isAbove(window));

        xcb_map_window(m_connection, window);
        xcb_flush(m_connection);
        QTRY_VERIFY_WITH_TIMEOUT(isManaged(window), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(isAbove(window), 5000);
        xcb_destroy_window(m_connection, window);
        xcb_flush(m_connection);
    }
};

QTEST_GUILESS_MAIN(X11StayOnTopTest)
#include "X11StayOnTopTest.moc"
