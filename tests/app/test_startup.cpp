#include "app/Maindb.h"
#include "core/IniFile.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void firstStartWithNothing() {
        QTemporaryDir dir;
        TfMaindb db(dir.path()); // without the trailing separator
        QCOMPARE(db.AppState.ProgramDir, dir.path() + QLatin1Char('/'));
        QCOMPARE(db.AppState.AppTitle, QStringLiteral("N47"));
        QCOMPARE(db.AppState.PortName, QStringLiteral("Com1"));
        QCOMPARE(db.AppState.LanguageName, QStringLiteral("Chinese"));
        QCOMPARE(db.AppState.LanguageIndex, 0);
        QCOMPARE(db.AppState.HelpPrefix, QStringLiteral("KX"));
        QCOMPARE(db.AppState.PicIndex, 1);
        QCOMPARE(db.Messages.ReadOk, QStringLiteral("读取完成！"));
        QVERIFY(!db.AppState.Modified);
        QVERIFY(!db.AppState.TextsUpdating);
        QCOMPARE(db.Catalogue.Count(), 1);
        QCOMPARE(db.BandList.BandTextOf(243), QStringLiteral("400.0 - 470.0MHz"));
        // Until the main window is shown, no model is current.
        QVERIFY(!db.AppState.Model);
        QCOMPARE(db.AppState.ChannelCount, 0);

        db.SelectDefaultModel();
        QCOMPARE(db.AppState.Model, db.Catalogue.GetModel(0));
        QCOMPARE(db.AppState.ModelName, QStringLiteral("V35"));
        QCOMPARE(db.AppState.RadioIdentity, QStringLiteral("V35"));
        QCOMPARE(db.AppState.ChannelCount, 128);
        QCOMPARE(db.AppState.ModelMinFreq, 67.0);
        QCOMPARE(db.AppState.ModelMaxFreq, 650.0);
        QCOMPARE(db.AppState.BandName, QStringLiteral("400.0 - 470.0MHz"));
        QCOMPARE(db.AppState.BandLow, 400.0);
        QCOMPARE(db.AppState.BandHigh, 470.0);
    }

    void secondLanguageFromSettings() {
        QTemporaryDir dir;
        const QString d = dir.path() + QLatin1Char('/');
        WriteFile(d + QStringLiteral("SysInfo.Ini"),
                  "[SysInfo]\nDefaultLanguage=1\nLanguage=Chinese|English\n");
        WriteFile(d + QStringLiteral("English.Ini"),
                  "[Language]\nAppName=V35 Programmer\nReadOk=Read complete!\n");
        TfMaindb db(d);
        QCOMPARE(db.AppState.LanguageName, QStringLiteral("English"));
        QCOMPARE(db.AppState.AppTitle, QStringLiteral("V35 Programmer"));
        QCOMPARE(db.Messages.ReadOk, QStringLiteral("Read complete!"));
        QCOMPARE(db.Messages.WriteOk, QStringLiteral("写入完成！"));
    }

    void closingWritesTheThreeKeys() {
        QTemporaryDir dir;
        const QString d = dir.path() + QLatin1Char('/');
        WriteFile(d + QStringLiteral("SysInfo.Ini"), "[SysInfo]\nCom=COM2\nPicID=7\nHelp=HX\n[Extra]\nA=1\n");
        {
            TfMaindb db(d);
            QCOMPARE(db.AppState.PicIndex, 8);
            db.AppState.PortName = QStringLiteral("/dev/ttyUSB1");
            QVERIFY(db.SaveSettings());
        }
        IniFile ini;
        QVERIFY(ini.Load(d + QStringLiteral("SysInfo.Ini")));
        QCOMPARE(ini.Value(QStringLiteral("SysInfo"), QStringLiteral("Com")), QStringLiteral("/dev/ttyUSB1"));
        QCOMPARE(ini.Value(QStringLiteral("SysInfo"), QStringLiteral("PicID")), QStringLiteral("7"));
        QCOMPARE(ini.Value(QStringLiteral("SysInfo"), QStringLiteral("DefaultLanguage")),
                 QStringLiteral("0"));
        QCOMPARE(ini.Value(QStringLiteral("SysInfo"), QStringLiteral("Help")), QStringLiteral("HX"));
        QCOMPARE(ini.Value(QStringLiteral("Extra"), QStringLiteral("A")), QStringLiteral("1"));
    }

    void everyRunHasItsOwnInstances() {
        QTemporaryDir dir;
        TfMaindb a(dir.path());
        TfMaindb b(dir.path());
        a.FunctionSettings.SquelchLevel = 9;
        a.EmbeddedMessage.LineA = QStringLiteral("X");
        QCOMPARE(b.FunctionSettings.SquelchLevel, 5);
        QVERIFY(b.EmbeddedMessage.LineA.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "test_startup.moc"
