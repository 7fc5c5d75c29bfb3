#pragma once

#include "GridColumns.h"

#include <QKeySequence>
#include <QList>
#include <QMainWindow>

#include <span>

class ChannelModel;
class QAction;
class QComboBox;
class QLabel;
class QListWidget;
class QMenu;
class QToolBar;
class TChannelGrid;
class TFrequencyModePanel;
class TMainStatusBar;
class TStaticText;
class TfMaindb;
class UiServices;

// The window's commands. The values are the numbers the menus, the toolbar and RunCommand know
// them by, and stay as they are.
enum class Command {
    New = 1,
    Open = 2,
    Save = 3,
    SaveAs = 4,
    Print = 7,
    Preview = 8,
    Model = 9,
    ChannelEdit = 10,
    TestFrequency = 18,
    EmbeddedMessage = 19,
    Read = 20,
    Write = 21,
    Port = 24,
    Language = 25,
    TreeView = 26,
    ToolbarToggle = 27,
    StatusBarToggle = 28,
    Cascade = 29,
    TileHorizontal = 30,
    TileVertical = 31,
    ArrangeIcons = 32,
    CloseAll = 33,
    Help = 34,
    About = 35,
    BatchEdit = 36,
    FunctionSettings = 37,
    FrequencyMode = 39,
};

// The program's main window: the channel grid, the top bar with the toolbar, port and band, the
// status bar, and every command of the program.
class TfMainFrm : public QMainWindow {
    Q_OBJECT
public:
    TfMainFrm(TfMaindb& db, UiServices& ui, QWidget* parent = nullptr);
    ~TfMainFrm() override;

    // Runs once, when the window is first shown: model, band, port, language, grid.
    void FormShow();
    // Commits the grid's editor, hides the list editors, then runs the command.
    void RunCommand(Command command);
    // The same by the command's number; a number without a command does nothing after the commit.
    void RunCommand(int number);

    // The commands. Those that return a flag return false when the user cancelled them.
    bool NewData();
    void OpenData();
    // Opens a .dat file by name (the open command after its questions, and --export-report).
    bool OpenDataFile(const QString& path);
    bool SaveData();
    void SaveDataAs();
    void ChangeModel();
    // After a complete read the radio's data replaces the program's; a read that failed or was
    // broken off changes nothing.
    void ReadFromRadio();
    // The program's data into the radio.
    void WriteToRadio();
    void ChangePort();
    void ChangeLanguage();
    void ShowHelp();
    // Prints or previews the settings report of the data in memory.
    void PrintReport(bool preview);
    // Refills myMain and myAdo from the data in memory, as a report shows it.
    void FillReportTables();

    void RefreshStatus();
    void ApplyModelLayout();
    void BuildGridColumns();
    void RetranslateGrid();
    void LoadFrequencyModePanel();

    // The "none" text of the tone columns in the current language.
    QString NoneText() const;
    // The tone picker's choice for a tone cell, empty when nothing was picked.
    QString PickTone();

    // The channel grid and the model of the channel table behind it.
    TChannelGrid* Grid() const { return grid; }
    ChannelModel* Channels() const { return channelModel; }

    TfMaindb& Db;
    UiServices& Ui;

    QString FileName;
    bool SingleModel = true;
    int CurrentCol = 0;
    int CurrentRow = 0;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // One row per command: the menu item (its object name is the language-file key), the toolbar
    // button when there is one, and what the command does; none for the items that run from their
    // own handlers.
    struct CommandRow {
        Command Id;
        const char* ItemName;
        const char* ItemText; // UTF-8
        QKeyCombination Key;
        const char* ButtonName;
        const char* ButtonHint; // UTF-8
        const char* Icon;
        void (*Run)(TfMainFrm&);
    };
    static std::span<const CommandRow> Commands();
    static const CommandRow* FindCommand(Command command);

    void CreateMenus();
    void CreateToolBar(QWidget* parent);
    void CreateTopBar();
    void CreateHiddenControls();
    QMenu* AddMenu(const char* name, const QString& title);
    QAction* AddItem(QMenu* menu, Command command);
    QAction* AddItem(QMenu* menu, const char* name, const QString& text);

    // Asks SaveProgram when there are unsaved changes; false when the user wanted to save and the
    // file was not saved (dialog cancelled, write failed): the command that asked must stop.
    bool SaveChangesFirst();
    // Empties the records and the channel table and forgets the file (NewData without its question).
    void ClearAllData();
    // The user chose a band; the program's own settings of the selector are blocked.
    void BandChosen();
    void SetBandText(const QString& band);
    void ApplyPromptButtons();
    QString DataFileFilter() const;

    bool Shown = false;

    // Menu items the window changes after building them.
    QAction* modelItem = nullptr;
    QAction* modelSeparator = nullptr;
    QAction* toolbarItem = nullptr;
    QAction* statusBarItem = nullptr;

    // Top bar.
    QWidget* toolbarPanel = nullptr;
    QToolBar* toolBar = nullptr;
    QLabel* modelCaption = nullptr;
    QLabel* portCaption = nullptr;
    TStaticText* portOrModelText = nullptr;
    QLabel* bandCaption = nullptr;
    QComboBox* bandSelector = nullptr;
    TStaticText* bandText = nullptr;

    TChannelGrid* grid = nullptr;
    ChannelModel* channelModel = nullptr;
    // The columns as the language file sets them (read from columnTexts).
    QList<GridColumn> gridColumns;

    TMainStatusBar* mainStatusBar = nullptr;

    // Controls that are never shown but carry texts in the current language.
    QComboBox* portList = nullptr;
    QLabel* noneTextLabel = nullptr;
    QListWidget* columnTexts = nullptr;
    QLabel* dataFileText = nullptr;
    QLabel* outOfBandText = nullptr;
    QLabel* exportPdfText = nullptr;
    QLabel* okButtonText = nullptr;
    QLabel* yesButtonText = nullptr;
    QLabel* noButtonText = nullptr;
    QLabel* retryButtonText = nullptr;
    QLabel* cancelButtonText = nullptr;
    // The receive tone list of the in-grid editors; its entry 0 is the none text.
    QComboBox* rxToneList = nullptr;
    TFrequencyModePanel* frequencyModePanel = nullptr;
};
