// The window's commands: the table that names each of them, the menus and the toolbar built from
// it, and running a command.

#include "ChannelGrid.h"
#include "MainFrm.h"
#include "MainStatusBar.h"
#include "UiServices.h"
#include "app/Maindb.h"
#include "dialogs/BBatchEdit.h"
#include "dialogs/BInfoEdit.h"
#include "dialogs/EmbeddedMessage.h"
#include "dialogs/FreqModel.h"
#include "dialogs/FrmAbout.h"
#include "dialogs/FunSet.h"
#include "dialogs/TestFrequency.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace {

using Key = QKeyCombination;
constexpr Key kNoKey = Key(Qt::Key_unknown);
constexpr void (*kNothing)(TfMainFrm&) = [](TfMainFrm&) {};

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
        // A frame for child windows that the program never opens: these only commit the grid's
        // editor, like every command.
        {C::Cascade, "nCascade", "层叠(&C)", kNoKey, nullptr, nullptr, nullptr, kNothing},
        {C::TileHorizontal, "nTileH", "横向平铺窗口(&H)", kNoKey, nullptr, nullptr, nullptr, kNothing},
        {C::TileVertical, "nTileV", "纵向平铺窗口(&V)", kNoKey, nullptr, nullptr, nullptr, kNothing},
        {C::ArrangeIcons, "nArrange", "排列图标(&A)", kNoKey, nullptr, nullptr, nullptr, kNothing},
        {C::CloseAll, "nCloseAll", "关闭所有窗口(&W)", kNoKey, nullptr, nullptr, nullptr, kNothing},
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
            [this] { mainStatusBar->setVisible(statusBarItem->isChecked()); });
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
