#include "tablesteps.h"

#include "commands.h"
#include "qmodemsession.h"

TableReadStep::TableReadStep(QModemSession *session, QOperation *operation,
                             const Arriving &arriving)
    : QLineStep(session), m_operation(operation), m_arriving(arriving)
{
}

void TableReadStep::sendFirst()
{
    session()->sendDataCommand(CMD_READ_FIRST_REMOTE, TARGET_MODEM);
}

int TableReadStep::judge(const QRS232Message &, const QRS232Message &answer)
{
    const bool longRecords = session()->modem().longRecords();
    const QByteArray payload = answer.payload();
    const int size = longRecords ? QControlDevice::LongRecordSize : QControlDevice::ShortRecordSize;
    if (!answer.is_data_frame() || answer.command() != ANS_REMOTE || payload.size() != size)
        return QModemSession::RESULT_BAD_ANSWER;
    bool valid = false;
    const QControlDevice remote = QControlDevice::fromRecord(payload, longRecords, &valid);
    if (!valid) {
        // The erased record after the last one ends the table.
        m_ended = true;
        return QModemSession::RESULT_OK;
    }
    const bool known = std::any_of(m_received.cbegin(), m_received.cend(),
                                   [&](const QControlDevice &r) { return r.id() == remote.id(); });
    if (!known) {
        m_received.append(remote);
        if (m_arriving)
            m_arriving(remote, m_received.size() == 1);
    }
    m_operation->reportStep();
    // Only the end record may end the read: a table longer than the used places the
    // stick reported still shows a bar short of full.
    const int counted = m_operation->progress() + 1;
    m_operation->setProgress(counted, qMax(m_operation->maximum(), counted + 1));
    return QModemSession::RESULT_OK;
}

bool TableReadStep::next()
{
    if (m_ended)
        return true;
    session()->sendDataCommand(CMD_READ_NEXT_REMOTE, TARGET_MODEM);
    return false;
}

TableWriteStep::TableWriteStep(QModemSession *session, QOperation *operation,
                               const QList<QControlDevice> &list)
    : QLineStep(session), m_operation(operation), m_list(list)
{
}

void TableWriteStep::sendFirst()
{
    m_index = 0;
    sendRecord();
}

void TableWriteStep::sendRecord()
{
    const QControlDevice &remote = m_list.at(m_index++);
    session()->sendDataCommand(CMD_WRITE_REMOTE, TARGET_MODEM,
                               remote.toRecord(session()->modem().longRecords()));
}

bool TableWriteStep::next()
{
    // Every record sent so far has been confirmed.
    m_operation->setProgress(m_index, count());
    if (m_index >= count())
        return true;
    m_operation->reportStep();
    sendRecord();
    return false;
}
