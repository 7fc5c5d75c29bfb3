#include "PtyLine.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

bool Fail(QString* error, const char* what) {
    if (error)
        *error = QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(strerror(errno)));
    return false;
}

} // namespace

PtyLine::PtyLine(QObject* parent) : QObject(parent) {}

PtyLine::~PtyLine() {
    Close();
}

bool PtyLine::Open(QString* error) {
    Close();
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0)
        return Fail(error, "posix_openpt");
    if (grantpt(master) != 0 || unlockpt(master) != 0) {
        ::close(master);
        return Fail(error, "grantpt/unlockpt");
    }
    const char* name = ptsname(master);
    if (!name) {
        ::close(master);
        return Fail(error, "ptsname");
    }
    const QString path = QString::fromLocal8Bit(name);
    const int slave = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (slave < 0) {
        ::close(master);
        return Fail(error, "open slave");
    }
    // Raw from the start: a fresh terminal echoes and translates line ends until a program sets it up.
    termios tio{};
    if (tcgetattr(slave, &tio) == 0) {
        cfmakeraw(&tio);
        tcsetattr(slave, TCSANOW, &tio);
    }
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    Master = master;
    Slave = slave;
    Path = path;
    ReadNotifier = new QSocketNotifier(Master, QSocketNotifier::Read, this);
    connect(ReadNotifier, &QSocketNotifier::activated, this, &PtyLine::OnReadable);
    WriteNotifier = new QSocketNotifier(Master, QSocketNotifier::Write, this);
    WriteNotifier->setEnabled(false);
    connect(WriteNotifier, &QSocketNotifier::activated, this, &PtyLine::OnWritable);
    return true;
}

void PtyLine::Close() {
    // Close may run from a handler of these very notifiers.
    for (QSocketNotifier* n : {ReadNotifier, WriteNotifier})
        if (n) {
            n->setEnabled(false);
            n->deleteLater();
        }
    ReadNotifier = WriteNotifier = nullptr;
    if (Slave >= 0)
        ::close(Slave);
    if (Master >= 0)
        ::close(Master);
    Slave = Master = -1;
    Outgoing.clear();
}

void PtyLine::HangUp() {
    Close();
    if (Open())
        emit reopened(Path);
}

void PtyLine::Send(const QByteArray& bytes) {
    if (Master < 0)
        return;
    Outgoing.append(bytes);
    OnWritable();
}

void PtyLine::OnWritable() {
    while (!Outgoing.isEmpty()) {
        const ssize_t n = ::write(Master, Outgoing.constData(), static_cast<size_t>(Outgoing.size()));
        if (n > 0) {
            Outgoing.remove(0, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break; // the terminal's buffer is full: wait until it can take more
    }
    if (WriteNotifier)
        WriteNotifier->setEnabled(!Outgoing.isEmpty());
}

void PtyLine::OnReadable() {
    char buffer[512];
    while (Master >= 0) {
        const ssize_t n = ::read(Master, buffer, sizeof buffer);
        if (n > 0) {
            emit received(QByteArray(buffer, static_cast<int>(n)));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return; // EAGAIN: all read
    }
}
