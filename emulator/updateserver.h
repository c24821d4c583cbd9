#pragma once

#include "emulatorstate.h"
#include "signingkey.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QStringList>

#include <memory>
#include <utility>
#include <vector>

class QHttpServer;
class QHttpServerResponder;

namespace vexo::emu
{

// The update server of the outside world on this machine (127.0.0.1, plain HTTP):
// version files, firmware images and installers under the server's download path, each
// signed beside it (<name>.minisig) with a key made for this server, with faults on
// request. It works in the thread that made it, whose event loop must run.
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

    // The key the files are signed with; the program must be told to trust it.
    const SigningKey &key() const { return m_key; }
    // Later files are signed in the legacy form that signs the data itself.
    void setLegacySignatures(bool on) { m_legacy = on; }

    // The trusted comment the signing tool writes by default, "timestamp:<seconds>\tfile:
    // <name>" (seconds: now when < 0), with "\tversion:<version>" when one is given.
    static QByteArray comment(const QString &name, qint64 seconds = -1,
                              const QString &version = QString());
    // Stores the file and its signature, with the tool's default comment.
    void setFile(const QString &name, const QByteArray &body);
    // Stores the file with a signature carrying this trusted comment.
    void setFile(const QString &name, const QByteArray &body, const QByteArray &trustedComment);
    void removeFile(const QString &name);
    // Changes the file's last byte and keeps its signature.
    void tamperFile(const QString &name);
    // Requests for this file are sent to location instead.
    void redirectFile(const QString &name, const QString &location);
    // The answer for this file never ends: chunks of bytes every intervalMs.
    void endlessFile(const QString &name, int bytes, int intervalMs);
    // The next answer for this file announces its whole length, sends only the first
    // bytes and hangs up.
    void cutFile(const QString &name, int bytes);
    // Requests for this file are never answered.
    void stallFile(const QString &name);
    void clearFaults();

    // File names asked for, in order; their signatures apart.
    QStringList requests() const { return m_requests; }
    QStringList signatureRequests() const { return m_signatureRequests; }
    int requestCount(const QString &name) const { return int(m_requests.count(name)); }

    // Version files that list a newer firmware than the stick and the actuator of the
    // state run, the images to go with them, and a program version file without news.
    void publishDemo(const EmulatorState &state);

signals:
    void requested(const QString &name);

private:
    void answer(const QString &name, QHttpServerResponder &&responder);
    void sendEndless(QHttpServerResponder &&responder, int bytes, int intervalMs);

    std::unique_ptr<QHttpServer> m_server;
    quint16 m_port = 0;
    QHash<QString, QByteArray> m_files;
    QHash<QString, int> m_cut;
    QHash<QString, QString> m_redirects;
    QHash<QString, std::pair<int, int>> m_endless;
    SigningKey m_key;
    bool m_legacy = false;
    QSet<QString> m_stalled;
    std::vector<std::unique_ptr<QHttpServerResponder>> m_waiting;
    QStringList m_requests;
    QStringList m_signatureRequests;
};

} // namespace vexo::emu
