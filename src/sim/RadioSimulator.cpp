#include "RadioSimulator.h"

#include "core/MacType.h"
#include "radiodata/ImageLayout.h"
#include "radiodata/MemoryImage.h"
#include "wire/WireBytes.h"

#include <QIODevice>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>

#ifdef Q_OS_LINUX
#include <sys/timerfd.h>
#include <time.h>
#include <unistd.h>
#endif

namespace {

// One byte on a 9600-baud line with a start bit, 8 data bits and 2 stop bits.
constexpr qint64 kByteNs = 11LL * 1000000000LL / 9600;
constexpr int kShortReplyBytes = 10;
// Long enough for the computer to see the late bytes in a data event of their own.
constexpr int kLateMs = 5;

QString CommandText(quint8 command, int address) {
    return QString(QLatin1Char(static_cast<char>(command))) + QLatin1Char(' ') + HexAddress(address);
}

// The simulated radio is the catalogue's V35: its memory map says where the model block lies.
struct SimulatedModel {
    SimulatedModel() { RegisterModels(Catalogue); }
    const TMacType& Model() const { return *Catalogue.FindByName(QStringLiteral("V35")); }
    int ModelBlockAddress() const { return ImageLayout(Model()).ModelAddress(); }

    TMacList Catalogue;
};

} // namespace

RadioSimulator::RadioSimulator(QObject* parent) : QObject(parent), Image(FactoryImage()) {
    Clock.start();
    PaceTimer = new QTimer(this);
    PaceTimer->setSingleShot(true);
    PaceTimer->setTimerType(Qt::PreciseTimer);
    connect(PaceTimer, &QTimer::timeout, this, &RadioSimulator::OnPaceTimer);
#ifdef Q_OS_LINUX
    PaceFd = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (PaceFd >= 0) {
        PaceNotifier = new QSocketNotifier(PaceFd, QSocketNotifier::Read, this);
        connect(PaceNotifier, &QSocketNotifier::activated, this, [this] {
            quint64 expirations = 0;
            [[maybe_unused]] const ssize_t n = ::read(PaceFd, &expirations, sizeof expirations);
            OnPaceTimer();
        });
    }
#endif
}

RadioSimulator::~RadioSimulator() {
#ifdef Q_OS_LINUX
    delete PaceNotifier;
    if (PaceFd >= 0)
        ::close(PaceFd);
#endif
}

int RadioSimulator::ModelBlockAddress() {
    return SimulatedModel().ModelBlockAddress();
}

QByteArray RadioSimulator::FactoryImage(int bandId) {
    QByteArray image(kImageSize, '\xFF');
    const SimulatedModel v35;
    TBlock block;
    TBWriteRead::EncodeModelBlock(block, v35.Model().Identity, bandId);
    PutBlock(image, v35.ModelBlockAddress(), block);
    return image;
}

QByteArray RadioSimulator::BlankImage() {
    return QByteArray(kImageSize, '\xFF');
}

bool RadioSimulator::SetMemory(const QByteArray& image) {
    if (image.size() != kImageSize)
        return false;
    Image = image;
    return true;
}

QByteArray RadioSimulator::Memory() const {
    return Image;
}

void RadioSimulator::SetPaced(bool paced) {
    Paced = paced;
}

void RadioSimulator::AddFault(const SimFault& fault) {
    FaultList.append(fault);
}

void RadioSimulator::ClearFaults() {
    FaultList.clear();
}

QList<SimFault> RadioSimulator::Faults() const {
    return FaultList;
}

QList<SimCommand> RadioSimulator::Commands() const {
    return CommandList;
}

void RadioSimulator::ClearCommands() {
    CommandList.clear();
}

bool RadioSimulator::InSession() const {
    return Session;
}

void RadioSimulator::Attach(QIODevice* device) {
    Detach();
    Device = device;
    connect(device, &QIODevice::readyRead, this, [this] {
        if (Device)
            Receive(Device->readAll());
    });
}

void RadioSimulator::Detach() {
    if (Device)
        disconnect(Device, nullptr, this, nullptr);
    Device = nullptr;
}

void RadioSimulator::Receive(const QByteArray& bytes) {
    Effects fx;
    if (HasFault(SimFault::Silent)) {
        fx.Log << QStringLiteral("silent: %1 bytes ignored").arg(bytes.size());
    } else {
        const qint64 now = Clock.nsecsElapsed();
        for (const char c : bytes) {
            const auto b = static_cast<quint8>(c);
            if (!Paced) {
                ProcessByte(b, now, fx);
                continue;
            }
            InFreeAt = std::max(InFreeAt, now) + kByteNs;
            PendingIn.push_back({InFreeAt, b});
        }
        if (Paced)
            Schedule(now);
    }
    Emit(fx);
}

void RadioSimulator::OnPaceTimer() {
    Effects fx;
    const qint64 now = Clock.nsecsElapsed();
    bool progressed = true;
    while (progressed) {
        progressed = false;
        while (!PendingIn.empty() && PendingIn.front().Due <= now) {
            const Timed t = PendingIn.front();
            PendingIn.pop_front();
            ProcessByte(t.Byte, t.Due, fx);
            progressed = true;
        }
        while (!PendingOut.empty() && PendingOut.front().Due <= now) {
            fx.Bytes.append(static_cast<char>(PendingOut.front().Byte));
            PendingOut.pop_front();
            progressed = true;
        }
    }
    Schedule(now);
    Emit(fx);
}

void RadioSimulator::Schedule(qint64 now) {
    // Wake when the last queued byte is due: earlier bytes are processed (at their own times)
    // or handed over together with it, which the other side cannot tell apart.
    qint64 next = -1;
    if (!PendingIn.empty())
        next = PendingIn.back().Due;
    if (!PendingOut.empty() && (next < 0 || PendingOut.back().Due < next))
        next = PendingOut.back().Due;
    if (next < 0)
        return;
#ifdef Q_OS_LINUX
    if (PaceFd >= 0) {
        timespec mono{};
        clock_gettime(CLOCK_MONOTONIC, &mono);
        const qint64 at = qint64(mono.tv_sec) * 1000000000 + mono.tv_nsec +
                          std::max<qint64>(0, next - Clock.nsecsElapsed()) + 1;
        itimerspec due{};
        due.it_value.tv_sec = static_cast<time_t>(at / 1000000000);
        due.it_value.tv_nsec = static_cast<long>(at % 1000000000);
        if (timerfd_settime(PaceFd, TFD_TIMER_ABSTIME, &due, nullptr) == 0)
            return;
    }
#endif
    // Round up: a byte is never handed over before the line would have carried it.
    const qint64 waitMs = std::max<qint64>(0, (next - now + 999999) / 1000000);
    PaceTimer->start(static_cast<int>(waitMs));
}

void RadioSimulator::ProcessByte(quint8 b, qint64 at, Effects& fx) {
    switch (State) {
    case Parse::Handshake:
        if (b == static_cast<quint8>(kHandshakeText[HandshakeIndex])) {
            if (++HandshakeIndex == static_cast<int>(sizeof kHandshakeText) - 1) {
                State = Parse::Ready;
                FinishHandshake(at, fx);
            }
            return;
        }
        fx.Log << QStringLiteral("handshake broken off after %1 bytes").arg(HandshakeIndex + 1);
        State = Parse::Ready;
        break; // the byte starts something else
    case Parse::IdentityArgument:
        State = Parse::Ready;
        if (b == kIdentityArgument) {
            if (AnswerCommand)
                AnswerIdentity(at, fx);
            else
                fx.Log << QStringLiteral("out of order: identity request outside a session");
            Record(SimCommand::IdentityRequest, -1, AnswerCommand);
            return;
        }
        fx.Log << QStringLiteral("identity request without its 0x02");
        break;
    case Parse::CommandHeader:
        CommandBytes.append(static_cast<char>(b));
        if (CommandBytes.size() == 3) {
            const int length = static_cast<quint8>(CommandBytes[2]);
            if (Command == kWriteCommand && length > 0)
                State = Parse::CommandData;
            else
                ExecuteBlockCommand(at, fx);
        }
        return;
    case Parse::CommandData:
        CommandBytes.append(static_cast<char>(b));
        if (CommandBytes.size() == 3 + static_cast<quint8>(CommandBytes[2]))
            ExecuteBlockCommand(at, fx);
        return;
    case Parse::AwaitAck:
        if (b == kAck) {
            State = Parse::Ready;
            AnswerAck(at, fx);
            Record(SimCommand::Ack, -1, true);
            return;
        }
        State = Parse::Ready;
        if (b != kStart) {
            // The computer went on without acknowledging the block it read.
            fx.Log << QStringLiteral("out of order: 0x%1 where the acknowledgement of a read was due")
                          .arg(b, 2, 16, QLatin1Char('0'));
            SkipAnswer = true;
        }
        break;
    case Parse::Ready:
        break;
    }

    // Parse::Ready: the first byte of a command.
    const bool answer = Session && !SkipAnswer;
    switch (b) {
    case kStart:
        State = Parse::Handshake;
        HandshakeIndex = 0;
        SkipAnswer = false;
        return;
    case kIdentityRequest:
        State = Parse::IdentityArgument;
        AnswerCommand = answer;
        SkipAnswer = false;
        return;
    case kReadCommand:
    case kWriteCommand:
        State = Parse::CommandHeader;
        Command = b;
        CommandBytes.clear();
        AnswerCommand = answer;
        SkipAnswer = false;
        return;
    case kAck:
        if (Session)
            AnswerAck(at, fx);
        else
            fx.Log << QStringLiteral("out of order: acknowledgement outside a session");
        Record(SimCommand::Ack, -1, Session);
        return;
    case kEnd:
        Record(SimCommand::End, -1, false);
        if (Session) {
            fx.Log << QStringLiteral("end");
            CloseSession(fx);
        } else {
            fx.Log << QStringLiteral("out of order: end outside a session");
        }
        SkipAnswer = false;
        return;
    default:
        fx.Log << QStringLiteral("unknown byte 0x%1 ignored").arg(b, 2, 16, QLatin1Char('0'));
        return;
    }
}

void RadioSimulator::FinishHandshake(qint64 at, Effects& fx) {
    if (Session && BlocksWritten > 0)
        CloseSession(fx); // the computer started again without ending the session
    if (TakeFault(SimFault::NoAck)) {
        fx.Log << QStringLiteral("handshake (fault no-ack: not answered)");
        Record(SimCommand::Handshake, -1, false);
        Session = false;
        return;
    }
    fx.Log << QStringLiteral("handshake");
    Record(SimCommand::Handshake, -1, true);
    Session = true;
    BlocksWritten = 0;
    Send(QByteArray(1, static_cast<char>(kAck)), at, fx);
    if (TakeFault(SimFault::DupAck)) {
        fx.Log << QStringLiteral("(fault dup-ack: acknowledged twice)");
        fx.Late.append(static_cast<char>(kAck));
    }
}

void RadioSimulator::AnswerIdentity(qint64 at, Effects& fx) {
    if (TakeFault(SimFault::NoIdentity)) {
        fx.Log << QStringLiteral("identity request (fault no-identity: not answered)");
        return;
    }
    QByteArray identity = Image.mid(ModelBlockAddress(), kIdentitySize);
    for (const SimFault& f : std::as_const(FaultList))
        if (f.Type == SimFault::Identity)
            identity = f.IdentityBytes;
    fx.Log << QStringLiteral("identity request -> %1").arg(HexBytes(identity));
    Send(identity, at, fx);
}

void RadioSimulator::AnswerAck(qint64 at, Effects& fx) {
    if (TakeFault(SimFault::Nak)) {
        fx.Log << QStringLiteral("acknowledgement (fault nak: answered 0x15)");
        Send(QByteArray(1, static_cast<char>(kNak)), at, fx);
        return;
    }
    Send(QByteArray(1, static_cast<char>(kAck)), at, fx);
}

void RadioSimulator::ExecuteBlockCommand(qint64 at, Effects& fx) {
    State = Parse::Ready;
    const int address = (static_cast<quint8>(CommandBytes[0]) << 8) | static_cast<quint8>(CommandBytes[1]);
    const int length = static_cast<quint8>(CommandBytes[2]);
    const bool isRead = Command == kReadCommand;
    const QString text = CommandText(Command, address);
    const SimCommand::Kind kind = isRead ? SimCommand::Read : SimCommand::Write;
    if (!AnswerCommand) {
        fx.Log << QStringLiteral("out of order: %1 ignored").arg(text);
        Record(kind, address, false);
        return;
    }
    if (length != kBlockSize || address + kBlockSize > kImageSize) {
        fx.Log << QStringLiteral("out of range: %1 length %2 ignored").arg(text).arg(length);
        Record(kind, address, false);
        return;
    }
    if (TakeFault(SimFault::Drop, address)) {
        fx.Log << QStringLiteral("%1 (fault drop: not answered)").arg(text);
        Record(kind, address, false);
        return;
    }
    if (TakeFault(SimFault::Hangup, address)) {
        fx.Log << QStringLiteral("%1 (fault hangup: line closed)").arg(text);
        Record(kind, address, false);
        Session = false;
        PendingOut.clear();
        fx.Hangup = true;
        return;
    }
    if (TakeFault(SimFault::Noise, address)) {
        fx.Log << QStringLiteral("%1 (fault noise: line error, reply lost)").arg(text);
        Record(kind, address, false);
        fx.Noise = true;
        return;
    }
    if (!isRead && HasFault(SimFault::NakWrite)) {
        fx.Log << QStringLiteral("%1 (fault nak-write: refused with 0x15, not stored)").arg(text);
        Record(kind, address, false);
        Send(QByteArray(1, static_cast<char>(kNak)), at, fx);
        return;
    }
    const bool cut = TakeFault(SimFault::Short, address);
    Record(kind, address, true);
    if (isRead) {
        QString note;
        int replyAddress = address;
        if (address + 2 * kBlockSize <= kImageSize && TakeFault(SimFault::Next, address)) {
            replyAddress = address + kBlockSize;
            note += QStringLiteral(" (fault next: answered with %1)").arg(HexAddress(replyAddress));
        }
        QByteArray reply = BlockCommand(kWriteCommand, replyAddress, Image.mid(replyAddress, kBlockSize));
        if (cut) {
            reply.truncate(kShortReplyBytes);
            note += QStringLiteral(" (fault short: %1 bytes)").arg(kShortReplyBytes);
        }
        if (TakeFault(SimFault::Stray, address)) {
            reply.prepend('\0');
            note += QStringLiteral(" (fault stray: 00 in front)");
        }
        fx.Log << text + note;
        Send(reply, at, fx);
        State = Parse::AwaitAck;
        return;
    }
    Image.replace(address, kBlockSize, CommandBytes.mid(3, kBlockSize));
    ++BlocksWritten;
    fx.Log << text + (cut ? QStringLiteral(" (fault short: stored, not answered)") : QString());
    if (!cut)
        Send(QByteArray(1, static_cast<char>(kAck)), at, fx);
}

void RadioSimulator::CloseSession(Effects& fx) {
    Session = false;
    if (BlocksWritten > 0)
        fx.SessionsEnded << BlocksWritten;
    BlocksWritten = 0;
}

void RadioSimulator::Send(const QByteArray& bytes, qint64 at, Effects& fx) {
    if (!Paced) {
        fx.Bytes.append(bytes);
        return;
    }
    for (const char c : bytes) {
        OutFreeAt = std::max(OutFreeAt, at) + kByteNs;
        PendingOut.push_back({OutFreeAt, static_cast<quint8>(c)});
    }
    Schedule(Clock.nsecsElapsed());
}

bool RadioSimulator::TakeFault(SimFault::Kind kind, int address) {
    for (int i = 0; i < FaultList.size(); ++i) {
        const SimFault& f = FaultList[i];
        if (f.Type == kind && f.Address == address) {
            if (!f.Persistent())
                FaultList.removeAt(i);
            return true;
        }
    }
    return false;
}

bool RadioSimulator::HasFault(SimFault::Kind kind) const {
    return std::any_of(FaultList.begin(), FaultList.end(),
                       [kind](const SimFault& f) { return f.Type == kind; });
}

void RadioSimulator::Record(SimCommand::Kind kind, int address, bool answered) {
    CommandList.append({kind, address, answered});
}

void RadioSimulator::Emit(const Effects& fx) {
    for (const QString& line : fx.Log)
        emit logLine(line);
    if (!fx.Bytes.isEmpty()) {
        if (Device)
            Device->write(fx.Bytes);
        emit transmit(fx.Bytes);
    }
    if (!fx.Late.isEmpty()) {
        const QByteArray late = fx.Late;
        QTimer::singleShot(kLateMs, this, [this, late] {
            Effects f;
            Send(late, Clock.nsecsElapsed(), f);
            Emit(f);
        });
    }
    for (const int blocks : fx.SessionsEnded)
        emit sessionEnded(blocks);
    if (fx.Noise)
        emit noiseRequested();
    if (fx.Hangup)
        emit hangupRequested();
}
