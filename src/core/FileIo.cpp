#include "FileIo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

FileResult Failure(FileFault fault, const QString& reason) {
    return FileResult{fault, reason};
}

// Qt reports a failed flush as "Unknown error"; the system's own reason is more use.
QString SystemReason(const QFileDevice& file, int error) {
    if (error != 0)
        return QString::fromLocal8Bit(std::strerror(error));
    return file.errorString();
}

} // namespace

FileResult WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Failure(FileFault::WriteFailed, file.errorString());
    // QSaveFile buffers small writes and, in Qt 6.4, commits a file whose buffered write failed on
    // close: every write and the flush are checked before the rename may happen.
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = SystemReason(file, errno);
        file.cancelWriting(); // the destructor removes the temporary file
        return Failure(FileFault::WriteFailed, reason);
    }
#ifdef Q_OS_UNIX
    // A file system may report a lost write only when the data is synced.
    if (::fdatasync(file.handle()) != 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        file.cancelWriting();
        return Failure(FileFault::WriteFailed, reason);
    }
#endif
    if (!file.commit())
        return Failure(FileFault::WriteFailed, file.errorString());
    return {};
}

FileResult ReadFileLimited(const QString& path, qint64 maxBytes, QByteArray& out) {
    QFile file;
#ifdef Q_OS_UNIX
    // Opened without waiting, so that a FIFO does not block until a writer appears; what it is
    // is decided on the open descriptor, not on the name.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return Failure(FileFault::ReadFailed, QString::fromLocal8Bit(std::strerror(errno)));
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return Failure(FileFault::NotRegular, QStringLiteral("not a regular file"));
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Failure(FileFault::ReadFailed, file.errorString());
    }
#else
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return Failure(FileFault::NotRegular, QStringLiteral("not a regular file"));
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure(FileFault::ReadFailed, file.errorString());
#endif
    // One byte more than allowed tells a file that is too large from one that fits exactly.
    const QByteArray bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return Failure(FileFault::ReadFailed, file.errorString());
    if (bytes.size() > maxBytes)
        return Failure(FileFault::TooLarge, QStringLiteral("larger than %1 bytes").arg(maxBytes));
    out = bytes;
    return {};
}

QString DescribeFileResult(const QString& path, const FileResult& result, qint64 maxBytes) {
    QString reason = result.Reason;
    if (result.Fault == FileFault::TooLarge && maxBytes > 0)
        reason = QStringLiteral("larger than %1 bytes, more than such a file can hold").arg(maxBytes);
    return ReadableText(QDir::toNativeSeparators(path), 256) + QStringLiteral(": ") + reason;
}

QString ReadableText(const QString& text, int maxChars) {
    QString out;
    int shown = 0;
    for (int i = 0; i < text.size(); ++i) {
        if (shown == maxChars) {
            out += QStringLiteral("...");
            break;
        }
        const QChar c = text.at(i);
        const char32_t u = c.unicode();
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out += c;
            out += text.at(++i);
        } else if (u < 0x20 || u == 0x7F) {
            out += QStringLiteral("\\x%1").arg(static_cast<uint>(u), 2, 16, QLatin1Char('0'));
        } else if ((u >= 0x80 && u < 0xA0) || c.isSurrogate() || c.category() == QChar::Other_Format ||
                   u == 0x2028 || u == 0x2029) {
            // C1 controls, lone surrogates, bidirectional overrides and line separators.
            out += QStringLiteral("\\u%1").arg(static_cast<uint>(u), 4, 16, QLatin1Char('0'));
        } else {
            out += c;
        }
        ++shown;
    }
    return out;
}
