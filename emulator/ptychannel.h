#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>

class QSocketNotifier;
class QTimer;

// The device end of a pseudo-terminal: the program opens slavePath() as its serial
// port, this object reads and writes the master side. Output can be paced to the
// byte rate of a real serial line.
class PtyChannel : public QObject
{
    Q_OBJECT
public:
    explicit PtyChannel(QObject *parent = nullptr);
    ~PtyChannel() override;

    bool open();
    void close();
    bool isOpen() const { return m_master >= 0; }
    QString slavePath() const { return m_slavePath; }
    QString errorString() const { return m_error; }

    // 0 writes at once; otherwise bytes leave at baud / 10 per second (8N1).
    void setPacing(int baud) { m_baud = baud; }
    int pacing() const { return m_baud; }

    // 0 hands received bytes on at once; otherwise no sooner than a line at this rate
    // could have carried them, as a real device receives.
    void setInputPacing(int baud) { m_inBaud = baud; }
    int inputPacing() const { return m_inBaud; }

    void write(const QByteArray &bytes);
    // Bytes queued but not yet handed to the pseudo-terminal.
    qsizetype pendingBytes() const { return m_out.size(); }

signals:
    void received(const QByteArray &bytes);
    // The queue of paced output has drained.
    void written();

private:
    void onReadable();
    void pump();
    void receive(const QByteArray &bytes);
    void deliverInput();

    int m_master = -1;
    int m_slave = -1; // held open so the master never sees a hang-up between clients
    QString m_slavePath;
    QString m_error;
    QSocketNotifier *m_readNotifier = nullptr;
    QSocketNotifier *m_writeNotifier = nullptr;
    QTimer *m_paceTimer = nullptr;
    QByteArray m_out;
    QElapsedTimer m_paceClock;
    qint64 m_pacedSent = 0;
    int m_baud = 0;

    struct Arrival {
        qint64 dueNs; // when its last byte would have arrived
        QByteArray bytes;
    };
    QList<Arrival> m_in;
    QTimer *m_inTimer = nullptr;
    QElapsedTimer m_inClock;
    qint64 m_inFreeAtNs = 0;
    int m_inBaud = 0;
};
