// The channel grid: typed frequencies with their checks, new and cleared channels, the tone and
// option editors, and the model's signals.

#include "UiFixture.h"

#include "radiodata/ChannelTable.h"
#include "ui/ChannelGrid.h"
#include "ui/ChannelModel.h"
#include "ui/dialogs/ToneOption.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

namespace {

constexpr int Rx = ChannelTable::RxFrequency;
constexpr int Tx = ChannelTable::TxFrequency;

} // namespace

class ChannelGridTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<UiFixture> F;

    TfMainFrm& W() { return *F->Window; }
    ChannelTable& Table() { return F->Db->MainTable; }
    QModelIndex Cell(int channel, int column) {
        return W().Channels()->index(channel - 1, ChannelModel::ModelColumn(column));
    }

    // Selects the cell, opens its text editor, replaces the text by typing and presses Enter.
    void TypeFrequency(int channel, int column, const QString& keys) {
        const QModelIndex index = Cell(channel, column);
        W().Grid()->setCurrentIndex(index);
        QVERIFY(W().Grid()->OpenCellEditor(index));
        auto* edit = qobject_cast<QLineEdit*>(W().Grid()->OpenEditor());
        QVERIFY(edit);
        edit->selectAll();
        if (keys.isEmpty())
            QTest::keyClick(edit, Qt::Key_Backspace);
        else
            QTest::keyClicks(edit, keys);
        QTest::keyClick(edit, Qt::Key_Return);
        QCoreApplication::processEvents();
        QVERIFY(!W().Grid()->OpenEditor());
    }

    // A channel in use, typed as the user would, without questions left over.
    void MakeChannel(int channel, const QString& rx) {
        TypeFrequency(channel, Rx, rx);
        F->Prompts.Log.clear();
        F->Db->AppState.Modified = false;
    }

    // The editor that selecting the cell opened (list and tone cells open on selection).
    QComboBox* SelectListCell(int channel, int column) {
        W().Grid()->setCurrentIndex(Cell(channel, column));
        return qobject_cast<QComboBox*>(W().Grid()->OpenEditor());
    }

private slots:
    void init() {
        F = std::make_unique<UiFixture>();
        F->Show();
    }
    void cleanup() { F.reset(); }

    void typedReceiveFrequency_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("message");

        QTest::newRow("snapped down to the 6.25 kHz grid") << "400.0065"
                                                           << "400.00625"
                                                           << "";
        QTest::newRow("whole kilohertz snapped to 5 kHz") << "400.007"
                                                          << "400.00500"
                                                          << "";
        QTest::newRow("on the grid stays") << "460.0125"
                                           << "460.01250"
                                           << "";
        QTest::newRow("10 MHz above the band passes") << "480"
                                                      << "480.00000"
                                                      << "";
        QTest::newRow("10 MHz below the band passes") << "390"
                                                      << "390.00000"
                                                      << "";
        QTest::newRow("more than 10 MHz above: upper band edge") << "480.5"
                                                                 << "470.00000"
                                                                 << "频率超出范围！";
        QTest::newRow("more than 10 MHz below: lower band edge") << "389.9"
                                                                 << "400.00000"
                                                                 << "频率超出范围！";
        QTest::newRow("letters are dropped while typing") << "4a3x8.5"
                                                          << "438.50000"
                                                          << "";
        QTest::newRow("two points: refused") << "438.5.1"
                                             << ""
                                             << "频率出错！";
        QTest::newRow("a point alone: refused") << "."
                                                << ""
                                                << "频率出错！";
    }

    void typedReceiveFrequency() {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(QString, message);

        TypeFrequency(5, Rx, typed);

        QCOMPARE(Table().Text(5, Rx), stored);
        QCOMPARE(F->Shown(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty())
            QCOMPARE(F->Prompts.Log.constFirst().Caption, QStringLiteral("注意"));
        QCOMPARE(Table().IsChannelInUse(5), !stored.isEmpty());
        // A refused text changes nothing, so there is nothing to save.
        QCOMPARE(F->Db->AppState.Modified, !stored.isEmpty());
    }

    void newChannelGetsDefaults() {
        TypeFrequency(1, Rx, QStringLiteral("400.0065"));

        const QStringList expected = {"400.00625", "400.00625", "无",   "无", "高",
                                      "宽带",      "是",        "DTMF", "开", "关闭"};
        QStringList row;
        for (int column = Rx; column <= ChannelTable::BusyLock; ++column)
            row.append(Table().Text(1, column));
        QCOMPARE(row, expected);
        QCOMPARE(Table().Code(1, ChannelTable::ChannelNo), QStringLiteral("1"));
        QVERIFY(W().Channels()->flags(Cell(1, Tx)) & Qt::ItemIsEditable);
    }

    void refusedTextKeepsThePreviousText() {
        MakeChannel(2, QStringLiteral("438.5"));
        TypeFrequency(2, Rx, QStringLiteral("4..5"));
        QCOMPARE(F->Shown(), QStringList{"频率出错！"});
        QCOMPARE(Table().Text(2, Rx), QStringLiteral("438.50000"));
    }

    void retypingAChannelInUseChangesOnlyThatCell() {
        MakeChannel(3, QStringLiteral("438.5"));
        TypeFrequency(3, Tx, QStringLiteral("431.6125"));
        W().Channels()->setData(Cell(3, ChannelTable::Power), QStringLiteral("0"), ChannelModel::CodeRole);

        TypeFrequency(3, Rx, QStringLiteral("439"));

        QCOMPARE(Table().Text(3, Rx), QStringLiteral("439.00000"));
        QCOMPARE(Table().Text(3, Tx), QStringLiteral("431.61250"));
        QCOMPARE(Table().Text(3, ChannelTable::Power), QStringLiteral("低"));
    }

    void transmitFrequencyIsCheckedAgainstTheBandOnly() {
        MakeChannel(3, QStringLiteral("438.5"));
        TypeFrequency(3, Tx, QStringLiteral("401"));
        QCOMPARE(Table().Text(3, Tx), QStringLiteral("401.00000"));
        TypeFrequency(3, Tx, QStringLiteral("500"));
        QCOMPARE(F->Shown(), QStringList{"频率超出范围！"});
        QCOMPARE(Table().Text(3, Tx), QStringLiteral("470.00000"));
    }

    void deletingTheReceiveFrequencyClearsTheRow_data() {
        QTest::addColumn<int>("currentChannel");
        QTest::addColumn<int>("currentAfter");
        QTest::newRow("the current channel becomes 0") << 4 << 0;
        QTest::newRow("another current channel stays") << 9 << 9;
    }

    void deletingTheReceiveFrequencyClearsTheRow() {
        QFETCH(int, currentChannel);
        QFETCH(int, currentAfter);
        MakeChannel(4, QStringLiteral("446.00625"));
        F->Db->FunctionSettings.CurrentChannel = currentChannel;

        TypeFrequency(4, Rx, QString());

        for (int column = Rx; column <= ChannelTable::BusyLock; ++column)
            QVERIFY2(Table().Text(4, column).isEmpty(), qPrintable(QString::number(column)));
        QVERIFY(!Table().IsChannelInUse(4));
        QVERIFY(!(W().Channels()->flags(Cell(4, Tx)) & Qt::ItemIsEditable));
        QCOMPARE(F->Db->FunctionSettings.CurrentChannel, currentAfter);
        QVERIFY(F->Db->AppState.Modified);
    }

    void deletingTheTransmitFrequencyKeepsTheChannel() {
        MakeChannel(6, QStringLiteral("409.75"));
        TypeFrequency(6, Tx, QString());
        QVERIFY(Table().IsChannelInUse(6));
        QCOMPARE(Table().Text(6, Tx), QString());
        // Nothing to signal on without a transmit frequency: its tone cell opens no editor.
        QVERIFY(!SelectListCell(6, ChannelTable::TxTone));
        QVERIFY(SelectListCell(6, ChannelTable::RxTone));
    }

    void cellsOfAnEmptyRowOpenNothing() {
        for (int column = Tx; column <= ChannelTable::BusyLock; ++column) {
            W().Grid()->setCurrentIndex(Cell(7, column));
            QVERIFY2(!W().Grid()->OpenEditor(), qPrintable(QString::number(column)));
            QVERIFY(!W().Grid()->OpenCellEditor(Cell(7, column)));
        }
        QVERIFY(!W().Grid()->OpenCellEditor(Cell(7, ChannelTable::ChannelNo)));
    }

    void clicksOpenTheEditorOfTheCell() {
        MakeChannel(1, QStringLiteral("438.5"));
        auto click = [this](int channel, int column) {
            const QRect cell = W().Grid()->visualRect(Cell(channel, column));
            QTest::mouseClick(W().Grid()->viewport(), Qt::LeftButton, {}, cell.center());
            return W().Grid()->OpenEditor();
        };
        QVERIFY(qobject_cast<QLineEdit*>(click(1, Rx)));
        QVERIFY(qobject_cast<QLineEdit*>(click(1, Tx)));
        QVERIFY(qobject_cast<QComboBox*>(click(1, ChannelTable::Power)));
        QVERIFY(qobject_cast<QComboBox*>(click(1, ChannelTable::BusyLock)));
        // An empty row: only its receive frequency can be typed.
        QVERIFY(!click(2, Tx));
        QVERIFY(!click(2, ChannelTable::Power));
        QVERIFY(qobject_cast<QLineEdit*>(click(2, Rx)));
    }

    void typedTone_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("stored");
        QTest::newRow("number gets one decimal") << "67"
                                                 << "67.0";
        QTest::newRow("below 30 becomes 30.0") << "12"
                                               << "30.0";
        QTest::newRow("above 290 becomes 290.0") << "300"
                                                 << "290.0";
        QTest::newRow("lower-case suffix stays") << "D023n"
                                                 << "D023n";
        QTest::newRow("8 is no octal digit") << "D089N"
                                             << "D777N";
        QTest::newRow("four characters") << "D23N"
                                         << "D777N";
        QTest::newRow("two points") << "1.2.3"
                                    << "254.1";
        QTest::newRow("other letters are dropped") << "x6a7"
                                                   << "67.0";
        QTest::newRow("empty text is no tone") << ""
                                               << "无";
    }

    void typedTone() {
        QFETCH(QString, keys);
        QFETCH(QString, stored);
        MakeChannel(2, QStringLiteral("438.5"));
        QComboBox* tone = SelectListCell(2, ChannelTable::RxTone);
        QVERIFY(tone);
        QCOMPARE(tone->currentText(), QStringLiteral("无"));
        tone->lineEdit()->clear();
        QTest::keyClicks(tone->lineEdit(), keys);

        W().Grid()->CommitAndCloseEditor();

        QCOMPARE(Table().Text(2, ChannelTable::RxTone), stored);
        QCOMPARE(F->Db->AppState.Modified, stored != QStringLiteral("无"));
    }

    void chosenToneIsStoredAtOnce() {
        MakeChannel(2, QStringLiteral("438.5"));
        QComboBox* tone = SelectListCell(2, ChannelTable::TxTone);
        QVERIFY(tone);
        const int item = tone->findText(QStringLiteral("D754I"));
        tone->setCurrentIndex(item);
        emit tone->activated(item);
        QCOMPARE(Table().Text(2, ChannelTable::TxTone), QStringLiteral("D754I"));
        // Choosing the none entry again stores the none text.
        tone->setCurrentIndex(0);
        emit tone->activated(0);
        QCOMPARE(Table().Text(2, ChannelTable::TxTone), QStringLiteral("无"));
    }

    void doubleClickPicksATone_data() {
        QTest::addColumn<QString>("picked");
        QTest::addColumn<QString>("stored");
        QTest::newRow("a picked tone is stored") << "D023I"
                                                 << "D023I";
        QTest::newRow("nothing picked changes nothing") << ""
                                                        << "无";
    }

    void doubleClickPicksATone() {
        QFETCH(QString, picked);
        QFETCH(QString, stored);
        MakeChannel(2, QStringLiteral("438.5"));
        int shown = 0;
        F->OnDialog[QStringLiteral("fToneOption")] = [&](QDialog& d) {
            ++shown;
            static_cast<TfToneOption&>(d).PickedTone = picked;
            d.accept();
        };
        QComboBox* tone = SelectListCell(2, ChannelTable::RxTone);
        QVERIFY(tone);
        QTest::mouseDClick(tone->lineEdit(), Qt::LeftButton);
        // The picker runs once the double click has been handled, after the editor closed.
        QTRY_COMPARE(shown, 1);
        W().Grid()->CommitAndCloseEditor();
        QCOMPARE(Table().Text(2, ChannelTable::RxTone), stored);
        QCOMPARE(F->Db->AppState.Modified, !picked.isEmpty());
    }

    void optionListStoresOnlyAChange() {
        MakeChannel(3, QStringLiteral("438.5"));

        QComboBox* busy = SelectListCell(3, ChannelTable::BusyLock);
        QVERIFY(busy);
        QCOMPARE(busy->currentIndex(), 0);
        W().Grid()->CommitAndCloseEditor();
        QVERIFY(!F->Db->AppState.Modified);

        // Selecting another cell and coming back opens the list again.
        SelectListCell(3, ChannelTable::Power);
        busy = SelectListCell(3, ChannelTable::BusyLock);
        QVERIFY(busy);
        QVERIFY(!F->Db->AppState.Modified);
        busy->setCurrentIndex(2);
        QCOMPARE(Table().Text(3, ChannelTable::BusyLock), QStringLiteral("QT/DQT"));
        QCOMPARE(Table().Code(3, ChannelTable::BusyLock), QStringLiteral("2"));
        QVERIFY(F->Db->AppState.Modified);
    }

    void editorsChangeNothingWhileTheLanguageChanges() {
        MakeChannel(3, QStringLiteral("438.5"));
        F->Db->AppState.TextsUpdating = true;
        QVERIFY(!W().Channels()->setData(Cell(3, ChannelTable::Power), QStringLiteral("0"),
                                         ChannelModel::CodeRole));
        QVERIFY(!W().Channels()->setData(Cell(3, ChannelTable::RxTone), QStringLiteral("67")));
        QCOMPARE(Table().Text(3, ChannelTable::Power), QStringLiteral("高"));
        QCOMPARE(Table().Text(3, ChannelTable::RxTone), QStringLiteral("无"));
        QVERIFY(!F->Db->AppState.Modified);
    }

    void commandCommitsTheTypedFrequencyFirst() {
        const QModelIndex index = Cell(8, Rx);
        W().Grid()->setCurrentIndex(index);
        QVERIFY(W().Grid()->OpenCellEditor(index));
        auto* edit = qobject_cast<QLineEdit*>(W().Grid()->OpenEditor());
        QVERIFY(edit);
        QTest::keyClicks(edit, QStringLiteral("480.5"));

        // A tag without a command still runs the steps before it.
        W().RunCommand(0);

        QVERIFY(!W().Grid()->OpenEditor());
        QCOMPARE(F->Shown(), QStringList{"频率超出范围！"});
        QCOMPARE(Table().Text(8, Rx), QStringLiteral("470.00000"));
    }

    void modelSignalsStayConsistent() {
        QAbstractItemModelTester tester(W().Channels(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        MakeChannel(1, QStringLiteral("438.5"));
        MakeChannel(2, QStringLiteral("439"));
        TypeFrequency(1, Rx, QString());
        W().RunCommand(1);
        QCOMPARE(W().Channels()->rowCount(), 128);
        QVERIFY(!Table().IsChannelInUse(2));
    }
};

QTEST_MAIN(ChannelGridTest)
#include "test_channelgrid.moc"
