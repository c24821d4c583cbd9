#pragma once

#include <QFrame>

class QLabel;

// A strip in the window that says why the search cannot open a port and what the user can
// do about it: no permission, or another program holds the port. It speaks once per run
// and reason: a port refused again at the next pass, or after the user has closed the
// strip, adds nothing; a modal box at every probe would stop the user from doing anything
// else.
class PortAccessNotice : public QFrame
{
    Q_OBJECT
public:
    explicit PortAccessNotice(QWidget *parent = nullptr);

    // The advice for a port whose device file belongs to group; the usual group when
    // the file's own cannot be told.
    static QString message(const QString &port, const QString &group);
    static QString busyMessage(const QString &port);
    QString text() const;
    bool reported() const { return m_reported; }

public slots:
    void report(const QString &port);
    void reportBusy(const QString &port);
    // A session opened: whatever was refused, the stick has been reached.
    void withdraw();

private:
    QLabel *m_label;
    bool m_reported = false;
    bool m_busyReported = false;
};
