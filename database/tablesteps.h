#pragma once

#include "qcontroldevice.h"
#include "qlineoperation.h"

#include <QList>

#include <functional>

// Reads the stick's records one after the other until the erased record that ends the
// table; each record moves the operation's progress.
class TableReadStep : public QLineStep
{
public:
    // arriving, when given, hears each new remote as it comes (first: the first of the read).
    using Arriving = std::function<void(const QControlDevice &remote, bool first)>;
    TableReadStep(QModemSession *session, QOperation *operation, const Arriving &arriving = {});

    int judge(const QRS232Message &request, const QRS232Message &answer) override;
    bool next() override;
    void sendFirst();

    bool ended() const { return m_ended; }
    QList<QControlDevice> takeReceived() { return std::exchange(m_received, {}); }

private:
    QOperation *m_operation;
    Arriving m_arriving;
    QList<QControlDevice> m_received;
    bool m_ended = false;
};

// Writes remotes into the stick one record after the other, each confirmed before the
// next goes out.
class TableWriteStep : public QLineStep
{
public:
    TableWriteStep(QModemSession *session, QOperation *operation,
                   const QList<QControlDevice> &list);

    bool next() override;
    void sendFirst();
    // The records the stick confirmed.
    int confirmed() const { return qMax(0, m_index - 1); }
    int count() const { return int(m_list.size()); }

private:
    void sendRecord();

    QOperation *m_operation;
    QList<QControlDevice> m_list;
    int m_index = 0;
};
