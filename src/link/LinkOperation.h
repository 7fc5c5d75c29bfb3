#pragma once

#include "ReplyCollector.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class Prompter;
class QIODevice;
class QTimer;
class SerialLine;
class TLanguage;
class WireLine;

// The fixed pauses and time-outs of the link. The defaults are the radio's; tests shorten them.
struct LinkTiming {
    int BeforeHandshakeMs = 500;
    int HandshakeByteMs = 2; // after each of the first six handshake bytes
    int BeforeIdentityMs = 20;
    int BeforeReadTransferMs = 50;
    int BeforeWriteTransferMs = 20;
    int ReadReleaseMs = 10; // after every reply of a read transfer
    int ReplyTimeoutMs = 1000;
    int RetryAfterLineErrorMs = 500;
    int CloseDelayMs = 300;
    int DrainPollMs = 50;
    int DrainPolls = 100;

    // The same sequence with every pause cut short, for tests that need not wait for the radio.
    static LinkTiming Fast();
};

// Why the last attempt failed: the catalogue text the user saw and what happened on the line.
struct LinkFailure {
    QString Message;
    QString Context;
};

// One read or write session with the radio over a serial port or any other line: the handshake,
// the identity request, the block transfer, time-outs, line errors and retries. It runs on the
// thread that owns it, driven by the port's events and single-shot timers; a dialog is a view
// over it, the command-line tool runs it in an event loop.
//
//   OpenPort()  as the dialog is shown     start()   the OK button
//   cancel()    the Cancel button          close()   the dialog closes
class LinkOperation : public QObject {
    Q_OBJECT

public:
    enum class Stage { Idle, Starting, HandshakeSent, IdentityAwaited, Transferring, Ending, Finished };
    Q_ENUM(Stage)

    ~LinkOperation() override;

    // The serial port by name: "/dev/ttyUSB0", "/dev/pts/7", "COM3".
    void SetPortName(const QString& name);
    // Any other line instead (the in-process radio); not owned.
    void SetDevice(WireLine* line, const QString& name = QString());
    QString PortName() const { return Name; }
    void SetTiming(const LinkTiming& timing) { Timing = timing; }
    const LinkTiming& Timings() const { return Timing; }

    // Opens the port with the radio's line settings. On failure the user is told, and
    // closeRequested follows a moment later.
    bool OpenPort();

    Stage CurrentStage() const { return State; }
    int Position() const { return ProgressPosition; }
    int Maximum() const { return ProgressMaximum; }
    bool OkEnabled() const { return OkButton; }
    // The port is open (false after a hang-up closed it).
    bool PortIsOpen() const;
    // The last attempt completed.
    bool Succeeded() const { return Success; }
    LinkFailure LastFailure() const { return Failure; }

public slots:
    // A new attempt, from the handshake.
    void start();
    // Closes (see close) and asks the view to close.
    void cancel();
    // Ends an exchange under way (the radio gets the end command), then closes the port. A reply
    // still awaited is dropped without a message.
    void close();

signals:
    void progress(int position, int maximum);
    // An attempt is over and nothing more happens by itself: success, or a failure the user was told.
    void finished(bool success);
    void okEnabledChanged(bool enabled);
    // The view should close now (after a read completed, or the port could not be opened).
    void closeRequested();
    // Every byte sent and received, and what the engine made of it (for logs).
    void traffic(const QString& line);

protected:
    LinkOperation(const TLanguage& messages, Prompter& prompter, bool isRead, QObject* parent);

    struct Exchange {
        enum Kind { Ack, Read, Write };
        Kind Type = Ack;
        int Address = -1;
        bool CountsProgress = false;
    };

    // A new attempt starts (OK).
    virtual void OnStart() {}
    // The identity reply; false refuses the radio (the subclass has told the user).
    virtual bool AcceptIdentity(const QByteArray& identity) = 0;
    // The exchanges of the block transfer, in order; sets the progress maximum.
    virtual QList<Exchange> PrepareTransfer() = 0;
    // The 16 bytes to write at address (write) / the 16 bytes read at address (read).
    virtual QByteArray BlockToWrite(int address) const;
    virtual void StoreBlock(int address, const QByteArray& block);
    // After the end command: false (with a reason) fails the run.
    virtual bool CompleteTransfer(QString* reason) = 0;
    // The run succeeded; tell the user and hand the result over.
    virtual void ReportSuccess() = 0;
    // The run failed after it started its transfer.
    virtual void OnRunFailed() {}

    void ShowInformation(const QString& text);
    // An error message, unless one was shown in this attempt already.
    void ShowErrorOnce(const QString& text, const QString& context);
    void SetMaximum(int maximum);
    void SetPosition(int position);
    void SetOkEnabled(bool enabled);
    void EmitFinished(bool success);
    void StartCloseTimer();
    QString PortText() const;

    const TLanguage& Messages;
    Prompter& Prompts;
    bool ErrorShown = false;
    bool LineError = false;
    bool FirstTry = true;

private:
    bool InExchange() const;
    void SetStage(Stage stage);
    void Pause(int ms, std::function<void()> then);
    void EndAttempt();
    void StopTimers();
    void Send(const QByteArray& bytes, const QString& what);
    void DiscardBuffers();
    // Drops what arrived since the last reply, so that it is not taken for the next one.
    void DiscardInput();
    // The line's byte stream; only while Line is set.
    QIODevice* Device() const;
    void ConnectDevice();
    // Opens the line with the radio's line settings; why says what failed.
    bool OpenDevice(QString* why);

    void BeginHandshake();
    void SendHandshakeByte(int index);
    void RunNextExchange();
    void HandleExchangeReply(const QByteArray& reply);
    void SendEnd();
    void CheckDrained(int polls);
    void FinishRun();
    void FailTransfer(const QString& context);

    void OnReadyRead();
    void OnLineError(const QString& what);
    // The other end went away: the port is closed and the hang-up reported once.
    void OnHangUp(const QString& what);
    // A reply that came but cannot be used: handled like a reply that never came.
    void FailLikeTimeout(const QString& context);
    void OnReplyTimeout();
    void OnRetryTimer();
    void OnCloseTimer();
    QString AwaitedText() const;

    const bool IsRead;
    LinkTiming Timing;
    QString Name;
    QPointer<WireLine> Line;
    SerialLine* OwnPort = nullptr;
    Stage State = Stage::Idle;
    ReplyCollector Collector;
    QList<Exchange> Exchanges;
    int NextExchange = 0;
    bool Waiting = false;
    bool SessionOpen = false; // the radio acknowledged a handshake and got no end command since
    QString LastCommand;
    QByteArray Arrived;  // every byte received since the last command was sent
    bool HungUp = false; // a hang-up closed the port; the next attempt opens it again
    QString PendingContext;
    int ProgressPosition = 0;
    int ProgressMaximum = 0;
    bool OkButton = false;
    bool Success = false;
    LinkFailure Failure;

    QTimer* PauseTimer;
    std::function<void()> AfterPause;
    QTimer* TryTime;
    QTimer* ReTime;
    QTimer* CloseTime;
};
