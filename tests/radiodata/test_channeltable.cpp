#include "radiodata/ChannelTable.h"
#include "radiodata/FunctionSettings.h"

#include <QTest>

namespace {

using C = ChannelTable;

// An empty row: ten empty shown texts, eleven empty codes.
const QString kEmptyShown(9, QLatin1Char('|'));
const QString kEmptyCodes(10, QLatin1Char('|'));

ChannelVocabulary English() {
    ChannelVocabulary v;
    v.NoneText = QStringLiteral("None");
    v.PowerItems = {QStringLiteral("Low"), QStringLiteral("High")};
    v.BandwidthItems = {QStringLiteral("Narrow"), QStringLiteral("Wide")};
    v.ScanAddItems = {QStringLiteral("No"), QStringLiteral("Yes")};
    v.OptSignalItems = {QStringLiteral("None"), QStringLiteral("DTMF"), QStringLiteral("FSK")};
    v.PttIdItems = {QStringLiteral("Off"), QStringLiteral("On")};
    v.BusyLockItems = {QStringLiteral("Off"), QStringLiteral("Carrier"), QStringLiteral("QT/DQT")};
    return v;
}

// Shown texts of columns 2 to 11, joined for one comparison per row.
QString Shown(const ChannelTable& t, int k) {
    QStringList texts;
    for (int column = C::RxFrequency; column <= C::BusyLock; ++column)
        texts << t.Text(k, column);
    return texts.join(QLatin1Char('|'));
}

QString Codes(const ChannelTable& t, int k) {
    QStringList codes;
    for (int column = C::ChannelNo; column <= C::BusyLock; ++column)
        codes << t.Code(k, column);
    return codes.join(QLatin1Char('|'));
}

// What the grid does when a receive frequency is typed into a channel not in use.
void Type(ChannelTable& t, int k, const char* rx) {
    t.SetText(k, C::RxFrequency, QString::fromLatin1(rx));
    t.ActivateChannel(k);
}

ChannelValues Values(double rx, double tx, const char* rxTone, const char* txTone) {
    ChannelValues v;
    v.RxFrequency = rx;
    v.TxFrequency = tx;
    v.RxTone = QString::fromLatin1(rxTone);
    v.TxTone = QString::fromLatin1(txTone);
    v.Power = 0;
    v.Bandwidth = 1;
    v.ScanAdd = 0;
    v.OptSignal = 2;
    v.PttId = 0;
    v.BusyLock = 1;
    return v;
}

} // namespace

class TestChannelTable : public QObject {
    Q_OBJECT

private slots:
    void resetBuildsNumberedRows() {
        ChannelTable t;
        int rebuilt = 0;
        t.Rebuilt = [&] { ++rebuilt; };
        t.ResetChannelTable(128);
        QCOMPARE(t.RowCount(), 128);
        QCOMPARE(rebuilt, 1);
        QCOMPARE(t.Text(1, C::ChannelNo), QStringLiteral("1"));
        QCOMPARE(t.Text(128, C::ChannelNo), QStringLiteral("128"));
        for (int column = C::ChannelNo; column <= C::BusyLock; ++column)
            QCOMPARE(t.IsReadOnly(7, column), column != C::RxFrequency);
        QVERIFY(!t.IsChannelInUse(1));
    }

    void resetEmptiesRowsAndRelocks() {
        ChannelTable t;
        t.ResetChannelTable(128);
        Type(t, 3, "446.00625");
        t.SetReadOnly(3, C::BusyLock, false);
        t.SetReadOnly(9, C::TxFrequency, false); // the batch edit unlocks the whole column
        t.SetReadOnly(9, C::RxTone, false);
        int rebuilt = 0;
        t.Rebuilt = [&] { ++rebuilt; };
        t.ResetChannelTable(128);
        QCOMPARE(rebuilt, 0);
        QVERIFY(!t.IsChannelInUse(3));
        QCOMPARE(Shown(t, 3), kEmptyShown);
        QCOMPARE(Codes(t, 3), kEmptyCodes);
        QCOMPARE(t.Text(3, C::ChannelNo), QStringLiteral("3"));
        QVERIFY(t.IsReadOnly(3, C::TxFrequency));
        QVERIFY(t.IsReadOnly(3, C::BusyLock));
        QVERIFY(t.IsReadOnly(9, C::TxFrequency));
        QVERIFY(!t.IsReadOnly(9, C::RxTone)); // other marks stay as they are
        t.ResetChannelTable(16);
        QCOMPARE(t.RowCount(), 16);
        QCOMPARE(rebuilt, 1);
    }

    void activateGivesTheDefaultsOfANewChannel() {
        ChannelTable t;
        t.ResetChannelTable(128);
        Type(t, 5, "400.00625");
        QCOMPARE(Shown(t, 5), QStringLiteral("400.00625|400.00625|无|无|高|宽带|是|DTMF|开|关闭"));
        QCOMPARE(Codes(t, 5), QStringLiteral("1|||0|0|1|1|1|1|1|0"));
        QVERIFY(!t.IsReadOnly(5, C::TxFrequency));
        QVERIFY(t.IsChannelInUse(5));
    }

    void activateKeepsAnExistingTransmitFrequency() {
        ChannelTable t;
        t.ResetChannelTable(128);
        t.SetText(6, C::TxFrequency, QStringLiteral("460.10000"));
        Type(t, 6, "460.05000");
        QCOMPARE(t.Text(6, C::TxFrequency), QStringLiteral("460.10000"));
        QCOMPARE(t.Text(6, C::RxFrequency), QStringLiteral("460.05000"));
    }

    void clearChannel_data() {
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("expected");
        QTest::newRow("the current channel: current becomes 0") << 4 << 0;
        QTest::newRow("another channel: current stays") << 9 << 9;
        QTest::newRow("no current channel") << 0 << 0;
    }
    void clearChannel() {
        QFETCH(int, current);
        QFETCH(int, expected);
        ChannelTable t;
        t.ResetChannelTable(128);
        Type(t, 4, "446.00625");
        Type(t, 9, "446.10000");
        TFun f;
        f.CurrentChannel = current;
        t.ClearChannel(4, f);
        QCOMPARE(f.CurrentChannel, expected);
        QVERIFY(!t.IsChannelInUse(4));
        QCOMPARE(Shown(t, 4), kEmptyShown);
        QCOMPARE(Codes(t, 4), kEmptyCodes);
        QVERIFY(t.IsReadOnly(4, C::TxFrequency));
        QVERIFY(t.IsChannelInUse(9));
    }

    void channelValuesFromRow() {
        ChannelTable t;
        t.ResetChannelTable(128);
        Type(t, 1, "446.00625");
        t.SetText(1, C::TxFrequency, QString()); // in use, no transmit frequency
        t.SetText(1, C::TxTone, QStringLiteral("D023N"));
        t.SetOption(1, C::BusyLock, 2);
        ChannelValues v;
        QString error;
        QVERIFY2(t.GetChannelValues(1, v, &error), qPrintable(error));
        QCOMPARE(qRound64(v.RxFrequency * 100000), 44600625);
        QCOMPARE(v.TxFrequency, -1.0);
        QCOMPARE(v.RxTone, QString()); // the none text is no tone
        QCOMPARE(v.TxTone, QStringLiteral("D023N"));
        QCOMPARE(v.Power, 1);
        QCOMPARE(v.OptSignal, 1);
        QCOMPARE(v.BusyLock, 2);
        QVERIFY(!t.GetChannelValues(2, v, &error));
    }

    void cellsThatCannotBeStored_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("named");
        QTest::newRow("receive frequency not a number") << int(C::RxFrequency) << "44.6.1"
                                                        << ""
                                                        << "receive frequency";
        QTest::newRow("transmit frequency from 1000 MHz") << int(C::TxFrequency) << "1000.00000"
                                                          << ""
                                                          << "transmit frequency";
        QTest::newRow("tone") << int(C::RxTone) << "D23N"
                              << "0"
                              << "receive tone";
        QTest::newRow("option code not a number") << int(C::Power) << "高"
                                                  << "x"
                                                  << "power";
        QTest::newRow("option code outside the list") << int(C::OptSignal) << ""
                                                      << "3"
                                                      << "optional signalling";
        // A pasted megabyte or a control character is shown cut and escaped.
        QTest::newRow("megabyte in a frequency cell")
            << int(C::TxFrequency) << QString(1 << 20, QLatin1Char('9')) << ""
            << "transmit frequency";
        QTest::newRow("escape in a tone cell") << int(C::TxTone) << "\x1b[2J"
                                               << "0"
                                               << "\"\\x1b[2J\"";
    }
    void cellsThatCannotBeStored() {
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QString, code);
        QFETCH(QString, named);
        ChannelTable t;
        t.ResetChannelTable(128);
        Type(t, 12, "446.00625");
        t.SetText(12, column, text);
        t.SetCode(12, column, code);
        ChannelValues v;
        v.RxTone = QStringLiteral("kept");
        QString error;
        QVERIFY(!t.GetChannelValues(12, v, &error));
        QVERIFY2(error.contains(QStringLiteral("channel 12")) && error.contains(named), qPrintable(error));
        QVERIFY2(error.size() < 300 && !error.contains(QChar(0x1B)), qPrintable(error.left(300)));
        QCOMPARE(v.RxTone, QStringLiteral("kept"));
    }

    void stagingHoldsShownFrequenciesAndCodesOnly() {
        ChannelTable s;
        s.PrepareStagingTable(128);
        s.PutDecodedChannel(2, Values(145.5, -1.0, "", "D754I"));
        QCOMPARE(Shown(s, 2), QStringLiteral("145.50000|||D754I||||||"));
        QCOMPARE(Codes(s, 2), QStringLiteral("|||||0|1|0|2|0|1"));
        QCOMPARE(s.Text(2, C::ChannelNo), QString());
    }

    void blankChannelInTheRadioEmptiesTheMainRow() {
        ChannelTable main;
        main.ResetChannelTable(128);
        Type(main, 5, "446.00625");
        Type(main, 6, "446.10000");
        ChannelTable staging;
        staging.PrepareStagingTable(128);
        staging.PutDecodedChannel(6, Values(145.5, 145.6, "67.0", ""));
        // What the read command does once the read has completed.
        main.ResetChannelTable(128);
        main.CopyStagingToMain(staging);
        QVERIFY(!main.IsChannelInUse(5));
        QCOMPARE(Shown(main, 5), kEmptyShown);
        QCOMPARE(Shown(main, 6), QStringLiteral("145.50000|145.60000|67.0|无|低|宽带|否|FSK|关|载波"));
        QCOMPARE(Codes(main, 6), QStringLiteral("1|||0|0|0|1|0|2|0|1"));
        QVERIFY(!main.IsReadOnly(6, C::TxFrequency));
        QVERIFY(main.IsReadOnly(5, C::TxFrequency));
    }

    void loadedChannelIsMarkedInUse() {
        ChannelTable t;
        t.ResetChannelTable(128);
        t.PutLoadedChannel(7, Values(446.00625, -1.0, "", "D023I"));
        QCOMPARE(Shown(t, 7), QStringLiteral("446.00625||无|D023I|低|宽带|否|FSK|关|载波"));
        QCOMPARE(Codes(t, 7), QStringLiteral("1|||0|0|0|1|0|2|0|1"));
        QVERIFY(!t.IsReadOnly(7, C::TxFrequency));
        // Marked in use: a new receive frequency typed in does not bring the defaults back.
        QCOMPARE(t.Code(7, C::ChannelNo), QStringLiteral("1"));
    }

    void retranslation() {
        ChannelTable t;
        t.ResetChannelTable(128);
        Type(t, 1, "446.00625");
        t.SetText(1, C::TxTone, QStringLiteral("D023N"));
        t.PutLoadedChannel(2, Values(145.5, 145.5, "", "67.0"));
        t.RetranslateChannelTable(English());
        QCOMPARE(t.NoneText(), QStringLiteral("None"));
        QCOMPARE(Shown(t, 1), QStringLiteral("446.00625|446.00625|None|D023N|High|Wide|Yes|DTMF|On|Off"));
        QCOMPARE(Shown(t, 2), QStringLiteral("145.50000|145.50000|None|67.0|Low|Wide|No|FSK|Off|Carrier"));
        QCOMPARE(Shown(t, 3), kEmptyShown);
        ChannelValues v;
        QVERIFY(t.GetChannelValues(1, v));
        QCOMPARE(v.RxTone, QString());
        QCOMPARE(v.TxTone, QStringLiteral("D023N"));
        // New channels take the new texts.
        Type(t, 3, "446.2");
        QCOMPARE(t.Text(3, C::RxTone), QStringLiteral("None"));
        QCOMPARE(t.Text(3, C::Power), QStringLiteral("High"));
        // And back: the cells follow again.
        t.RetranslateChannelTable(ChannelVocabulary::BuiltIn());
        QCOMPARE(Shown(t, 1), QStringLiteral("446.00625|446.00625|无|D023N|高|宽带|是|DTMF|开|关闭"));
    }

    void changesAreReported() {
        ChannelTable t;
        t.ResetChannelTable(128);
        QList<QPair<int, int>> seen;
        t.RowsChanged = [&](int first, int last) { seen.append({first, last}); };
        Type(t, 8, "446.0");
        TFun f;
        t.ClearChannel(8, f);
        t.ResetChannelTable(128);
        ChannelTable staging;
        staging.PrepareStagingTable(128);
        t.CopyStagingToMain(staging);
        const QList<QPair<int, int>> expected{{8, 8}, {8, 8}, {8, 8}, {1, 128}, {1, 128}};
        QCOMPARE(seen, expected);
    }
};

QTEST_GUILESS_MAIN(TestChannelTable)
#include "test_channeltable.moc"
