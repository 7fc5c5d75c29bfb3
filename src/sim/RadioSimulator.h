#pragma once

#include "SimFault.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <deque>

class QIODevice;
class QSocketNotifier;
class QTimer;

// One command as the simulated radio understood it, in arrival order.
struct SimCommand {
    enum Kind { Handshake, IdentityRequest, Ack, Read, Write, End };
    Kind Type = Handshake;
    int Address = -1; // Read and Write only
    bool Answered = false;

    bool operator==(const SimCommand&) const = default;
};

// The radio at the other end of the cable: a 3232-byte memory behind the programming protocol.
//
//   0x02 "PROGRA"          -> 0x06 (opens a session)
//   0x4D 0x02              -> the first 8 bytes of the model block
//   0x06                   -> 0x06
//   "R" addr(2) 0x10       -> "W" addr(2) 0x10 + the 16 bytes at addr, then awaits 0x06
//   "W" addr(2) 0x10 + 16  -> stores the bytes, 0x06
//   "E"                    -> ends the session
//
// Commands outside a session, a block command that skipped the acknowledgement of the read before
// it, and addresses beyond the memory are answered with nothing and logged. A handshake starts a
// new session at any time, so a computer that gave up half-way can start again.
//
// Everything happens on the simulator's thread (the program's, in demo mode and in the tests):
// memory, faults and the command record may be changed at any time between two events.
class RadioSimulator : public QObject {
    Q_OBJECT

public:
    explicit RadioSimulator(QObject* parent = nullptr);
    ~RadioSimulator() override;

    // Where the model block lies in the memory.
    static int ModelBlockAddress();
    // A radio from the factory: all 0xFF except the model block 50 56 33 35 20 <band> 00 00.
    static QByteArray FactoryImage(int bandId = 243);
    // A radio that never had a model block: it answers eight 0xFF to the identity request.
    static QByteArray BlankImage();

    // False (nothing changed) unless the image has exactly kImageSize bytes.
    bool SetMemory(const QByteArray& image);
    QByteArray Memory() const;

    // Every byte, in both directions, takes as long as on a 9600-baud line with 8N2 framing.
    void SetPaced(bool paced);

    void AddFault(const SimFault& fault);
    void ClearFaults();
    QList<SimFault> Faults() const;

    QList<SimCommand> Commands() const;
    void ClearCommands();
    bool InSession() const;

    // Bytes from the device go to Receive, replies are written to it. Only one device at a time.
    void Attach(QIODevice* device);
    void Detach();

public slots:
    // Bytes that arrived from the computer.
    void Receive(const QByteArray& bytes);

signals:
    // Bytes for the computer (also written to an attached device).
    void transmit(const QByteArray& bytes);
    // The line must be closed now (hangup fault).
    void hangupRequested();
    // The computer's end must see a line error now (noise fault).
    void noiseRequested();
    // A session ended with "E" (or was abandoned for a new handshake) after writing blocks.
    void sessionEnded(int blocksWritten);
    // One line per command and per anomaly.
    void logLine(const QString& line);

private:
    enum class Parse { Ready, Handshake, IdentityArgument, CommandHeader, CommandData, AwaitAck };

    // What one pass of processing produced, emitted once the state is consistent again (a
    // receiver may change memory or faults).
    struct Effects {
        QByteArray Bytes;
        QByteArray Late; // sent a moment after Bytes, as a separate piece
        bool Hangup = false;
        bool Noise = false;
        QList<int> SessionsEnded;
        QStringList Log;
    };

    void ProcessByte(quint8 b, qint64 at, Effects& fx);
    void FinishHandshake(qint64 at, Effects& fx);
    void AnswerIdentity(qint64 at, Effects& fx);
    void AnswerAck(qint64 at, Effects& fx);
    void ExecuteBlockCommand(qint64 at, Effects& fx);
    void CloseSession(Effects& fx);
    void Send(const QByteArray& bytes, qint64 at, Effects& fx);
    bool TakeFault(SimFault::Kind kind, int address = -1);
    bool HasFault(SimFault::Kind kind) const;
    void Record(SimCommand::Kind kind, int address, bool answered);
    void Emit(const Effects& fx);
    void OnPaceTimer();
    void Schedule(qint64 now);

    QByteArray Image;
    QList<SimFault> FaultList;
    QList<SimCommand> CommandList;
    bool Paced = false;

    Parse State = Parse::Ready;
    int HandshakeIndex = 0;
    bool Session = false;
    bool SkipAnswer = false; // the next command is out of order
    quint8 Command = 0;
    bool AnswerCommand = false;
    QByteArray CommandBytes;
    int BlocksWritten = 0;

    // Pacing: bytes wait until the line would have carried them. Only the last byte of what is
    // queued matters to the other side, so the simulator wakes for that one (or for the last
    // byte of a command), on a timer of sub-millisecond precision where the system has one.
    QElapsedTimer Clock;
    QTimer* PaceTimer = nullptr;
    int PaceFd = -1;
    QSocketNotifier* PaceNotifier = nullptr;
    struct Timed {
        qint64 Due;
        quint8 Byte;
    };
    std::deque<Timed> PendingIn;
    std::deque<Timed> PendingOut;
    qint64 InFreeAt = 0;
    qint64 OutFreeAt = 0;

    QPointer<QIODevice> Device;
};
