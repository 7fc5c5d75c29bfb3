#include "VirtualLine.h"

#include <QMetaObject>

#include <cstring>

VirtualPortEnd::VirtualPortEnd(VirtualLine* line, int side) : Line(line), Side(side) {}

qint64 VirtualPortEnd::bytesAvailable() const {
    return Line->Buffers[Side].size() + QIODevice::bytesAvailable();
}

bool VirtualPortEnd::open(OpenMode mode) {
    if (Side == VirtualLine::kComputer) {
        if (!Line->LineUp) {
            Line->LineUp = true;
            Line->Buffers[VirtualLine::kComputer].clear();
            Line->Buffers[VirtualLine::kRadio].clear();
        }
    }
    // Unbuffered: every byte stays in the line's buffer until it is read, so clearInput drops all.
    return QIODevice::open(mode | QIODevice::Unbuffered);
}

void VirtualPortEnd::close() {
    clearInput();
    QIODevice::close();
}

void VirtualPortEnd::clearInput() {
    Line->Buffers[Side].clear();
}

qint64 VirtualPortEnd::readData(char* data, qint64 maxSize) {
    QByteArray& buffer = Line->Buffers[Side];
    const qint64 n = qMin<qint64>(maxSize, buffer.size());
    memcpy(data, buffer.constData(), static_cast<size_t>(n));
    buffer.remove(0, n);
    return n;
}

qint64 VirtualPortEnd::writeData(const char* data, qint64 size) {
    if (!Line->Transfer(Side, data, size)) {
        Line->ReportError(QStringLiteral("the line is down"));
        return -1;
    }
    return size;
}

void VirtualPortEnd::NotifyReadable() {
    Line->NotifyPending[Side] = false;
    if (!Line->Buffers[Side].isEmpty())
        emit readyRead();
}

VirtualComputerLine::VirtualComputerLine(VirtualPortEnd* end) : End(end) {}

QIODevice* VirtualComputerLine::Stream() const {
    return End;
}

bool VirtualComputerLine::Open(QString* why) {
    if (End->open(QIODevice::ReadWrite))
        return true;
    *why = End->errorString();
    return false;
}

void VirtualComputerLine::Close() {
    End->close();
}

void VirtualComputerLine::ClearInput() {
    End->clearInput();
}

VirtualLine::VirtualLine(QObject* parent) : QObject(parent) {
    Ends[kComputer] = new VirtualPortEnd(this, kComputer);
    Ends[kRadio] = new VirtualPortEnd(this, kRadio);
    Computer = new VirtualComputerLine(Ends[kComputer]);
}

VirtualLine::~VirtualLine() {
    delete Computer;
    delete Ends[kComputer];
    delete Ends[kRadio];
}

bool VirtualLine::Transfer(int fromSide, const char* data, qint64 size) {
    const int to = 1 - fromSide;
    if (!LineUp)
        return fromSide == kRadio; // a radio talking into a pulled cable notices nothing
    Buffers[to].append(data, size);
    // Like a serial port: the data arrives on a later turn of the event loop, not inside write().
    if (!NotifyPending[to]) {
        NotifyPending[to] = true;
        VirtualPortEnd* end = Ends[to];
        QMetaObject::invokeMethod(
            end, [end] { end->NotifyReadable(); }, Qt::QueuedConnection);
    }
    return true;
}

void VirtualLine::ReportError(const QString& what) {
    // Only the computer's end listens for errors: a radio talking into a pulled cable notices nothing.
    VirtualComputerLine* line = Computer;
    QMetaObject::invokeMethod(
        line, [line, what] { emit line->lineError(what); }, Qt::QueuedConnection);
}

void VirtualLine::InjectLineError(const QString& what) {
    ReportError(what);
}

void VirtualLine::HangUp() {
    LineUp = false;
    Buffers[kComputer].clear();
    Buffers[kRadio].clear();
    VirtualComputerLine* line = Computer;
    QMetaObject::invokeMethod(
        line, [line] { emit line->hungUp(QStringLiteral("the line was hung up")); }, Qt::QueuedConnection);
}

bool VirtualLine::Connected() const {
    return LineUp;
}
