#include "DialogFixture.h"
#include "app/DatCommands.h"
#include "core/FullDisk.h"
#include "core/IniFile.h"
#include "ui/MainFrm.h"
#include "ui/TranslateForm.h"
#include "ui/dialogs/BBatchEdit.h"
#include "ui/dialogs/BInfoEdit.h"
#include "ui/dialogs/EmbeddedMessage.h"
#include "ui/dialogs/FreqModel.h"
#include "ui/dialogs/FrmAbout.h"
#include "ui/dialogs/FunSet.h"
#include "ui/dialogs/TestFrequency.h"
#include "ui/dialogs/ToneOption.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace {

struct DialogWindow {
    QString Section;
    bool TranslateLists;
    std::function<std::unique_ptr<QWidget>(DialogFixture&)> Create;
};

template <typename T> std::function<std::unique_ptr<QWidget>(DialogFixture&)> WithDb() {
    return [](DialogFixture& f) { return std::unique_ptr<QWidget>(std::make_unique<T>(*f.Db)); };
}
template <typename T> std::function<std::unique_ptr<QWidget>(DialogFixture&)> WithDbAndUi() {
    return [](DialogFixture& f) { return std::unique_ptr<QWidget>(std::make_unique<T>(*f.Db, *f.Ui)); };
}

// The dialogs of this folder, with whether their lists are translated.
QList<DialogWindow> Dialogs() {
    return {{"fToneOption", false, WithDb<TfToneOption>()},
            {"fBInfoEdit", true, WithDbAndUi<TfBInfoEdit>()},
            {"fBBatchEdit", true, WithDbAndUi<TfBBatchEdit>()},
            {"fFunSet", true, WithDb<TfFunSet>()},
            {"fFreqModel", true, WithDbAndUi<TfFreqModel>()},
            {"fEmbeddedMessage", true, WithDb<TfEmbeddedMessage>()},
            {"fTestFrequency", true, WithDbAndUi<TfTestFrequency>()},
            {"fFrmAbout", false, WithDb<TfFrmAbout>()}};
}

// The dialogs' texts of a language, from the program's language file.
IniFile LanguageTexts(const QString& language) {
    IniFile ini;
    ini.Load(SourceFile(QStringLiteral("lang/%1.Ini").arg(language)));
    return ini;
}

bool HasChineseCharacter(const QString& text) {
    for (const QChar c : text)
        if (c.unicode() >= 0x2E80)
            return true;
    return false;
}

// The keys the translator looks up for a window as shown (grid titles exist only then), each with
// its built-in text.
QList<QPair<QString, QString>> BuiltInTexts(QWidget* window, bool translateLists) {
    QList<QPair<QString, QString>> texts;
    ApplyFormTexts(window, translateLists, [&](const QString& key, const QString& current) {
        texts.append({key, current});
        return current;
    });
    return texts;
}

} // namespace

class TestDialogFiles : public QObject {
    Q_OBJECT

private slots:
    // The Chinese file repeats the built-in texts exactly, the English one translates every key,
    // and neither holds a key that no control looks up.
    void languageTextsCoverEveryControl_data() {
        QTest::addColumn<int>("window");
        for (int i = 0; i < Dialogs().size(); ++i)
            QTest::newRow(qPrintable(Dialogs().at(i).Section)) << i;
    }
    void languageTextsCoverEveryControl() {
        QFETCH(int, window);
        const DialogWindow w = Dialogs().at(window);
        DialogFixture f;
        std::unique_ptr<QWidget> dialog = w.Create(f);
        dialog->show();
        QCOMPARE(dialog->objectName(), w.Section);
        const QList<QPair<QString, QString>> texts = BuiltInTexts(dialog.get(), w.TranslateLists);
        const IniFile chinese = LanguageTexts(QStringLiteral("Chinese"));
        const IniFile english = LanguageTexts(QStringLiteral("English"));
        QStringList looked;
        QStringList problems;
        for (const auto& [key, builtIn] : texts) {
            looked.append(key.toLower());
            if (!chinese.Contains(w.Section, key))
                problems.append(QStringLiteral("Chinese lacks %1=%2").arg(key, builtIn));
            // The about box's caption is the program's title whatever the file says.
            else if (chinese.Value(w.Section, key) != builtIn && key != QLatin1String("fFrmAbout.Caption"))
                problems.append(QStringLiteral("Chinese %1=%2, built in %3")
                                    .arg(key, chinese.Value(w.Section, key), builtIn));
            if (!english.Contains(w.Section, key))
                problems.append(QStringLiteral("English lacks %1").arg(key));
            else if (HasChineseCharacter(english.Value(w.Section, key)) ||
                     english.Value(w.Section, key).isEmpty())
                problems.append(QStringLiteral("English %1 is not translated").arg(key));
        }
        for (const IniFile* file : {&chinese, &english})
            for (const QString& key : file->Keys(w.Section))
                if (!looked.contains(key.toLower()))
                    problems.append(QStringLiteral("%1 is looked up by no control").arg(key));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    // Shown in English, no Chinese text is left on any control the user can see.
    void englishDialogsShowNoChinese_data() { languageTextsCoverEveryControl_data(); }
    void englishDialogsShowNoChinese() {
        QFETCH(int, window);
        const DialogWindow w = Dialogs().at(window);
        DialogFixture f(Language::English);
        std::unique_ptr<QWidget> dialog = w.Create(f);
        dialog->show();
        QStringList left;
        if (HasChineseCharacter(dialog->windowTitle()))
            left.append(dialog->windowTitle());
        for (const QWidget* child : dialog->findChildren<QWidget*>()) {
            if (!child->isVisibleTo(dialog.get()))
                continue;
            QString text;
            if (auto* label = qobject_cast<const QLabel*>(child))
                text = label->text();
            else if (auto* button = qobject_cast<const QAbstractButton*>(child))
                text = button->text();
            else if (auto* box = qobject_cast<const QComboBox*>(child))
                text = box->currentText();
            else if (auto* group = qobject_cast<const QGroupBox*>(child))
                text = group->title();
            if (HasChineseCharacter(text))
                left.append(child->objectName() + QLatin1Char('=') + text);
        }
        QVERIFY2(left.isEmpty(), qPrintable(left.join(QLatin1Char('\n'))));
    }

    // Every accelerator of a window leads to one control only, in either language.
    void acceleratorsAreUnique_data() {
        QTest::addColumn<int>("window");
        QTest::addColumn<bool>("english");
        for (int i = 0; i < Dialogs().size(); ++i) {
            QTest::newRow(qPrintable(Dialogs().at(i).Section + QStringLiteral(" zh"))) << i << false;
            QTest::newRow(qPrintable(Dialogs().at(i).Section + QStringLiteral(" en"))) << i << true;
        }
    }
    void acceleratorsAreUnique() {
        QFETCH(int, window);
        QFETCH(bool, english);
        const DialogWindow w = Dialogs().at(window);
        DialogFixture f(english ? Language::English : Language::BuiltIn);
        std::unique_ptr<QWidget> dialog = w.Create(f);
        dialog->show();
        QMap<QChar, QString> seen;
        QStringList problems;
        for (QWidget* child : dialog->findChildren<QWidget*>()) {
            if (!child->isVisibleTo(dialog.get()))
                continue;
            QString text;
            if (auto* label = qobject_cast<QLabel*>(child)) {
                text = label->text();
                if (text.contains(QLatin1Char('&')) && !label->buddy())
                    problems.append(child->objectName() +
                                    QStringLiteral(" has an accelerator but no control"));
            } else if (auto* button = qobject_cast<QAbstractButton*>(child)) {
                text = button->text();
            }
            const int amp = text.indexOf(QLatin1Char('&'));
            if (amp < 0 || amp + 1 >= text.size())
                continue;
            const QChar key = text.at(amp + 1).toUpper();
            if (seen.contains(key))
                problems.append(
                    QStringLiteral("%1 and %2 share Alt+%3").arg(seen.value(key), child->objectName(), key));
            seen.insert(key, child->objectName());
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    // What the dialogs showed is what a saved file holds, as the command-line tool reads it.
    // Save on a full disk through the main window: the reason is shown under the caption of the
    // other file messages and the data stays unsaved, so closing still asks to save it.
    void saveOnAFullDiskKeepsTheDataUnsaved() {
        DialogFixture f;
        f.Ui->ListPorts = [](QStringList*) {};
        TfMainFrm window(*f.Db, *f.Ui);
        window.show();
        f.Db->AppState.Modified = true;
        const QString path = f.Dir() + QStringLiteral("full.dat");
        f.Files.SaveAnswers = {path};
        f.Prompts.Log.clear();
        {
            const FileSizeLimit limit(100);
            window.RunCommand(3);
        }
        QVERIFY(f.Db->AppState.Modified);
        QVERIFY(!QFileInfo::exists(path));
        QCOMPARE(f.Captions(), QStringList{f.Db->Messages.Confirmation});
        QVERIFY2(f.Shown().value(0).startsWith(QStringLiteral("无法保存文件：")),
                 qPrintable(f.Shown().value(0)));
        f.Prompts.Log.clear();
        f.Prompts.Answers = {Prompter::Yes, Prompter::No};
        window.close();
        QCOMPARE(f.Shown(), (QStringList{f.Db->Messages.ExitProgram, f.Db->Messages.SaveProgram}));
    }

    void savedFileHoldsWhatTheDialogsShowed() {
        DialogFixture f;
        f.OnDialog[QStringLiteral("fBInfoEdit")] = [](QDialog& dialog) {
            auto& d = static_cast<TfBInfoEdit&>(dialog);
            TypeAndEnter(Child<QLineEdit>(d, "eReceive"), QStringLiteral("446.00625"));
            TypeAndEnter(Child<QLineEdit>(d, "eSend"), QStringLiteral("446.5"));
            TypeAndEnter(Child<QComboBox>(d, "cbQT"), QStringLiteral("67"));
            TypeAndEnter(Child<QComboBox>(d, "cbDQT"), QStringLiteral("D023N"));
            Child<QComboBox>(d, "cbfsgl")->setCurrentIndex(0);
            Child<QComboBox>(d, "cbfmsd")->setCurrentIndex(1);
            QTest::mouseClick(Child<QCheckBox>(d, "chsmtj"), Qt::LeftButton);
            d.btnCloseClick();
        };
        TfBInfoEdit::Run(*f.Db, *f.Ui, 2, nullptr);

        f.OnDialog[QStringLiteral("fBBatchEdit")] = [](QDialog& dialog) {
            auto& d = static_cast<TfBBatchEdit&>(dialog);
            TypeAndLeave(Child<QLineEdit>(d, "eReceive"), QStringLiteral("450"));
            TypeAndLeave(Child<QLineEdit>(d, "eSend"), QStringLiteral("455"));
            Child<QComboBox>(d, "cbJg")->setCurrentIndex(1); // 12.5
            TypeAndLeave(Child<QComboBox>(d, "cbQT"), QStringLiteral("88.5"));
            QTest::mouseClick(Child<QRadioButton>(d, "rOne"), Qt::LeftButton);
            Child<QSpinBox>(d, "seFrom")->setValue(10);
            Child<QSpinBox>(d, "seTo")->setValue(12);
            QTest::mouseClick(Child<QPushButton>(d, "btnOk"), Qt::LeftButton);
            QTest::mouseClick(Child<QPushButton>(d, "btnCancel"), Qt::LeftButton);
        };
        TfBBatchEdit::Run(*f.Db, *f.Ui, nullptr);

        f.OnDialog[QStringLiteral("fFunSet")] = [](QDialog& dialog) {
            auto& d = static_cast<TfFunSet&>(dialog);
            Child<QComboBox>(d, "cbfscs")->setCurrentIndex(9);
            Child<QComboBox>(d, "cbdqxd")
                ->setCurrentIndex(Child<QComboBox>(d, "cbdqxd")->findText(QStringLiteral("10")));
            Child<QComboBox>(d, "cbmsbz")->setCurrentIndex(1);
            Child<QLineEdit>(d, "cxANICode")->clear();
            QTest::keyClicks(Child<QLineEdit>(d, "cxANICode"), QStringLiteral("5678"));
            Child<QLineEdit>(d, "cxMeName")->clear();
            QTest::keyClicks(Child<QLineEdit>(d, "cxMeName"), QStringLiteral("v35abc"));
            QTest::mouseClick(Child<QPushButton>(d, "btnOk"), Qt::LeftButton);
        };
        QVERIFY(TfFunSet::Run(
            *f.Db, *f.Ui,
            {QStringLiteral("2"), QStringLiteral("10"), QStringLiteral("11"), QStringLiteral("12")},
            nullptr));

        f.OnDialog[QStringLiteral("fFreqModel")] = [](QDialog& dialog) {
            auto& d = static_cast<TfFreqModel&>(dialog);
            TypeAndLeave(Child<QLineEdit>(d, "cxRx"), QStringLiteral("430.0125"));
            Child<QComboBox>(d, "cbbjpl")->setCurrentIndex(4);
            TypeAndLeave(Child<QComboBox>(d, "cbfsyyp"), QStringLiteral("D754I"));
            Child<QComboBox>(d, "cbwcfx")->setCurrentIndex(1);
            TypeAndLeave(Child<QLineEdit>(d, "cxWcpl"), QStringLiteral("5"));
            QTest::mouseClick(Child<QPushButton>(d, "btnOk"), Qt::LeftButton);
        };
        QVERIFY(TfFreqModel::Run(*f.Db, *f.Ui, nullptr));

        f.OnDialog[QStringLiteral("fEmbeddedMessage")] = [](QDialog& dialog) {
            auto& d = static_cast<TfEmbeddedMessage&>(dialog);
            QTest::keyClicks(Child<QLineEdit>(d, "edEMA"), QStringLiteral("HELLO"));
            QTest::keyClicks(Child<QLineEdit>(d, "edEMB"), QStringLiteral("World 2"));
            QTest::mouseClick(Child<QPushButton>(d, "btnOk"), Qt::LeftButton);
        };
        QVERIFY(TfEmbeddedMessage::Run(*f.Db, *f.Ui, nullptr));

        const QString path = f.Dir() + QStringLiteral("edited.dat");
        QVERIFY(SaveDatFile(*f.Db, path, SaveMode::ChosenName, f.Prompts,
                            QDateTime(QDate(2024, 5, 1), QTime(9, 30))));
        QVERIFY(f.Prompts.Log.isEmpty());

        QProcess dump;
        dump.start(QStringLiteral(V35_BIN_DIR "/v35ctl"), {QStringLiteral("dump"), path});
        QVERIFY(dump.waitForFinished(30000));
        QCOMPARE(dump.exitCode(), 0);
        const QJsonObject plug = QJsonDocument::fromJson(dump.readAllStandardOutput()).object();

        QMap<int, QJsonObject> channels;
        for (const QJsonValue& c : plug.value(QStringLiteral("channels")).toArray())
            channels.insert(c.toObject().value(QStringLiteral("Channel")).toInt(), c.toObject());
        QCOMPARE(channels.keys(), QList<int>({2, 10, 11, 12}));
        const QJsonObject two = channels.value(2);
        QCOMPARE(two.value(QStringLiteral("RxFrequency")).toString(), QStringLiteral("446.00625"));
        QCOMPARE(two.value(QStringLiteral("TxFrequency")).toString(), QStringLiteral("446.50000"));
        QCOMPARE(two.value(QStringLiteral("RxTone")).toString(), QStringLiteral("67.0"));
        QCOMPARE(two.value(QStringLiteral("TxTone")).toString(), QStringLiteral("D023N"));
        QCOMPARE(two.value(QStringLiteral("Power")).toInt(), 0);
        QCOMPARE(two.value(QStringLiteral("BusyLock")).toInt(), 1);
        QCOMPARE(two.value(QStringLiteral("ScanAdd")).toInt(), 0);
        QCOMPARE(two.value(QStringLiteral("OptSignal")).toInt(), 0);
        QCOMPARE(channels.value(11).value(QStringLiteral("RxFrequency")).toString(),
                 QStringLiteral("450.01250"));
        QCOMPARE(channels.value(12).value(QStringLiteral("TxFrequency")).toString(),
                 QStringLiteral("455.02500"));
        QCOMPARE(channels.value(12).value(QStringLiteral("RxTone")).toString(), QStringLiteral("88.5"));
        QCOMPARE(channels.value(12).value(QStringLiteral("TxTone")).toString(), QString());
        QCOMPARE(channels.value(10).value(QStringLiteral("OptSignal")).toInt(), 1);

        const QJsonObject fun = plug.value(QStringLiteral("functions")).toObject();
        QCOMPARE(fun.value(QStringLiteral("TxTimeout")).toInt(), 9);
        QCOMPARE(fun.value(QStringLiteral("CurrentChannel")).toInt(), 10);
        QCOMPARE(fun.value(QStringLiteral("ModeFlag")).toInt(), 0);
        QCOMPARE(fun.value(QStringLiteral("AniCode")).toString(), QStringLiteral("5678"));
        QCOMPARE(fun.value(QStringLiteral("RadioName")).toString(), QStringLiteral("V35ABC"));
        QCOMPARE(fun.value(QStringLiteral("VfoRxFreq")).toString(), QStringLiteral("430.01250"));
        QCOMPARE(fun.value(QStringLiteral("VfoStep")).toInt(), 4);
        QCOMPARE(fun.value(QStringLiteral("VfoRxTone")).toString(), QString());
        QCOMPARE(fun.value(QStringLiteral("VfoTxTone")).toString(), QStringLiteral("D754I"));
        QCOMPARE(fun.value(QStringLiteral("OffsetDirection")).toInt(), 1);
        QCOMPARE(fun.value(QStringLiteral("VfoOffset")).toString(), QStringLiteral("5.00000"));
        const QJsonObject message = plug.value(QStringLiteral("message")).toObject();
        QCOMPARE(message.value(QStringLiteral("LineA")).toString(), QStringLiteral("HELLO"));
        QCOMPARE(message.value(QStringLiteral("LineB")).toString(), QStringLiteral("World 2"));
    }
};

QTEST_MAIN(TestDialogFiles)
#include "test_files.moc"
