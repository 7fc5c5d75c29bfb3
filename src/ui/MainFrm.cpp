#include "MainFrm.h"

#include "ChannelGrid.h"
#include "ChannelModel.h"
#include "Controls.h"
#include "FrequencyModePanel.h"
#include "MessageBoxPrompter.h"
#include "TranslateForm.h"
#include "UiServices.h"
#include "app/DatCommands.h"
#include "app/Maindb.h"
#include "core/Prompt.h"
#include "core/ToneLists.h"
#include "dialogs/BBatchEdit.h"
#include "dialogs/BInfoEdit.h"
#include "dialogs/EmbeddedMessage.h"
#include "dialogs/FreqModel.h"
#include "dialogs/FrmAbout.h"
#include "dialogs/FunSet.h"
#include "dialogs/Model.h"
#include "dialogs/ReadRadio.h"
#include "dialogs/SetLanguage.h"
#include "dialogs/SetPort.h"
#include "dialogs/TestFrequency.h"
#include "dialogs/ToneOption.h"
#include "dialogs/WriteRadio.h"
#include "ui/FileChooser.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

static void InitUiResources() {
    Q_INIT_RESOURCE(resources);
}

namespace {

constexpr QSize kInitialSize(977, 501);
constexpr int kClockInterval = 1000; // ms
constexpr int kStatusPanelWidths[5] = {50, 80, 120, 180, 200};
// Room beside the grid's columns for the row header and the scroll bar.
constexpr int kGridFrameWidth = 50;
// The window is no taller than this many pixels per channel when the radio has few channels.
constexpr int kHeightPerChannel = 30;

using Key = QKeyCombination;
constexpr Key kNoKey = Key(Qt::Key_unknown);

} // namespace

std::span<const TfMainFrm::CommandRow> TfMainFrm::Commands() {
    using C = Command;
    using W = TfMainFrm;
    static const CommandRow rows[] = {
        {C::New, "nNew", "新建(&N)", Qt::CTRL | Qt::Key_N, "tbNew", "新建", "new", [](W& w) { w.NewData(); }},
        {C::Open, "nOpen", "打开(&O)", Qt::CTRL | Qt::Key_O, "tbOpen", "打开", "open",
         [](W& w) { w.OpenData(); }},
        {C::Save, "nSave", "保存(&S)", Qt::CTRL | Qt::Key_S, "tbSave", "保存", "save",
         [](W& w) { w.SaveData(); }},
        {C::SaveAs, "nSaveAs", "另存为(&A)", Qt::CTRL | Qt::Key_A, nullptr, nullptr, nullptr,
         [](W& w) { w.SaveDataAs(); }},
        {C::Print, "nPrint", "打印(&P)", Qt::CTRL | Qt::Key_P, "tbPrint", "打印", "print",
         [](W& w) { w.PrintReport(false); }},
        {C::Preview, "nPreview", "打印浏览(&V)", Qt::CTRL | Qt::Key_V, nullptr, nullptr, nullptr,
         [](W& w) { w.PrintReport(true); }},
        {C::ChannelEdit, "nChannelEdit", "信道编辑(&C)", Key(Qt::Key_F11), "tbChannelEdit", "信道编辑",
         "edit",
         // Grid row k + 1 holds channel k; before any selection the dialog starts at channel 1.
         [](W& w) { TfBInfoEdit::Run(w.Db, w.Ui, w.CurrentRow > 1 ? w.CurrentRow - 1 : 1, &w); }},
        {C::BatchEdit, "nBatchEdit", "批量编辑信道(&P)", Key(Qt::Key_F10), nullptr, nullptr, nullptr,
         [](W& w) { TfBBatchEdit::Run(w.Db, w.Ui, &w); }},
        {C::FunctionSettings, "nFunSet", "功能设置(&G)", kNoKey, nullptr, nullptr, nullptr,
         [](W& w) { TfFunSet::Run(w.Db, w.Ui, TfFunSet::ChannelsInUse(w.Db.MainTable), &w); }},
        {C::FrequencyMode, "nFreqModel", "频率模式(&L)", kNoKey, nullptr, nullptr, nullptr,
         [](W& w) {
             if (TfFreqModel::Run(w.Db, w.Ui, &w))
                 w.LoadFrequencyModePanel();
         }},
        {C::TestFrequency, "nTestFreq", "测试频率(&T)", kNoKey, nullptr, nullptr, nullptr,
         [](W& w) { TfTestFrequency::Run(w.Db, w.Ui, &w); }},
        {C::EmbeddedMessage, "nEmbeddedMsg", "嵌入信息(&M)", kNoKey, nullptr, nullptr, nullptr,
         [](W& w) { TfEmbeddedMessage::Run(w.Db, w.Ui, &w); }},
        {C::Read, "nRead", "从对讲机读取数据(&R)", Qt::CTRL | Qt::Key_R, "tbRead", "读取", "read",
         [](W& w) { w.ReadFromRadio(); }},
        {C::Write, "nWrite", "向对讲机写入数据(&W)", Qt::CTRL | Qt::Key_W, "tbWrite", "写入", "write",
         [](W& w) { w.WriteToRadio(); }},
        {C::Model, "nModel", "机型信息(&M)", kNoKey, nullptr, nullptr, nullptr,
         [](W& w) { w.ChangeModel(); }},
        {C::Port, "nPort", "通信端口(&C)", kNoKey, nullptr, nullptr, nullptr, [](W& w) { w.ChangePort(); }},
        {C::Language, "nLanguage", "语言设置(&L)", kNoKey, nullptr, nullptr, nullptr,
         [](W& w) { w.ChangeLanguage(); }},
        // The program has no tree view; the two view toggles run from their own check marks.
        {C::TreeView, "nTree", "树视图(&V)", kNoKey, nullptr, nullptr, nullptr, nullptr},
        {C::ToolbarToggle, "nCool", "工具栏(&T)", kNoKey, nullptr, nullptr, nullptr, nullptr},
        {C::StatusBarToggle, "nBar", "状态栏(&S)", kNoKey, nullptr, nullptr, nullptr, nullptr},
        // A frame for child windows that the program never opens: these arrange nothing.
        {C::Cascade, "nCascade", "层叠(&C)", kNoKey, nullptr, nullptr, nullptr, nullptr},
        {C::TileHorizontal, "nTileH", "横向平铺窗口(&H)", kNoKey, nullptr, nullptr, nullptr, nullptr},
        {C::TileVertical, "nTileV", "纵向平铺窗口(&V)", kNoKey, nullptr, nullptr, nullptr, nullptr},
        {C::ArrangeIcons, "nArrange", "排列图标(&A)", kNoKey, nullptr, nullptr, nullptr, nullptr},
        {C::CloseAll, "nCloseAll", "关闭所有窗口(&W)", kNoKey, nullptr, nullptr, nullptr, nullptr},
        {C::Help, "nHelpTopic", "帮助主题(&H)", kNoKey, "tbHelp", "帮助", "help", [](W& w) { w.ShowHelp(); }},
        {C::About, "nAbout", "关于...", kNoKey, nullptr, nullptr, nullptr,
         [](W& w) { TfFrmAbout::Run(w.Db, w.Ui, &w); }},
    };
    return rows;
}

const TfMainFrm::CommandRow* TfMainFrm::FindCommand(Command command) {
    for (const CommandRow& row : Commands())
        if (row.Id == command)
            return &row;
    return nullptr;
}

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
    CreateStatusBar();
    grid->SetTonePicker([this] { return PickTone(); });
    connect(grid, &TChannelGrid::CellSelected, this, [this](int row, int col) {
        CurrentRow = row;
        CurrentCol = col;
    });

    clock = new QTimer(this);
    clock->setObjectName(QStringLiteral("Timer"));
    clock->setInterval(kClockInterval);
    connect(clock, &QTimer::timeout, this, &TfMainFrm::ShowClock);
    clock->start();

    resize(kInitialSize);
    if (auto* box = dynamic_cast<MessageBoxPrompter*>(&Ui.Prompts))
        box->SetParentWindow(this);
}

TfMainFrm::~TfMainFrm() = default;

QMenu* TfMainFrm::AddMenu(const char* name, const QString& title) {
    QMenu* menu = menuBar()->addMenu(title);
    menu->setObjectName(QLatin1String(name));
    return menu;
}

QAction* TfMainFrm::AddItem(QMenu* menu, const char* name, const QString& text) {
    auto* action = new QAction(text, this);
    action->setObjectName(QLatin1String(name));
    menu->addAction(action);
    return action;
}

QAction* TfMainFrm::AddItem(QMenu* menu, Command command) {
    const CommandRow* row = FindCommand(command);
    QAction* action = AddItem(menu, row->ItemName, QString::fromUtf8(row->ItemText));
    if (row->Key != kNoKey)
        action->setShortcut(QKeySequence(row->Key));
    if (row->Run)
        connect(action, &QAction::triggered, this, [this, command] { RunCommand(command); });
    return action;
}

void TfMainFrm::CreateMenus() {
    using C = Command;
    QMenu* file = AddMenu("mFile", QStringLiteral("文件(&F)"));
    for (C c : {C::New, C::Open, C::Save, C::SaveAs})
        AddItem(file, c);
    file->addSeparator();
    AddItem(file, C::Print);
    AddItem(file, C::Preview);
    file->addSeparator();
    QAction* exit = AddItem(file, "nExit", QStringLiteral("退出(&E)"));
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    connect(exit, &QAction::triggered, this, &TfMainFrm::close);

    QMenu* edit = AddMenu("mEdit", QStringLiteral("编辑(&E)"));
    AddItem(edit, C::ChannelEdit);
    AddItem(edit, C::BatchEdit);
    edit->addSeparator();
    AddItem(edit, C::FunctionSettings);
    AddItem(edit, C::FrequencyMode);
    edit->addSeparator()->setVisible(false);
    AddItem(edit, C::TestFrequency)->setVisible(false);
    AddItem(edit, C::EmbeddedMessage)->setVisible(false);

    QMenu* program = AddMenu("mProgram", QStringLiteral("编程(&P)"));
    AddItem(program, C::Read);
    AddItem(program, C::Write);

    QMenu* setup = AddMenu("mSetup", QStringLiteral("设置(&S)"));
    modelItem = AddItem(setup, C::Model);
    modelSeparator = setup->addSeparator();
    AddItem(setup, C::Port);
    AddItem(setup, C::Language);

    QMenu* view = AddMenu("mView", QStringLiteral("视图(&V)"));
    AddItem(view, C::TreeView)->setVisible(false);
    view->addSeparator()->setVisible(false);
    toolbarItem = AddItem(view, C::ToolbarToggle);
    statusBarItem = AddItem(view, C::StatusBarToggle);
    for (QAction* toggle : {toolbarItem, statusBarItem}) {
        toggle->setCheckable(true);
        toggle->setChecked(true);
    }
    connect(toolbarItem, &QAction::triggered, this,
            [this] { toolbarPanel->setVisible(toolbarItem->isChecked()); });
    connect(statusBarItem, &QAction::triggered, this,
            [this] { statusBarWidget->setVisible(statusBarItem->isChecked()); });
    view->addSeparator();
    // The window shows no background picture: the effect items run nothing.
    QMenu* effect = view->addMenu(QStringLiteral("背景效果(&P)"));
    effect->setObjectName(QStringLiteral("mEffect"));
    effect->menuAction()->setVisible(false);
    const char* const effects[][2] = {{"nEffect1", "效果一(&A)"},
                                      {"nEffect2", "效果二(&B)"},
                                      {"nEffect3", "效果三(&C)"},
                                      {"nEffect4", "效果四(&D)"}};
    for (const auto& e : effects)
        AddItem(effect, e[0], QString::fromUtf8(e[1]));

    QMenu* window = AddMenu("mWindow", QStringLiteral("窗口(&W)"));
    window->menuAction()->setVisible(false);
    for (C c : {C::Cascade, C::TileHorizontal, C::TileVertical, C::ArrangeIcons})
        AddItem(window, c);
    window->addSeparator();
    AddItem(window, C::CloseAll);

    QMenu* help = AddMenu("mHelp", QStringLiteral("帮助(&H)"));
    AddItem(help, C::Help);
    help->addSeparator();
    AddItem(help, C::About);
}

void TfMainFrm::CreateToolBar(QWidget* parent) {
    toolBar = new QToolBar(parent);
    toolBar->setObjectName(QStringLiteral("tbar"));
    toolBar->setIconSize(QSize(20, 20));
    toolBar->setMovable(false);
    toolBar->setFloatable(false);
    using C = Command;
    const C order[] = {C::New, C::Open, C::Save, C::ChannelEdit, C::Print, C::Read, C::Write, C::Help};
    // A divider follows the file group and each single button after it.
    constexpr int kFirstGroupSize = 3;
    int position = 0;
    for (C command : order) {
        if (position++ >= kFirstGroupSize)
            toolBar->addSeparator();
        const CommandRow* row = FindCommand(command);
        const QString hint = QString::fromUtf8(row->ButtonHint);
        auto* button = new QToolButton(toolBar);
        button->setObjectName(QLatin1String(row->ButtonName));
        button->setText(hint);
        button->setToolTip(hint);
        button->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(row->Icon))));
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, [this, command] { RunCommand(command); });
        toolBar->addWidget(button);
    }
}

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

    modelCaption = NewNamedLabel(top, "lMode", QStringLiteral("机型："));
    portCaption = NewNamedLabel(top, "lCom", QStringLiteral("通信口："));
    portOrModelText = new TStaticText(top);
    portOrModelText->setObjectName(QStringLiteral("stModel"));
    portOrModelText->setMinimumWidth(90);
    portOrModelText->setFrameShape(QFrame::StyledPanel);
    portOrModelText->setFrameShadow(QFrame::Sunken);
    portOrModelText->setContentsMargins(4, 0, 4, 0);
    bandCaption = NewNamedLabel(top, "lFrq", QStringLiteral("频率："));
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

void TfMainFrm::CreateStatusBar() {
    statusBarWidget = statusBar();
    statusBarWidget->setObjectName(QStringLiteral("MainBar"));
    statusBarWidget->setSizeGripEnabled(true);
    for (int i = 0; i < 5; ++i) {
        TStaticText* panel = statusPanels[i] = new TStaticText(statusBarWidget);
        panel->setObjectName(QStringLiteral("MainBarPanel%1").arg(i));
        panel->setFixedWidth(kStatusPanelWidths[i]);
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setContentsMargins(4, 0, 4, 0);
        statusBarWidget->addWidget(panel);
    }
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
    statusPanels[0]->clear();
    ShowClock();
    statusPanels[4]->clear();
    setWindowTitle(FileName.isEmpty() ? state.AppTitle
                                      : state.AppTitle + QStringLiteral(" [") + FileName + QLatin1Char(']'));
    if (SingleModel) {
        SetBandText(state.BandName);
        portOrModelText->setText(state.PortName);
        statusPanels[3]->clear();
    } else {
        portOrModelText->setText(state.ModelName);
        bandText->setText(state.BandName);
        statusPanels[3]->setText(portCaption->text() + state.PortName);
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

void TfMainFrm::ShowClock() {
    const QDateTime now = QDateTime::currentDateTime();
    statusPanels[1]->setText(now.toString(QStringLiteral("yyyy/MM/dd")));
    statusPanels[2]->setText(now.toString(QStringLiteral("HH:mm:ss")));
}

void TfMainFrm::RunCommand(int number) {
    // A number that names no command still commits the editor, as every menu item does.
    RunCommand(static_cast<Command>(number));
}

void TfMainFrm::RunCommand(Command command) {
    // A frequency being typed is committed, with its checks, before any command sees the table.
    grid->CommitAndCloseEditor();
    bandSelector->setFocus();
    if (const CommandRow* row = FindCommand(command); row && row->Run)
        row->Run(*this);
    // The band selector holds the focus only while the command runs: a Down key meant for the grid
    // would otherwise change the band and clear the channels.
    if (isVisible())
        grid->setFocus();
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
    return dataFileText->text() + QStringLiteral("(*.dat)");
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
        saved = SaveDatFile(Db, FileName, 0, Ui.Prompts);
    } else {
        QString path = Ui.Files.SaveFileName(this, DataFileFilter());
        if (!path.isEmpty()) {
            if (QFileInfo(path).suffix().isEmpty())
                path += QStringLiteral(".dat");
            saved = SaveDatFile(Db, path, 1, Ui.Prompts);
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
    clock->stop();
    Db.SaveSettings();
    event->accept();
}
