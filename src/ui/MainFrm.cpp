#include "MainFrm.h"

#include "ChannelGrid.h"
#include "ChannelModel.h"
#include "Controls.h"
#include "MessageBoxPrompter.h"
#include "ReportRenderer.h"
#include "TranslateForm.h"
#include "UiServices.h"
#include "app/DatCommands.h"
#include "app/Maindb.h"
#include "core/Prompt.h"
#include "core/ToneLists.h"
#include "core/Values.h"
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
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
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

// Column titles, widths in pixels and alignment codes (1 left, 2 centre, 3 right) of the grid.
const char* const kGridColumns[][3] = {
    {"信道编号", "75", "2"}, {"接收频率", "80", "3"}, {"发射频率", "80", "3"}, {"接收信令", "65", "3"},
    {"发射信令", "65", "3"}, {"发射功率", "60", "2"}, {"宽/窄", "60", "2"},    {"扫描添加", "60", "2"},
    {"可选信令", "75", "2"}, {"PTTID", "60", "2"},    {"繁忙锁定", "80", "2"},
};

QComboBox* NewList(QWidget* parent, const char* name, const QStringList& items, int tag = 0) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    combo->addItems(items);
    if (tag)
        SetTag(combo, tag);
    return combo;
}

QLabel* NewLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

QDoubleSpinBox* NewFrequencyEdit(QWidget* parent, const char* name) {
    auto* edit = new QDoubleSpinBox(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setLocale(QLocale::c());
    edit->setDecimals(5);
    edit->setRange(0.0, 1000.0);
    edit->setButtonSymbols(QAbstractSpinBox::NoButtons);
    return edit;
}

Qt::Alignment AlignmentOf(const QString& code) {
    switch (code.trimmed().toInt()) {
    case 1:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case 3:
        return Qt::AlignRight | Qt::AlignVCenter;
    default:
        return Qt::AlignCenter;
    }
}

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
    layout->addWidget(pBar->parentWidget());

    Channels =
        new ChannelModel(Db.MainTable, Db.AppState, Db.FunctionSettings, Db.Messages, Ui.Prompts, this);
    gvData = new TChannelGrid(Channels, central);
    gvData->setObjectName(QStringLiteral("gvData"));
    SetTag(gvData, -2);
    layout->addWidget(gvData, 1);
    setCentralWidget(central);

    CreateHiddenControls();
    CreateStatusBar();
    gvData->SetEditorLists({cbQT, cbDQT, cbfsgl, cbkz, cbHave, cbkxxl, cbPTT, cbfmsd});
    gvData->SetTonePicker([this] { return PickTone(); });
    connect(gvData, &TChannelGrid::CellSelected, this, [this](int row, int col) {
        CurrentRow = row;
        CurrentCol = col;
    });

    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(1000);
    connect(Timer, &QTimer::timeout, this, &TfMainFrm::TimerTimer);
    Timer->start();

    resize(977, 501);
    if (auto* box = dynamic_cast<MessageBoxPrompter*>(&Ui.Prompts))
        box->SetParentWindow(this);
}

TfMainFrm::~TfMainFrm() = default;

QAction* TfMainFrm::AddItem(QMenu* menu, const char* name, const QString& text, int tag,
                            const QKeySequence& key) {
    auto* action = new QAction(text, this);
    action->setObjectName(QLatin1String(name));
    SetTag(action, tag);
    if (!key.isEmpty())
        action->setShortcut(key);
    menu->addAction(action);
    if (tag > 0)
        connect(action, &QAction::triggered, this, [this, tag] { RunCommand(tag); });
    return action;
}

void TfMainFrm::CreateMenus() {
    QMenuBar* bar = menuBar();
    auto newMenu = [&](const char* name, const QString& title) {
        QMenu* menu = bar->addMenu(title);
        menu->setObjectName(QLatin1String(name));
        return menu;
    };

    mFile = newMenu("mFile", QStringLiteral("文件(&F)"));
    nNew = AddItem(mFile, "nNew", QStringLiteral("新建(&N)"), 1, QKeySequence(Qt::CTRL | Qt::Key_N));
    nOpen = AddItem(mFile, "nOpen", QStringLiteral("打开(&O)"), 2, QKeySequence(Qt::CTRL | Qt::Key_O));
    nSave = AddItem(mFile, "nSave", QStringLiteral("保存(&S)"), 3, QKeySequence(Qt::CTRL | Qt::Key_S));
    nSaveAs = AddItem(mFile, "nSaveAs", QStringLiteral("另存为(&A)"), 4, QKeySequence(Qt::CTRL | Qt::Key_A));
    mFile->addSeparator();
    nPrint = AddItem(mFile, "nPrint", QStringLiteral("打印(&P)"), 7, QKeySequence(Qt::CTRL | Qt::Key_P));
    nPreview =
        AddItem(mFile, "nPreview", QStringLiteral("打印浏览(&V)"), 8, QKeySequence(Qt::CTRL | Qt::Key_V));
    mFile->addSeparator();
    nExit = AddItem(mFile, "nExit", QStringLiteral("退出(&E)"), 0, QKeySequence(Qt::CTRL | Qt::Key_X));
    connect(nExit, &QAction::triggered, this, &TfMainFrm::nExitClick);

    mEdit = newMenu("mEdit", QStringLiteral("编辑(&E)"));
    nChannelEdit =
        AddItem(mEdit, "nChannelEdit", QStringLiteral("信道编辑(&C)"), 10, QKeySequence(Qt::Key_F11));
    nBatchEdit =
        AddItem(mEdit, "nBatchEdit", QStringLiteral("批量编辑信道(&P)"), 36, QKeySequence(Qt::Key_F10));
    mEdit->addSeparator();
    nFunSet = AddItem(mEdit, "nFunSet", QStringLiteral("功能设置(&G)"), 37);
    nFreqModel = AddItem(mEdit, "nFreqModel", QStringLiteral("频率模式(&L)"), 39);
    mEdit->addSeparator()->setVisible(false);
    nTestFreq = AddItem(mEdit, "nTestFreq", QStringLiteral("测试频率(&T)"), 18);
    nTestFreq->setVisible(false);
    nEmbeddedMsg = AddItem(mEdit, "nEmbeddedMsg", QStringLiteral("嵌入信息(&M)"), 19);
    nEmbeddedMsg->setVisible(false);

    mProgram = newMenu("mProgram", QStringLiteral("编程(&P)"));
    nRead = AddItem(mProgram, "nRead", QStringLiteral("从对讲机读取数据(&R)"), 20,
                    QKeySequence(Qt::CTRL | Qt::Key_R));
    nWrite = AddItem(mProgram, "nWrite", QStringLiteral("向对讲机写入数据(&W)"), 21,
                     QKeySequence(Qt::CTRL | Qt::Key_W));

    mSetup = newMenu("mSetup", QStringLiteral("设置(&S)"));
    nModel = AddItem(mSetup, "nModel", QStringLiteral("机型信息(&M)"), 9);
    nModelLine = mSetup->addSeparator();
    nPort = AddItem(mSetup, "nPort", QStringLiteral("通信端口(&C)"), 24);
    nLanguage = AddItem(mSetup, "nLanguage", QStringLiteral("语言设置(&L)"), 25);

    mView = newMenu("mView", QStringLiteral("视图(&V)"));
    // Kept for its tag; the program has no tree view.
    nTree = AddItem(mView, "nTree", QStringLiteral("树视图(&V)"), 0);
    SetTag(nTree, 26);
    nTree->setVisible(false);
    mView->addSeparator()->setVisible(false);
    nCool = AddItem(mView, "nCool", QStringLiteral("工具栏(&T)"), 0);
    SetTag(nCool, 27);
    nCool->setCheckable(true);
    nCool->setChecked(true);
    connect(nCool, &QAction::triggered, this, &TfMainFrm::nCoolClick);
    nBar = AddItem(mView, "nBar", QStringLiteral("状态栏(&S)"), 0);
    SetTag(nBar, 28);
    nBar->setCheckable(true);
    nBar->setChecked(true);
    connect(nBar, &QAction::triggered, this, &TfMainFrm::nBarClick);
    mView->addSeparator();
    // The window shows no background picture: the effect items run nothing.
    mEffect = mView->addMenu(QStringLiteral("背景效果(&P)"));
    mEffect->setObjectName(QStringLiteral("mEffect"));
    mEffect->menuAction()->setVisible(false);
    const char* const effects[][2] = {{"nEffect1", "效果一(&A)"},
                                      {"nEffect2", "效果二(&B)"},
                                      {"nEffect3", "效果三(&C)"},
                                      {"nEffect4", "效果四(&D)"}};
    for (int i = 0; i < 4; ++i)
        SetTag(AddItem(mEffect, effects[i][0], QString::fromUtf8(effects[i][1]), 0), i + 1);

    // A frame for child windows that the program never opens; kept hidden with its commands.
    mWindow = newMenu("mWindow", QStringLiteral("窗口(&W)"));
    mWindow->menuAction()->setVisible(false);
    AddItem(mWindow, "nCascade", QStringLiteral("层叠(&C)"), 29);
    AddItem(mWindow, "nTileH", QStringLiteral("横向平铺窗口(&H)"), 30);
    AddItem(mWindow, "nTileV", QStringLiteral("纵向平铺窗口(&V)"), 31);
    AddItem(mWindow, "nArrange", QStringLiteral("排列图标(&A)"), 32);
    mWindow->addSeparator();
    AddItem(mWindow, "nCloseAll", QStringLiteral("关闭所有窗口(&W)"), 33);

    mHelp = newMenu("mHelp", QStringLiteral("帮助(&H)"));
    nHelpTopic = AddItem(mHelp, "nHelpTopic", QStringLiteral("帮助主题(&H)"), 34);
    mHelp->addSeparator();
    nAbout = AddItem(mHelp, "nAbout", QStringLiteral("关于..."), 35);
}

QToolButton* TfMainFrm::AddToolButton(const char* name, const QString& hint, const char* icon, int tag) {
    auto* button = new QToolButton(tbar);
    button->setObjectName(QLatin1String(name));
    button->setText(hint);
    button->setToolTip(hint);
    button->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(icon))));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    SetTag(button, tag);
    connect(button, &QToolButton::clicked, this, [this, tag] { RunCommand(tag); });
    tbar->addWidget(button);
    return button;
}

void TfMainFrm::CreateTopBar() {
    auto* top = new QWidget(this);
    top->setObjectName(QStringLiteral("CoolBar"));
    auto* row = new QHBoxLayout(top);
    row->setContentsMargins(2, 1, 8, 1);
    row->setSpacing(4);

    pBar = new QWidget(top);
    pBar->setObjectName(QStringLiteral("pBar"));
    auto* barLayout = new QHBoxLayout(pBar);
    barLayout->setContentsMargins(0, 0, 0, 0);
    tbar = new QToolBar(pBar);
    tbar->setObjectName(QStringLiteral("tbar"));
    tbar->setIconSize(QSize(20, 20));
    tbar->setMovable(false);
    tbar->setFloatable(false);
    barLayout->addWidget(tbar);

    tbNew = AddToolButton("tbNew", QStringLiteral("新建"), "new", 1);
    tbOpen = AddToolButton("tbOpen", QStringLiteral("打开"), "open", 2);
    tbSave = AddToolButton("tbSave", QStringLiteral("保存"), "save", 3);
    tbar->addSeparator();
    tbChannelEdit = AddToolButton("tbChannelEdit", QStringLiteral("信道编辑"), "edit", 10);
    tbar->addSeparator();
    tbPrint = AddToolButton("tbPrint", QStringLiteral("打印"), "print", 7);
    tbar->addSeparator();
    tbRead = AddToolButton("tbRead", QStringLiteral("读取"), "read", 20);
    tbar->addSeparator();
    tbWrite = AddToolButton("tbWrite", QStringLiteral("写入"), "write", 21);
    tbar->addSeparator();
    tbHelp = AddToolButton("tbHelp", QStringLiteral("帮助"), "help", 34);

    lMode = NewLabel(top, "lMode", QStringLiteral("机型："));
    lCom = NewLabel(top, "lCom", QStringLiteral("通信口："));
    stModel = new TStaticText(top);
    stModel->setObjectName(QStringLiteral("stModel"));
    stModel->setMinimumWidth(90);
    stModel->setFrameShape(QFrame::StyledPanel);
    stModel->setFrameShadow(QFrame::Sunken);
    stModel->setContentsMargins(4, 0, 4, 0);
    lFrq = NewLabel(top, "lFrq", QStringLiteral("频率："));
    cbFreq = new QComboBox(top);
    cbFreq->setObjectName(QStringLiteral("cbFreq"));
    SetTag(cbFreq, -2);
    cbFreq->setMinimumContentsLength(16);
    cbFreq->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    stFreq = new TStaticText(top);
    stFreq->setObjectName(QStringLiteral("stFreq"));
    stFreq->setVisible(false);
    connect(cbFreq, &QComboBox::currentIndexChanged, this, &TfMainFrm::cbFreqPropertiesEditValueChanged);

    row->addWidget(pBar);
    row->addSpacing(12);
    row->addWidget(lMode);
    row->addWidget(lCom);
    row->addWidget(stModel);
    row->addSpacing(12);
    row->addWidget(lFrq);
    row->addWidget(cbFreq);
    row->addWidget(stFreq);
    row->addStretch(1);
}

void TfMainFrm::CreateHiddenControls() {
    auto* hidden = new QWidget(this);
    hidden->setVisible(false);

    cbCom = NewList(hidden, "cbCom", {}, -2);
    lNone = NewLabel(hidden, "lNone", BuiltInNoneText());
    BColText = new QListWidget(hidden);
    BColText->setObjectName(QStringLiteral("BColText"));
    for (int part = 0; part < 3; ++part)
        for (const auto& column : kGridColumns)
            BColText->addItem(QString::fromUtf8(column[part]));
    lDataFile = NewLabel(hidden, "lDataFile", QStringLiteral("数据文件"));
    // The tooltip of a grid frequency this band cannot use; "%1" and "%2" are the range's ends.
    lOutOfBand = NewLabel(hidden, "lOutOfBand", QStringLiteral("超出本频段可用的范围 %1 - %2 MHz"));
    const MessageBoxPrompter::ButtonTexts buttons;
    lBtnOk = NewLabel(hidden, "lBtnOk", buttons.Ok);
    lBtnYes = NewLabel(hidden, "lBtnYes", buttons.Yes);
    lBtnNo = NewLabel(hidden, "lBtnNo", buttons.No);
    lBtnRetry = NewLabel(hidden, "lBtnRetry", buttons.Retry);
    lBtnCancel = NewLabel(hidden, "lBtnCancel", buttons.Cancel);

    // Entry 0 of the tone lists is the none text, the only entry a language file translates.
    cbQT = NewList(hidden, "cbQT", LongToneList(), -3);
    cbDQT = NewList(hidden, "cbDQT", LongToneList(), -3);
    cbfsgl = NewList(hidden, "cbfsgl", {QStringLiteral("低"), QStringLiteral("高")});
    cbkz = NewList(hidden, "cbkz", {QStringLiteral("窄带"), QStringLiteral("宽带")});
    cbHave = NewList(hidden, "cbHave", {QStringLiteral("否"), QStringLiteral("是")});
    cbkxxl = NewList(hidden, "cbkxxl", {QStringLiteral("无"), QStringLiteral("DTMF"), QStringLiteral("FSK")});
    cbPTT = NewList(hidden, "cbPTT", {QStringLiteral("关"), QStringLiteral("开")});
    cbfmsd =
        NewList(hidden, "cbfmsd", {QStringLiteral("关闭"), QStringLiteral("载波"), QStringLiteral("QT/DQT")});

    CreateFrequencyModePanel(hidden);
}

void TfMainFrm::CreateFrequencyModePanel(QWidget* parent) {
    pTop = new QWidget(parent);
    pTop->setObjectName(QStringLiteral("pTop"));
    auto* form = new QFormLayout(pTop);
    Label9 = NewLabel(pTop, "Label9", QStringLiteral("全频模式设置"));
    form->addRow(Label9);
    Label1 = NewLabel(pTop, "Label1", QStringLiteral("接收频率(MHz)"));
    cxRx = NewFrequencyEdit(pTop, "cxRx");
    form->addRow(Label1, cxRx);
    Label2 = NewLabel(pTop, "Label2", QStringLiteral("步进频率"));
    cbbjpl = NewList(pTop, "cbbjpl",
                     {QStringLiteral("5K"), QStringLiteral("6.25K"), QStringLiteral("10K"),
                      QStringLiteral("12.5K"), QStringLiteral("25K")},
                     -2);
    form->addRow(Label2, cbbjpl);
    Label3 = NewLabel(pTop, "Label3", QStringLiteral("接收亚音频"));
    cbjsyyp = NewList(pTop, "cbjsyyp", LongToneList(), -3);
    cbjsyyp->setEditable(true);
    form->addRow(Label3, cbjsyyp);
    Label5 = NewLabel(pTop, "Label5", QStringLiteral("发射亚音频"));
    cbfsyyp = NewList(pTop, "cbfsyyp", LongToneList(), -3);
    cbfsyyp->setEditable(true);
    form->addRow(Label5, cbfsyyp);
    Label6 = NewLabel(pTop, "Label6", QStringLiteral("位差方向"));
    cbwcfx = NewList(pTop, "cbwcfx",
                     {QStringLiteral("同频"), QStringLiteral("+(高于接收)"), QStringLiteral("-(低于接收)")});
    form->addRow(Label6, cbwcfx);
    Label7 = NewLabel(pTop, "Label7", QStringLiteral("位差频率(MHz)"));
    cxWcpl = NewFrequencyEdit(pTop, "cxWcpl");
    form->addRow(Label7, cxWcpl);
    Label8 = NewLabel(pTop, "Label8", QStringLiteral("信道频率设置"));
    form->addRow(Label8);
    connect(cbwcfx, &QComboBox::currentIndexChanged, this, &TfMainFrm::cbwcfxChange);
}

void TfMainFrm::CreateStatusBar() {
    MainBar = statusBar();
    MainBar->setObjectName(QStringLiteral("MainBar"));
    MainBar->setSizeGripEnabled(true);
    const int widths[5] = {50, 80, 120, 180, 200};
    for (int i = 0; i < 5; ++i) {
        Panels[i] = new TStaticText(MainBar);
        Panels[i]->setObjectName(QStringLiteral("MainBarPanel%1").arg(i));
        Panels[i]->setFixedWidth(widths[i]);
        Panels[i]->setFrameShape(QFrame::StyledPanel);
        Panels[i]->setFrameShadow(QFrame::Sunken);
        Panels[i]->setContentsMargins(4, 0, 4, 0);
        MainBar->addWidget(Panels[i]);
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
    cbCom->clear();
    cbCom->addItems(ports);
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
    lNone->setText(cbQT->itemText(0));
    Channels->Retranslate(gvData->EditorVocabulary());
    Channels->SetOutOfRangeTip(lOutOfBand->text());
    BuildGridColumns();
    LoadFrequencyModePanel();
    ApplyPromptButtons();
    state.Modified = false;
    state.TextsUpdating = false;
}

void TfMainFrm::ApplyModelLayout() {
    lMode->setVisible(!SingleModel);
    lCom->setVisible(SingleModel);
    cbFreq->setVisible(SingleModel);
    stFreq->setVisible(!SingleModel);
    nModel->setVisible(!SingleModel);
    nModelLine->setVisible(!SingleModel);
    if (const TMacType* model = Db.AppState.Model) {
        // Filling the list is no choice of a band.
        const QSignalBlocker block(cbFreq);
        cbFreq->addItems(model->Bands);
        cbFreq->setCurrentIndex(-1);
    }
}

void TfMainFrm::RefreshStatus() {
    const TALL& state = Db.AppState;
    const QDateTime now = QDateTime::currentDateTime();
    Panels[0]->clear();
    Panels[1]->setText(now.toString(QStringLiteral("yyyy/MM/dd")));
    Panels[2]->setText(now.toString(QStringLiteral("HH:mm:ss")));
    Panels[4]->clear();
    setWindowTitle(FileName.isEmpty() ? state.AppTitle
                                      : state.AppTitle + QStringLiteral(" [") + FileName + QLatin1Char(']'));
    if (SingleModel) {
        SetBandText(state.BandName);
        stModel->setText(state.PortName);
        Panels[3]->clear();
    } else {
        stModel->setText(state.ModelName);
        stFreq->setText(state.BandName);
        Panels[3]->setText(lCom->text() + state.PortName);
    }
}

void TfMainFrm::SetBandText(const QString& band) {
    // The program only shows the band it already holds: that is no choice of the user, and must not
    // run the selector's handler (which would move the frequency mode to the band's edge).
    const QSignalBlocker block(cbFreq);
    const int index = cbFreq->findText(band);
    if (index >= 0)
        cbFreq->setCurrentIndex(index);
    if (cbFreq->currentIndex() < 0 && cbFreq->count() > 0)
        cbFreq->setCurrentIndex(0);
}

void TfMainFrm::cbFreqPropertiesEditValueChanged() {
    TALL& state = Db.AppState;
    const QString band = cbFreq->currentText();
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
    stFreq->setText(band);
    ApplyBandName(state, band);
    Db.FunctionSettings.VfoRxFreq = state.BandLow;
    cxRx->setValue(state.BandLow);
    ClearAllData();
}

void TfMainFrm::ApplyPromptButtons() {
    auto* box = dynamic_cast<MessageBoxPrompter*>(&Ui.Prompts);
    if (!box)
        return;
    MessageBoxPrompter::ButtonTexts texts;
    texts.Ok = lBtnOk->text();
    texts.Yes = lBtnYes->text();
    texts.No = lBtnNo->text();
    texts.Retry = lBtnRetry->text();
    texts.Cancel = lBtnCancel->text();
    box->SetButtonTexts(texts);
}

void TfMainFrm::BuildGridColumns() {
    const int n = BColText->count() / 3;
    QStringList titles;
    QList<Qt::Alignment> alignments;
    for (int b = 0; b < n; ++b) {
        titles.append(BColText->item(b)->text());
        alignments.append(AlignmentOf(BColText->item(2 * n + b)->text()));
    }
    Channels->SetColumns(titles, alignments);
    int sum = 0;
    for (int b = 0; b < n; ++b) {
        const int width = BColText->item(n + b)->text().trimmed().toInt();
        gvData->setColumnWidth(b, width);
        sum += width;
    }
    resize(sum + 50, height());
    Channels->ResetChannelTable();
    const int channels = Db.AppState.ChannelCount;
    if (channels > 0 && 30 * channels < height())
        resize(width(), 30 * channels);
}

void TfMainFrm::RetranslateGrid() {
    const int n = BColText->count() / 3;
    QStringList titles;
    for (int b = 0; b < n; ++b)
        titles.append(BColText->item(b)->text());
    Channels->SetTitles(titles);
    Channels->Retranslate(gvData->EditorVocabulary());
    Channels->SetOutOfRangeTip(lOutOfBand->text());
    lNone->setText(cbQT->itemText(0));
}

QString TfMainFrm::NoneText() const {
    return Channels->NoneText();
}

QString TfMainFrm::PickTone() {
    return TfToneOption::Pick(Db, Ui, this);
}

void TfMainFrm::LoadFrequencyModePanel() {
    const TFun& f = Db.FunctionSettings;
    const TALL& state = Db.AppState;
    double rx = f.VfoRxFreq;
    if (FrequencyUnits(rx) == 0)
        rx = state.BandLow;
    else if (rx > state.BandHigh + 10)
        rx = state.BandHigh;
    else if (rx < state.BandLow - 10)
        rx = state.BandLow;
    cxRx->setValue(rx);
    cbbjpl->setCurrentIndex(f.VfoStep >= 0 && f.VfoStep < cbbjpl->count() ? f.VfoStep : -1);
    cbjsyyp->setCurrentIndex(0);
    if (!f.VfoRxTone.isEmpty())
        cbjsyyp->setEditText(f.VfoRxTone);
    cbfsyyp->setCurrentIndex(0);
    if (!f.VfoTxTone.isEmpty())
        cbfsyyp->setEditText(f.VfoTxTone);
    cbwcfx->setCurrentIndex(f.OffsetDirection >= 0 && f.OffsetDirection < cbwcfx->count() ? f.OffsetDirection
                                                                                          : -1);
    cxWcpl->setValue(f.VfoOffset > 69.995 ? 69.995 : (f.VfoOffset <= 0 ? 0.0 : f.VfoOffset));
    cbwcfxChange();
}

void TfMainFrm::cbwcfxChange() {
    const bool simplex = cbwcfx->currentIndex() == 0;
    cxWcpl->setEnabled(!simplex);
    if (simplex)
        cxWcpl->setValue(0.0);
}

void TfMainFrm::TimerTimer() {
    const QDateTime now = QDateTime::currentDateTime();
    Panels[1]->setText(now.toString(QStringLiteral("yyyy/MM/dd")));
    Panels[2]->setText(now.toString(QStringLiteral("HH:mm:ss")));
}

void TfMainFrm::RunCommand(int tag) {
    // A frequency being typed is committed, with its checks, before any command sees the table.
    gvData->CommitAndCloseEditor();
    cbFreq->setFocus();
    RunTag(tag);
    // The band selector holds the focus only while the command runs: a Down key meant for the grid
    // would otherwise change the band and clear the channels.
    if (isVisible())
        gvData->setFocus();
}

void TfMainFrm::RunTag(int tag) {
    switch (tag) {
    case 1:
        NewData();
        break;
    case 2:
        OpenData();
        break;
    case 3:
        SaveData();
        break;
    case 4:
        SaveDataAs();
        break;
    case 7:
        PrintReport(false);
        break;
    case 8:
        PrintReport(true);
        break;
    case 9:
        ChangeModel();
        break;
    case 10:
        // Grid row k + 1 holds channel k; before any selection the dialog starts at channel 1.
        TfBInfoEdit::Run(Db, Ui, CurrentRow > 1 ? CurrentRow - 1 : 1, this);
        break;
    case 18:
        TfTestFrequency::Run(Db, Ui, this);
        break;
    case 19:
        TfEmbeddedMessage::Run(Db, Ui, this);
        break;
    case 20:
        ReadFromRadio();
        break;
    case 21:
        WriteToRadio();
        break;
    case 24:
        ChangePort();
        break;
    case 25:
        ChangeLanguage();
        break;
    case 34:
        ShowHelp();
        break;
    case 35:
        TfFrmAbout::Run(Db, Ui, this);
        break;
    case 36:
        TfBBatchEdit::Run(Db, Ui, this);
        break;
    case 37:
        TfFunSet::Run(Db, Ui, TfFunSet::ChannelsInUse(Db.MainTable), this);
        break;
    case 39:
        if (TfFreqModel::Run(Db, Ui, this))
            LoadFrequencyModePanel();
        break;
    // 29 to 33 arrange child windows, which the program never opens.
    default:
        break;
    }
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
    Channels->ResetChannelTable();
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
    return lDataFile->text() + QStringLiteral("(*.dat)");
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

void TfMainFrm::nExitClick() {
    close();
}

void TfMainFrm::nCoolClick() {
    pBar->setVisible(nCool->isChecked());
}

void TfMainFrm::nBarClick() {
    MainBar->setVisible(nBar->isChecked());
}

void TfMainFrm::closeEvent(QCloseEvent* event) {
    // A frequency still in the editor counts as typed: the save question must cover it.
    gvData->CommitAndCloseEditor();
    if (ShowPrompt(Ui.Prompts, Db.Messages.Confirmation, Db.Messages.ExitProgram, Prompter::YesNo) !=
        Prompter::Yes) {
        event->ignore();
        return;
    }
    if (!SaveChangesFirst()) {
        event->ignore();
        return;
    }
    Timer->stop();
    Db.SaveSettings();
    event->accept();
}

void TfMainFrm::FillReportTables() {
    LoadFrequencyModePanel();
    Db.myAdo.clear();
    Db.myMain.clear();
    TMainRecord header;
    header.Title = Db.AppState.AppTitle;
    header.AField = lMode->text();
    header.AValue = Db.AppState.ModelName;
    header.CField = lFrq->text();
    header.CValue = Db.AppState.BandName;
    Db.myMain.append(header);
    AddFunctionReportRows();
    AddChannelReportRows();
}

void TfMainFrm::AddFunctionReportRows() {
    // The dialog knows the captions and value texts of the settings in the current language.
    TfFunSet dialog(Db, this);
    dialog.AppendReportRows(Db.myAdo);
}

void TfMainFrm::AddChannelReportRows() {
    const auto line = [this](int type, const QString& typeName, const QString& aField, const QString& aValue,
                             const QString& bField = QString(), const QString& bValue = QString()) {
        Db.myAdo.append({type, typeName, aField, aValue, bField, bValue, 1});
    };
    const QString vfo = Label9->text();
    line(TAdoRecord::FrequencyMode, vfo, Label1->text(), FormatFrequency(cxRx->value()));
    line(TAdoRecord::FrequencyMode, vfo, Label2->text(), cbbjpl->currentText());
    line(TAdoRecord::FrequencyMode, vfo, Label3->text(), cbjsyyp->currentText());
    line(TAdoRecord::FrequencyMode, vfo, Label5->text(), cbfsyyp->currentText());
    line(TAdoRecord::FrequencyMode, vfo, Label6->text(), cbwcfx->currentText());
    line(TAdoRecord::FrequencyMode, vfo, Label7->text(), FormatFrequency(cxWcpl->value()));

    const QString group = Label8->text();
    line(TAdoRecord::Channels, group, QString(), QString());
    const ChannelTable& table = Db.MainTable;
    const auto title = [this](int column) {
        return Channels->headerData(ChannelModel::ModelColumn(column), Qt::Horizontal).toString();
    };
    for (int k = 1; k <= table.RowCount(); ++k) {
        if (!table.IsChannelInUse(k))
            continue;
        line(TAdoRecord::Channels, group, title(ChannelTable::ChannelNo) + QString::number(k), QString());
        // The channel's title line and its five value lines.
        Db.myAdo.last().KeepTogether = 6;
        for (int c = ChannelTable::RxFrequency; c < ChannelTable::BusyLock; c += 2)
            line(TAdoRecord::Channels, group, title(c), table.Text(k, c), title(c + 1), table.Text(k, c + 1));
    }
}

void TfMainFrm::PrintReport(bool preview) {
    FillReportTables();
    const ReportRenderer report(Db.myMain.value(0), Db.myAdo, QDateTime::currentDateTime());
    Ui.ShowReport(report, preview, this);
}
