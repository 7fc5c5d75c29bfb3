#include "radiodata/FunctionSettings.h"
#include "radiodata/Records.h"

#include <QTest>

using IntField = int TFun::*;
Q_DECLARE_METATYPE(IntField)

class TestRecords : public QObject {
    Q_OBJECT

private slots:
    void defaults() {
        const TFun f;
        QCOMPARE(f.ModeFlag, 3);
        QCOMPARE(f.CurrentChannel, 0);
        QCOMPARE(f.VoxLevel, 0);
        QCOMPARE(f.PowerLevel, 1);
        QCOMPARE(f.SquelchLevel, 5);
        QCOMPARE(f.ScrSwitch, 0);
        QCOMPARE(f.LedMode, 0);
        QCOMPARE(f.LedColor, 1);
        QCOMPARE(f.KeyBeep, 1);
        QCOMPARE(f.PowerOnTone, 1);
        QCOMPARE(f.AniSwitch, 0);
        QCOMPARE(f.KeyLockMode, 0);
        QCOMPARE(f.TxTimeout, 6);
        QCOMPARE(f.ScanMode, 2);
        QCOMPARE(f.OffsetDirection, 0);
        QCOMPARE(f.WideNarrow, 1);
        QCOMPARE(f.VfoRxFreq, 0.0);
        QCOMPARE(f.VfoOffset, 0.0);
        QCOMPARE(f.VfoStep, 3);
        QVERIFY(f.VfoRxTone.isEmpty() && f.VfoTxTone.isEmpty());
        QVERIFY(!f.StartTxFlag && !f.EndTxFlag && !f.ManualSet && !f.ScramblerActive);
        QCOMPARE(f.LanguageSelect, 3);
        QVERIFY(f.WarningPrompt && f.BatterySave);
        QCOMPARE(f.VoxDelay, 0);
        QCOMPARE(f.TxFunctionLevel, 5);
        QCOMPARE(f.AniCode, QStringLiteral("1234"));
        QCOMPARE(f.RadioName, QStringLiteral("AAAAAA"));
    }

    void resetKeepsCurrentChannel() {
        TFun f;
        TEnMsg m;
        f.CurrentChannel = 17;
        f.SquelchLevel = 9;
        f.VfoRxFreq = 446.0;
        f.AniCode = QStringLiteral("99");
        f.BatterySave = false;
        m.LineA = QStringLiteral("HELLO");
        m.LineB = QStringLiteral("WORLD");
        ResetRadioSettings(f, m);
        TFun expected;
        expected.CurrentChannel = 17;
        QVERIFY(f == expected);
        QVERIFY(m.LineA.isEmpty() && m.LineB.isEmpty());
    }

    void clampToRanges_data() {
        QTest::addColumn<IntField>("field");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("expected");
        struct Range {
            const char* name;
            IntField field;
            int low, high, fallback;
        };
        const Range ranges[] = {
            {"ModeFlag", &TFun::ModeFlag, 0, 3, 3},
            {"VoxLevel", &TFun::VoxLevel, 0, 9, 0},
            {"PowerLevel", &TFun::PowerLevel, 0, 1, 1},
            {"SquelchLevel", &TFun::SquelchLevel, 0, 9, 5},
            {"ScrSwitch", &TFun::ScrSwitch, 0, 1, 0},
            {"LedMode", &TFun::LedMode, 0, 2, 0},
            {"LedColor", &TFun::LedColor, 0, 2, 1},
            {"KeyBeep", &TFun::KeyBeep, 0, 1, 1},
            {"PowerOnTone", &TFun::PowerOnTone, 0, 1, 1},
            {"AniSwitch", &TFun::AniSwitch, 0, 1, 0},
            {"KeyLockMode", &TFun::KeyLockMode, 0, 1, 0},
            {"TxTimeout", &TFun::TxTimeout, 0, 9, 6},
            {"ScanMode", &TFun::ScanMode, 0, 2, 2},
            {"OffsetDirection", &TFun::OffsetDirection, 0, 2, 0},
            {"WideNarrow", &TFun::WideNarrow, 0, 1, 1},
            {"VfoStep", &TFun::VfoStep, 0, 4, 3},
            {"LanguageSelect", &TFun::LanguageSelect, 1, 3, 3},
            {"VoxDelay", &TFun::VoxDelay, 0, 5, 0},
            {"TxFunctionLevel", &TFun::TxFunctionLevel, 0, 9, 5},
        };
        for (const Range& r : ranges) {
            const QByteArray n(r.name);
            QTest::newRow(n + " low bound stays") << r.field << r.low << r.low;
            QTest::newRow(n + " high bound stays") << r.field << r.high << r.high;
            QTest::newRow(n + " above") << r.field << r.high + 1 << r.fallback;
            QTest::newRow(n + " below") << r.field << r.low - 1 << r.fallback;
            QTest::newRow(n + " negative") << r.field << -128 << r.fallback;
            QTest::newRow(n + " byte 0xFF") << r.field << 255 << r.fallback;
        }
    }
    void clampToRanges() {
        QFETCH(IntField, field);
        QFETCH(int, value);
        QFETCH(int, expected);
        TFun f;
        f.*field = value;
        ClampFunctionSettings(f);
        QCOMPARE(f.*field, expected);
        // Nothing else moves.
        TFun other;
        other.*field = expected;
        QVERIFY(f == other);
    }

    void clampLeavesTheRest() {
        TFun f;
        f.TxTimeout = 12;
        f.LanguageSelect = 0;
        f.SquelchLevel = 9;
        f.VfoStep = 4;
        f.CurrentChannel = 300;
        f.VfoRxFreq = -5.0;
        f.AniCode = QStringLiteral("abcdef");
        f.ManualSet = true;
        f.ClampToRanges();
        QCOMPARE(f.TxTimeout, 6);
        QCOMPARE(f.LanguageSelect, 3);
        QCOMPARE(f.SquelchLevel, 9);
        QCOMPARE(f.VfoStep, 4);
        QCOMPARE(f.CurrentChannel, 300);
        QCOMPARE(f.VfoRxFreq, -5.0);
        QCOMPARE(f.AniCode, QStringLiteral("abcdef"));
        QVERIFY(f.ManualSet);
    }

    void testFrequencyDefaults() {
        const TTestFre t;
        QCOMPARE(t.RxFreq[1], QStringLiteral("460.05000"));
        QCOMPARE(t.TxFreq[1], QStringLiteral("460.10000"));
        QCOMPARE(t.RxFreq[3], QStringLiteral("479.95000"));
        QCOMPARE(t.TxFreq[3], QStringLiteral("479.90000"));
        QCOMPARE(t.RxFreq[6], QStringLiteral("460.40000"));
        QCOMPARE(t.TxFreq[6], QStringLiteral("460.40000"));
        for (int n = 7; n <= TTestFre::kCount; ++n)
            QVERIFY(t.RxFreq[n].isEmpty() && t.TxFreq[n].isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "test_records.moc"
