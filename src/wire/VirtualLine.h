#pragma once

#include "WireLine.h"

#include <QByteArray>
#include <QIODevice>
#include <QObject>

class VirtualLine;

// One end of a VirtualLine: a byte stream that behaves like a serial port. Data written at the
// other end arrives later, through the event loop of this end's thread, with readyRead.
class VirtualPortEnd : public QIODevice {
    Q_OBJECT

public:
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;
    // Opening the computer's end after a hang-up plugs the cable in again.
    bool open(OpenMode mode) override;
    void close() override;
    // Drops the bytes that have arrived but were not read yet.
    void clearInput();

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    friend class VirtualLine;
    VirtualPortEnd(VirtualLine* line, int side);
    void NotifyReadable();

    VirtualLine* Line;
    int Side;
};

// The computer's end of a VirtualLine as a line: the noise and the pulled cable of the line
// arrive as its lineError and hungUp.
class VirtualComputerLine : public WireLine {
    Q_OBJECT

public:
    QIODevice* Stream() const override;
    bool Open(QString* why) override;
    void Close() override;
    void ClearInput() override;

private:
    friend class VirtualLine;
    explicit VirtualComputerLine(VirtualPortEnd* end);

    VirtualPortEnd* End;
};

// A null-modem cable in memory between the computer (a link operation) and an in-process radio.
// Both ends live on the thread of the line, as the link operation and the radio do: nothing here
// is shared between threads.
class VirtualLine : public QObject {
    Q_OBJECT

public:
    explicit VirtualLine(QObject* parent = nullptr);
    ~VirtualLine() override;

    // The computer's end, for a link operation.
    WireLine* ComputerEnd() const { return Computer; }
    VirtualPortEnd* RadioEnd() const { return Ends[kRadio]; }

    // Noise: the computer's end reports a line error; the line stays up.
    void InjectLineError(const QString& what = QStringLiteral("line error"));
    // A pulled cable: the computer's end reports an error and nothing passes until the computer's
    // end is opened again.
    void HangUp();
    bool Connected() const;

private:
    friend class VirtualPortEnd;
    static constexpr int kComputer = 0;
    static constexpr int kRadio = 1;

    // Appends to the buffer of the other end; false when the line is down.
    bool Transfer(int fromSide, const char* data, qint64 size);
    void ReportError(const QString& what);

    VirtualPortEnd* Ends[2];
    VirtualComputerLine* Computer;
    QByteArray Buffers[2]; // what each end can read
    bool NotifyPending[2] = {false, false};
    bool LineUp = true;
};
