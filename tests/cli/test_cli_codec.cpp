#include "app/DatCommands.h"
#include "app/Maindb.h"
#include "core/FullDisk.h"
#include "core/Prompt.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

struct Run {
    int Status = -1;
    QByteArray Out;
    QString Err;
};

Run V35ctl(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(V35_BIN_DIR "/v35ctl"), args);
    Run r;
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit)
        return r;
    r.Status = p.exitCode();
    r.Out = p.readAllStandardOutput();
    r.Err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// A .dat file as the program saves it, with some of everything in it.
QByteArray SavedFile(const QString& dir) {
    TfMaindb db(dir);
    db.SelectDefaultModel();
    ApplyBandName(db.AppState, QStringLiteral("136.0 - 174.0MHz"));
    ChannelTable& t = db.MainTable;
    const char* const rx[] = {"145.50000", "146.52000", "144.00625", "150.00000"};
    for (int i = 0; i < 4; ++i) {
        const int k = 1 + i * 37;
        t.SetText(k, ChannelTable::RxFrequency, QString::fromLatin1(rx[i]));
        t.ActivateChannel(k);
    }
    t.SetText(1, ChannelTable::TxFrequency, QStringLiteral("144.90000"));
    t.SetText(1, ChannelTable::RxTone, QStringLiteral("88.5"));
    t.SetText(38, ChannelTable::TxTone, QStringLiteral("D023I"));
    t.SetText(75, ChannelTable::TxFrequency, QString());
    t.SetOption(112, ChannelTable::BusyLock, 2);
    t.SetOption(112, ChannelTable::ScanAdd, 0);
    db.FunctionSettings.CurrentChannel = 38;
    db.FunctionSettings.VfoRxFreq = 145.5;
    db.FunctionSettings.VfoOffset = 0.6;
    db.FunctionSettings.VfoTxTone = QStringLiteral("D754N");
    db.FunctionSettings.ScramblerActive = true;
    db.EmbeddedMessage.LineA = QStringLiteral("Field day 2026");
    db.EmbeddedMessage.LineB = QStringLiteral("Net control station channel one");
    ScriptedPrompter prompter;
    const QString path = QDir(dir).filePath(QStringLiteral("saved.dat"));
    if (!SaveDatFile(db, path, SaveMode::CurrentName, prompter, QDateTime(QDate(2026, 12, 9), QTime(15, 24))))
        return {};
    return ReadAll(path);
}

} // namespace

class TestCliCodec : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void buildOfDumpGivesTheSameBytes() {
        QTemporaryDir dir;
        const QByteArray saved = SavedFile(dir.path());
        QCOMPARE(saved.size(), 3232);
        const QString dat = dir.filePath(QStringLiteral("saved.dat"));
        const Run dump = V35ctl({QStringLiteral("dump"), dat});
        QCOMPARE(dump.Status, 0);
        QVERIFY(dump.Err.isEmpty());
        QVERIFY(dump.Out.contains(R"("band": "136.0 - 174.0MHz")"));
        QVERIFY(dump.Out.contains(R"("saved": "2026-12-09 15:24")"));
        const QString json = dir.filePath(QStringLiteral("saved.json"));
        QVERIFY(WriteAll(json, dump.Out));
        const QString out = dir.filePath(QStringLiteral("again.dat"));
        const Run build = V35ctl({QStringLiteral("build"), json, QStringLiteral("-o"), out,
                                  QStringLiteral("--date"), QStringLiteral("2026-12-09 15:24")});
        QCOMPARE(build.Status, 0);
        QVERIFY2(build.Err.isEmpty(), qPrintable(build.Err));
        QCOMPARE(ReadAll(out), saved);
    }

    void buildWithoutDateWritesNow() {
        QTemporaryDir dir;
        const QString json = dir.filePath(QStringLiteral("a.json"));
        QVERIFY(WriteAll(json, R"({"format": "v35-codeplug", "version": 1})"));
        const QString out = dir.filePath(QStringLiteral("a.dat"));
        const QDate today = QDate::currentDate();
        QCOMPARE(V35ctl({QStringLiteral("build"), json, QStringLiteral("--output"), out}).Status, 0);
        const QByteArray bytes = ReadAll(out);
        QCOMPARE(bytes.size(), 3232);
        const int year = quint8(bytes.at(8)) | quint8(bytes.at(9)) << 8;
        QVERIFY(year == today.year() || year == today.year() + 1);
    }

    void badFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("named");
        QTemporaryDir dir;
        const QByteArray good = SavedFile(dir.path());
        QTest::newRow("empty") << QByteArray() << "0 bytes";
        QTest::newRow("16 bytes") << good.left(16) << "16 bytes";
        QTest::newRow("3231 bytes") << good.left(3231) << "3231 bytes";
        QByteArray other = good;
        other.replace(1, 3, "Q77");
        QTest::newRow("unknown identity") << other << "\"Q77\"";
        QByteArray tone = good;
        tone.replace(0x0010 + 8, 2, QByteArray::fromHex("12AB"));
        QTest::newRow("tone field 12 AB") << tone << "12 AB";
    }
    void badFiles() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, named);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("bad.dat"));
        QVERIFY(WriteAll(path, bytes));
        const Run r = V35ctl({QStringLiteral("dump"), path});
        QCOMPARE(r.Status, 1);
        QVERIFY(r.Out.isEmpty());
        QVERIFY2(r.Err.contains(QDir::toNativeSeparators(path)) && r.Err.contains(named), qPrintable(r.Err));
    }

    void missingInput() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("none.dat"));
        const Run r = V35ctl({QStringLiteral("dump"), path});
        QCOMPARE(r.Status, 1);
        QVERIFY(r.Err.contains(path));
        const QString out = dir.filePath(QStringLiteral("out.dat"));
        QCOMPARE(V35ctl({QStringLiteral("build"), dir.filePath(QStringLiteral("none.json")),
                         QStringLiteral("-o"), out})
                     .Status,
                 1);
        QVERIFY(!QFile::exists(out));
    }

    void outputThatCannotBeWritten() {
        QTemporaryDir dir;
        const QString json = dir.filePath(QStringLiteral("a.json"));
        QVERIFY(WriteAll(json, R"({"format": "v35-codeplug", "version": 1})"));
        const QString out = dir.filePath(QStringLiteral("no/such/dir/a.dat"));
        const Run r = V35ctl({QStringLiteral("build"), json, QStringLiteral("-o"), out});
        QCOMPARE(r.Status, 1);
        QVERIFY2(r.Err.contains(QDir::toNativeSeparators(out)), qPrintable(r.Err));
    }

    void refusedJsonWritesNothing_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("named");
        QTest::newRow("unknown key") << QByteArray(R"({"format": "v35-codeplug", "version": 1, "colour": 1})")
                                     << "\"colour\"";
        QTest::newRow("channel outside 1-128")
            << QByteArray(
                   R"({"format": "v35-codeplug", "version": 1, "channels": [{"Channel": 200, "RxFrequency": "446"}]})")
            << "Channel\": 200";
        QTest::newRow("tone")
            << QByteArray(R"({"format": "v35-codeplug", "version": 1, )"
                          R"("channels": [{"Channel": 2, "RxFrequency": "446", "RxTone": "D9N"}]})")
            << "RxTone\": \"D9N\"";
        QTest::newRow("byte field")
            << QByteArray(R"({"format": "v35-codeplug", "version": 1, "functions": {"TxTimeout": 999}})")
            << "functions.TxTimeout\": 999";
        QTest::newRow("not JSON") << QByteArray("{") << "not JSON";
        QTest::newRow("key given twice")
            << QByteArray(R"({"format": "v35-codeplug", "version": 1, )"
                          R"("channels": [{"Channel": 1, "Channel": 2, "RxFrequency": "446"}]})")
            << "channels[0].Channel\": is given twice";
    }
    void refusedJsonWritesNothing() {
        QFETCH(QByteArray, json);
        QFETCH(QString, named);
        QTemporaryDir dir;
        const QString in = dir.filePath(QStringLiteral("in.json"));
        QVERIFY(WriteAll(in, json));
        const QString fresh = dir.filePath(QStringLiteral("fresh.dat"));
        Run r = V35ctl({QStringLiteral("build"), in, QStringLiteral("-o"), fresh});
        QCOMPARE(r.Status, 1);
        QVERIFY2(r.Err.contains(named) && r.Err.contains(in), qPrintable(r.Err));
        QVERIFY(!QFile::exists(fresh));
        // An existing output file stays as it was.
        const QString old = dir.filePath(QStringLiteral("old.dat"));
        QVERIFY(WriteAll(old, "old"));
        QCOMPARE(V35ctl({QStringLiteral("build"), in, QStringLiteral("-o"), old}).Status, 1);
        QCOMPARE(ReadAll(old), QByteArray("old"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2);
    }

    // Neither command reads what is not a regular file, nor more than such a file can hold.
    void specialInputsAreRefused_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("named");
        QTest::newRow("dump /dev/zero") << "dump"
                                        << "/dev/zero"
                                        << "not a regular file";
        QTest::newRow("dump a FIFO") << "dump"
                                     << "fifo"
                                     << "not a regular file";
        QTest::newRow("dump a 4 GB file") << "dump"
                                          << "huge"
                                          << "larger than";
        QTest::newRow("build from a FIFO") << "build"
                                           << "fifo"
                                           << "not a regular file";
        QTest::newRow("build from a 4 GB file") << "build"
                                                << "huge"
                                                << "larger than";
    }
    void specialInputsAreRefused() {
        QFETCH(QString, command);
        QFETCH(QString, kind);
        QFETCH(QString, named);
        QTemporaryDir dir;
        QString in = dir.filePath(QStringLiteral("in.json"));
        if (kind == QLatin1String("fifo")) {
            QCOMPARE(::mkfifo(QFile::encodeName(in).constData(), 0600), 0);
        } else if (kind == QLatin1String("huge")) {
            QFile f(in);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.resize(qint64(4) << 30));
        } else {
            in = kind;
        }
        QStringList args{command, in};
        const QString out = dir.filePath(QStringLiteral("out.dat"));
        if (command == QLatin1String("build"))
            args << QStringLiteral("-o") << out;
        const Run r = V35ctl(args);
        QCOMPARE(r.Status, 1);
        QVERIFY2(r.Err.contains(in) && r.Err.contains(named), qPrintable(r.Err));
        QVERIFY(!QFile::exists(out));
    }

    // A header's bytes reach the terminal shown, not as the escapes they may be.
    void headerBytesAreShownReadable() {
        QTemporaryDir dir;
        QByteArray bytes = SavedFile(dir.path());
        bytes.replace(1, 4, QByteArray("\x1b]0;", 4));
        const QString path = dir.filePath(QStringLiteral("escape.dat"));
        QVERIFY(WriteAll(path, bytes));
        const Run r = V35ctl({QStringLiteral("dump"), path});
        QCOMPARE(r.Status, 1);
        QVERIFY2(r.Err.contains(QStringLiteral("\"\\x1b]0;\"")), qPrintable(r.Err));
        QVERIFY(!r.Err.contains(QChar(0x1B)));
    }

    // A full disk: build exits with the reason, the old output keeps its bytes and no temporary
    // file is left. read -o writes through the same function.
    void fullDiskKeepsTheOldOutput_data() {
        QTest::addColumn<bool>("tmpfs");
        QTest::addColumn<QString>("output");
        QTest::newRow("full tmpfs, .dat") << true << "out.dat";
        QTest::newRow("full tmpfs, .json") << true << "out.json";
        QTest::newRow("file size limit, .dat") << false << "out.dat";
        QTest::newRow("file size limit, .json") << false << "out.json";
    }
    void fullDiskKeepsTheOldOutput() {
        QFETCH(bool, tmpfs);
        QFETCH(QString, output);
        QTemporaryDir dir;
        const QString json = dir.filePath(QStringLiteral("a.json"));
        QVERIFY(WriteAll(json, R"({"format": "v35-codeplug", "version": 1})"));
        FullTmpfs disk;
        QString out = dir.filePath(output);
        if (tmpfs) {
            if (!disk.IsMounted())
                QSKIP("mounting a tmpfs needs root");
            out = disk.FilePath(output);
        }
        QVERIFY(WriteAll(out, "old contents"));
        Run r;
        if (tmpfs) {
            disk.Fill();
            r = V35ctl({QStringLiteral("build"), json, QStringLiteral("-o"), out});
        } else {
            // The limit is inherited by v35ctl; its own output goes through pipes.
            const FileSizeLimit limit(100);
            r = V35ctl({QStringLiteral("build"), json, QStringLiteral("-o"), out});
        }
        QCOMPARE(r.Status, 1);
        QVERIFY2(r.Err.contains(tmpfs ? QStringLiteral("No space left on device")
                                      : QStringLiteral("File too large")),
                 qPrintable(r.Err));
        QCOMPARE(ReadAll(out), QByteArray("old contents"));
        QStringList left = QDir(QFileInfo(out).absolutePath()).entryList(QDir::Files | QDir::Hidden);
        left.removeAll(QStringLiteral("filler"));
        left.removeAll(QStringLiteral("a.json"));
        QCOMPARE(left, QStringList{output});
    }

    // export -> import into the same file gives the same codeplug; into nothing, the same channels.
    void csvRoundTrip() {
        QTemporaryDir dir;
        QCOMPARE(SavedFile(dir.path()).size(), 3232);
        const QString dat = dir.filePath(QStringLiteral("saved.dat"));
        const QString csv = dir.filePath(QStringLiteral("channels.csv"));
        const Run exported = V35ctl({QStringLiteral("export"), dat, QStringLiteral("-o"), csv});
        QCOMPARE(exported.Status, 0);
        QVERIFY2(exported.Err.isEmpty(), qPrintable(exported.Err));
        const QList<QByteArray> lines = ReadAll(csv).split('\n');
        QCOMPARE(lines.size(), 6); // header, four channels, the end
        QVERIFY(lines.at(1).startsWith("1,,145.500000,-,0.600000,Cross,88.5,88.5,023,NN,023,->Tone,"));
        QVERIFY(lines.at(2).startsWith("38,,146.520000,,0.000000,Cross,88.5,88.5,023,RN,023,DTCS->,"));

        const QString back = dir.filePath(QStringLiteral("back.json"));
        const Run imported = V35ctl(
            {QStringLiteral("import"), csv, QStringLiteral("--base"), dat, QStringLiteral("-o"), back});
        QCOMPARE(imported.Status, 0);
        QVERIFY2(imported.Err.isEmpty(), qPrintable(imported.Err));
        const Run before = V35ctl({QStringLiteral("dump"), dat});
        const Run after = V35ctl({QStringLiteral("dump"), back});
        const auto withoutDate = [](QByteArray json) {
            const int at = json.indexOf("\"saved\"");
            return json.remove(at, json.indexOf('\n', at) - at);
        };
        QCOMPARE(withoutDate(after.Out), withoutDate(before.Out));
    }

    // A refused row names its line; nothing is written unless the rest is wanted.
    void csvImportRefusals() {
        QTemporaryDir dir;
        const QString csv = dir.filePath(QStringLiteral("in.csv"));
        QVERIFY(WriteAll(csv, "Location,Frequency,Mode\n1,446.0,AM\n2,446.1,FM\n"));
        const QString out = dir.filePath(QStringLiteral("out.dat"));
        const Run refused = V35ctl({QStringLiteral("import"), csv, QStringLiteral("-o"), out});
        QCOMPARE(refused.Status, 1);
        QVERIFY2(refused.Err.contains(QStringLiteral("line 2: Mode \"AM\"")), qPrintable(refused.Err));
        QVERIFY(!QFile::exists(out));
        const Run skipped =
            V35ctl({QStringLiteral("import"), csv, QStringLiteral("-o"), out, QStringLiteral("--skip-bad")});
        QCOMPARE(skipped.Status, 0);
        QVERIFY(skipped.Err.contains(QStringLiteral("line 2")));
        const Run dump = V35ctl({QStringLiteral("dump"), out});
        QVERIFY(dump.Out.contains("446.10000"));
        QVERIFY(!dump.Out.contains("446.00000"));
    }

    void wrongUsage_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("dump without a file") << QStringList{QStringLiteral("dump")};
        QTest::newRow("dump with two files")
            << QStringList{QStringLiteral("dump"), QStringLiteral("a.dat"), QStringLiteral("b.dat")};
        QTest::newRow("dump with an unknown option")
            << QStringList{QStringLiteral("dump"), QStringLiteral("--x"), QStringLiteral("a.dat")};
        QTest::newRow("build without -o") << QStringList{QStringLiteral("build"), QStringLiteral("a.json")};
        QTest::newRow("build without input")
            << QStringList{QStringLiteral("build"), QStringLiteral("-o"), QStringLiteral("a.dat")};
        QTest::newRow("build with a bad date") << QStringList{
            QStringLiteral("build"), QStringLiteral("a.json"), QStringLiteral("-o"),
            QStringLiteral("a.dat"), QStringLiteral("--date"), QStringLiteral("2026-13-01 10:00")};
        QTest::newRow("export without -o") << QStringList{QStringLiteral("export"), QStringLiteral("a.dat")};
        QTest::newRow("import without -o") << QStringList{QStringLiteral("import"), QStringLiteral("a.csv")};
    }
    void wrongUsage() {
        QFETCH(QStringList, args);
        QTemporaryDir dir;
        QProcess p;
        p.setWorkingDirectory(dir.path());
        p.start(QStringLiteral(V35_BIN_DIR "/v35ctl"), args);
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 2);
        QVERIFY(!p.readAllStandardError().isEmpty());
        QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCliCodec)
#include "test_cli_codec.moc"
