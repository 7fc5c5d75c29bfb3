#include "LinkOperation.h"

#include "SerialLine.h"
#include "core/Prompt.h"
#include "lang/Language.h"
#include "wire/WireBytes.h"

#include <QIODevice>
#include <QTimer>

LinkTiming LinkTiming::Fast() {
    LinkTiming t;
    t.BeforeHandshakeMs = 5;
    t.HandshakeByteMs = 0;
    t.BeforeIdentityMs = 1;
    t.BeforeReadTransferMs = 1;
    t.BeforeWriteTransferMs = 1;
    t.ReadReleaseMs = 0;
    t.ReplyTimeoutMs = 250;
    t.RetryAfterLineErrorMs = 100;
    t.CloseDelayMs = 30;
    t.DrainPollMs = 5;
    return t;
}

namespace {

QTimer* OneShot(QObject* parent, const char* name) {
    auto* t = new QTimer(parent);
    t->setObjectName(QLatin1String(name));
    t->setSingleShot(true);
    t->setTimerType(Qt::PreciseTimer);
    return t;
}

} // namespace

LinkOperation::LinkOperation(const TLanguage& messages, Prompter& prompter, bool isRead, QObject* parent)
    : QObject(parent), Messages(messages), Prompts(prompter), IsRead(isRead) {
    PauseTimer = OneShot(this, "Pause");
    TryTime = OneShot(this, "TryTime");
    ReTime = OneShot(this, "ReTime");
    CloseTime = OneShot(this, "CloseTime");
    connect(PauseTimer, &QTimer::timeout, this, [this] {
        auto then = std::move(AfterPause);
        AfterPause = nullptr;
        if (then)
            then();
    });
    connect(TryTime, &QTimer::timeout, this, &LinkOperation::OnReplyTimeout);
    connect(ReTime, &QTimer::timeout, this, &LinkOperation::OnRetryTimer);
    connect(CloseTime, &QTimer::timeout, this, &LinkOperation::OnCloseTimer);
}

LinkOperation::~LinkOperation() {
    // The view is going away: the radio still gets its end command, nobody gets signals.
    blockSignals(true);
    close();
}

void LinkOperation::SetPortName(const QString& name) {
    close();
    if (!OwnPort)
        OwnPort = new SerialLine(this);
    OwnPort->SetPortName(name);
    Name = name;
    Line = OwnPort;
    ConnectDevice();
}

void LinkOperation::SetDevice(WireLine* line, const QString& name) {
    close();
    Line = line;
    Name = name.isEmpty() ? QStringLiteral("virtual radio") : name;
    ConnectDevice();
}

QIODevice* LinkOperation::Device() const {
    return Line ? Line->Stream() : nullptr;
}

void LinkOperation::ConnectDevice() {
    if (!Line)
        return;
    disconnect(Line, nullptr, this, nullptr);
    disconnect(Device(), nullptr, this, nullptr);
    connect(Device(), &QIODevice::readyRead, this, &LinkOperation::OnReadyRead);
    connect(Line, &WireLine::lineError, this, &LinkOperation::OnLineError);
    connect(Line, &WireLine::hungUp, this, &LinkOperation::OnHangUp);
}

QString LinkOperation::PortText() const {
    return Name.isEmpty() ? QStringLiteral("(no port)") : Name;
}

bool LinkOperation::OpenDevice(QString* why) {
    HungUp = false;
    if (!Line) {
        *why = QStringLiteral("no port chosen");
        return false;
    }
    if (Device()->isOpen())
        Line->Close();
    ConnectDevice();
    return Line->Open(why);
}

bool LinkOperation::PortIsOpen() const {
    return Line && Device()->isOpen();
}

bool LinkOperation::OpenPort() {
    StopTimers();
    EndAttempt();
    SetStage(Stage::Idle);
    ErrorShown = false; // as a freshly shown dialog: a port that does not open must be reported
    LineError = false;
    FirstTry = true;
    SetPosition(0);
    QString why;
    const bool ok = OpenDevice(&why);
    if (!ok) {
        ShowErrorOnce(Messages.LPortError, QStringLiteral("cannot open %1: %2").arg(PortText(), why));
        SetOkEnabled(false);
        StartCloseTimer();
        return false;
    }
    DiscardBuffers();
    emit traffic(QStringLiteral("port %1 open").arg(PortText()));
    SetOkEnabled(true);
    return true;
}

void LinkOperation::start() {
    StopTimers();
    EndAttempt();
    ErrorShown = false;
    Success = false;
    Failure = LinkFailure();
    PendingContext.clear();
    OnStart();
    SetOkEnabled(false);
    SetStage(Stage::Starting);
    Pause(Timing.BeforeHandshakeMs, [this] { BeginHandshake(); });
}

void LinkOperation::cancel() {
    close();
    emit closeRequested();
}

void LinkOperation::close() {
    StopTimers();
    EndAttempt();
    SetStage(Stage::Idle); // a failure to send the end command is no longer an error of the exchange
    if (Line && Device()->isOpen()) {
        if (SessionOpen) {
            // Without it the radio would stay in programming mode.
            Send(QByteArray(1, static_cast<char>(kEnd)), QStringLiteral("E"));
            Line->Flush();
        }
        Line->Close();
        emit traffic(QStringLiteral("port %1 closed").arg(PortText()));
    }
    // A closed operation no longer listens: another one may use the same line now.
    if (Line) {
        disconnect(Line, nullptr, this, nullptr);
        disconnect(Device(), nullptr, this, nullptr);
    }
    SessionOpen = false;
}

bool LinkOperation::InExchange() const {
    return State == Stage::HandshakeSent || State == Stage::IdentityAwaited || State == Stage::Transferring;
}

void LinkOperation::SetStage(Stage stage) {
    State = stage;
}

void LinkOperation::Pause(int ms, std::function<void()> then) {
    AfterPause = std::move(then);
    PauseTimer->start(ms);
}

void LinkOperation::EndAttempt() {
    PauseTimer->stop();
    AfterPause = nullptr;
    Waiting = false;
    Collector.Reset();
}

void LinkOperation::StopTimers() {
    TryTime->stop();
    ReTime->stop();
    CloseTime->stop();
}

void LinkOperation::Send(const QByteArray& bytes, const QString& what) {
    LastCommand = what;
    emit traffic(QStringLiteral("-> %1  (%2)").arg(HexBytes(bytes), what));
    if (!Line || !Device()->isOpen() || Device()->write(bytes) != bytes.size()) {
        OnLineError(QStringLiteral("cannot send to %1").arg(PortText()));
        return;
    }
    // Out now rather than on the next turn of the event loop: the radio waits for every byte.
    Line->Flush();
}

void LinkOperation::DiscardBuffers() {
    if (!Line)
        return;
    Line->ClearAll();
    if (Device()->isOpen())
        Device()->readAll();
}

void LinkOperation::DiscardInput() {
    if (!Line || !Device()->isOpen())
        return;
    Line->ClearInput();
    const QByteArray stale = Device()->readAll();
    if (!stale.isEmpty())
        emit traffic(QStringLiteral("<- %1  (stale, discarded)").arg(HexBytes(stale)));
}

void LinkOperation::BeginHandshake() {
    if (Line && !Device()->isOpen() && HungUp) {
        // The port was closed by a hang-up: the cable may be back by now.
        QString why;
        if (!OpenDevice(&why)) {
            SetStage(Stage::Finished);
            ShowErrorOnce(
                Messages.LPortError,
                QStringLiteral("cannot open %1 again after it was hung up: %2").arg(PortText(), why));
            SetOkEnabled(true);
            EmitFinished(false);
            return;
        }
        emit traffic(QStringLiteral("port %1 open again").arg(PortText()));
    }
    if (!Line || !Device()->isOpen()) {
        SetStage(Stage::Finished);
        ShowErrorOnce(Messages.LPortError, QStringLiteral("port %1 is not open").arg(PortText()));
        EmitFinished(false);
        return;
    }
    // Whatever an earlier, broken-off exchange left on the line would be taken for the reply.
    DiscardBuffers();
    Arrived.clear();
    SetStage(Stage::HandshakeSent);
    Collector.Expect(1);
    TryTime->start(Timing.ReplyTimeoutMs);
    SendHandshakeByte(0);
}

void LinkOperation::SendHandshakeByte(int index) {
    static const QByteArray handshake = QByteArray(1, static_cast<char>(kStart)) + QByteArray(kHandshakeText);
    if (State != Stage::HandshakeSent)
        return;
    Send(handshake.mid(index, 1), QStringLiteral("handshake"));
    if (State == Stage::HandshakeSent && index + 1 < handshake.size())
        Pause(Timing.HandshakeByteMs, [this, index] { SendHandshakeByte(index + 1); });
}

void LinkOperation::OnReadyRead() {
    if (!Line)
        return;
    const QByteArray data = Device()->readAll();
    if (data.isEmpty())
        return;
    if (Arrived.size() < ReplyCollector::kBufferSize)
        Arrived += data.left(ReplyCollector::kBufferSize - Arrived.size());
    if (!Collector.Awaiting()) {
        emit traffic(QStringLiteral("<- %1  (not awaited, dropped)").arg(HexBytes(data)));
        return;
    }
    emit traffic(QStringLiteral("<- %1").arg(HexBytes(data)));
    if (!Collector.Feed(data))
        return;
    const QByteArray reply = Collector.Reply();
    switch (State) {
    case Stage::HandshakeSent:
        if (!HandshakeAcknowledged(reply)) {
            // Not the acknowledgement; a later byte may still bring it, else the time-out follows.
            Collector.Expect(1);
            return;
        }
        SessionOpen = true;
        SetStage(Stage::IdentityAwaited);
        TryTime->stop();
        Pause(Timing.BeforeIdentityMs, [this] {
            const char request[] = {static_cast<char>(kIdentityRequest),
                                    static_cast<char>(kIdentityArgument)};
            // A second acknowledgement (or any stray byte) is not the start of the identity.
            DiscardInput();
            Arrived.clear();
            Collector.Expect(kIdentitySize);
            Send(QByteArray(request, 2), QStringLiteral("identity request"));
            if (State == Stage::IdentityAwaited)
                TryTime->start(Timing.ReplyTimeoutMs);
        });
        return;
    case Stage::IdentityAwaited: {
        TryTime->stop();
        PauseTimer->stop(); // an early reply must not be requested again
        AfterPause = nullptr;
        const QByteArray identity = reply.left(kIdentitySize);
        emit traffic(QStringLiteral("identity %1").arg(HexBytes(identity)));
        if (!AcceptIdentity(identity)) {
            SetStage(Stage::Finished);
            EmitFinished(false);
            return;
        }
        SetStage(Stage::Transferring);
        Exchanges = PrepareTransfer();
        NextExchange = 0;
        SetPosition(0);
        Pause(IsRead ? Timing.BeforeReadTransferMs : Timing.BeforeWriteTransferMs,
              [this] { RunNextExchange(); });
        return;
    }
    case Stage::Transferring:
        if (!Waiting)
            return;
        TryTime->stop();
        Waiting = false;
        if (IsRead && Timing.ReadReleaseMs > 0)
            Pause(Timing.ReadReleaseMs, [this, reply] { HandleExchangeReply(reply); });
        else
            HandleExchangeReply(reply);
        return;
    default:
        return;
    }
}

void LinkOperation::RunNextExchange() {
    if (State != Stage::Transferring)
        return;
    if (NextExchange >= Exchanges.size()) {
        SendEnd();
        return;
    }
    const Exchange& e = Exchanges[NextExchange];
    LineError = false;
    Waiting = true;
    // Whatever came after the last reply is not the start of this one.
    DiscardInput();
    Arrived.clear();
    switch (e.Type) {
    case Exchange::Ack:
        Collector.Expect(1);
        Send(QByteArray(1, static_cast<char>(kAck)), QStringLiteral("acknowledgement"));
        break;
    case Exchange::Read:
        Collector.Expect(kReadReplySize);
        Send(BlockCommand(kReadCommand, e.Address), QStringLiteral("R %1").arg(HexAddress(e.Address)));
        break;
    case Exchange::Write:
        Collector.Expect(1);
        Send(BlockCommand(kWriteCommand, e.Address, BlockToWrite(e.Address)),
             QStringLiteral("W %1").arg(HexAddress(e.Address)));
        break;
    }
    // The acknowledgement wait has its time-out too: a silent radio must not hang the session.
    if (State == Stage::Transferring && Waiting)
        TryTime->start(Timing.ReplyTimeoutMs);
}

void LinkOperation::HandleExchangeReply(const QByteArray& reply) {
    if (State != Stage::Transferring || NextExchange >= Exchanges.size())
        return;
    const Exchange e = Exchanges[NextExchange];
    switch (e.Type) {
    case Exchange::Ack:
        if (reply.isEmpty() || static_cast<quint8>(reply[0]) != kAck) {
            FailTransfer(QStringLiteral("the radio on %1 answered %2 to the acknowledgement%3, not 06")
                             .arg(PortText(), HexBytes(reply.left(1)),
                                  NextExchange > 0 ? QStringLiteral(" after %1")
                                                         .arg(HexAddress(Exchanges[NextExchange - 1].Address))
                                                   : QString()));
            return;
        }
        break;
    case Exchange::Read: {
        // Bytes 1-3 repeat the address and length asked for: a reply shifted by a stray byte, or
        // one for another block, would put its data in the wrong place.
        const QByteArray asked = BlockCommand(kReadCommand, e.Address).mid(1, 3);
        if (reply.mid(1, 3) != asked) {
            FailLikeTimeout(
                QStringLiteral("the reply to R %1 from the radio on %2 is for another block: bytes "
                               "1-3 are %3, not %4 (reply %5)")
                    .arg(HexAddress(e.Address), PortText(), HexBytes(reply.mid(1, 3)), HexBytes(asked),
                         HexBytes(reply)));
            return;
        }
        StoreBlock(e.Address, reply.mid(kReadReplyHeader, kBlockSize));
        break;
    }
    case Exchange::Write:
        // Any other answer is taken as consent; a refusal is a failed exchange.
        if (!reply.isEmpty() && static_cast<quint8>(reply[0]) == kNak) {
            FailLikeTimeout(QStringLiteral("the radio on %1 refused W %2: it answered 15 (NAK)")
                                .arg(PortText(), HexAddress(e.Address)));
            return;
        }
        break;
    }
    if (e.CountsProgress)
        SetPosition(ProgressPosition + 1);
    ++NextExchange;
    RunNextExchange();
}

void LinkOperation::SendEnd() {
    SetStage(Stage::Ending);
    LineError = false;
    Collector.Reset();
    Send(QByteArray(1, static_cast<char>(kEnd)), QStringLiteral("E"));
    SessionOpen = false;
    Line->Flush();
    CheckDrained(0);
}

void LinkOperation::CheckDrained(int polls) {
    if (State != Stage::Ending)
        return;
    // Give up after a while and carry on as if it had drained: the radio has its data by now.
    if (!Line || !Device()->isOpen() || Device()->bytesToWrite() == 0 || polls >= Timing.DrainPolls) {
        FinishRun();
        return;
    }
    Pause(Timing.DrainPollMs, [this, polls] { CheckDrained(polls + 1); });
}

void LinkOperation::FinishRun() {
    SetPosition(ProgressMaximum);
    QString reason;
    if (!CompleteTransfer(&reason)) {
        SetStage(Stage::Finished);
        ShowErrorOnce(Messages.ComError, reason);
        OnRunFailed();
        EmitFinished(false);
        return;
    }
    SetStage(Stage::Finished);
    Success = true;
    ReportSuccess();
}

void LinkOperation::FailTransfer(const QString& context) {
    EndAttempt();
    TryTime->stop();
    SetStage(Stage::Finished);
    ShowErrorOnce(Messages.ComError, context);
    OnRunFailed();
    EmitFinished(false);
}

QString LinkOperation::AwaitedText() const {
    QString awaited;
    switch (State) {
    case Stage::HandshakeSent:
        awaited = QStringLiteral("the acknowledgement of the handshake");
        break;
    case Stage::IdentityAwaited:
        awaited = QStringLiteral("the identity (8 bytes)");
        break;
    default:
        awaited = QStringLiteral("the reply to %1 (%2 bytes)")
                      .arg(LastCommand)
                      .arg(Collector.ReceivedCount() + Collector.ExpectedCount());
        break;
    }
    // Everything since the command, not only the reply in progress: bytes that made up a wrong
    // answer count too.
    const QByteArray seen = Arrived.isEmpty() ? Collector.Partial() : Arrived;
    return QStringLiteral("%1; %2").arg(
        awaited, seen.isEmpty()
                     ? QStringLiteral("nothing arrived")
                     : QStringLiteral("%1 bytes arrived: %2").arg(seen.size()).arg(HexBytes(seen)));
}

void LinkOperation::FailLikeTimeout(const QString& context) {
    emit traffic(context);
    EndAttempt();
    SetStage(Stage::Finished);
    PendingContext = context; // the time-out handler asks whether to try again
    TryTime->start(0);
}

void LinkOperation::OnHangUp(const QString& what) {
    if (HungUp)
        return; // reported once
    HungUp = true;
    SessionOpen = false; // nobody is there to take the end command
    // Closed on the next turn of the event loop: the port may be inside its own notification.
    const QPointer<WireLine> line = Line;
    QMetaObject::invokeMethod(
        this,
        [this, line] {
            if (!HungUp || Line != line || !Line || !Device()->isOpen())
                return;
            Line->Close();
            emit traffic(QStringLiteral("port %1 closed").arg(PortText()));
        },
        Qt::QueuedConnection);
    if (!InExchange()) {
        emit traffic(QStringLiteral("%1: %2; the port is closed").arg(PortText(), what));
        return;
    }
    // Like a line error, but never retried silently: the port is closed, and the failure names
    // the exchange it broke.
    const bool transferring = State == Stage::Transferring;
    const QString context = QStringLiteral("%1: %2, while awaiting %3").arg(PortText(), what, AwaitedText());
    LineError = true;
    EndAttempt();
    SetStage(Stage::Finished);
    TryTime->start(Timing.ReplyTimeoutMs);
    if (transferring) {
        ShowErrorOnce(Messages.ComError, context);
        OnRunFailed();
        EmitFinished(false);
    } else {
        emit traffic(context);
        PendingContext = context; // the time-out asks whether to try again
    }
}

void LinkOperation::OnLineError(const QString& what) {
    if (!InExchange()) {
        emit traffic(QStringLiteral("line error outside an exchange ignored: %1").arg(what));
        return;
    }
    LineError = true;
    const bool transferring = State == Stage::Transferring;
    const QString context =
        QStringLiteral("line error on %1 (%2) while awaiting %3").arg(PortText(), what, AwaitedText());
    emit traffic(context);
    EndAttempt();
    SetStage(Stage::Finished);
    if (IsRead)
        DiscardBuffers();
    if (IsRead && FirstTry) {
        // Once per dialog a read starts again by itself, without a word.
        ErrorShown = true;
        FirstTry = false;
        TryTime->stop();
        Failure = {Messages.ComError, context};
        ReTime->start(Timing.RetryAfterLineErrorMs);
        return;
    }
    TryTime->start(Timing.ReplyTimeoutMs);
    if (transferring) {
        ShowErrorOnce(Messages.ComError, context);
        OnRunFailed();
        EmitFinished(false);
    } else {
        PendingContext = context; // the time-out asks whether to try again
    }
}

void LinkOperation::OnReplyTimeout() {
    TryTime->stop();
    SetOkEnabled(true);
    if (ErrorShown)
        return;
    ErrorShown = true;
    const QString context = PendingContext.isEmpty()
                                ? QStringLiteral("no reply from the radio on %1 within %2 ms: awaited %3")
                                      .arg(PortText())
                                      .arg(Timing.ReplyTimeoutMs)
                                      .arg(AwaitedText())
                                : PendingContext;
    EndAttempt();
    SetStage(Stage::Finished);
    Failure = {Messages.ComError, context};
    if (PendingContext.isEmpty())
        emit traffic(context);
    PendingContext.clear();
    QPointer<LinkOperation> self(this);
    const int answer = ShowPrompt(Prompts, Messages.Confirmation, Messages.ComError, Prompter::RetryCancel);
    if (!self)
        return;
    if (answer == Prompter::Retry)
        start();
    else
        EmitFinished(false);
}

void LinkOperation::OnRetryTimer() {
    ReTime->stop();
    SetOkEnabled(true);
    start();
}

void LinkOperation::OnCloseTimer() {
    CloseTime->stop();
    if (IsRead && LineError)
        return;
    emit closeRequested();
}

void LinkOperation::StartCloseTimer() {
    CloseTime->start(Timing.CloseDelayMs);
}

QByteArray LinkOperation::BlockToWrite(int) const {
    return QByteArray(kBlockSize, '\xFF');
}

void LinkOperation::StoreBlock(int, const QByteArray&) {}

void LinkOperation::ShowInformation(const QString& text) {
    ShowPrompt(Prompts, Messages.Confirmation, text, Prompter::Information);
}

void LinkOperation::ShowErrorOnce(const QString& text, const QString& context) {
    Failure = {text, context};
    emit traffic(context);
    if (ErrorShown)
        return;
    ErrorShown = true;
    ShowInformation(text);
}

void LinkOperation::SetMaximum(int maximum) {
    ProgressMaximum = maximum;
    ProgressPosition = qBound(0, ProgressPosition, ProgressMaximum);
    emit progress(ProgressPosition, ProgressMaximum);
}

void LinkOperation::SetPosition(int position) {
    const int p = qBound(0, position, ProgressMaximum);
    if (p == ProgressPosition)
        return;
    ProgressPosition = p;
    emit progress(ProgressPosition, ProgressMaximum);
}

void LinkOperation::SetOkEnabled(bool enabled) {
    if (OkButton == enabled)
        return;
    OkButton = enabled;
    emit okEnabledChanged(enabled);
}

void LinkOperation::EmitFinished(bool success) {
    // A silent retry is on its way: the attempt is not over yet.
    if (!success && ReTime->isActive())
        return;
    emit finished(success);
}
