#include "MainFrm.h"

#include "ChannelGrid.h"
#include "ChannelModel.h"
#include "Controls.h"
#include "FrequencyModePanel.h"
#include "MainStatusBar.h"
#include "MessageBoxPrompter.h"
#include "TranslateForm.h"
#include "UiServices.h"
#include "app/DatCommands.h"
#include "app/FormTexts.h"
#include "app/Maindb.h"
#include "core/Prompt.h"
#include "core/ToneLists.h"
#include "dialogs/FunSet.h"
#include "dialogs/Model.h"
#include "dialogs/ReadRadio.h"
#include "dialogs/SetLanguage.h"
#include "dialogs/SetPort.h"
#include "dialogs/ToneOption.h"
#include "dialogs/WriteRadio.h"
#include "ui/FileChooser.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

static void InitUiResources() {
    Q_INIT_RESOURCE(resources);
}

namespace {

constexpr QSize kInitialSize(977, 501);
// Room beside the grid's columns for the row header and the scroll bar.
constexpr int kGridFrameWidth = 50;
// The window is no taller than this many pixels per channel when the radio has few channels.
constexpr int kHeightPerChannel = 30;

} // namespace

TfMainFrm::TfMainFrm(TfMaindb& db, UiServices& ui, QWidget* parent) : QMainWindow(parent), Db(db), Ui(ui) {
    InitUiResources();
    setObjectName(QStringLiteral("fMainFrm"));
    setWindowTitle(QStringLiteral("N47"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/app.svg")));

    CreateMenus();
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    CreateTopBar();
    layout->addWidget(toolbarPanel->parentWidget());

    channelModel =
        new ChannelModel(Db.MainTable, Db.AppState, Db.FunctionSettings, Db.Messages, Ui.Prompts, this);
    grid = new TChannelGrid(channelModel, central);
    grid->setObjectName(QStringLiteral("gvData"));
    SetTag(grid, -2);
    layout->addWidget(grid, 1);
    setCentralWidget(central);

    CreateHiddenControls();
    mainStatusBar = new TMainStatusBar(this);
    setStatusBar(mainStatusBar);
    grid->SetTonePicker([this] { return PickTone(); });
    connect(grid, &TChannelGrid::CellSelected, this, [this](int row, int col) {
        CurrentRow = row;
        CurrentCol = col;
    });

    resize(kInitialSize);
    if (auto* box = dynamic_cast<MessageBoxPrompter*>(&Ui.Prompts))
        box->SetParentWindow(this);
}

TfMainFrm::~TfMainFrm() = default;

void TfMainFrm::CreateTopBar() {
    auto* top = new QWidget(this);
    top->setObjectName(QStringLiteral("CoolBar"));
    auto* row = new QHBoxLayout(top);
    row->setContentsMargins(2, 1, 8, 1);
    row->setSpacing(4);
    constexpr int kGroupSpacing = 12;

    toolbarPanel = new QWidget(top);
    toolbarPanel->setObjectName(QStringLiteral("pBar"));
    auto* barLayout = new QHBoxLayout(toolbarPanel);
    barLayout->setContentsMargins(0, 0, 0, 0);
    CreateToolBar(toolbarPanel);
    barLayout->addWidget(toolBar);

    modelCaption = NewNamedLabel(top, "lMode", MainWindowCaption("lMode"));
    portCaption = NewNamedLabel(top, "lCom", QStringLiteral("通信口："));
    portOrModelText = new TStaticText(top);
    portOrModelText->setObjectName(QStringLiteral("stModel"));
    portOrModelText->setMinimumWidth(90);
    portOrModelText->setFrameShape(QFrame::StyledPanel);
    portOrModelText->setFrameShadow(QFrame::Sunken);
    portOrModelText->setContentsMargins(4, 0, 4, 0);
    bandCaption = NewNamedLabel(top, "lFrq", MainWindowCaption("lFrq"));
    bandSelector = new QComboBox(top);
    bandSelector->setObjectName(QStringLiteral("cbFreq"));
    SetTag(bandSelector, -2);
    bandSelector->setMinimumContentsLength(16);
    bandSelector->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    bandText = new TStaticText(top);
    bandText->setObjectName(QStringLiteral("stFreq"));
    bandText->setVisible(false);
    connect(bandSelector, &QComboBox::currentIndexChanged, this, &TfMainFrm::BandChosen);

    row->addWidget(toolbarPanel);
    row->addSpacing(kGroupSpacing);
    row->addWidget(modelCaption);
    row->addWidget(portCaption);
    row->addWidget(portOrModelText);
    row->addSpacing(kGroupSpacing);
    row->addWidget(bandCaption);
    row->addWidget(bandSelector);
    row->addWidget(bandText);
    row->addStretch(1);
}

void TfMainFrm::CreateHiddenControls() {
    auto* hidden = new QWidget(this);
    hidden->setVisible(false);

    portList = NewNamedList(hidden, "cbCom", {}, -2);
    noneTextLabel = NewNamedLabel(hidden, "lNone", BuiltInNoneText());
    // The language file sets the columns' titles, widths and alignments through this list.
    columnTexts = new QListWidget(hidden);
    columnTexts->setObjectName(QStringLiteral("BColText"));
    WriteGridColumnTexts(columnTexts, BuiltInGridColumns());
    dataFileText = NewNamedLabel(hidden, "lDataFile", QStringLiteral("数据文件"));
    // The tooltip of a grid frequency this band cannot use; "%1" and "%2" are the range's ends.
    outOfBandText = NewNamedLabel(hidden, "lOutOfBand", QStringLiteral("超出本频段可用的范围 %1 - %2 MHz"));
    // The print preview's PDF export, which Qt's own preview does not have.
    exportPdfText = NewNamedLabel(hidden, "lExportPdf", QStringLiteral("导出PDF"));
    const MessageBoxPrompter::ButtonTexts buttons;
    okButtonText = NewNamedLabel(hidden, "lBtnOk", buttons.Ok);
    yesButtonText = NewNamedLabel(hidden, "lBtnYes", buttons.Yes);
    noButtonText = NewNamedLabel(hidden, "lBtnNo", buttons.No);
    retryButtonText = NewNamedLabel(hidden, "lBtnRetry", buttons.Retry);
    cancelButtonText = NewNamedLabel(hidden, "lBtnCancel", buttons.Cancel);

    // The in-grid editors' lists. Entry 0 of the tone lists is the none text, the only entry a
    // language file translates.
    rxToneList = NewNamedList(hidden, "cbQT", LongToneList(), -3);
    grid->SetEditorLists({
        rxToneList,
        NewNamedList(hidden, "cbDQT", LongToneList(), -3),
        NewNamedList(hidden, "cbfsgl", {QStringLiteral("低"), QStringLiteral("高")}),
        NewNamedList(hidden, "cbkz", {QStringLiteral("窄带"), QStringLiteral("宽带")}),
        NewNamedList(hidden, "cbHave", {QStringLiteral("否"), QStringLiteral("是")}),
        NewNamedList(hidden, "cbkxxl", {QStringLiteral("无"), QStringLiteral("DTMF"), QStringLiteral("FSK")}),
        NewNamedList(hidden, "cbPTT", {QStringLiteral("关"), QStringLiteral("开")}),
        NewNamedList(hidden, "cbfmsd",
                     {QStringLiteral("关闭"), QStringLiteral("载波"), QStringLiteral("QT/DQT")}),
    });

    frequencyModePanel = new TFrequencyModePanel(hidden);
}

void TfMainFrm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!Shown) {
        Shown = true;
        FormShow();
    }
}

void TfMainFrm::FormShow() {
    TALL& state = Db.AppState;
    Db.SelectDefaultModel();

    QStringList ports;
    Ui.ListPorts(&ports);
    portList->clear();
    portList->addItems(ports);
    // "Com1" from an old file becomes "COM1"; a device path keeps its letters, which are significant.
    if (!state.PortName.startsWith(QLatin1Char('/')))
        state.PortName = state.PortName.toUpper();
    if (!ports.contains(state.PortName) && !ports.isEmpty())
        state.PortName = ports.constFirst();

    FileName.clear();
    SingleModel = Db.Catalogue.Count() == 1;
    if (state.LanguageIndex > 0)
        TranslateForm(this, state.ProgramDir, state.LanguageName, true);
    setWindowTitle(state.AppTitle);
    ApplyModelLayout();
    RefreshStatus();
    // The frequency mode starts on the band's lower edge.
    Db.FunctionSettings.VfoRxFreq = state.BandLow;
    noneTextLabel->setText(rxToneList->itemText(0));
    channelModel->Retranslate(grid->EditorVocabulary());
    channelModel->SetOutOfRangeTip(outOfBandText->text());
    Ui.ExportPdfText = exportPdfText->text();
    BuildGridColumns();
    LoadFrequencyModePanel();
    ApplyPromptButtons();
    state.Modified = false;
    state.TextsUpdating = false;
}

void TfMainFrm::ApplyModelLayout() {
    modelCaption->setVisible(!SingleModel);
    portCaption->setVisible(SingleModel);
    bandSelector->setVisible(SingleModel);
    bandText->setVisible(!SingleModel);
    modelItem->setVisible(!SingleModel);
    modelSeparator->setVisible(!SingleModel);
    if (const TMacType* model = Db.AppState.Model) {
        // Filling the list is no choice of a band.
        const QSignalBlocker block(bandSelector);
        bandSelector->addItems(model->Bands);
        bandSelector->setCurrentIndex(-1);
    }
}

void TfMainFrm::RefreshStatus() {
    const TALL& state = Db.AppState;
    mainStatusBar->Refresh();
    setWindowTitle(FileName.isEmpty() ? state.AppTitle
                                      : state.AppTitle + QStringLiteral(" [") + FileName + QLatin1Char(']'));
    if (SingleModel) {
        SetBandText(state.BandName);
        portOrModelText->setText(state.PortName);
        mainStatusBar->SetPortText(QString());
    } else {
        portOrModelText->setText(state.ModelName);
        bandText->setText(state.BandName);
        mainStatusBar->SetPortText(portCaption->text() + state.PortName);
    }
}

void TfMainFrm::SetBandText(const QString& band) {
    // The program only shows the band it already holds: that is no choice of the user, and must not
    // run the selector's handler (which would move the frequency mode to the band's edge).
    const QSignalBlocker block(bandSelector);
    const int index = bandSelector->findText(band);
    if (index >= 0)
        bandSelector->setCurrentIndex(index);
    if (bandSelector->currentIndex() < 0 && bandSelector->count() > 0)
        bandSelector->setCurrentIndex(0);
}

void TfMainFrm::BandChosen() {
    TALL& state = Db.AppState;
    const QString band = bandSelector->currentText();
    bool proceed = true;
    if (state.Modified || !FileName.isEmpty())
        proceed = ShowPrompt(Ui.Prompts, Db.Messages.Confirmation, Db.Messages.ClearData, Prompter::YesNo) ==
                  Prompter::Yes;
    // The unsaved data is offered for saving before the band changes; a cancelled save keeps it.
    if (proceed)
        proceed = SaveChangesFirst();
    if (!proceed) {
        // Putting the old band back is no change: nothing else may move.
        SetBandText(state.BandName);
        return;
    }
    bandText->setText(band);
    ApplyBandName(state, band);
    Db.FunctionSettings.VfoRxFreq = state.BandLow;
    frequencyModePanel->ShowRxFrequency(state.BandLow);
    ClearAllData();
}

void TfMainFrm::ApplyPromptButtons() {
    auto* box = dynamic_cast<MessageBoxPrompter*>(&Ui.Prompts);
    if (!box)
        return;
    MessageBoxPrompter::ButtonTexts texts;
    texts.Ok = okButtonText->text();
    texts.Yes = yesButtonText->text();
    texts.No = noButtonText->text();
    texts.Retry = retryButtonText->text();
    texts.Cancel = cancelButtonText->text();
    box->SetButtonTexts(texts);
}

void TfMainFrm::BuildGridColumns() {
    gridColumns = ReadGridColumnTexts(columnTexts);
    QStringList titles;
    QList<Qt::Alignment> alignments;
    for (const GridColumn& c : gridColumns) {
        titles.append(c.Title);
        alignments.append(c.Alignment);
    }
    channelModel->SetColumns(titles, alignments);
    int sum = 0;
    for (int b = 0; b < gridColumns.size(); ++b) {
        grid->setColumnWidth(b, gridColumns[b].Width);
        sum += gridColumns[b].Width;
    }
    resize(sum + kGridFrameWidth, height());
    channelModel->ResetChannelTable();
    const int channels = Db.AppState.ChannelCount;
    if (channels > 0 && kHeightPerChannel * channels < height())
        resize(width(), kHeightPerChannel * channels);
}

void TfMainFrm::RetranslateGrid() {
    // Only the titles follow a language change; widths and alignments stay as the grid was built.
    const QList<GridColumn> translated = ReadGridColumnTexts(columnTexts);
    QStringList titles;
    for (int b = 0; b < translated.size(); ++b) {
        if (b < gridColumns.size())
            gridColumns[b].Title = translated[b].Title;
        titles.append(translated[b].Title);
    }
    channelModel->SetTitles(titles);
    channelModel->Retranslate(grid->EditorVocabulary());
    channelModel->SetOutOfRangeTip(outOfBandText->text());
    Ui.ExportPdfText = exportPdfText->text();
    noneTextLabel->setText(rxToneList->itemText(0));
}

QString TfMainFrm::NoneText() const {
    return channelModel->NoneText();
}

QString TfMainFrm::PickTone() {
    return TfToneOption::Pick(Db, Ui, this);
}

void TfMainFrm::LoadFrequencyModePanel() {
    frequencyModePanel->Load(Db.FunctionSettings, Db.AppState);
}

bool TfMainFrm::SaveChangesFirst() {
    if (!Db.AppState.Modified)
        return true;
    if (ShowPrompt(Ui.Prompts, Db.Messages.Confirmation, Db.Messages.SaveProgram, Prompter::YesNo) !=
        Prompter::Yes)
        return true;
    return SaveData();
}

void TfMainFrm::ClearAllData() {
    ResetRadioSettings(Db.FunctionSettings, Db.EmbeddedMessage);
    channelModel->ResetChannelTable();
    LoadFrequencyModePanel();
    FileName.clear();
    RefreshStatus();
    Db.AppState.Modified = false;
}

bool TfMainFrm::NewData() {
    if (!SaveChangesFirst())
        return false;
    ClearAllData();
    return true;
}

QString TfMainFrm::DataFileFilter() const {
    // "数据文件(*.dat)" as the program has always shown it; a word in a Latin script gets its blank
    // ("V35 data files (*.dat)").
    const QString name = dataFileText->text();
    const bool latin = !name.isEmpty() && name.back().script() == QChar::Script_Latin;
    return name + (latin ? QStringLiteral(" (*.dat)") : QStringLiteral("(*.dat)"));
}
void TfMainFrm::OpenData() {
    if (!SaveChangesFirst())
        return;
    const QString path = Ui.Files.OpenFileName(this, DataFileFilter());
    if (path.isEmpty())
        return;
    OpenDataFile(path);
}

bool TfMainFrm::OpenDataFile(const QString& path) {
    // A file that cannot be opened is reported and changes nothing, the window's file name included.
    QString opened = path;
    const bool ok = OpenDatFile(Db, opened, Ui.Prompts);
    if (ok)
        FileName = path;
    LoadFrequencyModePanel();
    RefreshStatus();
    return ok;
}

bool TfMainFrm::SaveData() {
    bool saved = false;
    if (!FileName.isEmpty()) {
        saved = SaveDatFile(Db, FileName, SaveMode::CurrentName, Ui.Prompts);
    } else {
        QString path = Ui.Files.SaveFileName(this, DataFileFilter());
        if (!path.isEmpty()) {
            if (QFileInfo(path).suffix().isEmpty())
                path += QStringLiteral(".dat");
            saved = SaveDatFile(Db, path, SaveMode::ChosenName, Ui.Prompts);
            // A file that could not be written is not the window's file.
            if (saved)
                FileName = path;
        }
    }
    RefreshStatus();
    return saved;
}

void TfMainFrm::SaveDataAs() {
    FileName.clear();
    SaveData();
}

void TfMainFrm::ChangeModel() {
    TfModel dialog(Db, this);
    Ui.ExecDialog(dialog);
    if (!dialog.Accepted)
        return;
    TALL& state = Db.AppState;
    if (state.Modified && ShowPrompt(Ui.Prompts, Db.Messages.Confirmation, Db.Messages.ClearData,
                                     Prompter::YesNo) != Prompter::Yes)
        return;
    // Saved under the model the data belongs to, before the model changes.
    if (!SaveChangesFirst())
        return;
    TMacType* model = Db.Catalogue.FindByName(dialog.SelectedModelName());
    if (!model)
        return;
    SelectModel(state, model);
    ApplyBandName(state, dialog.SelectedBand());
    ClearAllData();
}

void TfMainFrm::ReadFromRadio() {
    // A completed read replaces everything: unsaved edits are offered for saving first.
    if (!SaveChangesFirst())
        return;
    TfReadRadio dialog(Db, Ui, this);
    Ui.ExecDialog(dialog);
    if (!dialog.ReadDone())
        return;
    QString error;
    if (!ApplyReadCodeplug(Db, dialog.Result(), &error)) {
        ShowPrompt(Ui.Prompts, Db.Messages.Confirmation, Db.Messages.ModError + QLatin1Char('\n') + error,
                   Prompter::Information);
        return;
    }
    FileName.clear();
    // The band selector follows the radio's band; the frequency mode keeps the value read.
    RefreshStatus();
    LoadFrequencyModePanel();
}

void TfMainFrm::WriteToRadio() {
    TfWriteRadio dialog(Db, Ui, this);
    Ui.ExecDialog(dialog);
}

void TfMainFrm::ChangePort() {
    TfSetPort dialog(Db, Ui, this);
    Ui.ExecDialog(dialog);
    RefreshStatus();
}

void TfMainFrm::ChangeLanguage() {
    TfSetLanguage dialog(Db, this);
    Ui.ExecDialog(dialog);
    if (!dialog.Changed)
        return;
    TALL& state = Db.AppState;
    state.TextsUpdating = true;
    Db.ReloadMessages();
    TranslateForm(this, state.ProgramDir, state.LanguageName, true);
    RetranslateGrid();
    RefreshStatus();
    ApplyPromptButtons();
    state.TextsUpdating = false;
}

void TfMainFrm::ShowHelp() {
    const TALL& state = Db.AppState;
    const QString title = state.HelpPrefix + QStringLiteral("_Help");
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != this && window->isVisible() && window->windowTitle() == title) {
            window->showNormal();
            window->raise();
            window->activateWindow();
            return;
        }
    const QString base = state.HelpPrefix + QLatin1Char('_') + state.LanguageName;
    // The help file of the original layout first, then the user guide that ships with the program,
    // next to it or, in a build tree, in the source tree.
    const QStringList candidates = {
        state.ProgramDir + base + QStringLiteral(".chm"),
        state.ProgramDir + base + QStringLiteral(".html"),
        QStringLiteral(V35_SOURCE_DOC_DIR "/") + base + QStringLiteral(".html"),
        state.ProgramDir + state.HelpPrefix + QStringLiteral("_English.html"),
        QStringLiteral(V35_SOURCE_DOC_DIR "/") + state.HelpPrefix + QStringLiteral("_English.html"),
    };
    for (const QString& path : candidates)
        if (QFileInfo::exists(path)) {
            // A failure of the system's "open" is not reported.
            Ui.OpenUrl(QUrl::fromLocalFile(path));
            return;
        }
}

void TfMainFrm::closeEvent(QCloseEvent* event) {
    // A frequency still in the editor counts as typed: the save question must cover it.
    grid->CommitAndCloseEditor();
    if (ShowPrompt(Ui.Prompts, Db.Messages.Confirmation, Db.Messages.ExitProgram, Prompter::YesNo) !=
        Prompter::Yes) {
        event->ignore();
        return;
    }
    if (!SaveChangesFirst()) {
        event->ignore();
        return;
    }
    mainStatusBar->StopClock();
    // The window closes all the same; a port or language that could not be kept is said.
    QString error;
    if (!Db.SaveSettings(&error))
        ShowPrompt(Ui.Prompts, Db.Messages.Caution, error, Prompter::Information);
    event->accept();
}
