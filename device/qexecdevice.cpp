#include "qexecdevice.h"

QExecDevice::QExecDevice(QObject *parent) : QObject(parent), m_params(ParamSlots, Unknown) {}

QExecDevice::~QExecDevice() = default;

quint8 QExecDevice::paramValue(quint16 id) const
{
    if (id > MaxParamId)
        return Unknown;
    return m_params.at(id);
}

void QExecDevice::setParamValue(quint16 id, quint8 value)
{
    if (id > MaxParamId)
        return;
    m_params[id] = value;
}

bool QExecDevice::setVersion(const QByteArray &answer)
{
    if (answer.size() != 4)
        return false;
    QByteArray stored(4, '\0');
    stored[0] = answer.at(3);
    stored[1] = answer.at(1);
    stored[2] = answer.at(2);
    stored[3] = answer.at(0);
    m_version = stored;
    return true;
}

bool QExecDevice::storeVersion(const QByteArray &stored)
{
    if (stored.size() != 4)
        return false;
    m_version = stored;
    return true;
}

bool QExecDevice::isVersionKnown() const
{
    return m_version.size() == 4 && (m_version.at(0) != 0 || m_version.at(3) != 0);
}
