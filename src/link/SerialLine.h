#pragma once

#include "wire/WireLine.h"

class QSerialPort;

// A serial port (or a pseudo-terminal) as a line.
class SerialLine : public WireLine {
    Q_OBJECT

public:
    explicit SerialLine(QObject* parent = nullptr);

    // "/dev/ttyUSB0", "/dev/pts/7", "COM3".
    void SetPortName(const QString& name);

    QIODevice* Stream() const override;
    bool Open(QString* why) override;
    void Close() override;
    void ClearInput() override;
    void ClearAll() override;
    void Flush() override;

private:
    QSerialPort* Port;
    bool Opening = false;
    bool Closing = false;
};
