// Form translation: the rules of the translator, and the language files that ship with the program
// hold a text for every control of every window and for every message.

#include "UiFixture.h"
#include "Windows.h"

#include "core/IniFile.h"
#include "ui/Controls.h"
#include "ui/TranslateForm.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <QToolButton>

namespace {

const char* const kMessageKeys[] = {
    "AppName", "Confirmation", "ExitProgram", "SaveProgram", "Channel",  "Info",      "OutRange",  "Caution",
    "FChBigT", "Close",        "Open",        "ComError",    "ModError", "ClearData", "Modforce",  "FrqError",
    "All",     "ErrRange",     "ModelType",   "Frequency",   "ReadOk",   "WriteOk",   "LPortError"};

// A window with one control of each kind the translator knows.
struct SampleForm {
    QWidget Form;
    QLabel* Label = new QLabel(QStringLiteral("label"), &Form);
    TStaticText* Static = new TStaticText(&Form);
    QPushButton* Button = new QPushButton(QStringLiteral("button"), &Form);
    QToolButton* Tool = new QToolButton(&Form);
    QComboBox* Tone = new QComboBox(&Form);
    QComboBox* Fixed = new QComboBox(&Form);
    QComboBox* Plain = new QComboBox(&Form);
    QTableView* Grid = new QTableView(&Form);
    QStandardItemModel GridModel{1, 3};
    QListWidget* List = new QListWidget(&Form);

    SampleForm() {
        Form.setObjectName(QStringLiteral("fSample"));
        Form.setWindowTitle(QStringLiteral("window"));
        Label->setObjectName(QStringLiteral("Label1"));
        Static->setObjectName(QStringLiteral("stText"));
        Static->setText(QStringLiteral("static"));
        Button->setObjectName(QStringLiteral("btnOk"));
        Tool->setObjectName(QStringLiteral("tbNew"));
        Tool->setText(QStringLiteral("tool"));
        Tool->setToolTip(QStringLiteral("hint"));
        Tone->setObjectName(QStringLiteral("cbTone"));
        Tone->addItems({QStringLiteral("无"), QStringLiteral("67.0"), QStringLiteral("69.3")});
        SetTag(Tone, -3);
        Tone->setCurrentIndex(2);
        Fixed->setObjectName(QStringLiteral("cbFixed"));
        Fixed->addItems({QStringLiteral("a"), QStringLiteral("b")});
        SetTag(Fixed, -2);
        Plain->setObjectName(QStringLiteral("cbPlain"));
        Plain->addItems({QStringLiteral("低"), QStringLiteral("中"), QStringLiteral("高")});
        Plain->setCurrentIndex(2);
        Grid->setObjectName(QStringLiteral("gvGrid"));
        GridModel.setHorizontalHeaderLabels(
            {QStringLiteral("一"), QStringLiteral("二"), QStringLiteral("三")});
        Grid->setModel(&GridModel);
        List->setObjectName(QStringLiteral("lbList"));
        List->addItems({QStringLiteral("x"), QStringLiteral("y")});
    }
};

} // namespace

class TranslationTest : public QObject {
    Q_OBJECT

private slots:
    void translatorRules() {
        UiFixture f;
        SampleForm s;
        QFile file(f.Dir() + QStringLiteral("Test.Ini"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[fSample]\nfSample.Caption=Window\nLabel1.Caption=Label\nstText.Caption=Static\n"
                   "btnOk.Caption=&OK\ntbNew.Caption=Tool\ntbNew.Hint=New file\n"
                   "cbTone.0=None\ncbTone.1=SHOULD NOT\ncbFixed.0=SHOULD NOT\ncbPlain.0=Low\ncbPlain.2=High\n"
                   "gvGrid.1=One\ngvGrid.3=Three\ngvGrid.4=SHOULD NOT\nlbList.1=Y\n"
                   "[Other]\nLabel1.Caption=SHOULD NOT\n");
        file.close();

        TranslateForm(&s.Form, f.Dir(), QStringLiteral("Test"), true);

        QCOMPARE(s.Form.windowTitle(), QStringLiteral("Window"));
        QCOMPARE(s.Label->text(), QStringLiteral("Label"));
        QCOMPARE(s.Static->text(), QStringLiteral("static"));
        QCOMPARE(s.Button->text(), QStringLiteral("&OK"));
        QCOMPARE(s.Tool->text(), QStringLiteral("Tool"));
        QCOMPARE(s.Tool->toolTip(), QStringLiteral("New file"));
        // Tag -3: only the none entry, and the selection stays where it was.
        QCOMPARE(s.Tone->itemText(0), QStringLiteral("None"));
        QCOMPARE(s.Tone->itemText(1), QStringLiteral("67.0"));
        QCOMPARE(s.Tone->currentIndex(), 2);
        QCOMPARE(s.Fixed->itemText(0), QStringLiteral("a"));
        // Missing keys leave their entries; the selected entry 2 shows its new text.
        QCOMPARE(s.Plain->itemText(0), QStringLiteral("Low"));
        QCOMPARE(s.Plain->itemText(1), QStringLiteral("中"));
        QCOMPARE(s.Plain->currentIndex(), 2);
        QCOMPARE(s.Plain->currentText(), QStringLiteral("High"));
        // Three columns read the keys .1 to .3.
        QCOMPARE(s.GridModel.headerData(0, Qt::Horizontal).toString(), QStringLiteral("One"));
        QCOMPARE(s.GridModel.headerData(1, Qt::Horizontal).toString(), QStringLiteral("二"));
        QCOMPARE(s.GridModel.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Three"));
        QCOMPARE(s.List->item(1)->text(), QStringLiteral("Y"));
    }

    void listsOnlyWhenAsked() {
        UiFixture f;
        SampleForm s;
        QFile file(f.Dir() + QStringLiteral("Test.Ini"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[fSample]\ncbPlain.0=Low\nlbList.0=X\n");
        file.close();
        TranslateForm(&s.Form, f.Dir(), QStringLiteral("Test"), false);
        QCOMPARE(s.Plain->itemText(0), QStringLiteral("低"));
        // A list is translated whatever the flag says.
        QCOMPARE(s.List->item(0)->text(), QStringLiteral("X"));
    }

    void missingFileChangesNothing() {
        UiFixture f;
        SampleForm s;
        TranslateForm(&s.Form, f.Dir(), QStringLiteral("Nowhere"), true);
        QCOMPARE(s.Form.windowTitle(), QStringLiteral("window"));
        QCOMPARE(s.Plain->itemText(0), QStringLiteral("低"));
        QCOMPARE(s.Tool->toolTip(), QStringLiteral("hint"));
    }

    void everyControlHasItsText_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("window");
        const QList<ProgramWindow> windows = ProgramWindows();
        for (const char* file : {"English.Ini", "Chinese.Ini"})
            for (int i = 0; i < windows.size(); ++i)
                QTest::addRow("%s %s", file, windows[i].Section) << QString::fromLatin1(file) << i;
    }

    void everyControlHasItsText() {
        QFETCH(QString, file);
        QFETCH(int, window);
        IniFile ini;
        QVERIFY(ini.Load(SourceFile(QStringLiteral("lang/") + file)));
        UiFixture f;
        const ProgramWindow w = ProgramWindows().at(window);
        std::unique_ptr<QWidget> form = w.Create(f);
        QCOMPARE(form->objectName(), QString::fromLatin1(w.Section));
        QStringList missing;
        for (const QString& key : FormTextKeys(form.get(), w.TranslateLists))
            if (!ini.Contains(QString::fromLatin1(w.Section), key))
                missing.append(key);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(", "))));
    }

    // Switching back to Chinese restores the windows exactly as they were designed.
    void chineseFileHoldsTheBuiltInTexts_data() {
        QTest::addColumn<int>("window");
        const QList<ProgramWindow> windows = ProgramWindows();
        for (int i = 0; i < windows.size(); ++i)
            QTest::addRow("%s", windows[i].Section) << i;
    }

    void chineseFileHoldsTheBuiltInTexts() {
        QFETCH(int, window);
        IniFile ini;
        QVERIFY(ini.Load(SourceFile(QStringLiteral("lang/Chinese.Ini"))));
        UiOptions options;
        options.LanguageFiles = false;
        UiFixture f(options);
        const ProgramWindow w = ProgramWindows().at(window);
        std::unique_ptr<QWidget> form = w.Create(f);
        const QString section = QString::fromLatin1(w.Section);
        QStringList differing;
        ApplyFormTexts(form.get(), w.TranslateLists, [&](const QString& key, const QString& current) {
            if (ini.Value(section, key, current) != current)
                differing.append(key);
            return current;
        });
        QVERIFY2(differing.isEmpty(), qPrintable(differing.join(QStringLiteral(", "))));
    }

    void everyMessageHasItsText_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("English") << "English.Ini";
        QTest::newRow("Chinese") << "Chinese.Ini";
    }

    void everyMessageHasItsText() {
        QFETCH(QString, file);
        IniFile ini;
        QVERIFY(ini.Load(SourceFile(QStringLiteral("lang/") + file)));
        for (const char* key : kMessageKeys)
            QVERIFY2(ini.Contains(QStringLiteral("Language"), QLatin1String(key)), key);
    }
};

QTEST_MAIN(TranslationTest)
#include "test_translation.moc"
