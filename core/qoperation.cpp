#include "qoperation.h"

#include <QMetaObject>

QOperation::QOperation(const QString &text, bool cancelEnabled, QObject *parent)
    : QObject(parent), m_text(text), m_cancelEnabled(cancelEnabled)
{
}

void QOperation::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    emit textChanged(text);
}

void QOperation::setCancelEnabled(bool enabled)
{
    if (enabled == m_cancelEnabled)
        return;
    m_cancelEnabled = enabled;
    emit cancelEnabledChanged(enabled);
}

void QOperation::setProgress(int value, int maximum)
{
    m_progress = value;
    m_maximum = maximum;
    emit progressChanged(value, maximum);
}

void QOperation::reportStep(const QString &text)
{
    emit stepped(text);
}

void QOperation::finish(Outcome outcome, const QString &error, bool queued)
{
    if (isFinished() || outcome == Running)
        return;
    m_outcome = outcome;
    m_error = error;
    if (queued)
        QMetaObject::invokeMethod(this, &QOperation::finished, Qt::QueuedConnection);
    else
        emit finished();
}

void QOperation::cancel()
{
    // A step that must not be cut (a table being given back) runs to its end.
    if (isFinished() || !m_cancelEnabled)
        return;
    m_cancelRequested = true;
    emit cancelRequested();
}
