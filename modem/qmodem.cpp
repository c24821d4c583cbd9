#include "qmodem.h"

#include "commands.h"

QModem::QModem(QObject *parent) : QObject(parent), m_version(4, '\0') {}

bool QModem::setVersion(const QByteArray &version)
{
    if (version.size() != 4)
        return false;
    m_version = version;
    return true;
}

bool QModem::longRecords() const
{
    return (m_functions & FUNCTION_LONG_RECORDS) != 0;
}

void QModem::expectFirmware(bool pending, quint8 first, quint8 last)
{
    m_firmwareCheckPending = pending;
    m_expectedVersionFirst = first;
    m_expectedVersionLast = last;
}

bool QModem::firmwareMatches() const
{
    if (!m_firmwareCheckPending)
        return true;
    return quint8(m_version.at(0)) == m_expectedVersionFirst &&
           quint8(m_version.at(3)) == m_expectedVersionLast;
}
