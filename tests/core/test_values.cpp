#include "core/Prompt.h"
#include "core/ToneLists.h"
#include "core/Values.h"

#include <QLocale>
#include <QTest>

class TestValues : public QObject {
    Q_OBJECT

private slots:
    void snapFrequency_data() {
        QTest::addColumn<double>("in");
        QTest::addColumn<double>("out");
        QTest::newRow("odd 10 Hz moves down onto 6.25 kHz") << 400.0065 << 400.00625;
        QTest::newRow("whole kHz moves down onto 5 kHz") << 400.007 << 400.005;
        QTest::newRow("on the 6.25 kHz grid stays") << 462.5625 << 462.5625;
        QTest::newRow("12.5 kHz stays") << 460.0125 << 460.0125;
        QTest::newRow("5 kHz stays") << 460.005 << 460.005;
        QTest::newRow("low model edge stays") << 67.0 << 67.0;
        QTest::newRow("just below a 6.25 step") << 446.00624 << 446.0;
        QTest::newRow("two-digit MHz") << 27.0071 << 27.00625;
        QTest::newRow("float noise does not move a grid value") << 0.1 + 0.2 + 146.2 << 146.5;
    }
    void snapFrequency() {
        QFETCH(double, in);
        QFETCH(double, out);
        QCOMPARE(FrequencyUnits(SnapFrequency(in)), FrequencyUnits(out));
    }

    void frequencyText_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("five decimals") << 460.05 << "460.05000";
        QTest::newRow("6.25 kHz step") << 446.00625 << "446.00625";
        QTest::newRow("rounds to 10 Hz") << 145.499999999 << "145.50000";
        QTest::newRow("two digits") << 27.0 << "27.00000";
        QTest::newRow("zero") << 0.0 << "0.00000";
    }
    void frequencyText() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(FormatFrequency(value), text);
    }

    void frequencyTextIgnoresLocale() {
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(FormatFrequency(460.05), QStringLiteral("460.05000"));
        double v = 0;
        QVERIFY(ParseFrequencyText(QStringLiteral(" 460.05 "), v));
        QCOMPARE(FrequencyUnits(v), 46005000);
        QVERIFY(!ParseFrequencyText(QStringLiteral("460,05"), v));
        QLocale::setDefault(saved);
    }

    void parseFrequencyRefusesNonNumbers_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("blank") << "   ";
        QTest::newRow("letters") << "abc";
        QTest::newRow("trailing letters") << "446.0x";
        QTest::newRow("two points") << "446.0.1";
        QTest::newRow("infinity") << "inf";
        QTest::newRow("nan") << "nan";
        QTest::newRow("comma as group separator") << "460,125";
        QTest::newRow("thousands") << "1,000";
    }
    void parseFrequencyRefusesNonNumbers() {
        QFETCH(QString, text);
        double v = 123.0;
        QVERIFY(!ParseFrequencyText(text, v));
        QCOMPARE(v, 123.0);
    }

    // Values past any limit still compare as high (no overflow to the low end).
    void hugeFrequenciesSaturate() {
        double v = 0;
        QVERIFY(ParseFrequencyText(QStringLiteral("1e308"), v));
        QVERIFY(FrequencyUnits(v) > FrequencyUnits(1000.0));
        QVERIFY(FrequencyUnits(-v) < 0);
        QVERIFY(FrequencyUnits(1e18) > FrequencyUnits(650.0));
    }

    void parseBandText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::newRow("uhf") << "400.0 - 470.0MHz" << true << 400.0 << 470.0;
        QTest::newRow("leading blanks") << " 27.0 -  72.0MHz" << true << 27.0 << 72.0;
        QTest::newRow("odd edge") << "146.0 - 149.9MHz" << true << 146.0 << 149.9;
        QTest::newRow("no dash") << "400.0 470.0MHz" << false << 0.0 << 0.0;
        QTest::newRow("no unit") << "400.0 - 470.0" << false << 0.0 << 0.0;
        QTest::newRow("empty") << "" << false << 0.0 << 0.0;
        QTest::newRow("not numbers") << "a - bMHz" << false << 0.0 << 0.0;
    }
    void parseBandText() {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(double, low);
        QFETCH(double, high);
        double l = 0, h = 0;
        QCOMPARE(ParseBandText(text, l, h), ok);
        QCOMPARE(FrequencyUnits(l), FrequencyUnits(low));
        QCOMPARE(FrequencyUnits(h), FrequencyUnits(high));
    }

    void normalizeTone_data() {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("empty stays empty") << ""
                                           << "";
        QTest::newRow("integer gets one decimal") << "100"
                                                  << "100.0";
        QTest::newRow("list tone") << "88.5"
                                   << "88.5";
        QTest::newRow("below 30 rises") << "12"
                                        << "30.0";
        QTest::newRow("above 290 falls") << "300"
                                         << "290.0";
        QTest::newRow("not snapped to the list") << "88.7"
                                                 << "88.7";
        QTest::newRow("two decimals rounded") << "88.55"
                                              << "88.5";
        QTest::newRow("digit then letter") << "8x"
                                           << "254.1";
        QTest::newRow("digit then comma") << "8,5"
                                          << "254.1";
        QTest::newRow("dcs normal") << "D023N"
                                    << "D023N";
        QTest::newRow("dcs inverted lower-case stays") << "D023i"
                                                       << "D023i";
        QTest::newRow("dcs lower-case n stays") << "D754n"
                                                << "D754n";
        QTest::newRow("8 is not octal") << "D089N"
                                        << "D777N";
        QTest::newRow("lower-case d") << "d023N"
                                      << "D777N";
        QTest::newRow("four characters") << "D23N"
                                         << "D777N";
        QTest::newRow("six characters") << "D0234N"
                                        << "D777N";
        QTest::newRow("other suffix") << "D023X"
                                      << "D777N";
        QTest::newRow("line end after the code") << "D023N\n"
                                                 << "D777N";
        QTest::newRow("letters") << "abc"
                                 << "D777N";
        QTest::newRow("none text is not a tone") << "无"
                                                 << "D777N";
    }
    void normalizeTone() {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(NormalizeToneText(in), out);
    }

    void bitsAndText() {
        QVERIFY(TestBit(0x80, 7));
        QVERIFY(!TestBit(0x80, 6));
        QVERIFY(!TestBit(0xFF, 8));
        QVERIFY(!TestBit(0xFF, -1));
        QVERIFY(TestBit(0x01, 0));
        QCOMPARE(BitTextToDecimal(QStringLiteral("1010")), QStringLiteral("10"));
        QCOMPARE(BitTextToDecimal(QStringLiteral("00000001")), QStringLiteral("1"));
        QCOMPARE(BitTextToDecimal(QStringLiteral("11111111")), QStringLiteral("255"));
        QCOMPARE(BitTextToDecimal(QString()), QStringLiteral("0"));
        QCOMPARE(ReverseText(QStringLiteral("abc")), QStringLiteral("cba"));
        QCOMPARE(ReverseText(QString()), QString());
    }

    void showPrompt_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("shown");
        QTest::newRow("information is always 1") << 1 << 1 << 1 << true;
        QTest::newRow("yes") << 2 << 6 << 6 << true;
        QTest::newRow("no") << 2 << 7 << 7 << true;
        QTest::newRow("retry") << 22 << 4 << 4 << true;
        QTest::newRow("cancel") << 22 << 2 << 2 << true;
        QTest::newRow("other kinds show nothing") << 3 << 6 << 1 << false;
        QTest::newRow("kind 0 shows nothing") << 0 << 6 << 1 << false;
    }
    void showPrompt() {
        QFETCH(int, kind);
        QFETCH(int, answer);
        QFETCH(int, result);
        QFETCH(bool, shown);
        ScriptedPrompter p;
        p.Answers = {answer};
        QCOMPARE(int(ShowPrompt(p, QStringLiteral("提示"), QStringLiteral("text"), Prompter::Kind(kind))),
                 result);
        QCOMPARE(p.Log.size(), shown ? 1 : 0);
        if (shown) {
            QCOMPARE(p.Log[0].Caption, QStringLiteral("提示"));
            QCOMPARE(int(p.Log[0].Kind), kind);
        }
    }

    void unansweredQuestionsChangeNothing() {
        ScriptedPrompter p;
        QCOMPARE(int(ShowPrompt(p, QString(), QString(), Prompter::Kind(2))), 7);
        QCOMPARE(int(ShowPrompt(p, QString(), QString(), Prompter::Kind(22))), 2);
    }

    void toneLists() {
        const QStringList& longList = LongToneList();
        QCOMPARE(longList.size(), 261);
        QCOMPARE(longList.first(), QStringLiteral("无"));
        QCOMPARE(longList[1], QStringLiteral("67.0"));
        QCOMPARE(longList[50], QStringLiteral("254.1"));
        QCOMPARE(longList[51], QStringLiteral("D023N"));
        QCOMPARE(longList[155], QStringLiteral("D754N"));
        QCOMPARE(longList[156], QStringLiteral("D023I"));
        QCOMPARE(longList.last(), QStringLiteral("D754I"));
        QVERIFY(!longList.contains(QStringLiteral("D143N")));
        QVERIFY(!longList.contains(QStringLiteral("D525N")));

        const QStringList& shortList = ShortToneList();
        QCOMPARE(shortList.size(), 207);
        QCOMPARE(shortList[40], QStringLiteral("254.1"));
        QCOMPARE(shortList[41], QStringLiteral("D023N"));
        QVERIFY(shortList.contains(QStringLiteral("D143N")));
        QVERIFY(shortList.contains(QStringLiteral("D143I")));
        for (const char* missing : {"159.8", "165.5", "171.3", "177.3", "183.5", "189.9", "196.6", "199.5",
                                    "206.5", "229.1", "D036N", "D645N"})
            QVERIFY2(!shortList.contains(QLatin1String(missing)), missing);
        QCOMPARE(shortList.last(), QStringLiteral("D754I"));

        // Every tone the lists offer is one the tone rule accepts unchanged.
        for (const QStringList* list : {&longList, &shortList})
            for (int i = 1; i < list->size(); ++i)
                QCOMPARE(NormalizeToneText(list->at(i)), list->at(i));
    }

    void pickerTable() {
        const QStringList& t = PickerTable();
        QCOMPARE(t.size(), 133);
        QCOMPARE(t[0], QStringLiteral("01-67.0-XZ"));
        QCOMPARE(t[9], QStringLiteral("0A-91.5-ZZ"));
        QCOMPARE(t[26], QStringLiteral("1B-162.2-5B"));
        QCOMPARE(t[41], QStringLiteral("2A-254.1-0Z"));
        QVERIFY(t[42].isEmpty() && t[43].isEmpty() && t[44].isEmpty());
        QCOMPARE(t[45], QStringLiteral("1-D023"));
        QCOMPARE(t[45 + 63], QStringLiteral("64-D525"));
        QCOMPARE(t[129], QStringLiteral("85-D754"));
        QVERIFY(t[130].isEmpty() && t[131].isEmpty() && t[132].isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestValues)
#include "test_values.moc"
