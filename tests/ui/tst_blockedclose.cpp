#include "blockedclose.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QTest>

#include <xcb/xcb.h>

namespace
{
class Window : public QWidget
{
public:
    int closeEvents = 0;

protected:
    void closeEvent(QCloseEvent *event) override
    {
        ++closeEvents;
        event->ignore();
    }
};

xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    xcb_intern_atom_reply_t *reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, quint16(strlen(name)), name), nullptr);
    const xcb_atom_t a = reply ? reply->atom : 0;
    free(reply);
    return a;
}

xcb_connection_t *connection()
{
    return qApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

void sendClientMessage(QWidget &window, const char *type, const char *what)
{
    xcb_connection_t *c = connection();
    xcb_client_message_event_t event = {};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = xcb_window_t(window.winId());
    event.type = atom(c, type);
    event.data.data32[0] = atom(c, what);
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(c, 0, event.window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<char *>(&event));
    xcb_flush(c);
}

// What a window manager sends when the user clicks the title bar's close button.
void sendCloseRequest(QWidget &window)
{
    sendClientMessage(window, "WM_PROTOCOLS", "WM_DELETE_WINDOW");
}

// A message of the test's own sent after others: the X server delivers in order, and Qt
// hands the window system's events on in the same pass in which it reads them, so once
// the mark is seen, whatever came before it has reached its window or been dropped.
class Mark : public QAbstractNativeEventFilter
{
public:
    explicit Mark(QWidget &window) : m_window(window)
    {
        m_type = atom(connection(), "VEXO_TEST_MARK");
        qApp->installNativeEventFilter(this);
    }
    ~Mark() override { qApp->removeNativeEventFilter(this); }

    bool passed()
    {
        m_seen = false;
        sendClientMessage(m_window, "VEXO_TEST_MARK", "VEXO_TEST_MARK");
        return QTest::qWaitFor([this] { return m_seen; });
    }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if (eventType == "xcb_generic_event_t" &&
            (event->response_type & 0x7f) == XCB_CLIENT_MESSAGE &&
            static_cast<const xcb_client_message_event_t *>(message)->type == m_type)
            m_seen = true;
        return false;
    }

private:
    QWidget &m_window;
    xcb_atom_t m_type = 0;
    bool m_seen = false;
};
} // namespace

// Runs on a real X server (Xvfb): the close request must come as a window manager sends it.
class tst_blockedclose : public QObject
{
    Q_OBJECT

private slots:
    void aBlockedWindowsCloseRequestIsSeen()
    {
        QCOMPARE(QGuiApplication::platformName(), QString("xcb"));
        Window window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        int seen = 0;
        BlockedCloseWatcher watcher(&window, [&seen] { ++seen; });

        QDialog wait(&window);
        wait.setWindowModality(Qt::WindowModal);
        wait.open();
        QVERIFY(QTest::qWaitForWindowExposed(&wait));
        sendCloseRequest(window);
        QTRY_COMPARE(seen, 1);
        // Qt itself drops it: that is why the watcher is needed.
        Mark mark(window);
        QVERIFY(mark.passed());
        QCOMPARE(window.closeEvents, 0);

        // Unblocked, the request is the window's own close event, not the watcher's.
        // The mark shows it by then, as it would have shown the blocked one.
        wait.close();
        sendCloseRequest(window);
        QVERIFY(mark.passed());
        QCOMPARE(window.closeEvents, 1);
        QCOMPARE(seen, 1);
    }
};

QTEST_MAIN(tst_blockedclose)
#include "tst_blockedclose.moc"
