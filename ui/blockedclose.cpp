#include "blockedclose.h"

#include <QApplication>

#ifdef VEXO_HAVE_XCB
#include <QGuiApplication>
#include <xcb/xcb.h>
#endif
#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace
{
#ifdef VEXO_HAVE_XCB
quint32 internAtom(xcb_connection_t *connection, const QByteArray &name)
{
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 1, quint16(name.size()), name.constData());
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const quint32 atom = reply ? reply->atom : 0;
    free(reply);
    return atom;
}
#endif
} // namespace

BlockedCloseWatcher::BlockedCloseWatcher(QWidget *window, std::function<void()> onBlockedClose)
    : m_window(window), m_onBlockedClose(std::move(onBlockedClose))
{
#ifdef VEXO_HAVE_XCB
    // Other platforms (offscreen, Wayland) may still answer with an interface but no
    // connection.
    auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 && x11->connection() && QGuiApplication::platformName() == QLatin1String("xcb")) {
        m_protocolsAtom = internAtom(x11->connection(), "WM_PROTOCOLS");
        m_deleteAtom = internAtom(x11->connection(), "WM_DELETE_WINDOW");
    }
#endif
    qApp->installNativeEventFilter(this);
}

BlockedCloseWatcher::~BlockedCloseWatcher()
{
    qApp->removeNativeEventFilter(this);
}

bool BlockedCloseWatcher::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    QWidget *modal = QApplication::activeModalWidget();
    if (m_window && modal && modal != m_window && isCloseRequest(eventType, message))
        m_onBlockedClose();
    // Qt goes on to drop it, as it would anyway.
    return false;
}

bool BlockedCloseWatcher::isCloseRequest(const QByteArray &eventType, void *message)
{
    const WId id = m_window->internalWinId();
    if (!id)
        return false;
#ifdef VEXO_HAVE_XCB
    if (eventType == "xcb_generic_event_t" && m_deleteAtom) {
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE)
            return false;
        const auto *client = static_cast<const xcb_client_message_event_t *>(message);
        return client->format == 32 && client->window == id && client->type == m_protocolsAtom &&
               client->data.data32[0] == m_deleteAtom;
    }
#endif
#ifdef Q_OS_WIN
    if (eventType == "windows_generic_MSG") {
        const auto *msg = static_cast<const MSG *>(message);
        return msg->message == WM_CLOSE && msg->hwnd == reinterpret_cast<HWND>(id);
    }
#endif
    Q_UNUSED(eventType);
    Q_UNUSED(message);
    Q_UNUSED(id);
    return false;
}
