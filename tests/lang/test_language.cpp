#include "core/IniFile.h"
#include "lang/Language.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestLanguage : public QObject {
    Q_OBJECT

    QTemporaryDir Tmp;
    QString Dir() const { return Tmp.path() + QLatin1Char('/'); }

    static void VerifyBuiltIn(const TLanguage& m, const QString& title) {
        QCOMPARE(title, QStringLiteral("N47"));
        QCOMPARE(m.Confirmation, QStringLiteral("提示"));
        QCOMPARE(m.ExitProgram, QStringLiteral("确定要退出系统？"));
        QCOMPARE(m.SaveProgram, QStringLiteral("是否保存数据？"));
        QCOMPARE(m.Channel, QStringLiteral("信道"));
        QCOMPARE(m.Info, QStringLiteral("信息"));
        QCOMPARE(m.OutRange, QStringLiteral("频率超出范围！"));
        QCOMPARE(m.Caution, QStringLiteral("注意"));
        QCOMPARE(m.FChBigT, QStringLiteral("起始频道应小于结束频道！"));
        QCOMPARE(m.Close, QStringLiteral("已关闭"));
        QCOMPARE(m.Open, QStringLiteral("已启动"));
        QCOMPARE(m.ComError, QStringLiteral("检查所有连接及通信端口设置！"));
        QCOMPARE(m.ModError, QStringLiteral("机型错误！"));
        QCOMPARE(m.ClearData, QStringLiteral("是否清空数据？"));
        QCOMPARE(m.Modforce, QStringLiteral("是否强制改写？"));
        QCOMPARE(m.FrqError, QStringLiteral("频段错误！"));
        QCOMPARE(m.All, QStringLiteral("全部"));
        QCOMPARE(m.ErrRange, QStringLiteral("频率出错！"));
        QCOMPARE(m.ModelType, QStringLiteral("机型"));
        QCOMPARE(m.Frequency, QStringLiteral("频率"));
        QCOMPARE(m.ReadOk, QStringLiteral("读取完成！"));
        QCOMPARE(m.WriteOk, QStringLiteral("写入完成！"));
        QCOMPARE(m.LPortError, QStringLiteral("无法打开端口！"));
    }

private slots:
    void builtInWithoutFiles() {
        TLanguage m;
        QString title;
        LoadMessageCatalogue(m, title, Dir(), QStringLiteral("Chinese"));
        VerifyBuiltIn(m, title);
        // An index past the language list gives an empty name: ".Ini" does not exist either.
        LoadMessageCatalogue(m, title, Dir(), QString());
        VerifyBuiltIn(m, title);
    }

    // Each key falls back on its own: a file with one key changes that message only.
    void fallbackKeyByKey_data() {
        QTest::addColumn<QString>("key");
        for (const char* k : {"AppName",         "Confirmation",  "ExitProgram",
                              "SaveProgram",     "Channel",       "Info",
                              "OutRange",        "Caution",       "FChBigT",
                              "Close",           "Open",          "ComError",
                              "ModError",        "ClearData",     "Modforce",
                              "FrqError",        "All",           "ErrRange",
                              "ModelType",       "Frequency",     "ReadOk",
                              "WriteOk",         "LPortError",    "FileNotRegular",
                              "FileTooLarge",    "FileTooShort",  "FileUnknownModel",
                              "FileUndecodable", "FileReadError", "FileSaveError"})
            QTest::newRow(k) << QString::fromLatin1(k);
    }
    void fallbackKeyByKey() {
        QFETCH(QString, key);
        WriteFile(Dir() + QStringLiteral("Test.Ini"),
                  QStringLiteral("[Language]\n%1=Replaced\n").arg(key).toUtf8());
        TLanguage m, builtIn;
        QString title, builtInTitle;
        LoadMessageCatalogue(builtIn, builtInTitle, Dir(), QStringLiteral("none"));
        LoadMessageCatalogue(m, title, Dir(), QStringLiteral("Test"));

        const QList<QPair<QString, QString TLanguage::*>> fields = {
            {QStringLiteral("Confirmation"), &TLanguage::Confirmation},
            {QStringLiteral("ExitProgram"), &TLanguage::ExitProgram},
            {QStringLiteral("SaveProgram"), &TLanguage::SaveProgram},
            {QStringLiteral("Channel"), &TLanguage::Channel},
            {QStringLiteral("Info"), &TLanguage::Info},
            {QStringLiteral("OutRange"), &TLanguage::OutRange},
            {QStringLiteral("Caution"), &TLanguage::Caution},
            {QStringLiteral("FChBigT"), &TLanguage::FChBigT},
            {QStringLiteral("Close"), &TLanguage::Close},
            {QStringLiteral("Open"), &TLanguage::Open},
            {QStringLiteral("ComError"), &TLanguage::ComError},
            {QStringLiteral("ModError"), &TLanguage::ModError},
            {QStringLiteral("ClearData"), &TLanguage::ClearData},
            {QStringLiteral("Modforce"), &TLanguage::Modforce},
            {QStringLiteral("FrqError"), &TLanguage::FrqError},
            {QStringLiteral("All"), &TLanguage::All},
            {QStringLiteral("ErrRange"), &TLanguage::ErrRange},
            {QStringLiteral("ModelType"), &TLanguage::ModelType},
            {QStringLiteral("Frequency"), &TLanguage::Frequency},
            {QStringLiteral("ReadOk"), &TLanguage::ReadOk},
            {QStringLiteral("WriteOk"), &TLanguage::WriteOk},
            {QStringLiteral("LPortError"), &TLanguage::LPortError},
            {QStringLiteral("FileNotRegular"), &TLanguage::FileNotRegular},
            {QStringLiteral("FileTooLarge"), &TLanguage::FileTooLarge},
            {QStringLiteral("FileTooShort"), &TLanguage::FileTooShort},
            {QStringLiteral("FileUnknownModel"), &TLanguage::FileUnknownModel},
            {QStringLiteral("FileUndecodable"), &TLanguage::FileUndecodable},
            {QStringLiteral("FileReadError"), &TLanguage::FileReadError},
            {QStringLiteral("FileSaveError"), &TLanguage::FileSaveError},
        };
        QCOMPARE(title, key == QLatin1String("AppName") ? QStringLiteral("Replaced") : builtInTitle);
        for (const auto& [name, field] : fields)
            QCOMPARE(m.*field, name == key ? QStringLiteral("Replaced") : builtIn.*field);
    }

    void switchingBackRestoresEveryText() {
        WriteFile(Dir() + QStringLiteral("English.Ini"),
                  "[Language]\nAppName=V35 Programmer\nReadOk=Read complete!\nConfirmation=Confirm\n");
        TLanguage m;
        QString title;
        LoadMessageCatalogue(m, title, Dir(), QStringLiteral("English"));
        QCOMPARE(title, QStringLiteral("V35 Programmer"));
        QCOMPARE(m.ReadOk, QStringLiteral("Read complete!"));
        QCOMPARE(m.WriteOk, QStringLiteral("写入完成！"));
        LoadMessageCatalogue(m, title, Dir(), QStringLiteral("Chinese"));
        VerifyBuiltIn(m, title);
    }

    void sectionAndKeysIgnoreCase() {
        WriteFile(Dir() + QStringLiteral("Lower.Ini"), "[language]\nreadok=done\n");
        TLanguage m;
        QString title;
        LoadMessageCatalogue(m, title, Dir(), QStringLiteral("Lower"));
        QCOMPARE(m.ReadOk, QStringLiteral("done"));
    }

    // The texts that explain a failed open or save exist in every shipped language, the Chinese
    // file giving the built-in texts, and keep their placeholders.
    void fileMessagesInEveryLanguage_data() {
        QTest::addColumn<QString>("language");
        QTest::newRow("Chinese") << "Chinese";
        QTest::newRow("English") << "English";
    }
    void fileMessagesInEveryLanguage() {
        QFETCH(QString, language);
        TLanguage builtIn, m;
        QString title;
        LoadMessageCatalogue(builtIn, title, Dir(), QStringLiteral("none"));
        LoadMessageCatalogue(m, title, QStringLiteral(V35_SOURCE_DIR "/lang/"), language);
        const QList<QPair<QString TLanguage::*, int>> fields = {
            {&TLanguage::FileNotRegular, 0},  {&TLanguage::FileTooLarge, 0},
            {&TLanguage::FileTooShort, 2},    {&TLanguage::FileUnknownModel, 1},
            {&TLanguage::FileUndecodable, 1}, {&TLanguage::FileReadError, 1},
            {&TLanguage::FileSaveError, 1}};
        for (const auto& [field, placeholders] : fields) {
            const QString text = m.*field;
            QVERIFY(!text.isEmpty());
            if (language == QLatin1String("Chinese"))
                QCOMPARE(text, builtIn.*field);
            else
                QVERIFY2(text != builtIn.*field, qPrintable(text));
            QCOMPARE(text.contains(QLatin1String("%1")), placeholders >= 1);
            QCOMPARE(text.contains(QLatin1String("%2")), placeholders >= 2);
        }
    }

    void messageWith_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("both") << "%1 of %2"
                              << "3 of 16";
        QTest::newRow("reordered") << "%2: %1"
                                   << "16: 3";
        QTest::newRow("placeholders left out") << "Too short!"
                                               << "Too short! 3 16";
        QTest::newRow("value holding a placeholder") << "[%1]"
                                                     << "[3] 16";
    }
    void messageWith() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(MessageWith(text, QStringLiteral("3"), QStringLiteral("16")), expected);
        QCOMPARE(MessageWith(QStringLiteral("<%1>"), QStringLiteral("%2"), QStringLiteral("x")),
                 QStringLiteral("<%2> x"));
    }

    // A language file that is a FIFO or a device is not waited on: the built-in texts apply.
    void specialLanguageFilesGiveBuiltInTexts() {
        const QString fifo = Dir() + QStringLiteral("Fifo.Ini");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        TLanguage m;
        QString title;
        LoadMessageCatalogue(m, title, Dir(), QStringLiteral("Fifo"));
        VerifyBuiltIn(m, title);
        QFile::remove(fifo);
    }

    void badFilesGiveBuiltInTexts_data() {
        QTest::addColumn<QByteArray>("bytes");
        QByteArray garbage;
        for (int i = 0; i < 8192; ++i)
            garbage.append(char((i * 31337 + 7) & 0xFF));
        QTest::newRow("binary garbage") << garbage;
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("1 MB line") << QByteArray("[Language]\n") + QByteArray(1 << 20, 'R') + "\n";
        QTest::newRow("1 MB value") << QByteArray("[Language]\nReadOk=") + QByteArray(1 << 20, 'R') + "\n";
    }
    void badFilesGiveBuiltInTexts() {
        QFETCH(QByteArray, bytes);
        WriteFile(Dir() + QStringLiteral("Bad.Ini"), bytes);
        TLanguage m;
        QString title;
        LoadMessageCatalogue(m, title, Dir(), QStringLiteral("Bad"));
        VerifyBuiltIn(m, title);
    }
};

// The English file names each thing the same way in the grid, the dialogs and the report.
class TestEnglishVocabulary : public QObject {
    Q_OBJECT

    IniFile English;

private slots:
    void initTestCase() { QVERIFY(English.Load(QStringLiteral(V35_SOURCE_DIR "/lang/English.Ini"))); }

    void oneTermPerConcept_data() {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        const struct {
            const char* Section;
            const char* Key;
            const char* Text;
        } captions[] = {
            {"fMainFrm", "BColText.3", "Rx Tone"},
            {"fMainFrm", "BColText.4", "Tx Tone"},
            {"fMainFrm", "Label3.Caption", "Rx Tone"},
            {"fMainFrm", "Label5.Caption", "Tx Tone"},
            {"fFreqModel", "Label3.Caption", "Rx Tone"},
            {"fFreqModel", "Label5.Caption", "Tx Tone"},
            {"fBInfoEdit", "lbQT.Caption", "Rx Tone"},
            {"fBInfoEdit", "lbDQT.Caption", "Tx Tone"},
            {"fBBatchEdit", "lbQT.Caption", "Rx Tone"},
            {"fBBatchEdit", "lbDQT.Caption", "Tx Tone"},
            {"fMainFrm", "BColText.6", "Bandwidth"},
            {"fBInfoEdit", "lbkz.Caption", "Bandwidth"},
            {"fBBatchEdit", "lbkz.Caption", "Bandwidth"},
            {"fFunSet", "lbwn.Caption", "Bandwidth"},
            {"fMainFrm", "BColText.7", "Scan"},
            {"fBInfoEdit", "chsmtj.Caption", "Include in scan"},
            {"fBBatchEdit", "chsmtj.Caption", "Include in scan"},
            {"fMainFrm", "BColText.10", "BCL"},
            {"fBInfoEdit", "lbfmsd.Caption", "Busy Channel Lockout"},
            {"fBBatchEdit", "lbfmsd.Caption", "Busy Channel Lockout"},
            {"fMainFrm", "BColText.8", "Signalling"},
            {"fBInfoEdit", "lbKxxl.Caption", "Signalling"},
            {"fBBatchEdit", "lbKxxl.Caption", "Signalling"},
        };
        for (const auto& c : captions)
            QTest::addRow("%s %s", c.Section, c.Key)
                << QString::fromLatin1(c.Section) << QString::fromLatin1(c.Key)
                << QString::fromLatin1(c.Text);
    }
    void oneTermPerConcept() {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, text);
        QCOMPARE(English.Value(section, key, QStringLiteral("(missing)")), text);
    }

    // The literal translations that used to stand for those terms appear nowhere.
    void noOtherNames() {
        QFile file(QStringLiteral(V35_SOURCE_DIR "/lang/English.Ini"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString all = QString::fromUtf8(file.readAll());
        for (const char* old : {"CTCSS/DCS", "QT/DQT", "Tone Code", "W/N", "Scan Add", "Opt. Signal",
                                "Busy Lock", "Batch Channel", "Function Settings", "Frequency Mode", "N47"})
            QVERIFY2(!all.contains(QLatin1String(old)), old);
        // Messages state the problem; none shouts.
        QVERIFY(!all.contains(QLatin1String("!\n")));
    }
};

int main(int argc, char** argv) {
    int status = 0;
    {
        TestLanguage t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        TestEnglishVocabulary t;
        status |= QTest::qExec(&t, argc, argv);
    }
    return status;
}
#include "test_language.moc"
