#pragma once

#include <QObject>
#include <QString>

class QIODevice;

// The cable as the link engine sees it: a byte stream that opens with the radio's line settings
// (9600 baud, 8 data bits, no parity, 2 stop bits, no flow control), and the line's own troubles
// reported as signals. A serial port and the in-process cable implement it.
class WireLine : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // The bytes both ways; owned by the line.
    virtual QIODevice* Stream() const = 0;
    // Opens the stream with the radio's line settings; why says what failed.
    virtual bool Open(QString* why) = 0;
    // Closes the stream; complaints of a line whose other end is gone are not reported.
    virtual void Close() = 0;
    // Drops the bytes that have arrived but were not read yet.
    virtual void ClearInput() = 0;
    // Drops those and whatever waits to be sent.
    virtual void ClearAll() { ClearInput(); }
    // Hands what was written to the line now rather than on the next turn of the event loop.
    virtual void Flush() {}

signals:
    // Noise: this exchange is spoiled, the line stays usable.
    void lineError(const QString& what);
    // The other end went away: the stream is of no more use until it is opened again.
    void hungUp(const QString& what);
};
