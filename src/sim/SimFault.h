#pragma once

#include <QByteArray>
#include <QString>

// A fault the simulated radio (or its line) shows. Persistent faults describe the radio and stay
// until cleared; the others fire once and are then spent, so that the retry which follows them
// gets through. Each one given twice fires twice.
struct SimFault {
    enum Kind {
        Silent,     // persistent: the radio answers nothing at all (switched off, wrong cable)
        Identity,   // persistent: the identity reply is IdentityBytes (another radio)
        NoAck,      // once: no acknowledgement to the next handshake
        NoIdentity, // once: no reply to the next identity request
        Nak,        // once: the next acknowledgement from the computer is answered with 0x15
        Drop,       // once: no reply to the block command at Address (a write is not stored)
        Short,      // once: only 10 bytes of the read reply at Address; a write is stored, not answered
        Hangup,     // once: the line is closed at Address, as a pulled cable
        Noise,      // once: the computer's end sees a line error at Address; the reply is lost
        DupAck,     // once: the next handshake is acknowledged twice, the second 0x06 a moment later
        Stray,      // once: one stray 0x00 goes out in front of the reply to the read at Address
        Next,       // once: the read at Address is answered with the header and data of the next block
        NakWrite,   // persistent: every block write is refused with 0x15 and not stored
    };

    Kind Type = Silent;
    int Address = -1;
    QByteArray IdentityBytes;

    bool Persistent() const { return Type == Silent || Type == Identity || Type == NakWrite; }
    bool operator==(const SimFault&) const = default;
};

// "silent", "no-ack", "no-identity", "nak", "drop=0x0100", "short=256", "hangup=0x0C80",
// "noise=0x0800", "identity=5056333520F30000", "dup-ack", "stray=0x0010", "next=0x0010", "nak-write". False
// with a message for anything else.
bool ParseSimFault(const QString& text, SimFault& fault, QString* error = nullptr);
QString SimFaultText(const SimFault& fault);
