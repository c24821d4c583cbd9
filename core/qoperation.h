#pragma once

#include <QObject>
#include <QString>

// One piece of work on the line, started by its runner and handed back to the caller, as
// a network reply is: it reports progress and steps while it runs, and emits finished
// exactly once with its outcome. cancel() asks the runner to end it; nothing waits in
// an event loop of its own.
class QOperation : public QObject
{
    Q_OBJECT
public:
    enum Outcome {
        Running,
        Succeeded,
        Failed,
        Cancelled,
        // Not started: another operation was running.
        Refused,
        // The USB-stick vanished before the work was done.
        Lost,
    };
    Q_ENUM(Outcome)

    explicit QOperation(const QString &text, bool cancelEnabled, QObject *parent = nullptr);

    QString text() const { return m_text; }
    bool isCancelEnabled() const { return m_cancelEnabled; }
    Outcome outcome() const { return m_outcome; }
    bool isFinished() const { return m_outcome != Running; }
    bool succeeded() const { return m_outcome == Succeeded; }
    QString errorString() const { return m_error; }
    // Cancel was asked for; the runner may still finish some steps (giving back what a
    // cut change took away) before the operation ends as cancelled.
    bool isCancelRequested() const { return m_cancelRequested; }
    int progress() const { return m_progress; }
    int maximum() const { return m_maximum; }
    // What is left undone should the stick vanish before the end; the loss's message says it.
    QString undoneText() const { return m_undone; }

    // For the runner and the owner of the work.
    void setText(const QString &text);
    void setUndoneText(const QString &text) { m_undone = text; }
    void setCancelEnabled(bool enabled);
    void setProgress(int value, int maximum);
    void reportStep(const QString &text = QString());
    // Ends the operation; later calls are ignored. finished is emitted at once, or from
    // the event loop with queued, so a caller that connects after the start still hears it.
    void finish(Outcome outcome, const QString &error = QString(), bool queued = false);

public slots:
    // Asks the runner to end the operation as the user's Cancel would.
    void cancel();

signals:
    void textChanged(QString text);
    void cancelEnabledChanged(bool enabled);
    void progressChanged(int value, int maximum);
    void stepped(QString text);
    void cancelRequested();
    void finished();

private:
    QString m_text;
    QString m_error;
    QString m_undone;
    Outcome m_outcome = Running;
    int m_progress = 0;
    int m_maximum = 0;
    bool m_cancelEnabled = false;
    bool m_cancelRequested = false;
};
