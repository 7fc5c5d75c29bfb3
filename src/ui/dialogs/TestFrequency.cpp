#include "TestFrequency.h"

#include "EditHelpers.h"
#include "app/Maindb.h"
#include "core/Prompt.h"
#include "core/Values.h"
#include "ui/ChannelDelegates.h"
#include "ui/TranslateForm.h"
#include "ui/UiServices.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include <functional>

namespace {
constexpr int kRowHeight = 22;
} // namespace

// The cell editor of the two frequency columns: digits and the point only, and every committed
// text goes through the dialog's check.
class TestFrequencyDelegate : public TextCellDelegate {
public:
    using Check = std::function<std::optional<QString>(int column, const QString& text, int row)>;

    TestFrequencyDelegate(QObject* parent, Check check)
        : TextCellDelegate(parent), CheckText(std::move(check)) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override {
        auto* editor = new QLineEdit(parent);
        editor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        editor->setMaxLength(12);
        InstallKeyFilter(editor, IsFrequencyKey);
        Editor = editor;
        return editor;
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        const auto* line = static_cast<QLineEdit*>(editor);
        // Opening an editor and leaving it without typing is no edit.
        if (!line->isModified())
            return;
        if (const std::optional<QString> text = CheckText(index.column(), line->text(), index.row()))
            model->setData(index, *text);
    }

    // A text still being typed when OK is pressed by its shortcut.
    void CommitOpenEditor() {
        if (QWidget* editor = Editor.data(); editor && editor->isVisible()) {
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    }

private:
    Check CheckText;
    mutable QPointer<QWidget> Editor;
};

TfTestFrequency::TfTestFrequency(TfMaindb& db, UiServices& ui, QWidget* parent)
    : QDialog(parent), Db(db), Ui(ui) {
    setObjectName(QStringLiteral("fTestFrequency"));
    setWindowTitle(QStringLiteral("测试频率"));
    setWindowFlag(Qt::WindowMinimizeButtonHint, true);

    gvData = new QTableWidget(TTestFre::kCount, 3, this);
    gvData->setHorizontalHeaderLabels(
        {QStringLiteral("信道"), QStringLiteral("接收[MHz]"), QStringLiteral("发射[MHz]")});
    gvData->setObjectName(QStringLiteral("gvData"));
    Delegate = new TestFrequencyDelegate(this, [this](int column, const QString& text, int row) {
        return gvDataSetForeText(column, text, row);
    });
    gvData->setItemDelegate(Delegate);
    Label1 =
        new QLabel(QStringLiteral("测试频率数据已更改。在进入测试模式之前执行\"向对讲机写入数据\"."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setVisible(false);
    btnOk = new QPushButton(QStringLiteral("确定(&O)"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setAutoDefault(false);
    btnCancel = new QPushButton(QStringLiteral("取消(&C)"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gvData);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnOk, &QPushButton::clicked, this, &TfTestFrequency::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfTestFrequency::btnCancelClick);
}

bool TfTestFrequency::Run(TfMaindb& db, UiServices& ui, QWidget* parent) {
    TfTestFrequency dialog(db, ui, parent);
    const TTestFre before = db.TestFrequencies;
    const bool accepted = ui.ExecDialog(dialog) == QDialog::Accepted;
    // Changed test channels are unsaved edits: the save question must cover them.
    if (accepted &&
        (db.TestFrequencies.RxFreq != before.RxFreq || db.TestFrequencies.TxFreq != before.TxFreq))
        db.AppState.Modified = true;
    return accepted;
}

void TfTestFrequency::showEvent(QShowEvent* event) {
    if (!Shown) {
        Shown = true;
        FormShow();
    }
    QDialog::showEvent(event);
}

void TfTestFrequency::FormShow() {
    gvData->verticalHeader()->setVisible(false);
    gvData->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    gvData->verticalHeader()->setDefaultSectionSize(kRowHeight);
    gvData->setColumnWidth(ChannelNo, 60);
    gvData->setColumnWidth(RxFreq, 100);
    gvData->setColumnWidth(TxFreq, 100);
    gvData->setSelectionMode(QAbstractItemView::SingleSelection);
    gvData->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    gvData->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    gvData->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    gvData->setTabKeyNavigation(false);
    const QBrush buttonFace = palette().button();
    for (int row = 0; row < TTestFre::kCount; ++row) {
        auto* number = new QTableWidgetItem(QString::number(row + 1));
        number->setFlags(Qt::ItemIsEnabled);
        number->setBackground(buttonFace);
        number->setTextAlignment(Qt::AlignCenter);
        gvData->setItem(row, ChannelNo, number);
    }

    const TALL& state = Db.AppState;
    if (state.LanguageIndex > 0)
        TranslateForm(this, state.ProgramDir, state.LanguageName, true);

    for (int n = 1; n <= TTestFre::kCount; ++n) {
        for (const int column : {RxFreq, TxFreq}) {
            auto* cell = new QTableWidgetItem(column == RxFreq ? Db.TestFrequencies.RxFreq[n]
                                                               : Db.TestFrequencies.TxFreq[n]);
            cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            gvData->setItem(n - 1, column, cell);
        }
    }
    gvData->setCurrentCell(0, RxFreq);
    gvData->setFixedSize(2 * gvData->frameWidth() + 260, 2 * gvData->frameWidth() +
                                                             gvData->horizontalHeader()->sizeHint().height() +
                                                             kRowHeight * TTestFre::kCount);
    Changed = false;
}

std::optional<QString> TfTestFrequency::gvDataSetForeText(int column, const QString& text, int row) {
    Q_UNUSED(column);
    Q_UNUSED(row);
    const TALL& state = Db.AppState;
    const TLanguage& m = Db.Messages;
    // An empty cell is a test channel without this frequency, as channels 7 to 16 start out.
    if (text.trimmed().isEmpty()) {
        Changed = true;
        return QString();
    }
    double v = 0.0;
    if (!ParseFrequencyText(text, v)) {
        ShowPrompt(Ui.Prompts, m.Caution, m.ErrRange, Prompter::Information);
        return std::nullopt;
    }
    if (FrequencyUnits(v) > FrequencyUnits(state.ModelMaxFreq)) {
        v = state.BandHigh;
        ShowPrompt(Ui.Prompts, m.Caution, m.ErrRange, Prompter::Information);
    } else if (FrequencyUnits(v) < FrequencyUnits(state.ModelMinFreq)) {
        v = state.BandLow;
        ShowPrompt(Ui.Prompts, m.Caution, m.ErrRange, Prompter::Information);
    }
    // Outside the band the radio can still be tested, so the value stays after the warning.
    if (FrequencyUnits(v) > FrequencyUnits(state.BandHigh) ||
        FrequencyUnits(v) < FrequencyUnits(state.BandLow))
        ShowPrompt(Ui.Prompts, m.Caution, m.OutRange, Prompter::Information);
    Changed = true;
    return FormatFrequency(v);
}

void TfTestFrequency::btnOkClick() {
    Delegate->CommitOpenEditor();
    for (int n = 1; n <= TTestFre::kCount; ++n) {
        Db.TestFrequencies.RxFreq[n] = gvData->item(n - 1, RxFreq)->text();
        Db.TestFrequencies.TxFreq[n] = gvData->item(n - 1, TxFreq)->text();
    }
    accept();
}

void TfTestFrequency::btnCancelClick() {
    reject();
}

void TfTestFrequency::done(int result) {
    // The radio's test mode works with what was last written to it; remind the user after any edit.
    if (Changed)
        ShowPrompt(Ui.Prompts, Db.Messages.Confirmation, Label1->text(), Prompter::Information);
    QDialog::done(result);
}
