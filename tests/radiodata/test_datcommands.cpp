#include "TestBytes.h"
#include "core/FullDisk.h"

#include "app/DatCommands.h"
#include "app/Maindb.h"
#include "core/Prompt.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

using C = ChannelTable;

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Every cell of the table: shown text, code and read-only mark.
QStringList Cells(const ChannelTable& t) {
    QStringList cells;
    for (int k = 1; k <= t.RowCount(); ++k)
        for (int column = C::ChannelNo; column <= C::BusyLock; ++column)
            cells << QStringLiteral("%1/%2/%3/%4")
                         .arg(t.Text(k, column), t.Code(k, column))
                         .arg(k)
                         .arg(t.IsReadOnly(k, column));
    return cells;
}

// What the grid does when a receive frequency is typed into a channel not in use.
void Type(ChannelTable& t, int k, const char* rx) {
    t.SetText(k, C::RxFrequency, QString::fromLatin1(rx));
    t.ActivateChannel(k);
}

// A program with some data, as the user would have made it.
void Fill(TfMaindb& db) {
    C& t = db.MainTable;
    Type(t, 1, "446.00625");
    t.SetText(1, C::RxTone, QStringLiteral("67.0"));
    t.SetText(1, C::TxTone, QStringLiteral("D023N"));
    Type(t, 3, "145.50000");
    t.SetText(3, C::TxFrequency, QString()); // no transmit frequency
    t.SetOption(3, C::ScanAdd, 0);
    t.SetOption(3, C::BusyLock, 2);
    t.SetOption(3, C::OptSignal, 2);
    Type(t, 128, "470.00000");
    t.SetText(128, C::TxTone, QStringLiteral("D754I"));
    TFun& f = db.FunctionSettings;
    f.CurrentChannel = 3;
    f.SquelchLevel = 9;
    f.VfoRxFreq = 430.5;
    f.VfoOffset = 7.6;
    f.VfoRxTone = QStringLiteral("D023N");
    f.AniCode = QStringLiteral("5678");
    f.RadioName = QStringLiteral("BASE");
    f.ManualSet = true;
    db.EmbeddedMessage.LineA = QString(32, QLatin1Char('x'));
    db.EmbeddedMessage.LineB = QStringLiteral("Hello World");
    db.AppState.Modified = true;
}

// Everything that opening a file may change.
struct Program {
    explicit Program(const TfMaindb& db)
        : Cells(::Cells(db.MainTable)), Functions(db.FunctionSettings), Message(db.EmbeddedMessage),
          Band(db.AppState.BandName), FileTime(db.AppState.FileTime), Identity(db.AppState.RadioIdentity),
          Modified(db.AppState.Modified) {}
    bool operator==(const Program&) const = default;
    QStringList Cells;
    TFun Functions;
    TEnMsg Message;
    QString Band, FileTime, Identity;
    bool Modified;
};

} // namespace

class TestDatCommands : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void saveThenOpenGivesTheSameData() {
        QTemporaryDir dir;
        TfMaindb db(dir.path());
        db.SelectDefaultModel();
        Fill(db);
        const Program saved(db);
        const QString path = dir.filePath(QStringLiteral("a.dat"));
        ScriptedPrompter prompter;
        QVERIFY(SaveDatFile(db, path, SaveMode::ChosenName, prompter,
                            QDateTime(QDate(2026, 12, 9), QTime(15, 24))));
        QVERIFY(prompter.Log.isEmpty());
        QVERIFY(!db.AppState.Modified);
        QCOMPARE(db.FunctionSettings.CurrentChannel, 3); // saving never changes it
        const QString used = QStringLiteral("101") + QString(124, QLatin1Char('0')) + QLatin1Char('1');
        QCOMPARE(db.AppState.ChannelUsedBits, used);
        QCOMPARE(db.AppState.ScanAddBits,
                 QStringLiteral("1") + QString(126, QLatin1Char('0')) + QLatin1Char('1'));
        const QByteArray bytes = ReadAll(path);
        QCOMPARE(bytes.size(), 3232);
        QCOMPARE(Hex(bytes.left(16)), Hex("50 56 33 35 20 40 04 70 EA 07 0C 09 0F 18 FF FF"));

        TfMaindb other(dir.path());
        other.SelectDefaultModel();
        other.AppState.Modified = true;
        QString name = path;
        QVERIFY(OpenDatFile(other, name, prompter));
        QVERIFY(prompter.Log.isEmpty());
        QCOMPARE(name, path);
        QCOMPARE(Cells(other.MainTable), saved.Cells);
        QVERIFY(other.FunctionSettings == db.FunctionSettings);
        QVERIFY(other.EmbeddedMessage == db.EmbeddedMessage);
        QCOMPARE(other.AppState.FileTime, QStringLiteral("2026-12-09 15:24"));
        QVERIFY(!other.AppState.Modified);
    }

    void savedTwiceDiffersOnlyInTheDate() {
        QTemporaryDir dir;
        TfMaindb db(dir.path());
        db.SelectDefaultModel();
        Fill(db);
        ScriptedPrompter prompter;
        const QString a = dir.filePath(QStringLiteral("a.dat")), b = dir.filePath(QStringLiteral("b.dat"));
        QVERIFY(SaveDatFile(db, a, SaveMode::CurrentName, prompter,
                            QDateTime(QDate(2026, 12, 9), QTime(15, 24))));
        QVERIFY(
            SaveDatFile(db, b, SaveMode::CurrentName, prompter, QDateTime(QDate(2027, 1, 2), QTime(3, 4))));
        const QByteArray x = ReadAll(a), y = ReadAll(b);
        QCOMPARE(x.mid(16), y.mid(16));
        QCOMPARE(x.left(8), y.left(8));
        QCOMPARE(Hex(y.mid(8, 8)), Hex("EB 07 01 02 03 04 FF FF"));
    }

    void otherModesSaveNothing() {
        QTemporaryDir dir;
        TfMaindb db(dir.path());
        db.SelectDefaultModel();
        ScriptedPrompter prompter;
        const QString path = dir.filePath(QStringLiteral("a.dat"));
        QVERIFY(!SaveDatFile(db, path, static_cast<SaveMode>(2), prompter));
        QVERIFY(!QFile::exists(path));
    }

    void theBandGoesIntoTheFileButDoesNotComeBack() {
        QTemporaryDir dir;
        TfMaindb db(dir.path());
        db.SelectDefaultModel();
        ApplyBandName(db.AppState, QStringLiteral("146.0 - 149.9MHz"));
        Fill(db);
        ScriptedPrompter prompter;
        const QString path = dir.filePath(QStringLiteral("b.dat"));
        QVERIFY(SaveDatFile(db, path, SaveMode::CurrentName, prompter));
        const QByteArray bytes = ReadAll(path);
        QCOMPARE(Hex(bytes.mid(5, 3)), Hex("14 61 50"));
        QCOMPARE(int(quint8(bytes.at(0x0810 + 10))), 247);
        QCOMPARE(int(quint8(bytes.at(0x0C70 + 5))), 247);

        TfMaindb other(dir.path());
        other.SelectDefaultModel();
        QString name = path;
        QVERIFY(OpenDatFile(other, name, prompter));
        QCOMPARE(other.AppState.BandName, QStringLiteral("400.0 - 470.0MHz"));
        QCOMPARE(other.AppState.BandLow, 400.0);
    }

    void openedChannelsAreInUseAndNotClamped() {
        QTemporaryDir dir;
        TfMaindb db(dir.path());
        db.SelectDefaultModel();
        Fill(db);
        db.FunctionSettings.TxTimeout = 12;                            // outside its range; a file keeps it
        db.MainTable.SetText(128, C::TxTone, QStringLiteral("D754i")); // stored like D754I
        ScriptedPrompter prompter;
        const QString path = dir.filePath(QStringLiteral("c.dat"));
        QVERIFY(SaveDatFile(db, path, SaveMode::CurrentName, prompter));
        TfMaindb other(dir.path());
        other.SelectDefaultModel();
        QString name = path;
        QVERIFY(OpenDatFile(other, name, prompter));
        QCOMPARE(other.FunctionSettings.TxTimeout, 12);
        for (const int k : {1, 3, 128})
            QCOMPARE(other.MainTable.Code(k, C::ChannelNo), QStringLiteral("1"));
        QCOMPARE(other.MainTable.Text(3, C::TxFrequency), QString());
        QVERIFY(!other.MainTable.IsReadOnly(3, C::TxFrequency));
        QCOMPARE(other.MainTable.Text(128, C::TxTone), QStringLiteral("D754I"));
    }

    void badFilesChangeNothing_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("modelError");
        QTest::addColumn<QString>("named");
        QTemporaryDir dir;
        TfMaindb db(dir.path());
        db.SelectDefaultModel();
        Fill(db);
        ScriptedPrompter prompter;
        const QString path = dir.filePath(QStringLiteral("good.dat"));
        SaveDatFile(db, path, SaveMode::CurrentName, prompter);
        const QByteArray good = ReadAll(path);
        // The details are in the language of the program, as the first line is.
        QTest::newRow("empty") << QByteArray() << true << "文件不完整：只有 0 字节，应有 16 字节！";
        QTest::newRow("16 bytes") << good.left(16) << true << "只有 16 字节，应有 3232 字节！";
        QTest::newRow("3231 bytes") << good.left(3231) << true << "只有 3231 字节，应有 3232 字节！";
        QByteArray other = good;
        other.replace(1, 3, "K99");
        QTest::newRow("unknown identity") << other << true << "文件的机型“K99”不在机型列表中！";
        // Bytes of the header are shown, never sent to the terminal or the message box as they are.
        QByteArray escape = good;
        escape.replace(1, 4, QByteArray("\x1b]0;", 4));
        QTest::newRow("terminal escape as identity") << escape << true << "“\\x1b]0;”";
        QByteArray nul = good;
        nul.replace(1, 4,
                    QByteArray("V\0"
                               "35",
                               4));
        QTest::newRow("NUL in the identity") << nul << true << "“V\\x0035”";
        QByteArray tone = good;
        tone.replace(0x0020 + 10, 2, HexToBytes("12 AB")); // channel 2 is empty: not read
        tone.replace(0x0810 - 16 + 8, 2, HexToBytes("12 AB"));
        QTest::newRow("tone field 12 AB") << tone << false << "文件偏移 0x0800 处的数据无法识别！";
    }
    void badFilesChangeNothing() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, modelError);
        QFETCH(QString, named);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("bad.dat"));
        WriteAll(path, bytes);
        TfMaindb db(dir.path());
        db.SelectDefaultModel();
        Fill(db);
        db.AppState.FileTime = QStringLiteral("earlier");
        const Program before(db);
        ScriptedPrompter prompter;
        QString name = path;
        QVERIFY(!OpenDatFile(db, name, prompter));
        QVERIFY(name.isEmpty());
        QVERIFY(Program(db) == before);
        QCOMPARE(prompter.Log.size(), 1);
        const QString text = prompter.Log.first().Text;
        QVERIFY2(text.contains(QDir::toNativeSeparators(path)) && text.contains(named), qPrintable(text));
        QCOMPARE(text.startsWith(db.Messages.ModError), modelError);
        QCOMPARE(prompter.Log.first().Kind, int(Prompter::Information));
        QCOMPARE(prompter.Log.first().Caption, db.Messages.Confirmation);
        // No English words in a Chinese message, and nothing a terminal would act on.
        static const QRegularExpression word(QStringLiteral("[A-Za-z]{3,}"));
        QVERIFY2(!word.match(QString(text).remove(QDir::toNativeSeparators(path))).hasMatch(),
                 qPrintable(text));
        for (const QChar c : text)
            QVERIFY2(c == QLatin1Char('\n') || c.unicode() >= 0x20, qPrintable(text));
    }

    void missingFileChangesNothing() {
        QTemporaryDir dir;
        TfMaindb db(dir.path());
        db.SelectDefaultModel();
        Fill(db);
        const Program before(db);
        ScriptedPrompter prompter;
        QString name = dir.filePath(QStringLiteral("none.dat"));
        QVERIFY(!OpenDatFile(db, name, prompter));
        QVERIFY(Program(db) == before);
        QCOMPARE(prompter.Log.size(), 1);
    }

    void failedSaveKeepsTheOldFile() {
        QTemporaryDir dir;
        TfMaindb db(dir.path());
        db.SelectDefaultModel();
        Fill(db);
        const QString path = dir.filePath(QStringLiteral("old.dat"));
        WriteAll(path, "old contents");
        db.MainTable.SetText(3, C::RxFrequency, QStringLiteral("14.5.5")); // a cell that cannot be stored
        ScriptedPrompter prompter;
        QVERIFY(!SaveDatFile(db, path, SaveMode::CurrentName, prompter));
        QCOMPARE(ReadAll(path), QByteArray("old contents"));
        QVERIFY(db.AppState.Modified);
        QCOMPARE(prompter.Log.size(), 1);
        QVERIFY2(prompter.Log.first().Text.contains(QStringLiteral("channel 3")),
                 qPrintable(prompter.Log.first().Text));

        // A target that cannot be written: no directory of that name.
        db.MainTable.SetText(3, C::RxFrequency, QStringLiteral("145.50000"));
        QVERIFY(!SaveDatFile(db, dir.filePath(QStringLiteral("no/such/dir/x.dat")), SaveMode::CurrentName,
                             prompter));
        QCOMPARE(prompter.Log.size(), 2);
        QVERIFY(db.AppState.Modified);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("old.dat")});
    }

    // What is not a regular file, or far larger than any .dat file, is refused unread.
    void specialFilesAreRefused_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("FIFO") << "fifo"
                              << "这不是普通文件，无法打开！";
        QTest::newRow("directory") << "dir"
                                   << "这不是普通文件，无法打开！";
        QTest::newRow("device") << "/dev/zero"
                                << "这不是普通文件，无法打开！";
        QTest::newRow("4 GB file") << "huge"
                                   << "文件太大，不是本程序的数据文件！";
        QTest::newRow("missing") << "missing"
                                 << "无法读取文件：";
    }
    void specialFilesAreRefused() {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        QTemporaryDir dir;
        QString path = dir.filePath(QStringLiteral("special.dat"));
        if (kind == QLatin1String("fifo")) {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (kind == QLatin1String("dir")) {
            QVERIFY(QDir().mkpath(path));
        } else if (kind == QLatin1String("huge")) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.resize(qint64(4) << 30));
        } else if (kind != QLatin1String("missing")) {
            path = kind;
        }
        TfMaindb db(dir.path());
        db.SelectDefaultModel();
        Fill(db);
        const Program before(db);
        ScriptedPrompter prompter;
        QString name = path;
        QVERIFY(!OpenDatFile(db, name, prompter));
        QVERIFY(name.isEmpty());
        QVERIFY(Program(db) == before);
        QCOMPARE(prompter.Log.size(), 1);
        QVERIFY2(prompter.Log.first().Text.startsWith(message), qPrintable(prompter.Log.first().Text));
        QCOMPARE(prompter.Log.first().Caption, db.Messages.Confirmation);
    }

    // A full disk: Save fails with the reason, the old file keeps its bytes, no temporary file is
    // left and the data still counts as unsaved.
    void fullDiskKeepsTheOldFile_data() {
        QTest::addColumn<bool>("tmpfs");
        QTest::newRow("full tmpfs") << true;
        QTest::newRow("file size limit") << false;
    }
    void fullDiskKeepsTheOldFile() {
        QFETCH(bool, tmpfs);
        QTemporaryDir home;
        FullTmpfs disk;
        QString path = home.filePath(QStringLiteral("old.dat"));
        if (tmpfs) {
            if (!disk.IsMounted())
                QSKIP("mounting a tmpfs needs root");
            path = disk.FilePath(QStringLiteral("old.dat"));
        }
        WriteAll(path, "old contents");
        TfMaindb db(home.path());
        db.SelectDefaultModel();
        Fill(db);
        ScriptedPrompter prompter;
        bool saved = true;
        if (tmpfs) {
            disk.Fill();
            saved = SaveDatFile(db, path, SaveMode::CurrentName, prompter);
        } else {
            const FileSizeLimit limit(100);
            saved = SaveDatFile(db, path, SaveMode::CurrentName, prompter);
        }
        QVERIFY(!saved);
        QVERIFY(db.AppState.Modified);
        QCOMPARE(ReadAll(path), QByteArray("old contents"));
        QStringList left = QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files | QDir::Hidden);
        left.removeAll(QStringLiteral("filler"));
        QCOMPARE(left, QStringList{QStringLiteral("old.dat")});
        QCOMPARE(prompter.Log.size(), 1);
        QCOMPARE(prompter.Log.first().Caption, db.Messages.Confirmation);
        const QString text = prompter.Log.first().Text;
        QVERIFY2(text.startsWith(QStringLiteral("无法保存文件：")) &&
                     text.contains(tmpfs ? QStringLiteral("No space left on device")
                                         : QStringLiteral("File too large")),
                 qPrintable(text));
    }

    void snapshot() {
        QTemporaryDir dir;
        TfMaindb db(dir.path());
        db.SelectDefaultModel();
        Fill(db);
        Codeplug plug;
        QVERIFY(SnapshotCodeplug(db, plug));
        QCOMPARE(plug.Identity, QStringLiteral("V35"));
        QCOMPARE(plug.BandId, 243);
        QCOMPARE(plug.Channels.size(), size_t(3));
        QCOMPARE(plug.Channels.at(1).RxTone, QStringLiteral("67.0"));
        QCOMPARE(plug.Channels.at(3).TxFrequency, -1.0);
        QCOMPARE(plug.Channels.at(3).TxTone, QString());
        QCOMPARE(plug.Channels.at(3).BusyLock, 2);
        QVERIFY(plug.Functions == db.FunctionSettings);
        QVERIFY(plug.Message == db.EmbeddedMessage);
    }

    void applyingACompletedRead() {
        QTemporaryDir dir;
        TfMaindb db(dir.path());
        db.SelectDefaultModel();
        Fill(db);
        db.AppState.Modified = false;
        Codeplug plug;
        plug.BandId = 246;
        ChannelValues v;
        v.RxFrequency = 145.5;
        v.RxTone = QStringLiteral("D023N");
        plug.Channels[3] = v;
        plug.Functions.TxTimeout = 12;     // clamped to 6 after a read
        plug.Functions.LanguageSelect = 0; // clamped to 3
        plug.Message.LineA = QStringLiteral("RADIO");
        QVERIFY(ApplyReadCodeplug(db, plug));
        QVERIFY(db.AppState.Modified);
        QCOMPARE(db.AppState.BandName, QStringLiteral("136.0 - 174.0MHz"));
        QCOMPARE(db.AppState.BandLow, 136.0);
        QCOMPARE(db.FunctionSettings.TxTimeout, 6);
        QCOMPARE(db.FunctionSettings.LanguageSelect, 3);
        QCOMPARE(db.EmbeddedMessage.LineA, QStringLiteral("RADIO"));
        QCOMPARE(db.EmbeddedMessage.LineB, QString());
        // Channels blank in the radio are empty now, whatever they held.
        QVERIFY(!db.MainTable.IsChannelInUse(1));
        QVERIFY(!db.MainTable.IsChannelInUse(128));
        QCOMPARE(db.MainTable.Text(3, C::RxFrequency), QStringLiteral("145.50000"));
        QCOMPARE(db.MainTable.Text(3, C::TxFrequency), QString());
        QCOMPARE(db.MainTable.Text(3, C::TxTone), QStringLiteral("无"));
        QCOMPARE(db.MainTable.Text(3, C::Power), QStringLiteral("高"));

        Codeplug unknown = plug;
        unknown.Identity = QStringLiteral("X1");
        const Program before(db);
        QString error;
        QVERIFY(!ApplyReadCodeplug(db, unknown, &error));
        QVERIFY(error.contains(QStringLiteral("X1")));
        QVERIFY(Program(db) == before);
    }
};

QTEST_GUILESS_MAIN(TestDatCommands)
#include "test_datcommands.moc"
