// libFuzzer target: whatever a radio (or the line) may send back.
//
// First byte 0: the reply collector, the handshake acknowledgement and both identity checks on
// arbitrary chunks of bytes, expected counts and resets.
// First byte 1 or 2: a whole read (1) or write (2) session over an in-memory cable, where the
// rest of the input decides each event: bytes from the radio in chunks, line errors, a pulled
// cable, a reply time-out, a new OK, closing and reopening.

#include "../common/Catalogue.h"
#include "core/MacType.h"
#include "core/Prompt.h"
#include "lang/Language.h"
#include "link/Identity.h"
#include "link/ReadOperation.h"
#include "link/ReplyCollector.h"
#include "link/WriteOperation.h"
#include "wire/VirtualLine.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdint>
#include <cstdlib>

namespace {

struct Input {
    const uint8_t* Data;
    size_t Size;
    size_t Pos = 0;
    bool Done() const { return Pos >= Size; }
    uint8_t Byte() { return Pos < Size ? Data[Pos++] : 0; }
    QByteArray Bytes(size_t n) {
        n = std::min(n, Size - std::min(Pos, Size));
        QByteArray b(reinterpret_cast<const char*>(Data + Pos), static_cast<int>(n));
        Pos += n;
        return b;
    }
};

void Check(bool condition) {
    if (!condition)
        std::abort();
}

using Tables = Catalogue;

const Tables& Shared() {
    static const Tables t;
    return t;
}

void FuzzPieces(Input& in) {
    const Tables& t = Shared();
    ReplyCollector c;
    while (!in.Done()) {
        switch (in.Byte() % 5) {
        case 0:
            c.Expect(in.Byte() % 64);
            break;
        case 1: {
            const bool wasAwaiting = c.Awaiting();
            const bool done = c.Feed(in.Bytes(in.Byte() % 80));
            Check(!done || wasAwaiting);
            Check(c.ReceivedCount() <= ReplyCollector::kBufferSize);
            Check(c.Reply().size() <= ReplyCollector::kBufferSize);
            break;
        }
        case 2:
            c.Reset(); // a line error drops the reply in progress
            Check(!c.Awaiting());
            break;
        case 3: {
            const QByteArray id = c.Reply();
            const ReadIdentity r = CheckReadIdentity(id, t.Models, t.Bands);
            Check(r.Accepted == (r.Model != nullptr));
            if (r.Accepted)
                Check(t.Bands.BandIdOf(t.Bands.BandTextOf(r.BandId)) == r.BandId && r.BandId != 0);
            CheckWriteIdentity(id, *t.Models.GetModel(0), in.Byte());
            break;
        }
        default:
            HandshakeAcknowledged(c.Reply());
            break;
        }
    }
}

void Settle() {
    for (int i = 0; i < 24; ++i)
        QCoreApplication::processEvents();
}

void FuzzSession(Input& in, bool read) {
    const Tables& t = Shared();
    ScriptedPrompter prompts;
    for (int i = 0; i < 3; ++i)
        prompts.Answers << (in.Byte() & 1 ? Prompter::Retry : Prompter::Cancel);
    VirtualLine line;
    QIODevice* radio = line.RadioEnd();
    radio->open(QIODevice::ReadWrite);

    LinkTiming timing;
    timing.BeforeHandshakeMs = timing.HandshakeByteMs = timing.BeforeIdentityMs = 0;
    timing.BeforeReadTransferMs = timing.BeforeWriteTransferMs = timing.ReadReleaseMs = 0;
    timing.RetryAfterLineErrorMs = timing.CloseDelayMs = timing.DrainPollMs = 0;
    timing.ReplyTimeoutMs = 1000000; // time-outs come from the input only

    ReadOperation readOp(t.Models, t.Bands, t.Messages, prompts);
    WriteOperation writeOp(t.Models, t.Bands, t.Messages, prompts);
    LinkOperation& op = read ? static_cast<LinkOperation&>(readOp) : static_cast<LinkOperation&>(writeOp);
    if (!read) {
        Codeplug plug;
        plug.Channels[1].RxFrequency = 446.00625;
        writeOp.SetCodeplug(plug);
    }
    op.SetTiming(timing);
    op.SetDevice(line.ComputerEnd());
    op.OpenPort();
    op.start();
    Settle();
    int steps = 0;
    while (!in.Done() && ++steps < 2000) {
        switch (in.Byte() % 8) {
        case 0:
        case 1:
        case 2:
            radio->readAll();
            radio->write(in.Bytes(in.Byte() % 40));
            break;
        case 3:
            line.InjectLineError();
            break;
        case 4:
            if (in.Byte() % 8 == 0)
                line.HangUp();
            break;
        case 5:
            if (QTimer* tryTime = op.findChild<QTimer*>(QStringLiteral("TryTime"));
                tryTime && tryTime->isActive())
                tryTime->start(0);
            break;
        case 6:
            op.start();
            break;
        default:
            if (in.Byte() % 4 == 0) {
                op.close();
                op.OpenPort();
            }
            break;
        }
        Settle();
        Check(op.Position() >= 0 && op.Position() <= op.Maximum());
        if (read && readOp.ReadDone())
            Check(readOp.Result().Identity == QStringLiteral("V35"));
    }
    op.close();
    Settle();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static int argc = 1;
    static char name[] = "fuzz_link";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    Input in{data, size};
    switch (in.Byte() % 3) {
    case 0:
        FuzzPieces(in);
        break;
    case 1:
        FuzzSession(in, true);
        break;
    default:
        FuzzSession(in, false);
        break;
    }
    return 0;
}
