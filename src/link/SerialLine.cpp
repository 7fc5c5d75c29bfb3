#include "SerialLine.h"

#include <QMetaEnum>
#include <QSerialPort>

#ifdef Q_OS_UNIX
#include <poll.h>
#endif

namespace {

// What a failing read on the port means. A terminal whose other end went away reports a read
// error with whatever errno was left over (an earlier ioctl's, say), so the line itself is asked.
QString PortLostText(QSerialPort* serial, QSerialPort::SerialPortError error) {
#ifdef Q_OS_UNIX
    pollfd p{};
    p.fd = static_cast<int>(serial->handle());
    p.events = POLLIN;
    if (p.fd >= 0 && ::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)))
        return QStringLiteral("the line was hung up (the other end closed it, or the adapter was unplugged)");
#endif
    return error == QSerialPort::ResourceError
               ? QStringLiteral("the device went away: %1").arg(serial->errorString())
               : QStringLiteral("reading from the port failed: %1").arg(serial->errorString());
}

} // namespace

SerialLine::SerialLine(QObject* parent) : WireLine(parent), Port(new QSerialPort(this)) {
    Port->setObjectName(QStringLiteral("myPort"));
    connect(Port, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) {
        // Opening reports its own failure (and a terminal refuses the modem lines); closing a
        // port whose other end is gone may complain too.
        if (e == QSerialPort::NoError || e == QSerialPort::TimeoutError || Opening || Closing)
            return;
        if (e == QSerialPort::ResourceError || e == QSerialPort::ReadError) {
            // A read that failed fails again at once, for ever: the port is of no more use.
            emit hungUp(PortLostText(Port, e));
            return;
        }
        const QString what = QStringLiteral("%1, %2").arg(
            QLatin1String(QMetaEnum::fromType<QSerialPort::SerialPortError>().valueToKey(e)),
            Port->errorString());
        Port->clearError();
        emit lineError(what);
    });
}

void SerialLine::SetPortName(const QString& name) {
    Port->setPortName(name);
}

QIODevice* SerialLine::Stream() const {
    return Port;
}

bool SerialLine::Open(QString* why) {
    Opening = true;
    Port->setBaudRate(QSerialPort::Baud9600);
    Port->setDataBits(QSerialPort::Data8);
    Port->setParity(QSerialPort::NoParity);
    Port->setStopBits(QSerialPort::TwoStop);
    Port->setFlowControl(QSerialPort::NoFlowControl);
    const bool ok = Port->open(QIODevice::ReadWrite);
    if (ok) {
        // A pseudo-terminal has no modem lines: failing to raise them is no error.
        Port->setDataTerminalReady(true);
        Port->setRequestToSend(true);
    } else {
        *why = Port->errorString();
    }
    Port->clearError();
    Opening = false;
    return ok;
}

void SerialLine::Close() {
    Closing = true;
    Port->close();
    Closing = false;
}

void SerialLine::ClearInput() {
    Port->clear(QSerialPort::Input);
}

void SerialLine::ClearAll() {
    Port->clear(QSerialPort::AllDirections);
}

void SerialLine::Flush() {
    Port->flush();
}
