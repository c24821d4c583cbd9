#include "blockedclose.h"

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

// What a window manager sends when the user clicks the title bar's close button.
void sendCloseRequest(QWidget &window)
{
    xcb_connection_t *c = qApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    xcb_client_message_event_t event = {};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = xcb_window_t(window.winId());
    event.type = atom(c, "WM_PROTOCOLS");
    event.data.data32[0] = atom(c, "WM_DELETE_WINDOW");
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(c, 0, event.window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<char *>(&event));
    xcb_flush(c);
}
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
        QTest::qWait(100);
        QCOMPARE(window.closeEvents, 0);

        // Unblocked, the request is the window's own close event, not the watcher's.
        wait.close();
        sendCloseRequest(window);
        QTRY_COMPARE(window.closeEvents, 1);
        QCOMPARE(seen, 1);
    }
};

QTEST_MAIN(tst_blockedclose)
#include "tst_blockedclose.moc"
