#include "core/MacType.h"

#include <QTest>

class TestCatalogue : public QObject {
    Q_OBJECT

private slots:
    void bandTextOf_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("text");
        QTest::newRow("243") << 243 << "400.0 - 470.0MHz";
        QTest::newRow("first id") << 240 << "406.1 - 420.0MHz";
        QTest::newRow("last id") << 252 << "470.0 - 512.0MHz";
        QTest::newRow("244 keeps its blanks") << 244 << " 27.0 -  72.0MHz";
        QTest::newRow("0 falls back to the first registered") << 0 << "406.1 - 420.0MHz";
        QTest::newRow("253 falls back") << 253 << "406.1 - 420.0MHz";
        QTest::newRow("blank radio 0xFF falls back") << 255 << "406.1 - 420.0MHz";
    }
    void bandTextOf() {
        QFETCH(int, id);
        QFETCH(QString, text);
        TFrqList bands;
        RegisterBands(bands);
        QCOMPARE(bands.BandTextOf(id), text);
    }

    void bandIdOf_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("id");
        QTest::newRow("uhf") << "400.0 - 470.0MHz" << 243;
        QTest::newRow("with leading blanks") << " 27.0 -  72.0MHz" << 244;
        QTest::newRow("without the blanks is unknown") << "27.0 - 72.0MHz" << 0;
        QTest::newRow("vhf") << "146.0 - 149.9MHz" << 247;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("case matters") << "400.0 - 470.0mhz" << 0;
    }
    void bandIdOf() {
        QFETCH(QString, text);
        QFETCH(int, id);
        TFrqList bands;
        RegisterBands(bands);
        QCOMPARE(bands.BandIdOf(text), id);
    }

    void bandTableOrderAndIds() {
        TFrqList bands;
        RegisterBands(bands);
        QCOMPARE(bands.Entries().size(), size_t(13));
        for (size_t i = 0; i < bands.Entries().size(); ++i)
            QCOMPARE(bands.Entries()[i].Id, 240 + int(i));
    }

    void emptyBandTable() {
        TFrqList bands;
        QCOMPARE(bands.BandTextOf(243), QString());
        QCOMPARE(bands.BandIdOf(QStringLiteral("400.0 - 470.0MHz")), 0);
    }

    void registeredModel() {
        TMacList catalogue;
        RegisterModels(catalogue);
        QCOMPARE(catalogue.Count(), 1);
        const TMacType* m = catalogue.GetModel(0);
        QVERIFY(m);
        QCOMPARE(m->Identity, QStringLiteral("V35"));
        QCOMPARE(m->Name, QStringLiteral("V35"));
        QCOMPARE(m->ChannelCount, 128);
        QCOMPARE(m->MinFrequency, 67.0);
        QCOMPARE(m->MaxFrequency, 650.0);
        QCOMPARE(m->SpareBlocks, 0);
        QCOMPARE(m->DefaultBand, QStringLiteral("400.0 - 470.0MHz"));
        QCOMPARE(m->Bands.size(), 13);
        QCOMPARE(m->Bands.first(), QStringLiteral(" 27.0 -  72.0MHz"));
        QCOMPARE(m->Bands.last(), QStringLiteral("470.0 - 512.0MHz"));

        // Every band the model offers is in the band table under the same text.
        TFrqList bands;
        RegisterBands(bands);
        for (const QString& b : m->Bands)
            QVERIFY2(bands.BandIdOf(b) != 0, qPrintable(b));
    }

    void lookups() {
        TMacList catalogue;
        RegisterModels(catalogue);
        QVERIFY(catalogue.FindByName(QStringLiteral("V35")));
        QVERIFY(catalogue.FindByIdentity(QStringLiteral("V35")));
        QVERIFY(!catalogue.FindByName(QStringLiteral("v35")));
        QVERIFY(!catalogue.FindByIdentity(QStringLiteral("v35")));
        QVERIFY(!catalogue.FindByIdentity(QStringLiteral("V35 ")));
        QVERIFY(!catalogue.GetModel(1));
        QVERIFY(!catalogue.GetModel(-1));
    }

    void firstMatchWins() {
        TMacList catalogue;
        catalogue.Add(std::make_unique<TMacType>(QStringLiteral("X"), QStringLiteral("A"), 16));
        catalogue.Add(std::make_unique<TMacType>(QStringLiteral("X"), QStringLiteral("A"), 32));
        QCOMPARE(catalogue.FindByIdentity(QStringLiteral("X"))->ChannelCount, 16);
        QCOMPARE(catalogue.FindByName(QStringLiteral("A"))->ChannelCount, 16);
    }

    void fillNamesReplacesTheList() {
        TMacList catalogue;
        RegisterModels(catalogue);
        QStringList list{QStringLiteral("old"), QStringLiteral("items")};
        catalogue.FillNames(list);
        QCOMPARE(list, QStringList{QStringLiteral("V35")});
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "test_catalogue.moc"
