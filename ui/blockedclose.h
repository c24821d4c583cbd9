#pragma once

#include <QAbstractNativeEventFilter>
#include <QPointer>
#include <QWidget>

#include <functional>

// Qt drops the window manager's close request for a window that a modal dialog blocks,
// without a close event. This sees the request first, so that the user can be told why
// the window stays instead of nothing happening.
class BlockedCloseWatcher : public QAbstractNativeEventFilter
{
public:
    BlockedCloseWatcher(QWidget *window, std::function<void()> onBlockedClose);
    ~BlockedCloseWatcher() override;

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override;

private:
    bool isCloseRequest(const QByteArray &eventType, void *message);

    QPointer<QWidget> m_window;
    std::function<void()> m_onBlockedClose;
    quint32 m_protocolsAtom = 0;
    quint32 m_deleteAtom = 0;
};
