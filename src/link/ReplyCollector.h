#pragma once

#include <QByteArray>

#include <array>

// Collects the bytes of one reply from the radio as data events deliver them. A reply is complete
// when the expected count is reached; the extra bytes of the event that completes it belong to it
// too, and bytes beyond the 51st of one reply are dropped.
class ReplyCollector {
public:
    static constexpr int kBufferSize = 51;

    // A new reply of `count` bytes is awaited; whatever was collected so far is dropped.
    void Expect(int count);
    // Forgets a reply in progress; nothing is awaited until the next Expect.
    void Reset();
    // One data event. True when the reply completed with it; Reply() then holds its bytes.
    bool Feed(const QByteArray& chunk);

    // The bytes of the reply that completed last (at most kBufferSize).
    QByteArray Reply() const { return LastReply; }
    // The bytes collected so far for the reply in progress.
    QByteArray Partial() const;
    int ExpectedCount() const { return Expected; }
    int ReceivedCount() const { return Received; }
    bool Awaiting() const { return Active; }

private:
    std::array<char, kBufferSize> ReplyBuffer{};
    int Received = 0;
    int Expected = 0;
    bool Active = false;
    QByteArray LastReply;
};

// The radio's answer to the handshake: one of its first two bytes is the acknowledgement. Only the
// bytes of this reply count, never what an earlier reply left in the buffer.
bool HandshakeAcknowledged(const QByteArray& reply);
