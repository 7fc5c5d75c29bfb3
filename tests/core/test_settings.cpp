#include "core/IniFile.h"
#include "core/SystemSettings.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

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
        const SystemSettings s = LoadSystemSettings(Dir());
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
