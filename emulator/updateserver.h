#pragma once

#include "emulatorstate.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QStringList>

#include <memory>
#include <vector>

class QHttpServer;
class QHttpServerResponder;

namespace vexo::emu
{

// The update server of the outside world on this machine (127.0.0.1, plain HTTP):
// version files, firmware images and installers under the server's download path,
// with faults on request. It works in the thread that made it, whose event loop must run.
class UpdateServer : public QObject
{
    Q_OBJECT
public:
    static const char DownloadPath[];

    explicit UpdateServer(QObject *parent = nullptr);
    ~UpdateServer() override;

    // Port 0 takes a free one. False when nothing could be bound.
    bool listen(quint16 port = 0);
    quint16 port() const { return m_port; }
    // Scheme, host and port, as the program's server setting takes them.
    QString address() const;

    void setFile(const QString &name, const QByteArray &body);
    void removeFile(const QString &name);
    // The next answer for this file announces its whole length, sends only the first
    // bytes and hangs up.
    void cutFile(const QString &name, int bytes);
    // Requests for this file are never answered.
    void stallFile(const QString &name);
    void clearFaults();

    // File names asked for, in order.
    QStringList requests() const { return m_requests; }
    int requestCount(const QString &name) const { return int(m_requests.count(name)); }

    // Version files that list a newer firmware than the stick and the actuator of the
    // state run, the images to go with them, and a program version file without news.
    void publishDemo(const EmulatorState &state);

signals:
    void requested(const QString &name);

private:
    void answer(const QString &name, QHttpServerResponder &&responder);

    std::unique_ptr<QHttpServer> m_server;
    quint16 m_port = 0;
    QHash<QString, QByteArray> m_files;
    QHash<QString, int> m_cut;
    QSet<QString> m_stalled;
    std::vector<std::unique_ptr<QHttpServerResponder>> m_waiting;
    QStringList m_requests;
};

} // namespace vexo::emu
