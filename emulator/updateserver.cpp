#include "updateserver.h"

#include "firmwarefile.h"

#include <QDateTime>
#include <QHostAddress>
#include <QHttpServer>
#include <QHttpServerResponder>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

namespace vexo::emu
{

const char UpdateServer::DownloadPath[] = "/proj/vexo/upload/downloads/";

UpdateServer::UpdateServer(QObject *parent)
    : QObject(parent), m_server(std::make_unique<QHttpServer>())
{
    m_server->route(
        QString(DownloadPath) + "<arg>",
        [this](const QString &name, const QHttpServerRequest &, QHttpServerResponder &&responder) {
            answer(name, std::move(responder));
        });
}

UpdateServer::~UpdateServer()
{
    // The stalled answers go before the server and its sockets.
    m_waiting.clear();
}

bool UpdateServer::listen(quint16 port)
{
    m_port = m_server->listen(QHostAddress::LocalHost, port);
    return m_port != 0;
}

QString UpdateServer::address() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(m_port);
}

namespace
{
const char SIGNATURE_SUFFIX[] = ".minisig";
}

QByteArray UpdateServer::comment(const QString &name, qint64 seconds, const QString &version)
{
    if (seconds < 0)
        seconds = QDateTime::currentSecsSinceEpoch();
    QByteArray text = "timestamp:" + QByteArray::number(seconds) + "\tfile:" + name.toUtf8();
    if (!version.isEmpty())
        text += "\tversion:" + version.toUtf8();
    return text;
}

void UpdateServer::setFile(const QString &name, const QByteArray &body)
{
    setFile(name, body, comment(name));
}

void UpdateServer::setFile(const QString &name, const QByteArray &body,
                           const QByteArray &trustedComment)
{
    m_files.insert(name, body);
    if (!name.endsWith(SIGNATURE_SUFFIX))
        m_files.insert(name + SIGNATURE_SUFFIX, m_key.sign(body, !m_legacy, trustedComment));
}

void UpdateServer::tamperFile(const QString &name)
{
    const auto file = m_files.find(name);
    if (file != m_files.end() && !file->isEmpty())
        file->back() = char(file->back() ^ 1);
}

void UpdateServer::redirectFile(const QString &name, const QString &location)
{
    m_redirects.insert(name, location);
}

void UpdateServer::endlessFile(const QString &name, int bytes, int intervalMs)
{
    m_endless.insert(name, {bytes, intervalMs});
}

void UpdateServer::removeFile(const QString &name)
{
    m_files.remove(name);
}

void UpdateServer::cutFile(const QString &name, int bytes)
{
    m_cut.insert(name, bytes);
}

void UpdateServer::stallFile(const QString &name)
{
    m_stalled.insert(name);
}

void UpdateServer::clearFaults()
{
    m_cut.clear();
    m_stalled.clear();
    m_redirects.clear();
    m_endless.clear();
}

void UpdateServer::answer(const QString &name, QHttpServerResponder &&responder)
{
    if (name.endsWith(SIGNATURE_SUFFIX)) {
        m_signatureRequests << name;
    } else {
        m_requests << name;
        emit requested(name);
    }
    if (m_stalled.contains(name)) {
        m_waiting.push_back(std::make_unique<QHttpServerResponder>(std::move(responder)));
        return;
    }
    if (const auto to = m_redirects.constFind(name); to != m_redirects.constEnd()) {
        responder.write({{"Location", to->toUtf8()}}, QHttpServerResponder::StatusCode::Found);
        return;
    }
    if (const auto endless = m_endless.constFind(name); endless != m_endless.constEnd()) {
        sendEndless(std::move(responder), endless->first, endless->second);
        return;
    }
    const auto file = m_files.constFind(name);
    if (file == m_files.constEnd()) {
        responder.write(QHttpServerResponder::StatusCode::NotFound);
        return;
    }
    const QByteArray mime =
        name.endsWith(".txt") ? "text/plain; charset=utf-8" : "application/octet-stream";
    if (!m_cut.contains(name)) {
        responder.write(*file, mime);
        return;
    }
    const int sent = qBound(0, m_cut.take(name), int(file->size()));
    responder.writeStatusLine(QHttpServerResponder::StatusCode::Ok);
    responder.writeHeader("Content-Type", mime);
    responder.writeHeader("Content-Length", QByteArray::number(file->size()));
    responder.writeBody(file->left(sent));
    responder.socket()->disconnectFromHost();
}

void UpdateServer::sendEndless(QHttpServerResponder &&responder, int bytes, int intervalMs)
{
    // No length: the body lasts until the connection ends, which only the client does.
    responder.writeStatusLine(QHttpServerResponder::StatusCode::Ok);
    responder.writeHeader("Content-Type", "application/octet-stream");
    const QByteArray chunk(bytes, 'x');
    responder.writeBody(chunk);
    const QPointer<QTcpSocket> socket = responder.socket();
    auto *timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [socket, timer, chunk] {
        if (!socket || socket->state() != QAbstractSocket::ConnectedState) {
            timer->deleteLater();
            return;
        }
        socket->write(chunk);
    });
    timer->start(intervalMs);
    m_waiting.push_back(std::make_unique<QHttpServerResponder>(std::move(responder)));
}

void UpdateServer::publishDemo(const EmulatorState &state)
{
    const std::array<quint8, 4> &stick = state.modemVersion; // major, type, board, minor
    const std::array<quint8, 4> &actuator = state.actuatorVersion;
    const auto version = [](int major, int minor) {
        return QString::number(major) + "." + QString::number(minor) + "\n";
    };

    setFile("pc_version_5813_ru.txt", QStringLiteral("0.39\n"
                                                     "+ Таблица пультов в файлах JSON\n"
                                                     "0.40e\n"
                                                     "+ Обновления из интернета\n"
                                                     "! Поиск USB-stick после отключения\n")
                                          .toUtf8());

    setFile("modem_version_5813_ru.txt",
            (version(stick[0], stick[3]) + "+ Длинные записи пультов с именами в UTF-8\n" +
             version(stick[0], stick[3] + 1) +
             "+ Режим поиска слышит пульты дальше\n"
             "* Таблица пультов читается быстрее\n"
             "! Повтор команды после потери ответа больше не пишет запись дважды\n")
                .toUtf8());
    setFile(QString("modem_5813_setup_board_%1.bin").arg(stick[2]),
            FirmwareFile::forTarget(state, 0, stick[0], quint8(stick[3] + 1), 6 * 1024).toBytes());

    setFile("device_version_5813_ru.txt",
            (version(actuator[0], actuator[3]) + "+ Автономный режим\n" +
             version(actuator[0], actuator[3] + 1) +
             "* Плавный останов у концевых положений\n"
             "! Параметр времени работы сохраняется после сброса питания\n"
             "- Устаревший режим импульсного управления\n")
                .toUtf8());
    setFile(QString("device_5813_setup_board_%1.bin").arg(actuator[2]),
            FirmwareFile::forTarget(state, 1, actuator[0], quint8(actuator[3] + 1), 3 * 1024)
                .toBytes());
}

} // namespace vexo::emu
