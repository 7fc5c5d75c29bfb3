#include "DialogFixture.h"
#include "core/Values.h"
#include "ui/ChannelModel.h"
#include "ui/dialogs/BBatchEdit.h"
#include "ui/dialogs/BInfoEdit.h"
#include "ui/dialogs/ToneOption.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>

namespace {

using Col = ChannelTable::Column;

// A channel in use as the grid would leave it: typed receive frequency, then the defaults.
void PutChannel(TfMaindb& db, int k, const QString& rx, const QString& tx = QString()) {
    ChannelTable& t = db.MainTable;
    t.SetText(k, Col::RxFrequency, rx);
    t.ActivateChannel(k);
    if (!tx.isNull())
        t.SetText(k, Col::TxFrequency, tx);
}

// The row of a channel as the grid shows it, from the receive frequency to the busy lock.
QStringList Row(const TfMaindb& db, int k) {
    QStringList texts;
    for (int c = Col::RxFrequency; c <= Col::BusyLock; ++c)
        texts.append(db.MainTable.Text(k, c));
    return texts;
}

void Choose(QComboBox* box, const QString& text) {
    const int index = box->findText(text);
    QVERIFY2(index >= 0, qPrintable(text));
    box->setCurrentIndex(index);
}

// The channel edit dialog shown on `channel` (without the modal loop, which the fixture
// otherwise runs); closed by the caller.
struct OpenChannelEdit {
    OpenChannelEdit(DialogFixture& f, int channel) : Dialog(*f.Db, *f.Ui) {
        Dialog.StartChannel = channel;
        Dialog.show();
    }
    TfBInfoEdit Dialog;
};

} // namespace

class TestChannelDialogs : public QObject {
    Q_OBJECT

private slots:
    // ---- channel edit ----

    // The receive field takes a frequency within 10 MHz of the band; the transmit field only within
    // the band. Both snap, and both refuse a text that is not a number.
    void typedFrequency_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("messages");
        const QString rx = QStringLiteral("eReceive"), tx = QStringLiteral("eSend");
        const int rxColumn = Col::RxFrequency, txColumn = Col::TxFrequency;
        const QStringList none, outRange{"频率超出范围！"}, errRange{"频率出错！"};
        QTest::newRow("receive 480 within the margin") << rx << rxColumn << "480"
                                                       << "480.00000" << none;
        QTest::newRow("receive 390 within the margin") << rx << rxColumn << "390"
                                                       << "390.00000" << none;
        QTest::newRow("receive 480.5 to band high") << rx << rxColumn << "480.5"
                                                    << "470.00000" << outRange;
        QTest::newRow("receive 389.99 to band low") << rx << rxColumn << "389.99"
                                                    << "400.00000" << outRange;
        QTest::newRow("receive snapped to 6.25 kHz") << rx << rxColumn << "400.0065"
                                                     << "400.00625" << none;
        QTest::newRow("receive snapped to 5 kHz") << rx << rxColumn << "400.007"
                                                  << "400.00500" << none;
        QTest::newRow("receive not a number keeps the text") << rx << rxColumn << "44.6.1"
                                                             << "446.10000" << errRange;
        QTest::newRow("transmit in the band") << tx << txColumn << "455.5"
                                              << "455.50000" << none;
        QTest::newRow("transmit 470.0125 to band high, no margin") << tx << txColumn << "470.0125"
                                                                   << "470.00000" << outRange;
        QTest::newRow("transmit 399 to band low") << tx << txColumn << "399"
                                                  << "400.00000" << outRange;
        QTest::newRow("transmit snapped") << tx << txColumn << "455.0065"
                                          << "455.00625" << none;
        QTest::newRow("transmit not a number keeps the text") << tx << txColumn << "4..5"
                                                              << "446.10000" << errRange;
    }
    void typedFrequency() {
        QFETCH(QString, field);
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(QStringList, messages);
        DialogFixture f;
        PutChannel(*f.Db, 3, QStringLiteral("446.10000"));
        OpenChannelEdit open(f, 3);
        auto* edit = Child<QLineEdit>(open.Dialog, qPrintable(field));
        TypeAndEnter(edit, typed);
        QCOMPARE(edit->text(), stored);
        QCOMPARE(f.Db->MainTable.Text(3, column), stored);
        QCOMPARE(f.Shown(), messages);
        for (const QString& caption : f.Captions())
            QCOMPARE(caption, QStringLiteral("注意"));
        // Enter takes the value; it does not close the window.
        QVERIFY(open.Dialog.isVisible());
    }

    // A new channel: the transmit frequency follows, the controls open up, the row is in use, and
    // it keeps what the dialog showed when the grid later changes its receive frequency.
    void newChannelFromTheDialog() {
        DialogFixture f;
        OpenChannelEdit open(f, 5);
        TfBInfoEdit& d = open.Dialog;
        QVERIFY(!Child<QWidget>(d, "pMain")->isEnabled());
        QVERIFY(Child<QLineEdit>(d, "eReceive")->isEnabled());
        TypeAndEnter(Child<QLineEdit>(d, "eReceive"), QStringLiteral("446.00625"));
        QVERIFY(Child<QWidget>(d, "pMain")->isEnabled());
        QCOMPARE(Child<QLineEdit>(d, "eSend")->text(), QStringLiteral("446.00625"));
        QCOMPARE(f.Db->MainTable.Code(5, Col::ChannelNo), QStringLiteral("1"));
        QVERIFY(!f.Db->MainTable.IsReadOnly(5, Col::TxFrequency));
        QVERIFY(f.Db->AppState.Modified);
        // What the empty-channel state of the controls shows (power as it was: high).
        QCOMPARE(Row(*f.Db, 5),
                 QStringList({"446.00625", "446.00625", "无", "无", "高", "宽带", "是", "无", "开", "关闭"}));
        ChannelValues values;
        QVERIFY(f.Db->MainTable.GetChannelValues(5, values));
        QCOMPARE(values.RxTone, QString());
        QCOMPARE(values.OptSignal, 0);
    }

    void deletingTheReceiveFrequencyClearsTheChannel() {
        DialogFixture f;
        PutChannel(*f.Db, 7, QStringLiteral("450.00000"));
        PutChannel(*f.Db, 8, QStringLiteral("451.00000"));
        f.Db->FunctionSettings.CurrentChannel = 7;
        OpenChannelEdit open(f, 7);
        TfBInfoEdit& d = open.Dialog;
        Choose(Child<QComboBox>(d, "cbkz"), QStringLiteral("窄带"));
        TypeAndEnter(Child<QLineEdit>(d, "eReceive"), QString());
        QCOMPARE(Row(*f.Db, 7), QStringList(10, QString()));
        QVERIFY(f.Db->MainTable.Code(7, Col::ChannelNo).isEmpty());
        QVERIFY(f.Db->MainTable.IsReadOnly(7, Col::TxFrequency));
        QCOMPARE(f.Db->FunctionSettings.CurrentChannel, 0);
        QVERIFY(!Child<QWidget>(d, "pMain")->isEnabled());
        QVERIFY(Child<QLineEdit>(d, "eSend")->text().isEmpty());
        QCOMPARE(Child<QComboBox>(d, "cbkz")->currentText(), QStringLiteral("宽带"));
        QVERIFY(Child<QCheckBox>(d, "chsmtj")->isChecked());
        QCOMPARE(Row(*f.Db, 8).first(), QStringLiteral("451.00000"));
    }

    void deletingTheTransmitFrequencyDropsItsTone() {
        DialogFixture f;
        PutChannel(*f.Db, 2, QStringLiteral("450.00000"));
        f.Db->MainTable.SetText(2, Col::TxTone, QStringLiteral("D023N"));
        OpenChannelEdit open(f, 2);
        QCOMPARE(Child<QComboBox>(open.Dialog, "cbDQT")->currentText(), QStringLiteral("D023N"));
        TypeAndEnter(Child<QLineEdit>(open.Dialog, "eSend"), QString());
        QCOMPARE(f.Db->MainTable.Text(2, Col::TxFrequency), QString());
        QCOMPARE(f.Db->MainTable.Text(2, Col::TxTone), QStringLiteral("无"));
        QVERIFY(f.Db->MainTable.IsChannelInUse(2));
    }

    void typedTones_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("88.53") << "88.53"
                               << "88.5";
        QTest::newRow("12") << "12"
                            << "30.0";
        QTest::newRow("300") << "300"
                             << "290.0";
        QTest::newRow("D08N") << "D08N"
                              << "D777N";
        QTest::newRow("lower-case d") << "d023n"
                                      << "D777N";
        QTest::newRow("lower-case suffix stays") << "D023n"
                                                 << "D023n";
        QTest::newRow("inverted") << "D754I"
                                  << "D754I";
        QTest::newRow("empty is none") << ""
                                       << "无";
        QTest::newRow("letters dropped as typed") << "6x7"
                                                  << "67.0";
    }
    void typedTones() {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        DialogFixture f;
        PutChannel(*f.Db, 1, QStringLiteral("450.00000"));
        OpenChannelEdit open(f, 1);
        TypeAndEnter(Child<QComboBox>(open.Dialog, "cbQT"), typed);
        QCOMPARE(f.Db->MainTable.Text(1, Col::RxTone), stored);
        QCOMPARE(Child<QComboBox>(open.Dialog, "cbQT")->currentText(), stored);
    }

    // Each list and the check box store at once, code and text together.
    void optionControlsStoreAtOnce_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("code");
        QTest::newRow("power low") << "cbfsgl"
                                   << "低" << int(Col::Power) << "0";
        QTest::newRow("narrow") << "cbkz"
                                << "窄带" << int(Col::Bandwidth) << "0";
        QTest::newRow("FSK") << "cbKxxl"
                             << "FSK" << int(Col::OptSignal) << "2";
        QTest::newRow("PTT ID off") << "cbPtt"
                                    << "关" << int(Col::PttId) << "0";
        QTest::newRow("busy lock QT/DQT") << "cbfmsd"
                                          << "QT/DQT" << int(Col::BusyLock) << "2";
        QTest::newRow("scan add off") << "chsmtj"
                                      << "否" << int(Col::ScanAdd) << "0";
    }
    void optionControlsStoreAtOnce() {
        QFETCH(QString, control);
        QFETCH(QString, chosen);
        QFETCH(int, column);
        QFETCH(QString, code);
        DialogFixture f;
        PutChannel(*f.Db, 4, QStringLiteral("450.00000"));
        f.Db->AppState.Modified = false;
        OpenChannelEdit open(f, 4);
        if (auto* box = open.Dialog.findChild<QComboBox*>(control))
            Choose(box, chosen);
        else
            QTest::mouseClick(open.Dialog.findChild<QCheckBox*>(control), Qt::LeftButton);
        QCOMPARE(f.Db->MainTable.Code(4, column), code);
        QCOMPARE(f.Db->MainTable.Text(4, column), chosen);
        QVERIFY(f.Db->AppState.Modified);
    }

    // Showing a channel changes nothing; stepping to an empty one shows the empty state with the
    // power box as it was.
    void steppingThroughChannels() {
        DialogFixture f;
        PutChannel(*f.Db, 1, QStringLiteral("450.00000"), QStringLiteral("455.00000"));
        f.Db->MainTable.SetOption(1, Col::Power, 0);
        f.Db->MainTable.SetOption(1, Col::OptSignal, 2);
        f.Db->MainTable.SetText(1, Col::RxTone, QStringLiteral("67.0"));
        f.Db->AppState.Modified = false;
        OpenChannelEdit open(f, 1);
        TfBInfoEdit& d = open.Dialog;
        QCOMPARE(Child<QLineEdit>(d, "eSend")->text(), QStringLiteral("455.00000"));
        QCOMPARE(Child<QComboBox>(d, "cbfsgl")->currentText(), QStringLiteral("低"));
        QCOMPARE(Child<QComboBox>(d, "cbKxxl")->currentText(), QStringLiteral("FSK"));
        QCOMPARE(Child<QComboBox>(d, "cbQT")->currentText(), QStringLiteral("67.0"));
        QCOMPARE(Child<QSpinBox>(d, "sexd")->maximum(), 128);
        QTest::keyClick(Child<QSpinBox>(d, "sexd"), Qt::Key_Up);
        QCOMPARE(Child<QSpinBox>(d, "sexd")->value(), 2);
        QVERIFY(!Child<QWidget>(d, "pMain")->isEnabled());
        QVERIFY(Child<QLineEdit>(d, "eReceive")->text().isEmpty());
        QCOMPARE(Child<QComboBox>(d, "cbfsgl")->currentText(), QStringLiteral("低"));
        QCOMPARE(Child<QComboBox>(d, "cbKxxl")->currentText(), QStringLiteral("无"));
        QCOMPARE(Child<QComboBox>(d, "cbQT")->currentText(), QStringLiteral("无"));
        QVERIFY(!f.Db->AppState.Modified);
        QVERIFY(!f.Db->MainTable.IsChannelInUse(2));
    }

    // A value still being typed belongs to the channel it was typed for.
    void stepAfterTypingStoresIntoTheShownChannel() {
        DialogFixture f;
        PutChannel(*f.Db, 1, QStringLiteral("450.00000"));
        OpenChannelEdit open(f, 1);
        Retype(Child<QLineEdit>(open.Dialog, "eReceive"), QStringLiteral("451"));
        Child<QSpinBox>(open.Dialog, "sexd")->setValue(2);
        QCOMPARE(f.Db->MainTable.Text(1, Col::RxFrequency), QStringLiteral("451.00000"));
        QVERIFY(!f.Db->MainTable.IsChannelInUse(2));
    }

    void closingTakesWhatIsTyped() {
        DialogFixture f;
        f.OnDialog[QStringLiteral("fBInfoEdit")] = [](QDialog& dialog) {
            auto& d = static_cast<TfBInfoEdit&>(dialog);
            Retype(Child<QLineEdit>(d, "eReceive"), QStringLiteral("462.5625"));
            d.btnCloseClick();
        };
        TfBInfoEdit::Run(*f.Db, *f.Ui, 9, nullptr);
        QCOMPARE(f.Db->MainTable.Text(9, Col::RxFrequency), QStringLiteral("462.56250"));
    }

    void pickerFillsTheToneBox() {
        DialogFixture f;
        PutChannel(*f.Db, 6, QStringLiteral("450.00000"));
        f.OnDialog[QStringLiteral("fToneOption")] = [](QDialog& dialog) {
            auto& picker = static_cast<TfToneOption&>(dialog);
            QTest::mouseClick(Child<QRadioButton>(picker, "rDCSI"), Qt::LeftButton);
            DoubleClickCell(Child<QTableWidget>(picker, "gvDcsI"),
                            Child<QTableWidget>(picker, "gvDcsI")->model()->index(0, 1));
        };
        OpenChannelEdit open(f, 6);
        QTest::mouseDClick(Child<QComboBox>(open.Dialog, "cbDQT")->lineEdit(), Qt::LeftButton);
        QCOMPARE(f.Db->MainTable.Text(6, Col::TxTone), QStringLiteral("D023I"));
        // A picker closed without a tone changes nothing.
        f.OnDialog.erase(QStringLiteral("fToneOption"));
        QTest::mouseDClick(Child<QComboBox>(open.Dialog, "cbDQT")->lineEdit(), Qt::LeftButton);
        QCOMPARE(f.Db->MainTable.Text(6, Col::TxTone), QStringLiteral("D023I"));
        QCOMPARE(f.Executed[QStringLiteral("fToneOption")], 2);
    }

    // In English the none text of the dialog is the grid's none text too.
    void englishNoneTextReadsAsNoTone() {
        DialogFixture f(Language::English);
        ChannelVocabulary english = ChannelVocabulary::BuiltIn();
        english.NoneText = QStringLiteral("None");
        f.Db->MainTable.RetranslateChannelTable(english);
        OpenChannelEdit open(f, 1);
        QCOMPARE(open.Dialog.windowTitle(), QStringLiteral("Edit Channel"));
        TypeAndEnter(Child<QLineEdit>(open.Dialog, "eReceive"), QStringLiteral("450"));
        QCOMPARE(Child<QComboBox>(open.Dialog, "cbQT")->currentText(), QStringLiteral("None"));
        QCOMPARE(f.Db->MainTable.Text(1, Col::RxTone), QStringLiteral("None"));
        ChannelValues values;
        QVERIFY(f.Db->MainTable.GetChannelValues(1, values));
        QCOMPARE(values.RxTone, QString());
    }

    // The grid shows the main table through its model: what a dialog stores appears at once.
    void gridSeesTheDialogsAtOnce() {
        DialogFixture f;
        ChannelModel grid(f.Db->MainTable, f.Db->AppState, f.Db->FunctionSettings, f.Db->Messages, f.Prompts);
        QSignalSpy changed(&grid, &QAbstractItemModel::dataChanged);
        const auto cell = [&](int channel, int column) {
            return grid.data(grid.index(channel - 1, ChannelModel::ModelColumn(column))).toString();
        };
        {
            OpenChannelEdit open(f, 3);
            TypeAndEnter(Child<QLineEdit>(open.Dialog, "eReceive"), QStringLiteral("433.5"));
            QCOMPARE(cell(3, Col::RxFrequency), QStringLiteral("433.50000"));
            QCOMPARE(cell(3, Col::TxFrequency), QStringLiteral("433.50000"));
            QVERIFY(!changed.isEmpty());
            changed.clear();
            Choose(Child<QComboBox>(open.Dialog, "cbkz"), QStringLiteral("窄带"));
            QCOMPARE(cell(3, Col::Bandwidth), QStringLiteral("窄带"));
            QCOMPARE(changed.last().at(0).toModelIndex().row(), 2);
        }
        TfBBatchEdit batch(*f.Db, *f.Ui);
        batch.show();
        TypeAndLeave(Child<QLineEdit>(batch, "eReceive"), QStringLiteral("440"));
        TypeAndLeave(Child<QLineEdit>(batch, "eSend"), QStringLiteral("440"));
        // Channel 3 is in use: the fill asks first.
        f.Prompts.Answers = {Prompter::Yes};
        QTest::mouseClick(Child<QPushButton>(batch, "btnOk"), Qt::LeftButton);
        QCOMPARE(cell(128, Col::RxFrequency), QStringLiteral("443.17500"));
        QCOMPARE(cell(3, Col::Bandwidth), QStringLiteral("宽带"));
    }

    // ---- batch edit ----

    void batchFills_data() {
        QTest::addColumn<QString>("receive");
        QTest::addColumn<QString>("send");
        QTest::addColumn<QString>("spacing");
        QTest::addColumn<bool>("descending");
        QTest::addColumn<int>("from"); // 0: all channels
        QTest::addColumn<int>("to");
        QTest::addColumn<QList<QPair<int, QString>>>("expected"); // channel, receive text
        using Rows = QList<QPair<int, QString>>;
        QTest::newRow("all, 25 kHz up")
            << "400"
            << "400"
            << "25.0" << false << 0 << 0 << Rows{{1, "400.00000"}, {2, "400.02500"}, {128, "403.17500"}};
        QTest::newRow("all, 12.5 kHz up")
            << "400"
            << "400"
            << "12.5" << false << 0 << 0 << Rows{{1, "400.00000"}, {2, "400.01250"}, {3, "400.02500"}};
        QTest::newRow("all, 6.25 kHz from 400.00625")
            << "400.00625"
            << "400.00625"
            << "6.25" << false << 0 << 0
            << Rows{{1, "400.00625"}, {2, "400.01250"}, {3, "400.01875"}, {128, "400.80000"}};
        // Only the written texts snap: channel 3 comes from the running 400.02625, not from 400.0225.
        QTest::newRow("10 kHz off the raster")
            << "400.00625"
            << "400.00625"
            << "10.0" << false << 0 << 0 << Rows{{1, "400.00625"}, {2, "400.01250"}, {3, "400.02500"}};
        QTest::newRow("descending across 390")
            << "390.01"
            << "390.01"
            << "25.0" << true << 0 << 0 << Rows{{1, "390.01000"}, {2, "400.00000"}, {3, "399.97500"}};
        QTest::newRow("range 10 to 12")
            << "450"
            << "455"
            << "10.0" << false << 10 << 12 << Rows{{9, ""}, {10, "450.00000"}, {12, "450.02000"}, {13, ""}};
        QTest::newRow("range accepts 480")
            << "480"
            << "480"
            << "5.00" << false << 1 << 2 << Rows{{1, "480.00000"}, {2, "470.00000"}};
        QTest::newRow("all pulls 481 to 470")
            << "481"
            << "481"
            << "25.0" << false << 0 << 0 << Rows{{1, "470.00000"}, {2, "470.02500"}, {128, "473.17500"}};
    }
    void batchFills() {
        QFETCH(QString, receive);
        QFETCH(QString, send);
        QFETCH(QString, spacing);
        QFETCH(bool, descending);
        QFETCH(int, from);
        QFETCH(int, to);
        using Rows = QList<QPair<int, QString>>;
        QFETCH(Rows, expected);
        DialogFixture f;
        TfBBatchEdit d(*f.Db, *f.Ui);
        d.show();
        TypeAndLeave(Child<QLineEdit>(d, "eReceive"), receive);
        TypeAndLeave(Child<QLineEdit>(d, "eSend"), send);
        Choose(Child<QComboBox>(d, "cbJg"), spacing);
        if (descending)
            QTest::mouseClick(Child<QRadioButton>(d, "rdesc"), Qt::LeftButton);
        if (from > 0) {
            QTest::mouseClick(Child<QRadioButton>(d, "rOne"), Qt::LeftButton);
            Child<QSpinBox>(d, "seFrom")->setValue(from);
            Child<QSpinBox>(d, "seTo")->setValue(to);
        }
        QTest::mouseClick(Child<QPushButton>(d, "btnOk"), Qt::LeftButton);
        QVERIFY2(f.Prompts.Log.isEmpty(), qPrintable(f.Shown().join(QLatin1Char(' '))));
        for (const auto& [channel, rx] : expected) {
            QCOMPARE(f.Db->MainTable.Text(channel, Col::RxFrequency), rx);
            QCOMPARE(f.Db->MainTable.IsChannelInUse(channel), !rx.isEmpty());
        }
        // The dialog stays open for the next run.
        QVERIFY(d.isVisible());
        QVERIFY(f.Db->AppState.Modified);
    }

    // The transmit frequencies run beside the receive ones with the same spacing.
    void batchTransmitRunsAlong() {
        DialogFixture f;
        TfBBatchEdit d(*f.Db, *f.Ui);
        d.show();
        TypeAndLeave(Child<QLineEdit>(d, "eReceive"), QStringLiteral("430"));
        TypeAndLeave(Child<QLineEdit>(d, "eSend"), QStringLiteral("469.99"));
        QCOMPARE(Child<QLineEdit>(d, "eSend")->text(), QStringLiteral("469.99000"));
        QTest::mouseClick(Child<QPushButton>(d, "btnOk"), Qt::LeftButton);
        QCOMPARE(f.Db->MainTable.Text(1, Col::TxFrequency), QStringLiteral("469.99000"));
        QCOMPARE(f.Db->MainTable.Text(2, Col::TxFrequency), QStringLiteral("470.01500"));
        // 469.99 + 0.025 * 127 = 473.165: within the margin, written as it runs.
        QCOMPARE(f.Db->MainTable.Text(128, Col::TxFrequency), QStringLiteral("473.16500"));
    }

    void batchRefusals_data() {
        QTest::addColumn<QString>("receive");
        QTest::addColumn<QString>("send");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("caption");
        QTest::newRow("reversed range") << "400"
                                        << "400" << 10 << 5 << "起始频道应小于结束频道！"
                                        << "提示";
        // The refusal names the field.
        QTest::newRow("receive 481") << "481"
                                     << "450" << 1 << 5 << "频率出错！\n起始接收频率(MHz)"
                                     << "注意";
        QTest::newRow("receive 389.99") << "389.99"
                                        << "450" << 1 << 5 << "频率出错！\n起始接收频率(MHz)"
                                        << "注意";
        QTest::newRow("transmit 481") << "450"
                                      << "481" << 1 << 5 << "频率出错！\n起始发射频率(MHz)"
                                      << "注意";
        // The untouched start of 0 fills nothing, in either mode.
        QTest::newRow("all from 0") << "0"
                                    << "0" << 0 << 0 << "频率出错！\n起始接收频率(MHz)"
                                    << "注意";
        QTest::newRow("range, transmit 0") << "450"
                                           << "0" << 1 << 5 << "频率出错！\n起始发射频率(MHz)"
                                           << "注意";
    }
    void batchRefusals() {
        QFETCH(QString, receive);
        QFETCH(QString, send);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, message);
        QFETCH(QString, caption);
        DialogFixture f;
        TfBBatchEdit d(*f.Db, *f.Ui);
        d.show();
        TypeAndLeave(Child<QLineEdit>(d, "eReceive"), receive);
        TypeAndLeave(Child<QLineEdit>(d, "eSend"), send);
        if (from > 0) {
            QTest::mouseClick(Child<QRadioButton>(d, "rOne"), Qt::LeftButton);
            Child<QSpinBox>(d, "seFrom")->setValue(from);
            Child<QSpinBox>(d, "seTo")->setValue(to);
        }
        QTest::mouseClick(Child<QPushButton>(d, "btnOk"), Qt::LeftButton);
        QCOMPARE(f.Shown(), QStringList{message});
        QCOMPARE(f.Captions(), QStringList{caption});
        for (int k = 1; k <= 128; ++k)
            QVERIFY(!f.Db->MainTable.IsChannelInUse(k));
        QVERIFY(!f.Db->AppState.Modified);
    }

    // A start frequency that is not a number is refused as it is left, and its last value returns.
    void batchStartNotANumber() {
        DialogFixture f;
        TfBBatchEdit d(*f.Db, *f.Ui);
        d.show();
        TypeAndLeave(Child<QLineEdit>(d, "eReceive"), QStringLiteral("450.0065"));
        QCOMPARE(Child<QLineEdit>(d, "eReceive")->text(), QStringLiteral("450.00625"));
        TypeAndLeave(Child<QLineEdit>(d, "eReceive"), QStringLiteral("4.5.0"));
        QCOMPARE(Child<QLineEdit>(d, "eReceive")->text(), QStringLiteral("450.00625"));
        QCOMPARE(f.Shown(), QStringList{"频率出错！"});
    }

    // Every channel of the run gets the same tones and settings, as the controls show them.
    void batchWritesTheSettings() {
        DialogFixture f;
        PutChannel(*f.Db, 3, QStringLiteral("440.00000"));
        TfBBatchEdit d(*f.Db, *f.Ui);
        d.show();
        TypeAndLeave(Child<QLineEdit>(d, "eReceive"), QStringLiteral("450"));
        TypeAndLeave(Child<QLineEdit>(d, "eSend"), QStringLiteral("455"));
        TypeAndLeave(Child<QComboBox>(d, "cbQT"), QStringLiteral("88.53"));
        TypeAndLeave(Child<QComboBox>(d, "cbDQT"), QStringLiteral("d023N"));
        Choose(Child<QComboBox>(d, "cbfsgl"), QStringLiteral("低"));
        Choose(Child<QComboBox>(d, "cbPtt"), QStringLiteral("开"));
        QTest::mouseClick(Child<QRadioButton>(d, "rOne"), Qt::LeftButton);
        Child<QSpinBox>(d, "seFrom")->setValue(2);
        Child<QSpinBox>(d, "seTo")->setValue(3);
        // Channel 3 is in use: the question comes first, and No changes nothing.
        QTest::mouseClick(Child<QPushButton>(d, "btnOk"), Qt::LeftButton);
        QCOMPARE(f.Prompts.Log.size(), 1);
        QCOMPARE(f.Prompts.Log.constFirst().Kind, int(Prompter::YesNoDefaultNo));
        QCOMPARE(f.Shown(), QStringList{QStringLiteral("将覆盖 1 个已有数据的信道，是否继续？")});
        QCOMPARE(f.Db->MainTable.Text(3, Col::RxFrequency), QStringLiteral("440.00000"));
        QVERIFY(!f.Db->MainTable.IsChannelInUse(2));
        f.Prompts.Answers = {Prompter::Yes};
        QTest::mouseClick(Child<QPushButton>(d, "btnOk"), Qt::LeftButton);
        QCOMPARE(Row(*f.Db, 2), QStringList({"450.00000", "455.00000", "88.5", "D777N", "低", "宽带", "是",
                                             "DTMF", "开", "关闭"}));
        QCOMPARE(Row(*f.Db, 3), QStringList({"450.02500", "455.02500", "88.5", "D777N", "低", "宽带", "是",
                                             "DTMF", "开", "关闭"}));
        QCOMPARE(f.Db->MainTable.Code(2, Col::ChannelNo), QStringLiteral("1"));
        for (int k : {2, 3}) {
            ChannelValues values;
            QVERIFY(f.Db->MainTable.GetChannelValues(k, values));
            QCOMPARE(values.ScanAdd, 1);
            QCOMPARE(values.Power, 0);
        }
        // A second run with the scan box cleared, untouched tones meaning none.
        QTest::mouseClick(Child<QCheckBox>(d, "chsmtj"), Qt::LeftButton);
        TypeAndLeave(Child<QComboBox>(d, "cbQT"), QString());
        Child<QSpinBox>(d, "seFrom")->setValue(5);
        Child<QSpinBox>(d, "seTo")->setValue(5);
        QTest::mouseClick(Child<QPushButton>(d, "btnOk"), Qt::LeftButton);
        QCOMPARE(f.Db->MainTable.Text(5, Col::ScanAdd), QStringLiteral("否"));
        QCOMPARE(f.Db->MainTable.Text(5, Col::RxTone), QStringLiteral("无"));
    }

    void batchRangePanelFollowsTheChoice() {
        DialogFixture f;
        TfBBatchEdit d(*f.Db, *f.Ui);
        d.show();
        QVERIFY(Child<QRadioButton>(d, "rall")->isChecked());
        QVERIFY(!Child<QWidget>(d, "pPd")->isEnabled());
        QTest::mouseClick(Child<QRadioButton>(d, "rOne"), Qt::LeftButton);
        QVERIFY(Child<QWidget>(d, "pPd")->isEnabled());
        QVERIFY(Child<QRadioButton>(d, "rasc")->isChecked());
        QCOMPARE(Child<QSpinBox>(d, "seTo")->maximum(), 128);
        QCOMPARE(Child<QSpinBox>(d, "seFrom")->value(), 1);
        QCOMPARE(Child<QLineEdit>(d, "eReceive")->text(), QStringLiteral("0.00000"));
        QTest::keyClick(Child<QSpinBox>(d, "seTo"), Qt::Key_Down);
        QCOMPARE(Child<QSpinBox>(d, "seTo")->value(), 1);
    }
};

QTEST_MAIN(TestChannelDialogs)
#include "test_channels.moc"
