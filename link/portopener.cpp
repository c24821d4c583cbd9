#include "portopener.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

QString portDevicePath(const QString &name)
{
#ifdef Q_OS_UNIX
    if (!name.startsWith(QLatin1Char('/')))
        return QStringLiteral("/dev/") + name;
#endif
    return name;
}

QString portDeviceGroup(const QString &name)
{
    // Follows a link such as /dev/serial/by-id/... to the device itself.
    return QFileInfo(portDevicePath(name)).group();
}

QSerialPort::SerialPortError openSerialPort(QSerialPort &port, const QString &name)
{
    if (port.open(QIODevice::ReadWrite))
        return QSerialPort::NoError;
    const QSerialPort::SerialPortError error = port.error();
#ifdef Q_OS_UNIX
    if (error == QSerialPort::PermissionError &&
        ::access(QFile::encodeName(portDevicePath(name)).constData(), R_OK | W_OK) == 0)
        return QSerialPort::OpenError;
#else
    Q_UNUSED(name);
    // A COM port is opened exclusively; no user is kept from one by its rights.
    if (error == QSerialPort::PermissionError)
        return QSerialPort::OpenError;
#endif
    return error;
}
