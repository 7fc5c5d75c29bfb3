#include "common/Catalogue.h"
#include "core/MacType.h"
#include "radiodata/CodeplugJson.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

namespace {

// A valid document but for what a test puts into it.
// A document with the given parts; a top-level key given in `top` replaces the default one.
QByteArray Doc(const char* channels, const char* functions = "", const char* top = "",
               const char* message = R"({"LineA": "", "LineB": ""})") {
    QByteArray head = "{";
    const QByteArray given(top);
    for (const char* entry : {R"("format": "v35-codeplug", )", R"("version": 1, )", R"("model": "V35", )",
                              R"("band": "400.0 - 470.0MHz", )"}) {
        const QByteArray e(entry);
        if (!given.contains(e.left(e.indexOf(':') + 1)))
            head += e;
    }
    return head + given + R"("channels": [)" + channels + R"(], "functions": {)" + functions +
           R"(}, "message": )" + message + "}";
}

const char* const kChannel = R"({"Channel": 1, "RxFrequency": "446.00625"})";

// Values a .dat file can hold that the program's editors would never produce.
Codeplug OddPlug() {
    Codeplug plug;
    plug.BandId = 0; // a band the table does not know: "band" is null
    ChannelValues a;
    a.RxFrequency = 0.0;
    a.TxFrequency = 999.99999;
    a.RxTone = QStringLiteral("D089N");
    a.TxTone = QStringLiteral("950.0");
    a.Power = 0;
    a.OptSignal = 0;
    plug.Channels[1] = a;
    ChannelValues b;
    b.RxFrequency = 446.00625;
    b.RxTone = QStringLiteral("0.0");
    b.TxTone = QStringLiteral("DFFFI");
    b.BusyLock = 2;
    plug.Channels[128] = b;
    TFun& f = plug.Functions;
    f.ModeFlag = 255;
    f.CurrentChannel = 255;
    f.LanguageSelect = 0;
    f.TxTimeout = 200;
    f.VfoRxFreq = 999.99999;
    f.VfoOffset = 0.0;
    f.VfoStep = 0;
    f.VfoRxTone = QStringLiteral("D754i");
    f.VfoTxTone = QStringLiteral("67.0");
    f.AniCode = QString();
    f.RadioName = QStringLiteral("\u00e9\"\\ x");
    plug.Message.LineA = QStringLiteral("Caf\u00e9 \"quoted\" \\ tab\there");
    plug.Message.LineB = QString(32, QLatin1Char('Z'));
    return plug;
}

} // namespace

class TestCodeplugJson : public QObject {
    Q_OBJECT

private slots:
    void writtenForm() {
        Catalogue c;
        Codeplug plug;
        ChannelValues v;
        v.RxFrequency = 446.00625;
        v.TxFrequency = 446.00625;
        v.RxTone = QStringLiteral("67.0");
        v.TxTone = QStringLiteral("D023N");
        v.BusyLock = 0;
        plug.Channels[1] = v;
        plug.Functions.VfoRxFreq = 446.0;
        const QByteArray json = CodeplugToJson(plug, c.Bands, QStringLiteral("2026-12-09 15:24"));
        const QList<QByteArray> lines = json.split('\n');
        QCOMPARE(lines.at(0), QByteArray("{"));
        QCOMPARE(lines.at(1), QByteArray(R"(  "format": "v35-codeplug",)"));
        QCOMPARE(lines.at(2), QByteArray(R"(  "version": 1,)"));
        QCOMPARE(lines.at(3), QByteArray(R"(  "model": "V35",)"));
        QCOMPARE(lines.at(4), QByteArray(R"(  "band": "400.0 - 470.0MHz",)"));
        QCOMPARE(lines.at(5), QByteArray(R"(  "saved": "2026-12-09 15:24",)"));
        QCOMPARE(
            lines.at(7),
            QByteArray(R"(    {"Channel": 1, "RxFrequency": "446.00625", "TxFrequency": "446.00625", )"
                       R"("RxTone": "67.0", "TxTone": "D023N", "Power": 1, "Bandwidth": 1, "ScanAdd": 1, )"
                       R"("OptSignal": 1, "PttId": 1, "BusyLock": 0})"));
        QVERIFY(json.contains(R"(    "VfoRxFreq": "446.00000",)"));
        QVERIFY(json.contains(R"(    "StartTxFlag": false,)"));
        QVERIFY(json.contains(R"(    "RadioName": "AAAAAA")"));
        const QJsonDocument doc = QJsonDocument::fromJson(json);
        QVERIFY(doc.isObject());
        QCOMPARE(doc.object().value(QStringLiteral("functions")).toObject().size(), 32);
    }

    void unknownBandIsNull() {
        Catalogue c;
        Codeplug plug;
        plug.BandId = 0;
        const QJsonObject o = QJsonDocument::fromJson(CodeplugToJson(plug, c.Bands, QString())).object();
        QVERIFY(o.value(QStringLiteral("band")).isNull());
        QVERIFY(o.value(QStringLiteral("saved")).isNull());
    }

    void oddValuesComeBack() {
        Catalogue c;
        const Codeplug plug = OddPlug();
        Codeplug back;
        QString error;
        QVERIFY2(CodeplugFromJson(CodeplugToJson(plug, c.Bands, QString()), c.Models, c.Bands, back, &error),
                 qPrintable(error));
        QCOMPARE(back.Functions.VfoRxTone, QStringLiteral("D754i"));
        QVERIFY(back == plug);
    }

    void missingPartsTakeDefaults() {
        Catalogue c;
        Codeplug plug;
        QString error;
        QVERIFY2(
            CodeplugFromJson(R"({"format": "v35-codeplug", "version": 1, "functions": {"SquelchLevel": 2}})",
                             c.Models, c.Bands, plug, &error),
            qPrintable(error));
        QCOMPARE(plug.Identity, QStringLiteral("V35"));
        QCOMPARE(plug.BandId, 243); // the model's default band
        QVERIFY(plug.Channels.empty());
        TFun expected;
        expected.SquelchLevel = 2;
        QVERIFY(plug.Functions == expected);

        QVERIFY(CodeplugFromJson(R"({"format": "v35-codeplug", "version": 1, "band": null, )"
                                 R"("channels": [{"Channel": 7, "RxFrequency": 145.5}]})",
                                 c.Models, c.Bands, plug, &error));
        QCOMPARE(plug.BandId, 0);
        const ChannelValues& v = plug.Channels.at(7);
        QCOMPARE(v.TxFrequency, -1.0);
        QCOMPARE(v.RxTone, QString());
        QCOMPARE(v.Power, 1);
        QCOMPARE(v.OptSignal, 1);
    }

    void refusals_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        const auto row = [](const char* name, const QByteArray& json, const char* key, const char* value) {
            QTest::newRow(name) << json << QString::fromUtf8(key) << QString::fromUtf8(value);
        };
        row("not JSON", "{\"format\": ", "not JSON", "");
        row("unknown key", Doc(kChannel, "", R"("colour": "red", )"), "\"colour\"", "\"red\"");
        row("unknown channel key", Doc(R"({"Channel": 1, "RxFrequency": "446", "Name": "x"})"),
            "channels[0].Name", "\"x\"");
        row("unknown functions key", Doc(kChannel, R"("Squelch": 5)"), "functions.Squelch", "5");
        row("unknown message key", Doc(kChannel, "", "", R"({"LineC": ""})"), "message.LineC", "\"\"");
        row("format", Doc(kChannel, "", R"("format": "other", )"), "\"format\"", "\"other\"");
        row("version", Doc(kChannel, "", R"("version": 2, )"), "\"version\"", "2");
        row("model", Doc(kChannel, "", R"("model": "X1", )"), "\"model\"", "\"X1\"");
        row("band not in the table", Doc(kChannel, "", R"("band": "400 - 470MHz", )"), "\"band\"",
            "\"400 - 470MHz\"");
        row("channel 0", Doc(R"({"Channel": 0, "RxFrequency": "446"})"), "Channel", "0");
        row("channel 129", Doc(R"({"Channel": 129, "RxFrequency": "446"})"), "Channel", "129");
        row("channel given twice",
            Doc(R"({"Channel": 3, "RxFrequency": "446"}, {"Channel": 3, "RxFrequency": "447"})"),
            "channels[1].Channel", "3 is given twice");
        row("channel number missing", Doc(R"({"RxFrequency": "446"})"), "channels[0].Channel", "is missing");
        row("receive frequency missing", Doc(R"({"Channel": 2})"), "RxFrequency", "is missing");
        row("power 2", Doc(R"({"Channel": 1, "RxFrequency": "446", "Power": 2})"), "(channel 1).Power", "2");
        row("optional signalling 3", Doc(R"({"Channel": 1, "RxFrequency": "446", "OptSignal": 3})"),
            "OptSignal", "3");
        row("busy lock -1", Doc(R"({"Channel": 1, "RxFrequency": "446", "BusyLock": -1})"), "BusyLock", "-1");
        row("index not whole", Doc(R"({"Channel": 1, "RxFrequency": "446", "PttId": 0.5})"), "PttId", "0.5");
        row("tone without decimal", Doc(R"({"Channel": 1, "RxFrequency": "446", "RxTone": "67"})"), "RxTone",
            "\"67\"");
        row("DCS with another suffix", Doc(R"({"Channel": 1, "RxFrequency": "446", "TxTone": "D023X"})"),
            "TxTone", "\"D023X\"");
        row("DCS with lower-case d", Doc(R"({"Channel": 1, "RxFrequency": "446", "TxTone": "d023N"})"),
            "TxTone", "\"d023N\"");
        row("DCS of four characters", Doc(R"({"Channel": 1, "RxFrequency": "446", "RxTone": "D23N"})"),
            "RxTone", "\"D23N\"");
        row("the none word", Doc(R"({"Channel": 1, "RxFrequency": "446", "RxTone": "无"})"), "RxTone",
            "\"无\"");
        row("CTCSS read back as DCS", Doc(R"({"Channel": 1, "RxFrequency": "446", "RxTone": "850.0"})"),
            "RxTone", "\"850.0\"");
        row("frequency not a number", Doc(R"({"Channel": 1, "RxFrequency": "abc"})"), "RxFrequency",
            "\"abc\"");
        row("frequency empty", Doc(R"({"Channel": 1, "RxFrequency": ""})"), "RxFrequency", "\"\"");
        row("frequency negative", Doc(R"({"Channel": 1, "RxFrequency": "-1"})"), "RxFrequency", "\"-1\"");
        row("frequency 1000", Doc(R"({"Channel": 1, "RxFrequency": 1000})"), "RxFrequency", "1000");
        row("frequency far beyond any integer", Doc(R"({"Channel": 1, "RxFrequency": 1e300})"), "RxFrequency",
            "1e+300");
        row("frequency rounding to 1000", Doc(R"({"Channel": 1, "RxFrequency": "999.999996"})"),
            "RxFrequency", "\"999.999996\"");
        row("transmit frequency", Doc(R"({"Channel": 1, "RxFrequency": "446", "TxFrequency": "4x6"})"),
            "TxFrequency", "\"4x6\"");
        row("message line of 33", Doc(kChannel, "", "", R"({"LineA": "123456789012345678901234567890123"})"),
            "message.LineA", "\"123456789012345678901234567890123\"");
        row("message character the radio cannot store", Doc(kChannel, "", "", R"({"LineB": "中"})"),
            "message.LineB", "\"中\"");
        row("byte field 256", Doc(kChannel, R"("SquelchLevel": 256)"), "functions.SquelchLevel", "256");
        row("byte field -1", Doc(kChannel, R"("VoxLevel": -1)"), "functions.VoxLevel", "-1");
        row("integer as text", Doc(kChannel, R"("ModeFlag": "3")"), "functions.ModeFlag", "\"3\"");
        row("current channel 256", Doc(kChannel, R"("CurrentChannel": 256)"), "functions.CurrentChannel",
            "256");
        row("step 5", Doc(kChannel, R"("VfoStep": 5)"), "functions.VfoStep", "5");
        row("language 4", Doc(kChannel, R"("LanguageSelect": 4)"), "functions.LanguageSelect", "4");
        row("flag as number", Doc(kChannel, R"("StartTxFlag": 1)"), "functions.StartTxFlag", "1");
        row("frequency-mode frequency", Doc(kChannel, R"("VfoRxFreq": "1000.00000")"), "functions.VfoRxFreq",
            "\"1000.00000\"");
        row("frequency-mode tone", Doc(kChannel, R"("VfoTxTone": "88")"), "functions.VfoTxTone", "\"88\"");
        row("frequency-mode tone with a 0xFF byte", Doc(kChannel, R"("VfoRxTone": "D0FFN")"),
            "functions.VfoRxTone", "\"D0FFN\"");
        row("ANI of five digits", Doc(kChannel, R"("AniCode": "12345")"), "functions.AniCode", "\"12345\"");
        // "$" also matches before a final line end: the whole text must fit.
        row("ANI with a line end", Doc(kChannel, "\"AniCode\": \"1234\\n\""), "functions.AniCode",
            "\"1234\\n\"");
        row("tone with a line end",
            Doc("{\"Channel\": 1, \"RxFrequency\": \"446\", \"RxTone\": \"67.0\\n\"}"), "RxTone",
            "\"67.0\\n\"");
        row("DCS with a line end",
            Doc("{\"Channel\": 1, \"RxFrequency\": \"446\", \"TxTone\": \"D023N\\n\"}"), "TxTone",
            "\"D023N\\n\"");
        row("ANI with a letter", Doc(kChannel, R"("AniCode": "12a")"), "functions.AniCode", "\"12a\"");
        row("name of seven", Doc(kChannel, R"("RadioName": "ABCDEFG")"), "functions.RadioName",
            "\"ABCDEFG\"");
        // The parser keeps the last of two equal keys: such a file is refused, naming the key.
        row("key given twice", Doc(R"({"Channel": 1, "Channel": 2, "RxFrequency": "446"})"),
            "channels[0].Channel", "is given twice");
        row("key given twice, once escaped",
            Doc("{\"Channel\": 1, \"Ch\\u0061nnel\": 2, \"RxFrequency\": \"446\"}"), "channels[0].Channel",
            "is given twice");
        row("top-level key given twice", Doc(kChannel, "", R"("model": "V35", "model": "V35", )"),
            "\"model\"", "is given twice");
        row("function given twice", Doc(kChannel, R"("VoxLevel": 1, "VoxLevel": 2)"), "functions.VoxLevel",
            "is given twice");
        row("message line given twice", Doc(kChannel, "", "", R"({"LineA": "a", "LineA": "b"})"),
            "message.LineA", "is given twice");
        row("channels not a list", R"({"format": "v35-codeplug", "version": 1, "channels": {}})",
            "\"channels\"", "{}");
    }
    void refusals() {
        QFETCH(QByteArray, json);
        QFETCH(QString, key);
        QFETCH(QString, value);
        Catalogue c;
        Codeplug plug;
        plug.BandId = 99;
        QString error;
        QVERIFY(!CodeplugFromJson(json, c.Models, c.Bands, plug, &error));
        QVERIFY2(error.contains(key) && error.contains(value), qPrintable(error));
        QCOMPARE(plug.BandId, 99);
    }

    // A refusal names what it refuses, but never repeats megabytes or terminal escapes.
    void refusalsAreShortAndReadable_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("shown");
        const QByteArray huge(8 * 1024 * 1024, 'x');
        QTest::newRow("8 MB message line")
            << Doc(kChannel, "", "", "{\"LineA\": \"" + huge + "\"}") << "message.LineA";
        QTest::newRow("8 MB unknown key") << Doc(kChannel, "", "\"" + huge + "\": 1, ") << "xxxxxxxx";
        QTest::newRow("escape in a value")
            << Doc(kChannel, "", "\"model\": \"V\\u001b]0;pwned\\u0007\", ") << "\\u001b]0;pwned";
        QTest::newRow("escape in a key") << Doc(kChannel, "", "\"\\u001b[2J\": 1, ") << "\\x1b[2J";
    }
    void refusalsAreShortAndReadable() {
        QFETCH(QByteArray, json);
        QFETCH(QString, shown);
        Catalogue c;
        Codeplug plug;
        QString error;
        QVERIFY(!CodeplugFromJson(json, c.Models, c.Bands, plug, &error));
        QVERIFY2(error.size() < 400, qPrintable(error.left(400)));
        QVERIFY2(error.contains(shown), qPrintable(error));
        for (const QChar ch : error)
            QVERIFY2(ch.unicode() >= 0x20 && ch.unicode() != 0x7F, qPrintable(error));
    }

    void theDocumentOfTheRefusalsIsValid() {
        // The rows above differ from this document only in what they refuse.
        Catalogue c;
        Codeplug plug;
        QString error;
        QVERIFY2(CodeplugFromJson(Doc(kChannel), c.Models, c.Bands, plug, &error), qPrintable(error));
        QVERIFY2(CodeplugFromJson(Doc(kChannel, R"("SquelchLevel": 255, "VfoStep": 4, "LanguageSelect": 0)"),
                                  c.Models, c.Bands, plug, &error),
                 qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestCodeplugJson)
#include "test_codeplugjson.moc"
