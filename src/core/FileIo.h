#pragma once

#include <QByteArray>
#include <QString>

// Reading and writing whole files the way every file of the program is handled: writes go to a
// temporary file beside the target that is renamed over it only after every byte reached the disk;
// reads refuse what is not a regular file and never read more than the caller can use.

enum class FileFault {
    None,
    NotRegular, // a directory, FIFO, device or socket
    TooLarge,   // more bytes than the caller's limit
    ReadFailed, // missing, no permission, I/O error
    WriteFailed // cannot create, a write, flush, sync or the rename failed
};

struct FileResult {
    FileFault Fault = FileFault::None;
    QString Reason; // the system's reason ("No space left on device"), in English
    explicit operator bool() const { return Fault == FileFault::None; }
};

// Replaces path with bytes. On any failure the old file keeps its bytes, no temporary file is left
// behind and Reason says why.
FileResult WriteFileAtomically(const QString& path, const QByteArray& bytes);

// Reads all of path when it is a regular file of at most maxBytes bytes; `out` is only written on
// success. A FIFO or device is refused without being read or waited on.
FileResult ReadFileLimited(const QString& path, qint64 maxBytes, QByteArray& out);

// "path: reason" for messages in the command-line tool and logs.
QString DescribeFileResult(const QString& path, const FileResult& result, qint64 maxBytes = 0);

// A text taken from a file or from user input, made fit for a message: control characters and
// other invisible characters are shown as \xNN or \uNNNN, and the text is cut after maxChars
// characters with "..." appended.
QString ReadableText(const QString& text, int maxChars = 64);
