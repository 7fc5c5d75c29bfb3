#include "core/FullDisk.h"
#include "core/IniFile.h"
#include "core/SystemSettings.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT

    QString Dir() const { return Tmp.path() + QLatin1Char('/'); }
    QTemporaryDir Tmp;

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init() {
        QFile::remove(Dir() + QStringLiteral("SysInfo.Ini"));
        QFile::remove(UserConfigDir() + QStringLiteral("SysInfo.Ini"));
    }

    void defaultsWhenMissing() {
        const SystemSettings s = LoadSystemSettings(Dir());
        QCOMPARE(s.PortName, QStringLiteral("Com1"));
        QCOMPARE(s.LanguageIndex, 0);
        QCOMPARE(s.HelpPrefix, QStringLiteral("KX"));
        QCOMPARE(s.PicIndex, 1);
        QCOMPARE(s.LanguageName, QStringLiteral("Chinese"));
    }

    void missingFileIsCreatedOnSave() {
        SystemSettings s = LoadSystemSettings(Dir());
        QVERIFY(SaveSystemSettings(Dir(), s));
        IniFile ini;
        QVERIFY(ini.Load(Dir() + QStringLiteral("SysInfo.Ini")));
        QCOMPARE(ini.Value(QStringLiteral("SysInfo"), QStringLiteral("Com")), QStringLiteral("Com1"));
        QCOMPARE(ini.Value(QStringLiteral("SysInfo"), QStringLiteral("DefaultLanguage")),
                 QStringLiteral("0"));
        // PicID missing reads as PicIndex 1 and is written back as 0.
        QCOMPARE(ini.Value(QStringLiteral("SysInfo"), QStringLiteral("PicID")), QStringLiteral("0"));
    }

    void conversions_data() {
        QTest::addColumn<QString>("defaultLanguage");
        QTest::addColumn<QString>("picId");
        QTest::addColumn<QString>("languages");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("picIndex");
        QTest::addColumn<QString>("name");
        QTest::newRow("second language") << "1"
                                         << "3"
                                         << "Chinese|English" << 1 << 4 << "English";
        QTest::newRow("not a number gives 0 and 1") << "abc"
                                                    << "x"
                                                    << "Chinese|English" << 0 << 1 << "Chinese";
        QTest::newRow("past the end gives no name") << "5"
                                                    << "0"
                                                    << "Chinese|English" << 5 << 1 << "";
        QTest::newRow("negative gives no name") << "-1"
                                                << "0"
                                                << "Chinese|English" << -1 << 1 << "";
        QTest::newRow("single item list") << "0"
                                          << "0"
                                          << "English" << 0 << 1 << "English";
        QTest::newRow("index on the last item") << "2"
                                                << "0"
                                                << "Chinese|English|German" << 2 << 1 << "German";
        QTest::newRow("blanks around numbers") << " 1 "
                                               << " 2 "
                                               << "Chinese|English" << 1 << 3 << "English";
        // The walk along the list stops where the list ends, and PicID + 1 must not overflow.
        QTest::newRow("largest index") << "2147483647"
                                       << "2147483647"
                                       << "Chinese|English" << 2147483647 << 1 << "";
        QTest::newRow("index of a billion") << "1000000000"
                                            << "2147483646"
                                            << "Chinese|English" << 1000000000 << 2147483647 << "";
    }
    void conversions() {
        QFETCH(QString, defaultLanguage);
        QFETCH(QString, picId);
        QFETCH(QString, languages);
        QFETCH(int, index);
        QFETCH(int, picIndex);
        QFETCH(QString, name);
        WriteFile(Dir() + QStringLiteral("SysInfo.Ini"),
                  QStringLiteral("[SysInfo]\nCom=COM3\nDefaultLanguage=%1\nHelp=HX\nPicID=%2\nLanguage=%3\n")
                      .arg(defaultLanguage, picId, languages)
                      .toUtf8());
        QElapsedTimer clock;
        clock.start();
        const SystemSettings s = LoadSystemSettings(Dir());
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(s.PortName, QStringLiteral("COM3"));
        QCOMPARE(s.HelpPrefix, QStringLiteral("HX"));
        QCOMPARE(s.LanguageIndex, index);
        QCOMPARE(s.PicIndex, picIndex);
        QCOMPARE(s.LanguageName, name);
    }

    void saveKeepsEverythingElse() {
        const QByteArray original = "; written by hand\n"
                                    "[Other]\n"
                                    "Keep=1\n"
                                    "\n"
                                    "[sysinfo]\n"
                                    "COM=Com7\n"
                                    "Help=KX\n"
                                    "picid=4\n"
                                    "Language=Chinese|English\n"
                                    "Chinese=中文|英文\n"
                                    "\n"
                                    "[Tail]\n"
                                    "Last=z\n";
        WriteFile(Dir() + QStringLiteral("SysInfo.Ini"), original);
        SystemSettings s = LoadSystemSettings(Dir());
        QCOMPARE(s.PortName, QStringLiteral("Com7"));
        QCOMPARE(s.PicIndex, 5);
        s.PortName = QStringLiteral("/dev/ttyUSB0");
        s.LanguageIndex = 1;
        QVERIFY(SaveSystemSettings(Dir(), s));
        // The keys keep their spelling and place; the missing one joins its section; PicID unchanged.
        const QByteArray expected = "; written by hand\n"
                                    "[Other]\n"
                                    "Keep=1\n"
                                    "\n"
                                    "[sysinfo]\n"
                                    "COM=/dev/ttyUSB0\n"
                                    "Help=KX\n"
                                    "picid=4\n"
                                    "Language=Chinese|English\n"
                                    "Chinese=中文|英文\n"
                                    "DefaultLanguage=1\n"
                                    "\n"
                                    "[Tail]\n"
                                    "Last=z\n";
        QCOMPARE(ReadFile(Dir() + QStringLiteral("SysInfo.Ini")), expected);
    }

    // Only the lines that change are written: every other line keeps its bytes, whatever they are.
    void saveKeepsTheBytesOfOtherLines_data() {
        QTest::addColumn<QByteArray>("original");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("Latin-1 line, CRLF, no line end at the end")
            << QByteArray("[Profil]\r\nUtilisateur=Andr\xE9\r\n\r\n[SysInfo]\r\nCom=COM1\r\n"
                          "DefaultLanguage=0\r\nPicID=0\r\nNote=caf\xE9")
            << QByteArray("[Profil]\r\nUtilisateur=Andr\xE9\r\n\r\n[SysInfo]\r\nCom=COM7\r\n"
                          "DefaultLanguage=0\r\nPicID=0\r\nNote=caf\xE9");
        // "中文" in GB18030 is D6 D0 CE C4.
        QTest::newRow("GB18030 file")
            << QByteArray("[SysInfo]\nCom = COM1\nChinese=\xD6\xD0\xCE\xC4|\xD3\xA2\xCE\xC4\n[User]\n"
                          "Name=\xD6\xD0\n")
            << QByteArray("[SysInfo]\nCom=COM7\nChinese=\xD6\xD0\xCE\xC4|\xD3\xA2\xCE\xC4\n"
                          "DefaultLanguage=0\nPicID=0\n[User]\nName=\xD6\xD0\n");
        QTest::newRow("UTF-8 with BOM, blanks kept on unchanged keys")
            << QByteArray("\xEF\xBB\xBF[SysInfo]\nCom=COM1\nDefaultLanguage = 0\nPicID=0\n"
                          "Chinese=\xE4\xB8\xAD\xE6\x96\x87\n")
            << QByteArray("\xEF\xBB\xBF[SysInfo]\nCom=COM7\nDefaultLanguage = 0\nPicID=0\n"
                          "Chinese=\xE4\xB8\xAD\xE6\x96\x87\n");
    }
    void saveKeepsTheBytesOfOtherLines() {
        QFETCH(QByteArray, original);
        QFETCH(QByteArray, expected);
        const QString path = Dir() + QStringLiteral("SysInfo.Ini");
        WriteFile(path, original);
        SystemSettings s = LoadSystemSettings(Dir());
        s.PortName = QStringLiteral("COM7");
        QVERIFY(SaveSystemSettings(Dir(), s));
        QCOMPARE(ReadFile(path), expected);
    }

    // Wherever the settings are written, the next start reads them from there.
    void changesSurviveTheNextStart() {
        const QString dir = Dir();
        WriteFile(dir + QStringLiteral("SysInfo.Ini"), "[SysInfo]\nCom=COM4\n");
        QDir().mkpath(UserConfigDir());
        WriteFile(UserConfigDir() + QStringLiteral("SysInfo.Ini"), "[SysInfo]\nCom=COM8\n");
        SystemSettings s = LoadSystemSettings(dir);
        s.PortName = QStringLiteral("COM9");
        s.LanguageIndex = 1;
        QVERIFY(SaveSystemSettings(dir, s));
        QCOMPARE(SystemSettingsReadPath(dir), SystemSettingsWritePath(dir));
        const SystemSettings again = LoadSystemSettings(dir);
        QCOMPARE(again.PortName, QStringLiteral("COM9"));
        QCOMPARE(again.LanguageIndex, 1);
    }

    // A FIFO, a directory or a huge file in the place of SysInfo.Ini gives the defaults at once.
    void specialFilesGiveDefaults_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("directory") << "dir";
        QTest::newRow("4 GB sparse file") << "huge";
    }
    void specialFilesGiveDefaults() {
        QFETCH(QString, kind);
        const QString path = Dir() + QStringLiteral("SysInfo.Ini");
        if (kind == QLatin1String("fifo")) {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (kind == QLatin1String("dir")) {
            QVERIFY(QDir().mkpath(path));
        } else {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.write("[SysInfo]\nCom=COM6\n") > 0);
            QVERIFY(f.resize(qint64(4) << 30));
        }
        QElapsedTimer clock;
        clock.start();
        const SystemSettings s = LoadSystemSettings(Dir());
        QVERIFY(clock.elapsed() < 2000);
        QCOMPARE(s.PortName, QStringLiteral("Com1"));
        IniFile ini;
        FileResult result;
        QVERIFY(!ini.Load(path, &result));
        QCOMPARE(result.Fault, kind == QLatin1String("huge") ? FileFault::TooLarge : FileFault::NotRegular);
        if (kind == QLatin1String("dir"))
            QDir(path).removeRecursively();
        else
            QFile::remove(path);
    }

    // A full disk: the old file keeps its bytes, no temporary file is left, the reason is given.
    void fullDiskKeepsTheOldFile_data() {
        QTest::addColumn<bool>("tmpfs");
        QTest::newRow("full tmpfs") << true;
        QTest::newRow("file size limit") << false;
    }
    void fullDiskKeepsTheOldFile() {
        QFETCH(bool, tmpfs);
        const QByteArray original = "[SysInfo]\nCom=COM1\nDefaultLanguage=0\nPicID=0\n";
        FullTmpfs disk;
        QString dir = Dir();
        if (tmpfs) {
            if (!disk.IsMounted())
                QSKIP("mounting a tmpfs needs root");
            dir = disk.FilePath(QString()) + QLatin1Char('/');
        }
        WriteFile(dir + QStringLiteral("SysInfo.Ini"), original);
        SystemSettings s = LoadSystemSettings(dir);
        s.PortName = QStringLiteral("/dev/ttyUSB0");
        QString error;
        bool saved = true;
        if (tmpfs) {
            disk.Fill();
            saved = SaveSystemSettings(dir, s, &error);
        } else {
            const FileSizeLimit limit(8);
            saved = SaveSystemSettings(dir, s, &error);
        }
        QVERIFY(!saved);
        QCOMPARE(ReadFile(dir + QStringLiteral("SysInfo.Ini")), original);
        QVERIFY2(error.contains(tmpfs ? QStringLiteral("No space left on device")
                                      : QStringLiteral("File too large")),
                 qPrintable(error));
        QStringList left = QDir(dir).entryList(QDir::Files | QDir::Hidden);
        left.removeAll(QStringLiteral("filler"));
        QCOMPARE(left, QStringList{QStringLiteral("SysInfo.Ini")});
    }

    void gb18030File() {
        QStringEncoder gb("GB18030");
        QVERIFY(gb.isValid());
        const QByteArray bytes =
            gb.encode(QStringLiteral("[SysInfo]\r\nLanguage=Chinese|English\r\nChinese=中文|英文\r\n"));
        QVERIFY(bytes.contains(char(0xD6))); // really GB18030, not UTF-8
        WriteFile(Dir() + QStringLiteral("SysInfo.Ini"), bytes);
        IniFile ini;
        QVERIFY(ini.Load(Dir() + QStringLiteral("SysInfo.Ini")));
        QCOMPARE(ini.Value(QStringLiteral("SYSINFO"), QStringLiteral("chinese")),
                 QStringLiteral("中文|英文"));
    }

    // One line in another encoding does not change how the others read: "Andr\xE9e" happens to
    // be valid GB18030, the UTF-8 names would read as other characters if the file were decoded
    // as a whole.
    void linesReadInTheirOwnEncoding() {
        WriteFile(Dir() + QStringLiteral("SysInfo.Ini"),
                  "[Profil]\nUtilisateur=Andr\xE9"
                  "e\n[SysInfo]\nChinese=\xE4\xB8\xAD\xE6\x96\x87|\xE8\x8B\xB1\xE6\x96\x87\n"
                  "Other=\xD6\xD0\xCE\xC4\n");
        IniFile ini;
        QVERIFY(ini.Load(Dir() + QStringLiteral("SysInfo.Ini")));
        QCOMPARE(ini.Value(QStringLiteral("SysInfo"), QStringLiteral("Chinese")),
                 QStringLiteral("中文|英文"));
        QCOMPARE(ini.Value(QStringLiteral("SysInfo"), QStringLiteral("Other")), QStringLiteral("中文"));
    }

    void utf8WithBom() {
        WriteFile(Dir() + QStringLiteral("SysInfo.Ini"), "\xEF\xBB\xBF[SysInfo]\nCom=COM2\n");
        QCOMPARE(LoadSystemSettings(Dir()).PortName, QStringLiteral("COM2"));
    }

    void badFilesGiveDefaults_data() {
        QTest::addColumn<QByteArray>("bytes");
        QByteArray garbage;
        for (int i = 0; i < 4096; ++i)
            garbage.append(char((i * 7919 + 13) & 0xFF));
        QTest::newRow("binary garbage") << garbage;
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("1 MB line") << QByteArray(1 << 20, 'x');
        QTest::newRow("1 MB line inside the section")
            << QByteArray("[SysInfo]\n") + QByteArray(1 << 20, '=') + QByteArray("\n");
        QTest::newRow("nul bytes") << QByteArray("[SysInfo]\0Com=\0\0", 16);
        QTest::newRow("unclosed section") << QByteArray("[SysInfo\nCom=COM9\n");
    }
    void badFilesGiveDefaults() {
        QFETCH(QByteArray, bytes);
        WriteFile(Dir() + QStringLiteral("SysInfo.Ini"), bytes);
        const SystemSettings s = LoadSystemSettings(Dir());
        QCOMPARE(s.PortName, QStringLiteral("Com1"));
        QCOMPARE(s.LanguageIndex, 0);
        QCOMPARE(s.PicIndex, 1);
        QCOMPARE(s.LanguageName, QStringLiteral("Chinese"));
    }

    void iniEditing() {
        IniFile ini;
        ini.LoadText(QStringLiteral("[A]\nx = 1\n; note\n\n[B]\ny=2\n"));
        QCOMPARE(ini.Value(QStringLiteral("a"), QStringLiteral("X")), QStringLiteral("1"));
        QVERIFY(!ini.Contains(QStringLiteral("B"), QStringLiteral("x")));
        ini.SetValue(QStringLiteral("A"), QStringLiteral("z"), QStringLiteral("3"));
        ini.SetValue(QStringLiteral("C"), QStringLiteral("w"), QStringLiteral("4"));
        ini.SetValue(QStringLiteral("b"), QStringLiteral("Y"), QStringLiteral("5"));
        QCOMPARE(ini.Text(), QStringLiteral("[A]\nx = 1\n; note\nz=3\n\n[B]\ny=5\n\n[C]\nw=4\n"));
        QCOMPARE(ini.Keys(QStringLiteral("A")), (QStringList{QStringLiteral("x"), QStringLiteral("z")}));
        QCOMPARE(ini.Value(QStringLiteral("missing"), QStringLiteral("k"), QStringLiteral("d")),
                 QStringLiteral("d"));
    }

    void valuesKeepEqualsSigns() {
        IniFile ini;
        ini.LoadText(QStringLiteral("[L]\nMsg=a=b\n"));
        QCOMPARE(ini.Value(QStringLiteral("L"), QStringLiteral("Msg")), QStringLiteral("a=b"));
    }

    void readOnlyProgramDirUsesUserCopy() {
        if (::geteuid() == 0)
            QSKIP("root writes into read-only directories");
        QTemporaryDir ro;
        WriteFile(ro.path() + QStringLiteral("/SysInfo.Ini"), "[SysInfo]\nCom=COM4\nHelp=HX\n");
        QFile::setPermissions(ro.path(), QFile::ReadOwner | QFile::ExeOwner);
        const QString dir = ro.path() + QLatin1Char('/');
        SystemSettings s = LoadSystemSettings(dir);
        QCOMPARE(s.PortName, QStringLiteral("COM4"));
        s.PortName = QStringLiteral("COM5");
        QVERIFY(SaveSystemSettings(dir, s));
        QCOMPARE(SystemSettingsWritePath(dir), UserConfigDir() + QStringLiteral("SysInfo.Ini"));
        const SystemSettings again = LoadSystemSettings(dir);
        QCOMPARE(again.PortName, QStringLiteral("COM5"));
        QCOMPARE(again.HelpPrefix, QStringLiteral("HX")); // carried over from the program's copy
        QFile::setPermissions(ro.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "test_settings.moc"
