#pragma once

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

signals:
    // The line reported an error to this end (noise).
    void lineError(const QString& what);
    // The cable was pulled: nothing passes until this end is opened again.
    void hungUp(const QString& what);

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

// A null-modem cable in memory between the computer (a link operation) and an in-process radio.
// Both ends live on the thread of the line, as the link operation and the radio do: nothing here
// is shared between threads.
class VirtualLine : public QObject {
    Q_OBJECT

public:
    explicit VirtualLine(QObject* parent = nullptr);
    ~VirtualLine() override;

    VirtualPortEnd* ComputerEnd() const { return Ends[kComputer]; }
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
    void ReportError(int side, const QString& what);

    VirtualPortEnd* Ends[2];
    QByteArray Buffers[2]; // what each end can read
    bool NotifyPending[2] = {false, false};
    bool LineUp = true;
};
