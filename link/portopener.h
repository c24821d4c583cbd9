#pragma once

#include <QSerialPort>
#include <QString>

#include <functional>

// Opens a port whose name and line settings are already set: NoError, or why not. The
// link takes one so that tests can have a port refused as the system would refuse it.
// Called in the link's worker thread.
using PortOpener =
    std::function<QSerialPort::SerialPortError(QSerialPort &port, const QString &name)>;

// The system's way. A lack of permission (PermissionError) means the user may not read and
// write the device file. A port another program holds is OpenError: QSerialPort reports a
// port locked by another program (its lock file, TIOCEXCL's EBUSY) as a PermissionError,
// and so does Windows for a COM port open elsewhere (ERROR_ACCESS_DENIED), yet joining a
// group would help with neither.
QSerialPort::SerialPortError openSerialPort(QSerialPort &port, const QString &name);

// The device file behind a port name ("ttyUSB0" or a path).
QString portDevicePath(const QString &name);
// The group that owns the port's device file; empty when it cannot be told.
QString portDeviceGroup(const QString &name);
