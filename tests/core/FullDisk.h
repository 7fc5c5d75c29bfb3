#pragma once

// Two ways to make a file's writes fail the way a full disk makes them fail, for the tests of
// every writer: a real, full tmpfs (needs root), and the file size limit, which makes any write
// past the limit fail on any file system without privileges.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

// A 64 KiB tmpfs mounted for the test; Fill() takes its last free byte.
class FullTmpfs {
public:
    FullTmpfs() {
        if (::geteuid() != 0 || !Dir.isValid())
            return;
        Mounted = ::mount("tmpfs", QFile::encodeName(Dir.path()).constData(), "tmpfs", 0, "size=64k") == 0;
    }
    ~FullTmpfs() {
        if (Mounted)
            ::umount2(QFile::encodeName(Dir.path()).constData(), MNT_DETACH);
    }
    FullTmpfs(const FullTmpfs&) = delete;
    FullTmpfs& operator=(const FullTmpfs&) = delete;

    bool IsMounted() const { return Mounted; }
    QString FilePath(const QString& name) const { return Dir.filePath(name); }

    // Writes a filler file until the file system refuses another byte.
    void Fill() const {
        QFile filler(FilePath(QStringLiteral("filler")));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return;
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size()) {
        }
        while (filler.write("f", 1) == 1) {
        }
    }

    // Every name in the file system but the filler.
    QStringList Files() const {
        QStringList names = QDir(Dir.path()).entryList(QDir::Files | QDir::Hidden);
        names.removeAll(QStringLiteral("filler"));
        return names;
    }

private:
    QTemporaryDir Dir;
    bool Mounted = false;
};

// While it lives, no file of this process or of the processes it starts may grow past `bytes`:
// a write past the limit fails with EFBIG ("File too large") instead of raising SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        Handler = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &Old);
        rlimit limit = Old;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &Old);
        std::signal(SIGXFSZ, Handler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit Old{};
    void (*Handler)(int) = SIG_DFL;
};
