// The model, port and language dialogs.

#include "UiFixture.h"

#include "ui/Controls.h"
#include "ui/dialogs/Model.h"
#include "ui/dialogs/SetLanguage.h"
#include "ui/dialogs/SetPort.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void modelDialogOffersTheBands() {
        UiFixture f;
        f.Show();
        f.Db->AppState.BandName = QStringLiteral("146.0 - 149.9MHz");
        TfModel d(*f.Db);
        d.show();
        QCOMPARE(Child<QComboBox>(d, "cbCopmut")->currentText(), QStringLiteral("V35"));
        QCOMPARE(Child<QComboBox>(d, "cbPd")->count(), 13);
        QCOMPARE(Child<QComboBox>(d, "cbPd")->itemText(0), QStringLiteral(" 27.0 -  72.0MHz"));
        QCOMPARE(Child<QComboBox>(d, "cbPd")->itemText(12), QStringLiteral("470.0 - 512.0MHz"));
        QCOMPARE(Child<QComboBox>(d, "cbPd")->currentText(), QStringLiteral("146.0 - 149.9MHz"));
        // Choosing the model again selects its default band.
        d.cbCopmutChange();
        QCOMPARE(Child<QComboBox>(d, "cbPd")->currentText(), QStringLiteral("400.0 - 470.0MHz"));
        QVERIFY(!d.Accepted);
        Child<QPushButton>(d, "btnCancel")->click();
        QVERIFY(!d.Accepted);
        QCOMPARE(f.Db->AppState.BandName, QStringLiteral("146.0 - 149.9MHz"));
    }

    void portDialogSelection_data() {
        QTest::addColumn<QStringList>("ports");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("the stored port") << QStringList{"COM1", "COM3"} << "COM3"
                                         << "COM3";
        QTest::newRow("names compare exactly") << QStringList{"COM1", "COM3"} << "Com3"
                                               << "COM1";
        QTest::newRow("stored port absent: the first") << QStringList{"/dev/ttyS0"} << "/dev/ttyUSB0"
                                                       << "/dev/ttyS0";
        QTest::newRow("no port listed: the stored path stays") << QStringList() << "/dev/pts/3"
                                                               << "/dev/pts/3";
    }

    void portDialogSelection() {
        QFETCH(QStringList, ports);
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        UiOptions options;
        options.Ports = ports;
        UiFixture f(options);
        f.Db->AppState.PortName = stored;
        TfSetPort d(*f.Db, *f.Ui);
        d.ListSystemPorts = [] { return QStringList(); };
        d.show();
        QCOMPARE(Child<QComboBox>(d, "cbCom")->currentText(), shown);
        QVERIFY(!Child<TStaticText>(d, "lbHint")->isVisible());
        Child<QPushButton>(d, "btnCancel")->click();
        QCOMPARE(f.Db->AppState.PortName, stored);
    }

    void portDialogChecksATypedPath_data() {
        QTest::addColumn<int>("access");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("message");
        QTest::newRow("usable") << int(PortAccess::Usable) << true << "";
        QTest::newRow("in use now: may be free later") << int(PortAccess::InUse) << true << "";
        QTest::newRow("no permission: the fix is named")
            << int(PortAccess::NoPermission) << false
            << "没有权限打开端口 /dev/ttyACM0。请把当前用户加入 dialout 组"
               "（sudo usermod -aG dialout $USER），重新登录后再试。";
        QTest::newRow("no such device") << int(PortAccess::Missing) << false << "端口 /dev/ttyACM0 不存在。";
    }

    void portDialogChecksATypedPath() {
        QFETCH(int, access);
        QFETCH(bool, accepted);
        QFETCH(QString, message);
        UiOptions options;
        options.Ports = {QStringLiteral("/dev/ttyS0")};
        UiFixture f(options);
        TfSetPort d(*f.Db, *f.Ui);
        QStringList probed;
        d.Probe = [&](const QString& name) {
            probed.append(name);
            return static_cast<PortAccess>(access);
        };
        d.ListSystemPorts = [] { return QStringList(); };
        d.show();
        Child<QComboBox>(d, "cbCom")->setEditText(QStringLiteral(" /dev/ttyACM0 "));
        Child<QPushButton>(d, "btnOk")->click();
        QCOMPARE(probed, QStringList{"/dev/ttyACM0"});
        QCOMPARE(f.Shown(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(d.isVisible(), !accepted);
        QCOMPARE(f.Db->AppState.PortName, accepted ? QStringLiteral("/dev/ttyACM0") : QStringLiteral("Com1"));
    }

    void portDialogNamesPortsWithoutPermission() {
        UiOptions options;
        options.Ports = {QStringLiteral("/dev/ttyS0")};
        UiFixture f(options);
        TfSetPort d(*f.Db, *f.Ui);
        d.ListSystemPorts = [] { return QStringList{"/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyUSB1"}; };
        d.Probe = [](const QString& name) {
            return name == QLatin1String("/dev/ttyUSB0") ? PortAccess::NoPermission : PortAccess::InUse;
        };
        d.show();
        QVERIFY(Child<TStaticText>(d, "lbHint")->isVisible());
        QVERIFY(Child<TStaticText>(d, "lbHint")
                    ->text()
                    .startsWith(QStringLiteral("没有权限打开端口 /dev/ttyUSB0。")));
        // A listed port is taken as it is.
        Child<QPushButton>(d, "btnOk")->click();
        QCOMPARE(f.Db->AppState.PortName, QStringLiteral("/dev/ttyS0"));
    }

    void probeOfRealDevices() {
        // A pseudo-terminal is what a simulator or a network serial bridge offers.
        const int master = posix_openpt(O_RDWR | O_NOCTTY);
        QVERIFY(master >= 0);
        QVERIFY(grantpt(master) == 0 && unlockpt(master) == 0);
        const QString slave = QString::fromLocal8Bit(ptsname(master));
        QCOMPARE(ProbePort(slave), PortAccess::Usable);
        ::close(master);
        QCOMPARE(ProbePort(QStringLiteral("/dev/does-not-exist-v35")), PortAccess::Missing);
    }

    void typedPseudoTerminalIsAccepted() {
        const int master = posix_openpt(O_RDWR | O_NOCTTY);
        QVERIFY(master >= 0);
        QVERIFY(grantpt(master) == 0 && unlockpt(master) == 0);
        const QString slave = QString::fromLocal8Bit(ptsname(master));
        UiFixture f;
        TfSetPort d(*f.Db, *f.Ui);
        d.ListSystemPorts = [] { return QStringList(); };
        d.show();
        Child<QComboBox>(d, "cbCom")->setEditText(slave);
        Child<QPushButton>(d, "btnOk")->click();
        ::close(master);
        QCOMPARE(f.Db->AppState.PortName, slave);
        QVERIFY(f.Prompts.Log.isEmpty());
    }

    void languageListSplitting_data() {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("two") << "Chinese|English" << QStringList{"Chinese", "English"};
        QTest::newRow("empty piece kept") << "a||b" << QStringList{"a", "", "b"};
        QTest::newRow("trailing bar adds nothing") << "a|" << QStringList{"a"};
        QTest::newRow("leading bar") << "|a" << QStringList{"", "a"};
        QTest::newRow("empty") << "" << QStringList();
    }

    void languageListSplitting() {
        QFETCH(QString, list);
        QFETCH(QStringList, items);
        QCOMPARE(SplitLanguageList(list), items);
    }

    void languageDialog_data() {
        QTest::addColumn<QString>("sysInfo");
        QTest::addColumn<int>("choice");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QString>("language");
        QTest::newRow("no SysInfo.Ini, same language")
            << "" << 0 << QStringList{"中文", "英文"} << false << "Chinese";
        QTest::newRow("English chosen") << "" << 1 << QStringList{"中文", "英文"} << true << "English";
        QTest::newRow("display names of the file")
            << "[SysInfo]\nLanguage=Chinese|English|Deutsch\nChinese=中文|英文|德文\n"
            << 2 << QStringList{"中文", "英文", "德文"} << true << "Deutsch";
        QTest::newRow("a display name without a file name")
            << "[SysInfo]\nLanguage=Chinese|English\nChinese=中文|英文|德文\n"
            << 2 << QStringList{"中文", "英文", "德文"} << false << "Chinese";
    }

    void languageDialog() {
        QFETCH(QString, sysInfo);
        QFETCH(int, choice);
        QFETCH(QStringList, shown);
        QFETCH(bool, changed);
        QFETCH(QString, language);
        UiOptions options;
        options.SysInfo = sysInfo;
        UiFixture f(options);
        TfSetLanguage d(*f.Db);
        d.show();
        QStringList items;
        for (int i = 0; i < Child<QComboBox>(d, "cbLanguage")->count(); ++i)
            items.append(Child<QComboBox>(d, "cbLanguage")->itemText(i));
        QCOMPARE(items, shown);
        QCOMPARE(Child<QComboBox>(d, "cbLanguage")->currentIndex(), 0);
        Child<QComboBox>(d, "cbLanguage")->setCurrentIndex(choice);
        Child<QPushButton>(d, "btnOk")->click();
        QCOMPARE(d.Changed, changed);
        QCOMPARE(f.Db->AppState.LanguageName, language);
        QCOMPARE(f.Db->AppState.LanguageIndex, changed ? choice : 0);
    }

    void dialogsSpeakTheCurrentLanguage() {
        UiOptions options;
        options.SysInfo = QStringLiteral("[SysInfo]\nDefaultLanguage=1\nEnglish=Chinese|English\n");
        UiFixture f(options);
        TfSetLanguage language(*f.Db);
        language.show();
        QCOMPARE(language.windowTitle(), QStringLiteral("Language"));
        QCOMPARE(Child<QComboBox>(language, "cbLanguage")->itemText(1), QStringLiteral("English"));
        QCOMPARE(Child<QComboBox>(language, "cbLanguage")->currentIndex(), 1);
        TfSetPort port(*f.Db, *f.Ui);
        port.ListSystemPorts = [] { return QStringList(); };
        port.show();
        QCOMPARE(Child<QLabel>(port, "lbName")->text(), QStringLiteral("Serial port:"));
        TfModel model(*f.Db);
        model.show();
        QCOMPARE(Child<QPushButton>(model, "btnCancel")->text(), QStringLiteral("&Cancel"));
    }
};

QTEST_MAIN(DialogsTest)
#include "test_dialogs.moc"
