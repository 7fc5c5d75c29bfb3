// The main window driven through its command tags: start-up, the questions before data is
// cleared, replaced or left, files, band changes, the language switch, the view toggles and help.

#include "UiFixture.h"
#include "app/AppState.h"
#include "app/ReportBuilder.h"

#include "core/FullDisk.h"
#include "core/IniFile.h"
#include "core/Values.h"
#include "radiodata/ChannelTable.h"
#include "radiodata/FunctionSettings.h"
#include "ui/ChannelGrid.h"
#include "ui/ChannelModel.h"
#include "ui/Controls.h"
#include "ui/FrequencyModePanel.h"
#include "ui/dialogs/Model.h"
#include "ui/dialogs/SetLanguage.h"
#include "ui/dialogs/SetPort.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace {

constexpr int Yes = Prompter::Yes;
constexpr int No = Prompter::No;

const QString kSaveProgram = QStringLiteral("是否保存数据？");
const QString kClearData = QStringLiteral("是否清空数据？");
const QString kExitProgram = QStringLiteral("确定要退出系统？");
const QString kOtherBand = QStringLiteral("136.0 - 174.0MHz");

// Every cell of the table, shown and code texts.
QStringList TableCells(const ChannelTable& t) {
    QStringList cells;
    for (int k = 1; k <= t.RowCount(); ++k)
        for (int c = ChannelTable::ChannelNo; c <= ChannelTable::BusyLock; ++c)
            cells.append(t.Text(k, c) + QLatin1Char('|') + t.Code(k, c));
    return cells;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<UiFixture> F;

    TfMainFrm& W() { return *F->Window; }
    QComboBox* BandSelector() { return Child<QComboBox>(W(), "cbFreq"); }
    ChannelTable& Table() { return F->Db->MainTable; }
    QModelIndex Cell(int channel, int column) {
        return W().Channels()->index(channel - 1, ChannelModel::ModelColumn(column));
    }
    void Start(const UiOptions& options = UiOptions()) {
        F = std::make_unique<UiFixture>(options);
        F->Show();
    }
    // A channel typed into the grid: the data now counts as modified.
    void TypeChannel(int channel, const QString& rx) {
        QVERIFY(W().Channels()->setData(Cell(channel, ChannelTable::RxFrequency), rx));
        F->Prompts.Log.clear();
    }
    void ChooseBand(const QString& band) { BandSelector()->setCurrentIndex(BandSelector()->findText(band)); }
    QString Path(const QString& name) const { return F->Dir() + name; }

private slots:
    void cleanup() { F.reset(); }

    void firstStart_data() {
        QTest::addColumn<QStringList>("ports");
        QTest::addColumn<QString>("storedPort");
        QTest::addColumn<QString>("port");
        QTest::newRow("no SysInfo.Ini, no port") << QStringList() << QString() << "COM1";
        QTest::newRow("COM1 among the ports") << QStringList{"COM1", "COM2"} << QString() << "COM1";
        QTest::newRow("COM1 absent: the first port")
            << QStringList{"/dev/ttyS0", "/dev/ttyUSB0"} << QString() << "/dev/ttyS0";
        QTest::newRow("a device path keeps its letters") << QStringList() << "/dev/pts/7"
                                                         << "/dev/pts/7";
    }

    void firstStart() {
        QFETCH(QStringList, ports);
        QFETCH(QString, storedPort);
        QFETCH(QString, port);
        UiOptions options;
        options.LanguageFiles = false;
        options.Ports = ports;
        if (!storedPort.isEmpty())
            options.SysInfo = QStringLiteral("[SysInfo]\nCom=%1\n").arg(storedPort);
        Start(options);

        const TALL& s = F->Db->AppState;
        QCOMPARE(W().windowTitle(), QStringLiteral("N47"));
        QCOMPARE(s.ModelName, QStringLiteral("V35"));
        QCOMPARE(s.BandName, QStringLiteral("400.0 - 470.0MHz"));
        QCOMPARE(BandSelector()->currentText(), QStringLiteral("400.0 - 470.0MHz"));
        QCOMPARE(BandSelector()->count(), 13);
        QVERIFY(!s.Modified);
        QCOMPARE(s.PortName, port);
        QCOMPARE(Child<QLabel>(W(), "stModel")->text(), port);
        QCOMPARE(Child<QAction>(W(), "nNew")->text(), QStringLiteral("新建(&N)"));
        QCOMPARE(W().Channels()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("接收频率"));
        QCOMPARE(Table().RowCount(), 128);
        QCOMPARE(W().Grid()->columnWidth(ChannelModel::ModelColumn(ChannelTable::BusyLock)), 80);
        // The band set at start-up is the frequency mode's receive frequency.
        QCOMPARE(F->Db->FunctionSettings.VfoRxFreq, 400.0);
        QVERIFY(F->Prompts.Log.isEmpty());
        // One model: no model item, the band selector instead of the band text.
        QVERIFY(!Child<QAction>(W(), "nModel")->isVisible());
        QVERIFY(BandSelector()->isVisible());
    }

    void savingQuestions_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QString>("saveAs");
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<bool>("dataKept");
        QTest::addColumn<bool>("saved");

        const QStringList save{kSaveProgram};
        const QStringList clearSave{kClearData, kSaveProgram};
        const QStringList exitSave{kExitProgram, kSaveProgram};
        QTest::newRow("new, nothing to save")
            << "new" << false << QList<int>{} << "" << QStringList() << false << false;
        QTest::newRow("new, do not save") << "new" << true << QList<int>{No} << "" << save << false << false;
        QTest::newRow("new, save") << "new" << true << QList<int>{Yes} << "a.dat" << save << false << true;
        QTest::newRow("new, save dialog cancelled: nothing cleared")
            << "new" << true << QList<int>{Yes} << "" << save << true << false;
        QTest::newRow("open, save dialog cancelled: no open dialog")
            << "open" << true << QList<int>{Yes} << "" << save << true << false;
        QTest::newRow("open, do not save, open cancelled")
            << "open" << true << QList<int>{No} << "" << save << true << false;
        QTest::newRow("band, nothing to save")
            << "band" << false << QList<int>{} << "" << QStringList() << false << false;
        QTest::newRow("band, keep the data")
            << "band" << true << QList<int>{No} << "" << QStringList{kClearData} << true << false;
        QTest::newRow("band, clear without saving")
            << "band" << true << QList<int>{Yes, No} << "" << clearSave << false << false;
        QTest::newRow("band, save then clear")
            << "band" << true << QList<int>{Yes, Yes} << "b.dat" << clearSave << false << true;
        QTest::newRow("band, save dialog cancelled: band and data kept")
            << "band" << true << QList<int>{Yes, Yes} << "" << clearSave << true << false;
        QTest::newRow("close, stay") << "close" << true << QList<int>{No} << "" << QStringList{kExitProgram}
                                     << true << false;
        QTest::newRow("close without saving")
            << "close" << true << QList<int>{Yes, No} << "" << exitSave << true << false;
        QTest::newRow("close, save") << "close" << true << QList<int>{Yes, Yes} << "c.dat" << exitSave << true
                                     << true;
        QTest::newRow("close, save dialog cancelled: stays open")
            << "close" << true << QList<int>{Yes, Yes} << "" << exitSave << true << false;
        QTest::newRow("close, nothing to save")
            << "close" << false << QList<int>{Yes} << "" << QStringList{kExitProgram} << true << false;
    }

    void savingQuestions() {
        QFETCH(QString, command);
        QFETCH(bool, modified);
        QFETCH(QList<int>, answers);
        QFETCH(QString, saveAs);
        QFETCH(QStringList, questions);
        QFETCH(bool, dataKept);
        QFETCH(bool, saved);
        Start();
        TypeChannel(1, QStringLiteral("438.5"));
        F->Db->AppState.Modified = modified;
        F->Prompts.Answers = answers;
        if (!saveAs.isEmpty())
            F->Files.SaveAnswers = {Path(saveAs)};

        if (command == QLatin1String("new"))
            W().RunCommand(1);
        else if (command == QLatin1String("open"))
            W().RunCommand(2);
        else if (command == QLatin1String("band"))
            ChooseBand(kOtherBand);
        else
            W().close();

        QCOMPARE(F->Shown(), questions);
        QCOMPARE(Table().IsChannelInUse(1), dataKept);
        QCOMPARE(!saveAs.isEmpty() && QFileInfo::exists(Path(saveAs)), saved);
        if (command == QLatin1String("open"))
            QCOMPARE(F->Files.OpenRequests, answers == QList<int>{No} ? 1 : 0);
        if (command == QLatin1String("band")) {
            // The band follows the data: kept with it, or changed when it was cleared.
            const QString band = dataKept ? QStringLiteral("400.0 - 470.0MHz") : kOtherBand;
            QCOMPARE(F->Db->AppState.BandName, band);
            QCOMPARE(BandSelector()->currentText(), band);
        }
        if (command == QLatin1String("close")) {
            const bool closes =
                answers.value(0) == Yes && (questions.size() == 1 || answers.value(1) == No || saved);
            QCOMPARE(W().isVisible(), !closes);
        }
    }

    void keptBandKeepsTheFrequencyModeToo() {
        Start();
        TypeChannel(1, QStringLiteral("438.5"));
        F->Db->FunctionSettings.VfoRxFreq = 438.5;
        F->Prompts.Answers = {No};
        ChooseBand(kOtherBand);
        QCOMPARE(F->Db->FunctionSettings.VfoRxFreq, 438.5);
        QVERIFY(F->Db->AppState.Modified);
    }

    void bandChangeAsksWhenAFileIsOpen() {
        Start();
        TypeChannel(1, QStringLiteral("438.5"));
        F->Files.SaveAnswers = {Path(QStringLiteral("x.dat"))};
        W().RunCommand(3);
        QVERIFY(!F->Db->AppState.Modified);
        F->Prompts.Log.clear();
        F->Prompts.Answers = {Yes};
        ChooseBand(kOtherBand);
        QCOMPARE(F->Shown(), QStringList{kClearData});
        QVERIFY(!Table().IsChannelInUse(1));
        QCOMPARE(W().FileName, QString());
        QCOMPARE(F->Db->AppState.BandLow, 136.0);
    }

    void saveThenOpenRestoresTheGrid() {
        Start();
        ChannelModel* m = W().Channels();
        TypeChannel(1, QStringLiteral("438.5"));
        TypeChannel(2, QStringLiteral("439.2125"));
        m->setData(Cell(2, ChannelTable::TxFrequency), QStringLiteral("431.6125"));
        m->setData(Cell(2, ChannelTable::RxTone), QStringLiteral("88.5"));
        m->setData(Cell(2, ChannelTable::TxTone), QStringLiteral("D023I"));
        TypeChannel(5, QStringLiteral("462.5625"));
        m->setData(Cell(5, ChannelTable::TxFrequency), QString());
        m->setData(Cell(5, ChannelTable::Power), QStringLiteral("0"), ChannelModel::CodeRole);
        m->setData(Cell(5, ChannelTable::Bandwidth), QStringLiteral("0"), ChannelModel::CodeRole);
        m->setData(Cell(5, ChannelTable::OptSignal), QStringLiteral("2"), ChannelModel::CodeRole);
        m->setData(Cell(5, ChannelTable::BusyLock), QStringLiteral("2"), ChannelModel::CodeRole);
        TypeChannel(128, QStringLiteral("409.75"));
        const QStringList before = TableCells(Table());
        const QString path = Path(QStringLiteral("plan.dat"));
        F->Files.SaveAnswers = {path};

        W().RunCommand(3);
        QCOMPARE(W().FileName, path);
        QCOMPARE(W().windowTitle(), QStringLiteral("N47 [") + path + QLatin1Char(']'));
        QVERIFY(!F->Db->AppState.Modified);

        W().RunCommand(1);
        QVERIFY(!Table().IsChannelInUse(1));
        QCOMPARE(W().windowTitle(), QStringLiteral("N47"));

        F->Files.OpenAnswers = {path};
        W().RunCommand(2);
        QCOMPARE(TableCells(Table()), before);
        QCOMPARE(W().FileName, path);
        QVERIFY(!F->Db->AppState.Modified);
        QVERIFY(F->Prompts.Log.isEmpty());
        // Every channel opened from a file is in use: retyping its frequency keeps its settings.
        m->setData(Cell(5, ChannelTable::RxFrequency), QStringLiteral("462.55"));
        QCOMPARE(Table().Text(5, ChannelTable::Power), QStringLiteral("低"));
        QCOMPARE(Table().Text(5, ChannelTable::TxFrequency), QString());
    }

    void saveAddsTheSuffixAndSaveAsCancelledForgetsTheName() {
        Start();
        TypeChannel(1, QStringLiteral("438.5"));
        F->Files.SaveAnswers = {Path(QStringLiteral("plan"))};
        W().RunCommand(3);
        QCOMPARE(W().FileName, Path(QStringLiteral("plan.dat")));
        QVERIFY(QFileInfo::exists(Path(QStringLiteral("plan.dat"))));
        QCOMPARE(F->Files.LastFilter, QStringLiteral("数据文件(*.dat)"));
        QCOMPARE(F->Ui->ExportPdfText, QStringLiteral("导出PDF"));

        W().RunCommand(4);
        QCOMPARE(F->Files.SaveRequests, 2);
        QCOMPARE(W().FileName, QString());
        QCOMPARE(W().windowTitle(), QStringLiteral("N47"));
    }

    void aFileThatCannotBeOpenedChangesNothing() {
        Start();
        TypeChannel(3, QStringLiteral("438.5"));
        const QString good = Path(QStringLiteral("good.dat"));
        F->Files.SaveAnswers = {good};
        W().RunCommand(3);
        const QStringList before = TableCells(Table());
        const QString bad = Path(QStringLiteral("short.dat"));
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(100, '\xFF'));
        file.close();
        F->Files.OpenAnswers = {bad};

        W().RunCommand(2);

        QCOMPARE(F->Prompts.Log.size(), 1);
        QCOMPARE(TableCells(Table()), before);
        QCOMPARE(W().FileName, good);
    }

    void languageSwitchRetextsTheWindowAndBack() {
        Start();
        TypeChannel(1, QStringLiteral("438.5"));
        auto choose = [this](int language) {
            F->OnDialog[QStringLiteral("fSetLanguage")] = [language](QDialog& d) {
                auto& dialog = static_cast<TfSetLanguage&>(d);
                Child<QComboBox>(dialog, "cbLanguage")->setCurrentIndex(language);
                Child<QPushButton>(dialog, "btnOk")->click();
            };
            W().RunCommand(25);
        };

        choose(1);
        const TALL& s = F->Db->AppState;
        QCOMPARE(s.LanguageName, QStringLiteral("English"));
        QCOMPARE(s.LanguageIndex, 1);
        QVERIFY(!s.TextsUpdating);
        QCOMPARE(Child<QAction>(W(), "nNew")->text(), QStringLiteral("&New"));
        QCOMPARE(Child<QMenu>(W(), "mFile")->title(), QStringLiteral("&File"));
        QCOMPARE(Child<QToolButton>(W(), "tbRead")->toolTip(), QStringLiteral("Read from radio"));
        QCOMPARE(Child<QLabel>(W(), "lFrq")->text(), QStringLiteral("Band:"));
        QCOMPARE(W().Channels()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Rx (MHz)"));
        QCOMPARE(Table().Text(1, ChannelTable::RxTone), QStringLiteral("None"));
        QCOMPARE(Table().Text(1, ChannelTable::Power), QStringLiteral("High"));
        QCOMPARE(Table().Text(1, ChannelTable::BusyLock), QStringLiteral("Off"));
        QCOMPARE(W().NoneText(), QStringLiteral("None"));
        QCOMPARE(Child<QLabel>(W(), "lNone")->text(), QStringLiteral("None"));
        QCOMPARE(F->Db->Messages.SaveProgram, QStringLiteral("The data has unsaved changes. Save them?"));
        // The band list is never translated, and the change of its texts is no band change.
        QCOMPARE(BandSelector()->currentText(), QStringLiteral("400.0 - 470.0MHz"));
        QVERIFY(Table().IsChannelInUse(1));
        // A channel typed now gets the English defaults, and a none tone still means no tone.
        TypeChannel(2, QStringLiteral("439"));
        QCOMPARE(Table().Text(2, ChannelTable::TxTone), QStringLiteral("None"));
        ChannelValues values;
        QVERIFY(Table().GetChannelValues(2, values));
        QCOMPARE(values.TxTone, QString());

        choose(0);
        QCOMPARE(s.LanguageName, QStringLiteral("Chinese"));
        QCOMPARE(Child<QAction>(W(), "nNew")->text(), QStringLiteral("新建(&N)"));
        QCOMPARE(W().Channels()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("接收频率"));
        QCOMPARE(Table().Text(1, ChannelTable::RxTone), QStringLiteral("无"));
        QCOMPARE(Table().Text(2, ChannelTable::Power), QStringLiteral("高"));
        QCOMPARE(F->Db->Messages.SaveProgram, kSaveProgram);
    }

    void sameLanguageChangesNothing() {
        Start();
        F->OnDialog[QStringLiteral("fSetLanguage")] = [](QDialog& d) {
            Child<QPushButton>(d, "btnOk")->click();
        };
        W().RunCommand(25);
        QCOMPARE(F->Db->AppState.LanguageIndex, 0);
        QCOMPARE(Child<QAction>(W(), "nNew")->text(), QStringLiteral("新建(&N)"));
    }

    void startsInTheStoredLanguage() {
        UiOptions options;
        options.SysInfo = QStringLiteral("[SysInfo]\nDefaultLanguage=1\n");
        Start(options);
        QCOMPARE(F->Db->AppState.LanguageName, QStringLiteral("English"));
        QCOMPARE(Child<QAction>(W(), "nOpen")->text(), QStringLiteral("&Open..."));
        QCOMPARE(W().Channels()->headerData(10, Qt::Horizontal).toString(), QStringLiteral("BCL"));
        TypeChannel(1, QStringLiteral("438.5"));
        QCOMPARE(Table().Text(1, ChannelTable::ScanAdd), QStringLiteral("On"));
        QCOMPARE(Table().Text(1, ChannelTable::RxTone), QStringLiteral("None"));
        // Texts that used to be in the code come from the language file too.
        QCOMPARE(F->Ui->ExportPdfText, QStringLiteral("Export PDF"));
        QCOMPARE(Child<QComboBox>(W(), "cbbjpl")->itemText(3), QStringLiteral("12.5 kHz"));
        F->Db->AppState.Modified = false;
        W().RunCommand(2);
        QCOMPARE(F->Files.LastFilter, QStringLiteral("V35 data files (*.dat)"));
    }

    // A language file sets the grid's column widths and alignments as well as its titles; an
    // alignment code it does not know centres the column.
    void languageFileShapesColumns() {
        UiOptions options;
        options.SysInfo = QStringLiteral("[SysInfo]\nDefaultLanguage=1\n");
        F = std::make_unique<UiFixture>(options);
        QFile file(F->Dir() + QStringLiteral("English.Ini"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(file.readAll());
        file.close();
        for (const auto& [from, to] :
             {std::pair{"BColText.11=75", "BColText.11=90"}, std::pair{"BColText.23=3", "BColText.23=1"},
              std::pair{"BColText.24=3", "BColText.24=7"}}) {
            QVERIFY2(text.contains(QLatin1String(from)), from);
            text.replace(QLatin1String(from), QLatin1String(to));
        }
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.toUtf8());
        file.close();
        F->Show();
        const auto column = [](int c) { return ChannelModel::ModelColumn(c); };
        const auto alignment = [&](int c) {
            return W().Channels()->index(0, column(c)).data(Qt::TextAlignmentRole).value<Qt::Alignment>();
        };
        QCOMPARE(W().Grid()->columnWidth(column(ChannelTable::ChannelNo)), 90);
        QCOMPARE(W().Grid()->columnWidth(column(ChannelTable::RxFrequency)), 80);
        QCOMPARE(alignment(ChannelTable::RxFrequency), Qt::AlignLeft | Qt::AlignVCenter);
        QCOMPARE(alignment(ChannelTable::TxFrequency), Qt::Alignment(Qt::AlignCenter));
        QCOMPARE(alignment(ChannelTable::RxTone), Qt::AlignRight | Qt::AlignVCenter);
        QCOMPARE(W().Channels()->headerData(column(ChannelTable::RxFrequency), Qt::Horizontal).toString(),
                 QStringLiteral("Rx (MHz)"));
    }

    // What the report's frequency mode lines show for stored settings: an unset or far-off receive
    // frequency shows the band edge, the offset stays within the radio's limit and simplex has none.
    void frequencyModeLines_data() {
        QTest::addColumn<double>("rx");
        QTest::addColumn<int>("direction");
        QTest::addColumn<double>("offset");
        QTest::addColumn<double>("shownRx");
        QTest::addColumn<double>("shownOffset");
        QTest::newRow("unset rx shows the band's lower edge") << 0.0 << 1 << 5.0 << 400.0 << 5.0;
        QTest::newRow("rx within the margin above the band kept") << 479.5 << 1 << 5.0 << 479.5 << 5.0;
        QTest::newRow("rx beyond the margin above: upper edge") << 480.5 << 1 << 5.0 << 470.0 << 5.0;
        QTest::newRow("rx beyond the margin below: lower edge") << 389.5 << 2 << 5.0 << 400.0 << 5.0;
        QTest::newRow("offset above the radio's limit") << 430.0 << 1 << 80.0 << 430.0 << 69.995;
        QTest::newRow("simplex has no offset") << 430.0 << 0 << 5.0 << 430.0 << 0.0;
    }
    void frequencyModeLines() {
        QFETCH(double, rx);
        QFETCH(int, direction);
        QFETCH(double, offset);
        QFETCH(double, shownRx);
        QFETCH(double, shownOffset);
        QTemporaryDir dir;
        TfMaindb db(dir.path());
        db.SelectDefaultModel();
        QCOMPARE(db.AppState.BandLow, 400.0);
        QCOMPARE(db.AppState.BandHigh, 470.0);
        db.FunctionSettings.VfoRxFreq = rx;
        db.FunctionSettings.OffsetDirection = direction;
        db.FunctionSettings.VfoOffset = offset;
        BuildSettingsReport(db);
        QList<TAdoRecord> rows;
        for (const TAdoRecord& row : db.myAdo)
            if (row.TypeID == TAdoRecord::FrequencyMode)
                rows.append(row);
        QCOMPARE(rows.size(), 6);
        QCOMPARE(rows.at(0).AValue, FormatFrequency(shownRx));
        QCOMPARE(rows.at(5).AValue, FormatFrequency(shownOffset));
        for (const TAdoRecord& row : rows)
            QCOMPARE(row.TypeID, int(TAdoRecord::FrequencyMode));
    }

    void modelChange_data() {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<bool>("changed");
        QTest::newRow("cancelled") << false << QList<int>{} << false;
        QTest::newRow("keep the data") << true << QList<int>{No} << false;
        QTest::newRow("clear the data, do not save") << true << QList<int>{Yes, No} << true;
    }

    void modelChange() {
        QFETCH(bool, accept);
        QFETCH(QList<int>, answers);
        QFETCH(bool, changed);
        Start();
        TypeChannel(1, QStringLiteral("438.5"));
        F->Prompts.Answers = answers;
        F->OnDialog[QStringLiteral("fModel")] = [accept](QDialog& d) {
            auto& dialog = static_cast<TfModel&>(d);
            Child<QComboBox>(dialog, "cbPd")
                ->setCurrentIndex(Child<QComboBox>(dialog, "cbPd")->findText(kOtherBand));
            (accept ? Child<QPushButton>(dialog, "btnOk") : Child<QPushButton>(dialog, "btnCancel"))->click();
        };
        W().RunCommand(9);
        QCOMPARE(Table().IsChannelInUse(1), !changed);
        QCOMPARE(F->Db->AppState.BandName, changed ? kOtherBand : QStringLiteral("400.0 - 470.0MHz"));
        QCOMPARE(BandSelector()->currentText(), F->Db->AppState.BandName);
    }

    void portChangeShowsThePort() {
        UiOptions options;
        options.Ports = {QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyUSB0")};
        Start(options);
        F->OnDialog[QStringLiteral("fSetPort")] = [](QDialog& d) {
            auto& dialog = static_cast<TfSetPort&>(d);
            dialog.ListSystemPorts = [] { return QStringList(); };
            Child<QComboBox>(dialog, "cbCom")->setCurrentIndex(1);
            Child<QPushButton>(dialog, "btnOk")->click();
        };
        W().RunCommand(24);
        QCOMPARE(F->Db->AppState.PortName, QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(Child<QLabel>(W(), "stModel")->text(), QStringLiteral("/dev/ttyUSB0"));
    }

    // Every editing command opens its dialog by its tag, the hidden menu items 18 and 19 included.
    void dialogsByTag_data() {
        QTest::addColumn<int>("tag");
        QTest::addColumn<QString>("dialog");
        QTest::newRow("10 channel edit") << 10 << "fBInfoEdit";
        QTest::newRow("18 test frequency") << 18 << "fTestFrequency";
        QTest::newRow("19 embedded message") << 19 << "fEmbeddedMessage";
        QTest::newRow("35 about") << 35 << "fFrmAbout";
        QTest::newRow("36 batch edit") << 36 << "fBBatchEdit";
        QTest::newRow("37 function settings") << 37 << "fFunSet";
        QTest::newRow("39 frequency mode") << 39 << "fFreqModel";
    }
    void dialogsByTag() {
        QFETCH(int, tag);
        QFETCH(QString, dialog);
        Start();
        QVERIFY(!Child<QAction>(W(), "nTestFreq")->isVisible());
        QVERIFY(!Child<QAction>(W(), "nEmbeddedMsg")->isVisible());
        TypeChannel(3, QStringLiteral("446.00625"));
        QStringList opened;
        int startChannel = 0;
        F->OnDialog[dialog] = [&](QDialog& d) {
            opened.append(d.objectName());
            if (auto* spin = d.findChild<QSpinBox*>(QStringLiteral("sexd")))
                startChannel = spin->value();
            d.reject();
        };
        W().Grid()->setCurrentIndex(Cell(3, ChannelTable::RxFrequency));
        W().RunCommand(tag);
        QCOMPARE(opened, QStringList{dialog});
        if (tag == 10)
            QCOMPARE(startChannel, 3); // the channel of the grid's current row
    }

    // Every menu item and toolbar button runs its own command, and keeps its shortcut.
    void commandItems_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QKeySequence>("shortcut");
        QTest::addColumn<QString>("dialog");
        QTest::newRow("channel edit") << "nChannelEdit"
                                      << "tbChannelEdit" << QKeySequence(Qt::Key_F11) << "fBInfoEdit";
        QTest::newRow("batch edit") << "nBatchEdit"
                                    << "" << QKeySequence(Qt::Key_F10) << "fBBatchEdit";
        QTest::newRow("function settings") << "nFunSet"
                                           << "" << QKeySequence() << "fFunSet";
        QTest::newRow("frequency mode") << "nFreqModel"
                                        << "" << QKeySequence() << "fFreqModel";
        QTest::newRow("hidden test frequency") << "nTestFreq"
                                               << "" << QKeySequence() << "fTestFrequency";
        QTest::newRow("hidden embedded message") << "nEmbeddedMsg"
                                                 << "" << QKeySequence() << "fEmbeddedMessage";
        QTest::newRow("read") << "nRead"
                              << "tbRead" << QKeySequence(Qt::CTRL | Qt::Key_R) << "fReadRadio";
        QTest::newRow("write") << "nWrite"
                               << "tbWrite" << QKeySequence(Qt::CTRL | Qt::Key_W) << "fWriteRadio";
        QTest::newRow("port") << "nPort"
                              << "" << QKeySequence() << "fSetPort";
        QTest::newRow("language") << "nLanguage"
                                  << "" << QKeySequence() << "fSetLanguage";
        QTest::newRow("about") << "nAbout"
                               << "" << QKeySequence() << "fFrmAbout";
    }
    void commandItems() {
        QFETCH(QString, item);
        QFETCH(QString, button);
        QFETCH(QKeySequence, shortcut);
        QFETCH(QString, dialog);
        Start();
        auto* action = Child<QAction>(W(), item.toLatin1().constData());
        QCOMPARE(action->shortcut(), shortcut);
        QStringList opened;
        F->OnDialog[dialog] = [&](QDialog& d) {
            opened.append(d.objectName());
            d.reject();
        };
        action->trigger();
        QCOMPARE(opened, QStringList{dialog});
        if (button.isEmpty())
            return;
        Child<QToolButton>(W(), button.toLatin1().constData())->click();
        QCOMPARE(opened, (QStringList{dialog, dialog}));
    }

    // The file commands keep their shortcuts; the toolbar keeps its order.
    void fileShortcutsAndToolbar() {
        Start();
        const std::pair<const char*, QKeySequence> items[] = {
            {"nNew", QKeySequence(Qt::CTRL | Qt::Key_N)},   {"nOpen", QKeySequence(Qt::CTRL | Qt::Key_O)},
            {"nSave", QKeySequence(Qt::CTRL | Qt::Key_S)},  {"nSaveAs", QKeySequence(Qt::CTRL | Qt::Key_A)},
            {"nPrint", QKeySequence(Qt::CTRL | Qt::Key_P)}, {"nPreview", QKeySequence(Qt::CTRL | Qt::Key_V)},
            {"nExit", QKeySequence(Qt::CTRL | Qt::Key_X)},
        };
        for (const auto& [name, key] : items)
            QCOMPARE(Child<QAction>(W(), name)->shortcut(), key);
        QStringList buttons;
        for (QAction* a : Child<QToolBar>(W(), "tbar")->actions())
            buttons.append(a->isSeparator() ? QStringLiteral("|")
                                            : Child<QToolBar>(W(), "tbar")->widgetForAction(a)->objectName());
        QCOMPARE(buttons.join(QLatin1Char(' ')),
                 QStringLiteral("tbNew tbOpen tbSave | tbChannelEdit | tbPrint | tbRead | tbWrite | tbHelp"));
    }

    void viewToggles() {
        Start();
        QVERIFY(Child<QWidget>(W(), "pBar")->isVisible());
        Child<QAction>(W(), "nCool")->trigger();
        QVERIFY(!Child<QAction>(W(), "nCool")->isChecked());
        QVERIFY(!Child<QWidget>(W(), "pBar")->isVisible());
        Child<QAction>(W(), "nBar")->trigger();
        QVERIFY(!W().statusBar()->isVisible());
        Child<QAction>(W(), "nCool")->trigger();
        Child<QAction>(W(), "nBar")->trigger();
        QVERIFY(Child<QWidget>(W(), "pBar")->isVisible());
        QVERIFY(W().statusBar()->isVisible());
    }

    void help_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("helpWindowOpen");
        QTest::addColumn<QString>("opened");
        QTest::newRow("the help file of the language")
            << QStringList{"KX_Chinese.chm", "KX_Chinese.html"} << false << "KX_Chinese.chm";
        QTest::newRow("no help file: the guide next to the program")
            << QStringList{"KX_Chinese.html"} << false << "KX_Chinese.html";
        QTest::newRow("no guide either: the guide of the source tree")
            << QStringList() << false << V35_SOURCE_DIR "/doc/KX_Chinese.html";
        QTest::newRow("help window open: nothing more") << QStringList{"KX_Chinese.chm"} << true << "";
    }

    void help() {
        QFETCH(QStringList, files);
        QFETCH(bool, helpWindowOpen);
        QFETCH(QString, opened);
        Start();
        for (const QString& name : files) {
            QFile file(Path(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QWidget helpWindow;
        helpWindow.setWindowTitle(QStringLiteral("KX_Help"));
        if (helpWindowOpen)
            helpWindow.show();

        W().RunCommand(34);

        if (opened.isEmpty()) {
            QVERIFY(F->Opened.isEmpty());
            return;
        }
        QCOMPARE(F->Opened.size(), 1);
        const QString path = QDir::isAbsolutePath(opened) ? opened : Path(opened);
        QCOMPARE(F->Opened.constFirst(), QUrl::fromLocalFile(path));
    }

    void closingWritesTheSettings() {
        UiOptions options;
        options.SysInfo = QStringLiteral("[SysInfo]\nCom=com2\nHelp=KX\n");
        Start(options);
        F->Prompts.Answers = {Yes};
        QVERIFY(W().close());
        IniFile ini;
        QVERIFY(ini.Load(Path(QStringLiteral("SysInfo.Ini"))));
        QCOMPARE(ini.Value(QStringLiteral("SysInfo"), QStringLiteral("Com")), QStringLiteral("COM2"));
        QCOMPARE(ini.Value(QStringLiteral("SysInfo"), QStringLiteral("DefaultLanguage")),
                 QStringLiteral("0"));
        QCOMPARE(ini.Value(QStringLiteral("SysInfo"), QStringLiteral("PicID")), QStringLiteral("0"));
        QCOMPARE(ini.Value(QStringLiteral("SysInfo"), QStringLiteral("Help")), QStringLiteral("KX"));
    }

    // SysInfo.Ini that cannot be written at exit keeps its bytes, and the user is told why.
    void closingOnAFullDiskSaysWhy() {
        UiOptions options;
        options.SysInfo = QStringLiteral("[SysInfo]\nCom=com2\nHelp=KX\n");
        Start(options);
        const QString path = Path(QStringLiteral("SysInfo.Ini"));
        QFile before(path);
        QVERIFY(before.open(QIODevice::ReadOnly));
        const QByteArray bytes = before.readAll();
        before.close();
        F->Prompts.Answers = {Yes};
        {
            const FileSizeLimit limit(0);
            QVERIFY(W().close());
        }
        QCOMPARE(F->Prompts.Log.size(), 2);
        QCOMPARE(F->Prompts.Log.last().Caption, F->Db->Messages.Caution);
        QVERIFY2(F->Prompts.Log.last().Text.contains(QStringLiteral("File too large")),
                 qPrintable(F->Prompts.Log.last().Text));
        QVERIFY(before.open(QIODevice::ReadOnly));
        QCOMPARE(before.readAll(), bytes);
    }

    void statusBarAndClock() {
        Start();
        QCOMPARE(Child<QLabel>(W(), "MainBarPanel1")->text(),
                 QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd")));
        QVERIFY(QTime::fromString(Child<QLabel>(W(), "MainBarPanel2")->text(), QStringLiteral("HH:mm:ss"))
                    .isValid());
        Child<QLabel>(W(), "MainBarPanel2")->clear();
        QTRY_VERIFY_WITH_TIMEOUT(!Child<QLabel>(W(), "MainBarPanel2")->text().isEmpty(), 2500);
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_mainwindow.moc"
