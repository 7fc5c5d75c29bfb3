#include "DialogFixture.h"
#include "app/ReportBuilder.h"
#include "core/Values.h"
#include "ui/dialogs/FreqModel.h"
#include "ui/dialogs/FunSet.h"
#include "ui/dialogs/ToneOption.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

QStringList Channels(std::initializer_list<int> numbers) {
    QStringList list;
    for (const int n : numbers)
        list.append(QString::number(n));
    return list;
}

// Runs the function settings dialog on `channels`; `script` acts on the shown dialog.
bool RunFunSet(DialogFixture& f, const QStringList& channels, const std::function<void(TfFunSet&)>& script) {
    f.OnDialog[QStringLiteral("fFunSet")] = [&](QDialog& dialog) { script(static_cast<TfFunSet&>(dialog)); };
    return TfFunSet::Run(*f.Db, *f.Ui, channels, nullptr);
}

bool RunFreqModel(DialogFixture& f, const std::function<void(TfFreqModel&)>& script) {
    f.OnDialog[QStringLiteral("fFreqModel")] = [&](QDialog& dialog) {
        script(static_cast<TfFreqModel&>(dialog));
    };
    return TfFreqModel::Run(*f.Db, *f.Ui, nullptr);
}

void Choose(QComboBox* box, const QString& text) {
    const int index = box->findText(text);
    QVERIFY2(index >= 0, qPrintable(text));
    box->setCurrentIndex(index);
}

} // namespace

// The function settings lines of the settings report, built from the values with the captions and
// entries the dialog shows.
QList<TAdoRecord> FunctionRows(TfMaindb& db) {
    BuildSettingsReport(db);
    QList<TAdoRecord> rows;
    for (const TAdoRecord& row : db.myAdo)
        if (row.TypeID == TAdoRecord::FunctionSettings)
            rows.append(row);
    return rows;
}

class TestSettingsDialogs : public QObject {
    Q_OBJECT

private slots:
    // ---- function settings ----

    void reportRowsOfTheDefaults() {
        DialogFixture f;
        const QList<TAdoRecord> rows = FunctionRows(*f.Db);
        QStringList fields, values;
        for (const TAdoRecord& row : rows) {
            QCOMPARE(row.TypeID, 6);
            QCOMPARE(row.TypeName, QStringLiteral("功能设置"));
            QVERIFY(row.BField.isEmpty() && row.BValue.isEmpty());
            fields.append(row.AField);
            values.append(row.AValue);
        }
        QCOMPARE(fields, QStringList({"按键提示音", "开机提示音", "电池省电", "声控设置", "VOX延迟",
                                      "功率高低", "静噪级别", "LED开关", "LED颜色", "扫描方式", "键盘锁",
                                      "发射超时(秒)", "宽窄带控制", "预警提示"}));
        QCOMPARE(values, QStringList({"开", "开", "有", "关闭", "0.3", "高", "5", "自动", "橙色", "搜索扫描",
                                      "手动", "180", "宽", "有"}));
        // Printing reads the settings; it changes nothing.
        TFun defaults;
        defaults.ResetDefaults();
        QCOMPARE(f.Db->FunctionSettings, defaults);
    }

    void reportRowsInEnglish() {
        DialogFixture f(Language::English);
        f.Db->FunctionSettings.TxTimeout = 0;
        const QList<TAdoRecord> rows = FunctionRows(*f.Db);
        QCOMPARE(rows.size(), 14);
        QCOMPARE(rows.at(0).TypeName, QStringLiteral("Radio Settings"));
        QCOMPARE(rows.at(0).AField, QStringLiteral("Key Beep"));
        QCOMPARE(rows.at(0).AValue, QStringLiteral("On"));
        QCOMPARE(rows.at(4).AValue, QStringLiteral("0.3"));
        QCOMPARE(rows.at(11).AField, QStringLiteral("Tx Timeout (s)"));
        QCOMPARE(rows.at(11).AValue, QStringLiteral("Off"));
    }

    // The current channel must name a channel in use, whichever way the dialog closes.
    void currentChannel_data() {
        QTest::addColumn<QStringList>("inUse");
        QTest::addColumn<int>("current");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("modeFlag");
        QTest::newRow("no channel, OK") << QStringList() << 0 << true << "" << 0 << 3;
        QTest::newRow("no channel, stale current, Cancel") << QStringList() << 5 << false << "" << 0 << 3;
        QTest::newRow("empty current channel, Cancel") << Channels({2, 9}) << 7 << false << "2" << 2 << 3;
        QTest::newRow("empty current channel, OK") << Channels({2, 9}) << 7 << true << "2" << 2 << 3;
        QTest::newRow("current in use") << Channels({2, 9}) << 9 << false << "9" << 9 << 3;
    }
    void currentChannel() {
        QFETCH(QStringList, inUse);
        QFETCH(int, current);
        QFETCH(bool, ok);
        QFETCH(QString, shown);
        QFETCH(int, stored);
        QFETCH(int, modeFlag);
        DialogFixture f;
        f.Db->FunctionSettings.CurrentChannel = current;
        bool modeEnabled = true;
        QString shownText;
        QString modeText;
        RunFunSet(f, inUse, [&](TfFunSet& d) {
            shownText = Child<QComboBox>(d, "cbdqxd")->currentText();
            modeEnabled = Child<QComboBox>(d, "cbmsbz")->isEnabled();
            modeText = Child<QComboBox>(d, "cbmsbz")->currentText();
            QTest::mouseClick(ok ? Child<QPushButton>(d, "btnOk") : Child<QPushButton>(d, "btnCancel"),
                              Qt::LeftButton);
        });
        QCOMPARE(shownText, shown);
        QCOMPARE(f.Db->FunctionSettings.CurrentChannel, stored);
        QCOMPARE(f.Db->FunctionSettings.ModeFlag, modeFlag);
        // Without a channel the radio can only work in frequency mode.
        QCOMPARE(modeEnabled, !inUse.isEmpty());
        if (inUse.isEmpty())
            QCOMPARE(modeText, QStringLiteral("频率模式"));
    }

    void channelListHoldsTheChannelsInUse() {
        DialogFixture f;
        ChannelTable& t = f.Db->MainTable;
        for (const int k : {9, 2, 128}) {
            t.SetText(k, ChannelTable::RxFrequency, QStringLiteral("450.00000"));
            t.ActivateChannel(k);
        }
        t.SetText(5, ChannelTable::RxFrequency, QStringLiteral("  "));
        QCOMPARE(TfFunSet::ChannelsInUse(t), Channels({2, 9, 128}));
    }

    // The mode list shows the frequency mode first, while the radio numbers it 3.
    void modeFlagMapping_data() {
        QTest::addColumn<int>("flag");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<int>("stored");
        QTest::newRow("0 channel mode") << 0 << "信道模式"
                                        << "" << 0;
        QTest::newRow("1 both") << 1 << "频率与频道模式"
                                << "" << 1;
        QTest::newRow("3 frequency mode") << 3 << "频率模式"
                                          << "" << 3;
        QTest::newRow("2 has no entry and stays") << 2 << ""
                                                  << "" << 2;
        QTest::newRow("frequency mode chosen") << 0 << "信道模式"
                                               << "频率模式" << 3;
        QTest::newRow("channel mode chosen") << 3 << "频率模式"
                                             << "信道模式" << 0;
        QTest::newRow("both chosen") << 2 << ""
                                     << "频率与频道模式" << 1;
    }
    void modeFlagMapping() {
        QFETCH(int, flag);
        QFETCH(QString, shown);
        QFETCH(QString, chosen);
        QFETCH(int, stored);
        DialogFixture f;
        f.Db->FunctionSettings.ModeFlag = flag;
        QString shownText;
        QVERIFY(RunFunSet(f, Channels({1}), [&](TfFunSet& d) {
            shownText = Child<QComboBox>(d, "cbmsbz")->currentText();
            if (!chosen.isEmpty())
                Choose(Child<QComboBox>(d, "cbmsbz"), chosen);
            QTest::mouseClick(Child<QPushButton>(d, "btnOk"), Qt::LeftButton);
        }));
        QCOMPARE(shownText, shown);
        QCOMPARE(f.Db->FunctionSettings.ModeFlag, stored);
    }

    // Each list shows its field and OK writes back what it shows.
    void listsLoadAndStore_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("shownBefore");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("stored");
        QTest::newRow("timeout 180 to off") << "cbfscs"
                                            << "180"
                                            << "关闭"
                                            << "TxTimeout" << 0;
        QTest::newRow("timeout to 270") << "cbfscs"
                                        << "180"
                                        << "270"
                                        << "TxTimeout" << 9;
        QTest::newRow("language unchanged") << "cbyysz"
                                            << "中文"
                                            << ""
                                            << "LanguageSelect" << 3;
        QTest::newRow("language off") << "cbyysz"
                                      << "中文"
                                      << "关闭"
                                      << "LanguageSelect" << 1;
        QTest::newRow("battery saver off") << "cbdcsd"
                                           << "有"
                                           << "无"
                                           << "BatterySave" << 0;
        QTest::newRow("vox delay 3.0") << "cbvoxyc"
                                       << "0.3"
                                       << "3.0"
                                       << "VoxDelay" << 5;
        QTest::newRow("led purple") << "cbcled"
                                    << "橙色"
                                    << "紫色"
                                    << "LedColor" << 2;
        QTest::newRow("scan carrier") << "cbsmfs"
                                      << "搜索扫描"
                                      << "载波扫描"
                                      << "ScanMode" << 1;
        QTest::newRow("squelch 9") << "cbjzjb"
                                   << "5"
                                   << "9"
                                   << "SquelchLevel" << 9;
        QTest::newRow("manual set on") << "cbsdsz"
                                       << "关闭"
                                       << "打开"
                                       << "ManualSet" << 1;
        QTest::newRow("tx level 0") << "cbTFLev"
                                    << "5"
                                    << "0"
                                    << "TxFunctionLevel" << 0;
    }
    void listsLoadAndStore() {
        QFETCH(QString, control);
        QFETCH(QString, shownBefore);
        QFETCH(QString, chosen);
        QFETCH(QString, field);
        QFETCH(int, stored);
        DialogFixture f;
        QString shown;
        QVERIFY(RunFunSet(f, Channels({1}), [&](TfFunSet& d) {
            auto* box = d.findChild<QComboBox*>(control);
            QVERIFY(box);
            shown = box->currentText();
            if (!chosen.isEmpty())
                Choose(box, chosen);
            QTest::mouseClick(Child<QPushButton>(d, "btnOk"), Qt::LeftButton);
        }));
        QCOMPARE(shown, shownBefore);
        const TFun& fun = f.Db->FunctionSettings;
        const std::map<QString, int> fields = {{"TxTimeout", fun.TxTimeout},
                                               {"LanguageSelect", fun.LanguageSelect},
                                               {"BatterySave", fun.BatterySave},
                                               {"VoxDelay", fun.VoxDelay},
                                               {"LedColor", fun.LedColor},
                                               {"ScanMode", fun.ScanMode},
                                               {"SquelchLevel", fun.SquelchLevel},
                                               {"ManualSet", fun.ManualSet},
                                               {"TxFunctionLevel", fun.TxFunctionLevel}};
        QCOMPARE(fields.at(field), stored);
    }

    // A value from a file that no list entry shows is kept by OK, not replaced.
    void valueWithoutEntryIsKept() {
        DialogFixture f;
        f.Db->FunctionSettings.TxTimeout = 12;
        f.Db->FunctionSettings.LanguageSelect = 0;
        QString shown = QStringLiteral("?");
        QVERIFY(RunFunSet(f, Channels({1}), [&](TfFunSet& d) {
            shown = Child<QComboBox>(d, "cbfscs")->currentText();
            QTest::mouseClick(Child<QPushButton>(d, "btnOk"), Qt::LeftButton);
        }));
        QCOMPARE(shown, QString());
        QCOMPARE(f.Db->FunctionSettings.TxTimeout, 12);
        QCOMPARE(f.Db->FunctionSettings.LanguageSelect, 0);
    }

    void cancelKeepsEverythingButTheCurrentChannel() {
        DialogFixture f;
        const TFun before = f.Db->FunctionSettings;
        QVERIFY(!RunFunSet(f, Channels({4}), [&](TfFunSet& d) {
            Choose(Child<QComboBox>(d, "cbfscs"), QStringLiteral("30"));
            Choose(Child<QComboBox>(d, "cbtsy"), QStringLiteral("关"));
            QTest::mouseClick(Child<QPushButton>(d, "btnCancel"), Qt::LeftButton);
        }));
        TFun expected = before;
        expected.CurrentChannel = 4;
        QCOMPARE(f.Db->FunctionSettings, expected);
    }

    // ANI: four digits; name: six letters, digits or points, in upper case.
    void aniAndNameFilters_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("ani digits") << "cxANICode"
                                    << "9876"
                                    << "9876";
        QTest::newRow("ani drops letters and points") << "cxANICode"
                                                      << "1a.2-3"
                                                      << "123";
        QTest::newRow("ani fifth digit") << "cxANICode"
                                         << "123456"
                                         << "1234";
        QTest::newRow("name upper case") << "cxMeName"
                                         << "ab1.z"
                                         << "AB1.Z";
        QTest::newRow("name drops others") << "cxMeName"
                                           << "a-b c!"
                                           << "ABC";
        QTest::newRow("name seventh character") << "cxMeName"
                                                << "abcdefg"
                                                << "ABCDEF";
    }
    void aniAndNameFilters() {
        QFETCH(QString, control);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        DialogFixture f;
        QVERIFY(RunFunSet(f, Channels({1}), [&](TfFunSet& d) {
            auto* edit = d.findChild<QLineEdit*>(control);
            edit->clear();
            QTest::keyClicks(edit, typed);
            QTest::mouseClick(Child<QPushButton>(d, "btnOk"), Qt::LeftButton);
        }));
        QCOMPARE(control == QLatin1String("cxANICode") ? f.Db->FunctionSettings.AniCode
                                                       : f.Db->FunctionSettings.RadioName,
                 stored);
    }

    void pastedNameIsCleanedToo() {
        DialogFixture f;
        QVERIFY(RunFunSet(f, Channels({1}), [&](TfFunSet& d) {
            Child<QLineEdit>(d, "cxMeName")->clear();
            Child<QLineEdit>(d, "cxMeName")->insert(QStringLiteral("名x-y"));
            // insert() is the program's; the user's paste arrives as an edit.
            emit Child<QLineEdit>(d, "cxMeName")->textEdited(Child<QLineEdit>(d, "cxMeName")->text());
            QTest::mouseClick(Child<QPushButton>(d, "btnOk"), Qt::LeftButton);
        }));
        QCOMPARE(f.Db->FunctionSettings.RadioName, QStringLiteral("XY"));
    }

    // ---- frequency mode ----

    void receiveFrequencyRule_data() {
        QTest::addColumn<double>("stored");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<double>("saved");
        QTest::newRow("reset value shows band low") << 0.0 << ""
                                                    << "400.00000" << 400.0;
        QTest::newRow("481 to band high") << 0.0 << "481"
                                          << "470.00000" << 470.0;
        QTest::newRow("480 within margin") << 0.0 << "480"
                                           << "480.00000" << 480.0;
        QTest::newRow("389 to band low") << 0.0 << "389"
                                         << "400.00000" << 400.0;
        QTest::newRow("390 within margin") << 0.0 << "390"
                                           << "390.00000" << 390.0;
        QTest::newRow("no raster snap") << 0.0 << "400.0065"
                                        << "400.00650" << 400.0065;
        QTest::newRow("typed 0 to band low") << 450.0 << "0"
                                             << "400.00000" << 400.0;
        QTest::newRow("stored beyond band") << 600.0 << ""
                                            << "470.00000" << 470.0;
    }
    void receiveFrequencyRule() {
        QFETCH(double, stored);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(double, saved);
        DialogFixture f;
        f.Db->FunctionSettings.VfoRxFreq = stored;
        QString shownText;
        QVERIFY(RunFreqModel(f, [&](TfFreqModel& d) {
            if (typed.isEmpty()) {
                shownText = Child<QLineEdit>(d, "cxRx")->text();
                QTest::mouseClick(Child<QPushButton>(d, "btnOk"), Qt::LeftButton);
            } else {
                // Enter takes the value and presses OK.
                TypeAndEnter(Child<QLineEdit>(d, "cxRx"), typed);
                shownText = Child<QLineEdit>(d, "cxRx")->text();
                QVERIFY(!d.isVisible());
            }
        }));
        QCOMPARE(shownText, shown);
        QCOMPARE(FrequencyUnits(f.Db->FunctionSettings.VfoRxFreq), FrequencyUnits(saved));
        QVERIFY(f.Prompts.Log.isEmpty());
    }

    void offsetRule_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("pasted");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<double>("saved");
        QTest::newRow("70 to the largest offset") << "70" << false << "69.99500" << 69.995;
        QTest::newRow("largest offset stays") << "69.995" << false << "69.99500" << 69.995;
        QTest::newRow("5 MHz") << "5" << false << "5.00000" << 5.0;
        QTest::newRow("pasted -1 to 0") << "-1" << true << "0.00000" << 0.0;
    }
    void offsetRule() {
        QFETCH(QString, typed);
        QFETCH(bool, pasted);
        QFETCH(QString, shown);
        QFETCH(double, saved);
        DialogFixture f;
        f.Db->FunctionSettings.OffsetDirection = 1;
        QString shownText;
        QVERIFY(RunFreqModel(f, [&](TfFreqModel& d) {
            QVERIFY(Child<QLineEdit>(d, "cxWcpl")->isEnabled());
            if (pasted) {
                // A paste is not typed, so the key filter does not see it.
                Child<QLineEdit>(d, "cxWcpl")->selectAll();
                Child<QLineEdit>(d, "cxWcpl")->insert(typed);
                Child<QLineEdit>(d, "cxWcpl")->setModified(true);
                QTest::keyClick(Child<QLineEdit>(d, "cxWcpl"), Qt::Key_Return);
            } else {
                TypeAndLeave(Child<QLineEdit>(d, "cxWcpl"), typed);
            }
            shownText = Child<QLineEdit>(d, "cxWcpl")->text();
            Click(Child<QPushButton>(d, "btnOk"));
        }));
        QCOMPARE(shownText, shown);
        QCOMPARE(FrequencyUnits(f.Db->FunctionSettings.VfoOffset), FrequencyUnits(saved));
    }

    void simplexHasNoOffset() {
        DialogFixture f;
        f.Db->FunctionSettings.OffsetDirection = 2;
        f.Db->FunctionSettings.VfoOffset = 5.0;
        QVERIFY(RunFreqModel(f, [&](TfFreqModel& d) {
            QCOMPARE(Child<QLineEdit>(d, "cxWcpl")->text(), QStringLiteral("5.00000"));
            Choose(Child<QComboBox>(d, "cbwcfx"), QStringLiteral("同频"));
            QVERIFY(!Child<QLineEdit>(d, "cxWcpl")->isEnabled());
            QCOMPARE(Child<QLineEdit>(d, "cxWcpl")->text(), QStringLiteral("0.00000"));
            QTest::mouseClick(Child<QPushButton>(d, "btnOk"), Qt::LeftButton);
        }));
        QCOMPARE(f.Db->FunctionSettings.OffsetDirection, 0);
        QCOMPARE(f.Db->FunctionSettings.VfoOffset, 0.0);
    }

    void toneBoxes_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("saved");
        QTest::newRow("none stays empty") << ""
                                          << "";
        QTest::newRow("88.53 to 88.5") << "88.53"
                                       << "88.5";
        QTest::newRow("12 to 30.0") << "12"
                                    << "30.0";
        QTest::newRow("code 143 of the short list") << "D143N"
                                                    << "D143N";
        QTest::newRow("code 036 typed") << "D036I"
                                        << "D036I";
        QTest::newRow("bad code") << "D089N"
                                  << "D777N";
        QTest::newRow("letters dropped as typed") << "8x8.5"
                                                  << "88.5";
    }
    void toneBoxes() {
        QFETCH(QString, typed);
        QFETCH(QString, saved);
        DialogFixture f;
        f.Db->FunctionSettings.VfoRxTone = QStringLiteral("67.0");
        QVERIFY(RunFreqModel(f, [&](TfFreqModel& d) {
            QCOMPARE(Child<QComboBox>(d, "cbjsyyp")->currentText(), QStringLiteral("67.0"));
            QCOMPARE(Child<QComboBox>(d, "cbfsyyp")->currentText(), QStringLiteral("无"));
            TypeAndLeave(Child<QComboBox>(d, "cbjsyyp"), typed);
            QTest::mouseClick(Child<QPushButton>(d, "btnOk"), Qt::LeftButton);
        }));
        QCOMPARE(f.Db->FunctionSettings.VfoRxTone, saved);
        QCOMPARE(f.Db->FunctionSettings.VfoTxTone, QString());
    }

    void shortListOffersCode143() {
        DialogFixture f;
        TfFreqModel d(*f.Db, *f.Ui);
        QVERIFY(Child<QComboBox>(d, "cbjsyyp")->findText(QStringLiteral("D143N")) > 0);
        QCOMPARE(Child<QComboBox>(d, "cbjsyyp")->findText(QStringLiteral("D036N")), -1);
        QCOMPARE(Child<QComboBox>(d, "cbjsyyp")->count(), 207);
    }

    void pickedToneGoesIntoTheBox() {
        DialogFixture f;
        f.OnDialog[QStringLiteral("fToneOption")] = [](QDialog& picker) {
            static_cast<TfToneOption&>(picker).PickedTone = QStringLiteral("D023I");
            picker.accept();
        };
        QVERIFY(RunFreqModel(f, [&](TfFreqModel& d) {
            QTest::mouseDClick(Child<QComboBox>(d, "cbfsyyp")->lineEdit(), Qt::LeftButton);
            QCOMPARE(Child<QComboBox>(d, "cbfsyyp")->currentText(), QStringLiteral("D023I"));
            QTest::mouseClick(Child<QPushButton>(d, "btnOk"), Qt::LeftButton);
        }));
        QCOMPARE(f.Db->FunctionSettings.VfoTxTone, QStringLiteral("D023I"));
    }

    // A text that is not a number is refused and the value before it comes back.
    void notANumberIsRefused() {
        DialogFixture f;
        f.Db->FunctionSettings.VfoRxFreq = 445.5;
        bool stillOpen = false;
        QVERIFY(RunFreqModel(f, [&](TfFreqModel& d) {
            // Enter on a refused text goes no further: OK is not pressed.
            TypeAndEnter(Child<QLineEdit>(d, "cxRx"), QStringLiteral("44.5.5"));
            QVERIFY(d.isVisible());
            QCOMPARE(Child<QLineEdit>(d, "cxRx")->text(), QStringLiteral("445.50000"));
            // OK by its shortcut with the bad text still in the field: refused, the dialog stays.
            Child<QLineEdit>(d, "cxRx")->setFocus();
            QTest::keyClicks(Child<QLineEdit>(d, "cxRx"), QStringLiteral(".."));
            d.btnOkClick();
            stillOpen = d.isVisible();
            QTest::mouseClick(Child<QPushButton>(d, "btnOk"), Qt::LeftButton);
        }));
        QVERIFY(stillOpen);
        QCOMPARE(f.Shown(), QStringList({"频率出错！", "频率出错！"}));
        QCOMPARE(f.Captions().first(), QStringLiteral("注意"));
        QCOMPARE(f.Db->FunctionSettings.VfoRxFreq, 445.5);
    }

    void cancelStoresNothing() {
        DialogFixture f;
        const TFun before = f.Db->FunctionSettings;
        QVERIFY(!RunFreqModel(f, [&](TfFreqModel& d) {
            TypeAndLeave(Child<QLineEdit>(d, "cxRx"), QStringLiteral("430"));
            Choose(Child<QComboBox>(d, "cbbjpl"), QStringLiteral("25K"));
            QTest::mouseClick(Child<QPushButton>(d, "btnCancel"), Qt::LeftButton);
        }));
        QCOMPARE(f.Db->FunctionSettings, before);
    }

    void stepIsStoredAsItsIndex() {
        DialogFixture f;
        QVERIFY(RunFreqModel(f, [&](TfFreqModel& d) {
            QCOMPARE(Child<QComboBox>(d, "cbbjpl")->currentText(), QStringLiteral("12.5K"));
            Choose(Child<QComboBox>(d, "cbbjpl"), QStringLiteral("6.25K"));
            QTest::mouseClick(Child<QPushButton>(d, "btnOk"), Qt::LeftButton);
        }));
        QCOMPARE(f.Db->FunctionSettings.VfoStep, 1);
    }
};

QTEST_MAIN(TestSettingsDialogs)
#include "test_settings.moc"
