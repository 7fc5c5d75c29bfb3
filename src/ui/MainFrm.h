#pragma once

#include <QMainWindow>

class ChannelModel;
class QAction;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QListWidget;
class QMenu;
class QTimer;
class QToolBar;
class QToolButton;
class TChannelGrid;
class TStaticText;
class TfMaindb;
class UiServices;

// The program's main window: the channel grid, the top bar with the toolbar, port and band, the
// status bar, and every command of the program as a numbered tag.
class TfMainFrm : public QMainWindow {
    Q_OBJECT
public:
    TfMainFrm(TfMaindb& db, UiServices& ui, QWidget* parent = nullptr);
    ~TfMainFrm() override;

    // Runs once, when the window is first shown: model, band, port, language, grid.
    void FormShow();
    // Commits the grid's editor, hides the list editors, then runs the command of the tag.
    void RunCommand(int tag);

    // The commands. Those that return a flag return false when the user cancelled them.
    bool NewData();
    void OpenData();
    // Opens a .dat file by name (the open command after its questions, and --export-report).
    bool OpenDataFile(const QString& path);
    bool SaveData();
    void SaveDataAs();
    void ChangeModel();
    // Tag 20: after a complete read the radio's data replaces the program's; a read that failed or
    // was broken off changes nothing.
    void ReadFromRadio();
    // Tag 21: the program's data into the radio.
    void WriteToRadio();
    void ChangePort();
    void ChangeLanguage();
    void ShowHelp();
    // Tag 7 prints, tag 8 previews the settings report of the data in memory.
    void PrintReport(bool preview);
    // Refills myMain and myAdo from the data in memory, as a report shows it.
    void FillReportTables();
    void AddFunctionReportRows();
    void AddChannelReportRows();

    void RefreshStatus();
    void ApplyModelLayout();
    void BuildGridColumns();
    void RetranslateGrid();
    void LoadFrequencyModePanel();

    // The "none" text of the tone columns in the current language.
    QString NoneText() const;
    // The tone picker's choice for a tone cell, empty when nothing was picked.
    QString PickTone();

    TfMaindb& Db;
    UiServices& Ui;

    QString FileName;
    bool SingleModel = true;
    int CurrentCol = 0;
    int CurrentRow = 0;

    // Menus and their items (names are the language-file keys).
    QMenu* mFile;
    QAction* nNew;
    QAction* nOpen;
    QAction* nSave;
    QAction* nSaveAs;
    QAction* nPrint;
    QAction* nPreview;
    QAction* nExit;
    QMenu* mEdit;
    QAction* nChannelEdit;
    QAction* nBatchEdit;
    QAction* nFunSet;
    QAction* nFreqModel;
    QAction* nTestFreq;
    QAction* nEmbeddedMsg;
    QMenu* mProgram;
    QAction* nRead;
    QAction* nWrite;
    QMenu* mSetup;
    QAction* nModel;
    QAction* nModelLine;
    QAction* nPort;
    QAction* nLanguage;
    QMenu* mView;
    QAction* nTree;
    QAction* nCool;
    QAction* nBar;
    QMenu* mEffect;
    QMenu* mWindow;
    QMenu* mHelp;
    QAction* nHelpTopic;
    QAction* nAbout;

    // Top bar.
    QWidget* pBar;
    QToolBar* tbar;
    QToolButton* tbNew;
    QToolButton* tbOpen;
    QToolButton* tbSave;
    QToolButton* tbChannelEdit;
    QToolButton* tbPrint;
    QToolButton* tbRead;
    QToolButton* tbWrite;
    QToolButton* tbHelp;
    QLabel* lMode;
    QLabel* lCom;
    TStaticText* stModel;
    QLabel* lFrq;
    QComboBox* cbFreq;
    TStaticText* stFreq;

    // The grid and its model.
    TChannelGrid* gvData;
    ChannelModel* Channels;

    // The status bar and its five panels.
    QStatusBar* MainBar;
    TStaticText* Panels[5];
    QTimer* Timer;

    // Controls that are never shown but carry texts in the current language.
    QComboBox* cbCom;
    QLabel* lNone;
    QListWidget* BColText;
    QLabel* lDataFile;
    QLabel* lOutOfBand;
    QLabel* lBtnOk;
    QLabel* lBtnYes;
    QLabel* lBtnNo;
    QLabel* lBtnRetry;
    QLabel* lBtnCancel;
    // The in-grid editors' lists: the tone lists and the six option lists.
    QComboBox* cbQT;
    QComboBox* cbDQT;
    QComboBox* cbfsgl;
    QComboBox* cbkz;
    QComboBox* cbHave;
    QComboBox* cbkxxl;
    QComboBox* cbPTT;
    QComboBox* cbfmsd;

    // The frequency mode settings as the report shows them.
    QWidget* pTop;
    QLabel* Label9;
    QLabel* Label1;
    QDoubleSpinBox* cxRx;
    QLabel* Label2;
    QComboBox* cbbjpl;
    QLabel* Label3;
    QComboBox* cbjsyyp;
    QLabel* Label5;
    QComboBox* cbfsyyp;
    QLabel* Label6;
    QComboBox* cbwcfx;
    QLabel* Label7;
    QDoubleSpinBox* cxWcpl;
    QLabel* Label8;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void RunTag(int tag);
    void CreateMenus();
    void CreateTopBar();
    void CreateHiddenControls();
    void CreateFrequencyModePanel(QWidget* parent);
    void CreateStatusBar();
    QAction* AddItem(QMenu* menu, const char* name, const QString& text, int tag,
                     const QKeySequence& key = {});
    QToolButton* AddToolButton(const char* name, const QString& hint, const char* icon, int tag);

    // Asks SaveProgram when there are unsaved changes; false when the user wanted to save and the
    // file was not saved (dialog cancelled, write failed): the command that asked must stop.
    bool SaveChangesFirst();
    // Empties the records and the channel table and forgets the file (NewData without its question).
    void ClearAllData();
    // The user chose a band; the program's own settings of the selector are blocked.
    void cbFreqPropertiesEditValueChanged();
    void SetBandText(const QString& band);
    void cbwcfxChange();
    void ApplyPromptButtons();
    void TimerTimer();
    void nExitClick();
    void nCoolClick();
    void nBarClick();
    QString DataFileFilter() const;

    bool Shown = false;
};
