#include "ReplyCollector.h"

#include "wire/WireBytes.h"

void ReplyCollector::Expect(int count) {
    Received = 0;
    Expected = count;
    Active = count > 0;
}

void ReplyCollector::Reset() {
    Received = 0;
    Expected = 0;
    Active = false;
}

bool ReplyCollector::Feed(const QByteArray& chunk) {
    if (!Active)
        return false;
    for (const char byte : chunk) {
        if (Received < kBufferSize) {
            ReplyBuffer[static_cast<size_t>(Received)] = byte;
            --Expected;
            ++Received;
        }
    }
    if (Expected > 0)
        return false;
    LastReply = QByteArray(ReplyBuffer.data(), Received);
    Received = 0;
    Active = false;
    return true;
}

QByteArray ReplyCollector::Partial() const {
    return QByteArray(ReplyBuffer.data(), Received);
}

bool HandshakeAcknowledged(const QByteArray& reply) {
    for (int i = 0; i < 2 && i < reply.size(); ++i)
        if (static_cast<quint8>(reply[i]) == kAck)
            return true;
    return false;
}
