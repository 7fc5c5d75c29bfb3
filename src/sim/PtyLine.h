#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;

// The radio's end of a pseudo-terminal: the program opens SlavePath() as its serial port.
// The simulator keeps a slave descriptor of its own open, so the terminal survives the program
// closing and reopening its port between runs.
class PtyLine : public QObject {
    Q_OBJECT

public:
    explicit PtyLine(QObject* parent = nullptr);
    ~PtyLine() override;

    bool Open(QString* error = nullptr);
    void Close();
    bool IsOpen() const { return Master >= 0; }
    QString SlavePath() const { return Path; }

    // A pulled cable: the terminal goes away (the program's port reports an error) and a fresh
    // one takes its place, under a new path.
    void HangUp();

public slots:
    void Send(const QByteArray& bytes);

signals:
    void received(const QByteArray& bytes);
    void reopened(const QString& path);

private:
    void OnReadable();
    void OnWritable();

    int Master = -1;
    int Slave = -1;
    QString Path;
    QSocketNotifier* ReadNotifier = nullptr;
    QSocketNotifier* WriteNotifier = nullptr;
    QByteArray Outgoing;
};
