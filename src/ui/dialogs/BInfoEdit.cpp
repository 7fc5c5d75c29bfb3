#include "BInfoEdit.h"

#include "ui/Controls.h"

#include "EditHelpers.h"
#include "ToneOption.h"
#include "app/Maindb.h"
#include "core/Prompt.h"
#include "core/ToneLists.h"
#include "core/Values.h"
#include "ui/TranslateForm.h"
#include "ui/UiServices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QValidator>

#include <algorithm>

namespace {

using Col = ChannelTable::Column;

constexpr int kFieldWidth = 130;

QComboBox* NewList(QWidget* owner, const QString& name, const QStringList& items) {
    auto* box = new QComboBox(owner);
    box->setObjectName(name);
    box->addItems(items);
    return box;
}

QLineEdit* NewFrequencyEdit(QWidget* owner, const QString& name) {
    auto* edit = new QLineEdit(owner);
    edit->setObjectName(name);
    edit->setAlignment(Qt::AlignRight);
    edit->setMaxLength(12);
    InstallKeyFilter(edit, IsFrequencyKey);
    return edit;
}

// A list shows the entry its cell's code names; a code without an entry shows nothing.
void ShowCode(QComboBox* box, const QString& code) {
    bool ok = false;
    const int index = code.toInt(&ok);
    box->setCurrentIndex(ok && index >= 0 && index < box->count() ? index : -1);
}

} // namespace

namespace {

// A typed channel number past either end is taken as the nearest channel ("150" shows the last,
// "0" the first) instead of the keystroke being swallowed with nothing said.
class ChannelSpinBox : public QSpinBox {
public:
    using QSpinBox::QSpinBox;

protected:
    QValidator::State validate(QString& input, int&) const override {
        const QString digits = input.trimmed();
        if (digits.isEmpty())
            return QValidator::Intermediate;
        if (digits.size() > 6)
            return QValidator::Invalid;
        for (const QChar c : digits)
            if (!c.isDigit())
                return QValidator::Invalid;
        return QValidator::Acceptable;
    }
    int valueFromText(const QString& text) const override {
        return std::clamp(text.trimmed().toInt(), minimum(), maximum());
    }
    void fixup(QString& input) const override { input = QString::number(valueFromText(input)); }
};

} // namespace

TfBInfoEdit::TfBInfoEdit(TfMaindb& db, UiServices& ui, QWidget* parent)
    : QDialog(parent), Db(db), Ui(ui), Table(db.MainTable) {
    setObjectName(QStringLiteral("fBInfoEdit"));
    setWindowTitle(QStringLiteral("信道编辑"));

    sexd = new ChannelSpinBox(this);
    sexd->setObjectName(QStringLiteral("sexd"));
    sexd->setMinimum(1);
    sexd->setMaximum(qMax(1, Table.RowCount()));
    // The channel changes when the typed number is complete, not at every digit.
    sexd->setKeyboardTracking(false);
    lbChannel = NewBuddyLabel(this, QStringLiteral("lbChannel"), QStringLiteral("信道"), sexd);
    eReceive = NewFrequencyEdit(this, QStringLiteral("eReceive"));
    lbReceive = NewBuddyLabel(this, QStringLiteral("lbReceive"), QStringLiteral("接收频率"), eReceive);

    pMain = new QWidget(this);
    pMain->setObjectName(QStringLiteral("pMain"));
    eSend = NewFrequencyEdit(pMain, QStringLiteral("eSend"));
    lbSend = NewBuddyLabel(pMain, QStringLiteral("lbSend"), QStringLiteral("发射频率"), eSend);
    cbQT = new QComboBox(pMain);
    cbQT->setObjectName(QStringLiteral("cbQT"));
    SetupToneBox(cbQT, LongToneList());
    lbQT = NewBuddyLabel(pMain, QStringLiteral("lbQT"), QStringLiteral("QT/DQT解码"), cbQT);
    cbDQT = new QComboBox(pMain);
    cbDQT->setObjectName(QStringLiteral("cbDQT"));
    SetupToneBox(cbDQT, LongToneList());
    lbDQT = NewBuddyLabel(pMain, QStringLiteral("lbDQT"), QStringLiteral("QT/DQT编码"), cbDQT);
    cbfsgl = NewList(pMain, QStringLiteral("cbfsgl"), {QStringLiteral("低"), QStringLiteral("高")});
    // Until a channel has been shown, a new one starts with high power, as in the grid.
    cbfsgl->setCurrentIndex(1);
    lbfsgl = NewBuddyLabel(pMain, QStringLiteral("lbfsgl"), QStringLiteral("发射功率"), cbfsgl);
    cbkz = NewList(pMain, QStringLiteral("cbkz"), {QStringLiteral("窄带"), QStringLiteral("宽带")});
    lbkz = NewBuddyLabel(pMain, QStringLiteral("lbkz"), QStringLiteral("宽带/窄带"), cbkz);
    cbKxxl = NewList(pMain, QStringLiteral("cbKxxl"),
                     {QStringLiteral("无"), QStringLiteral("DTMF"), QStringLiteral("FSK")});
    lbKxxl = NewBuddyLabel(pMain, QStringLiteral("lbKxxl"), QStringLiteral("可选信令"), cbKxxl);
    cbPtt = NewList(pMain, QStringLiteral("cbPtt"), {QStringLiteral("关"), QStringLiteral("开")});
    lbPtt = NewBuddyLabel(pMain, QStringLiteral("lbPtt"), QStringLiteral("PTTID"), cbPtt);
    cbfmsd = NewList(pMain, QStringLiteral("cbfmsd"),
                     {QStringLiteral("关闭"), QStringLiteral("载波"), QStringLiteral("QT/DQT")});
    lbfmsd = NewBuddyLabel(pMain, QStringLiteral("lbfmsd"), QStringLiteral("繁忙锁定"), cbfmsd);
    chsmtj = new QCheckBox(QStringLiteral("扫描添加"), pMain);
    chsmtj->setObjectName(QStringLiteral("chsmtj"));
    cbsmtj = NewList(pMain, QStringLiteral("cbsmtj"), {QStringLiteral("否"), QStringLiteral("是")});
    cbsmtj->setVisible(false);

    btnClose = new QPushButton(QStringLiteral("关闭(&C)"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    // Enter takes a typed value; it must not also close the window.
    btnClose->setAutoDefault(false);

    // Two grids whose columns line up: the channel and receive frequency above the panel.
    const QList<QLabel*> leftLabels = {lbChannel, lbQT, lbfsgl, lbKxxl, lbfmsd};
    const QList<QLabel*> rightLabels = {lbReceive, lbSend, lbDQT, lbkz, lbPtt};
    auto widest = [](const QList<QLabel*>& labels) {
        int w = 0;
        for (const QLabel* l : labels)
            w = qMax(w, l->sizeHint().width());
        return w;
    };
    const int leftWidth = widest(leftLabels), rightWidth = widest(rightLabels);
    for (QLabel* l : leftLabels)
        l->setMinimumWidth(leftWidth);
    for (QLabel* l : rightLabels)
        l->setMinimumWidth(rightWidth);
    for (QWidget* w : std::initializer_list<QWidget*>{sexd, eReceive, eSend, cbQT, cbDQT, cbfsgl, cbkz,
                                                      cbKxxl, cbPtt, cbfmsd})
        w->setFixedWidth(kFieldWidth);

    auto setupGrid = [](QGridLayout* grid) {
        grid->setHorizontalSpacing(10);
        grid->setVerticalSpacing(8);
        grid->setColumnMinimumWidth(2, 16);
    };
    const Qt::Alignment labelAlign = Qt::AlignRight | Qt::AlignVCenter;
    auto* top = new QGridLayout;
    setupGrid(top);
    top->addWidget(lbChannel, 0, 0, labelAlign);
    top->addWidget(sexd, 0, 1);
    top->addWidget(lbReceive, 0, 3, labelAlign);
    top->addWidget(eReceive, 0, 4);
    auto* panel = new QGridLayout(pMain);
    panel->setContentsMargins(0, 0, 0, 0);
    setupGrid(panel);
    panel->addWidget(lbSend, 0, 3, labelAlign);
    panel->addWidget(eSend, 0, 4);
    panel->addWidget(lbQT, 1, 0, labelAlign);
    panel->addWidget(cbQT, 1, 1);
    panel->addWidget(lbDQT, 1, 3, labelAlign);
    panel->addWidget(cbDQT, 1, 4);
    panel->addWidget(lbfsgl, 2, 0, labelAlign);
    panel->addWidget(cbfsgl, 2, 1);
    panel->addWidget(lbkz, 2, 3, labelAlign);
    panel->addWidget(cbkz, 2, 4);
    panel->addWidget(lbKxxl, 3, 0, labelAlign);
    panel->addWidget(cbKxxl, 3, 1);
    panel->addWidget(lbPtt, 3, 3, labelAlign);
    panel->addWidget(cbPtt, 3, 4);
    panel->addWidget(lbfmsd, 4, 0, labelAlign);
    panel->addWidget(cbfmsd, 4, 1);
    panel->addWidget(chsmtj, 4, 4);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addWidget(pMain);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Receive then transmit, then the settings row by row.
    const QList<QWidget*> order = {sexd, eReceive, eSend, cbQT,   cbDQT,  cbfsgl,
                                   cbkz, cbKxxl,   cbPtt, cbfmsd, chsmtj, btnClose};
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));

    connect(sexd, &QSpinBox::valueChanged, this, &TfBInfoEdit::sexdChange);
    OnTextCommitted(eReceive, [this] { return eReceiveChange(); });
    OnTextCommitted(eSend, [this] { return eSendChange(); });
    for (QComboBox* box : {cbQT, cbDQT}) {
        OnToneCommitted(box, [this, box] { ToneBoxChange(box); });
        OnToneBoxDoubleClick(box, [this, box] { ToneBoxDblClick(box); });
    }
    for (QComboBox* box : {cbfsgl, cbkz, cbKxxl, cbPtt, cbfmsd})
        connect(box, &QComboBox::currentIndexChanged, this, &TfBInfoEdit::StoreChannel);
    connect(chsmtj, &QCheckBox::clicked, this, &TfBInfoEdit::chsmtjClick);
    connect(btnClose, &QPushButton::clicked, this, &TfBInfoEdit::btnCloseClick);
}

void TfBInfoEdit::Run(TfMaindb& db, UiServices& ui, int startChannel, QWidget* parent) {
    TfBInfoEdit dialog(db, ui, parent);
    dialog.StartChannel = startChannel;
    ui.ExecDialog(dialog);
}

void TfBInfoEdit::showEvent(QShowEvent* event) {
    if (!Shown) {
        Shown = true;
        FormShow();
    }
    QDialog::showEvent(event);
}

void TfBInfoEdit::FormShow() {
    Loading = true;
    const TALL& state = Db.AppState;
    if (state.LanguageIndex > 0)
        TranslateForm(this, state.ProgramDir, state.LanguageName, true);
    Loading = false;
    {
        const QSignalBlocker block(sexd);
        sexd->setValue(StartChannel);
    }
    LoadChannel();
}

void TfBInfoEdit::LoadChannel() {
    const bool wasLoading = Loading;
    Loading = true;
    const int k = sexd->value();
    ShownChannel = k;
    eReceive->setText(Table.Text(k, Col::RxFrequency));
    if (eReceive->text().trimmed().isEmpty()) {
        pMain->setEnabled(false);
        ClearControls();
    } else {
        pMain->setEnabled(true);
        eSend->setText(Table.Text(k, Col::TxFrequency));
        for (QComboBox* box : {cbQT, cbDQT}) {
            const QString tone = Table.Text(k, box == cbQT ? Col::RxTone : Col::TxTone);
            SetToneBoxText(box, tone == Table.NoneText() || tone.isEmpty() ? box->itemText(0) : tone);
        }
        ShowCode(cbfsgl, Table.Code(k, Col::Power));
        ShowCode(cbkz, Table.Code(k, Col::Bandwidth));
        ShowCode(cbsmtj, Table.Code(k, Col::ScanAdd));
        ShowCode(cbKxxl, Table.Code(k, Col::OptSignal));
        ShowCode(cbPtt, Table.Code(k, Col::PttId));
        ShowCode(cbfmsd, Table.Code(k, Col::BusyLock));
        chsmtj->setChecked(cbsmtj->currentIndex() != 0);
    }
    Loading = wasLoading;
}

void TfBInfoEdit::ClearControls() {
    const bool wasLoading = Loading;
    Loading = true;
    eReceive->clear();
    eSend->clear();
    SetToneBoxText(cbQT, cbQT->itemText(0));
    SetToneBoxText(cbDQT, cbDQT->itemText(0));
    cbkz->setCurrentIndex(1);
    cbfmsd->setCurrentIndex(0);
    cbsmtj->setCurrentIndex(1);
    chsmtj->setChecked(true);
    cbPtt->setCurrentIndex(1);
    cbKxxl->setCurrentIndex(0);
    // The power list keeps what it shows: a new channel starts with the power of the last one.
    Loading = wasLoading;
}

void TfBInfoEdit::StoreChannel() {
    if (Loading || ShownChannel < 1)
        return;
    const int k = ShownChannel;
    if (!eReceive->text().trimmed().isEmpty()) {
        Table.SetText(k, Col::RxFrequency, eReceive->text());
        Table.SetText(k, Col::TxFrequency, eSend->text());
        // The table's own none text, whatever this window calls it, so that it reads as no tone.
        for (QComboBox* box : {cbQT, cbDQT}) {
            const int column = box == cbQT ? Col::RxTone : Col::TxTone;
            const QString tone = box->currentText();
            Table.SetText(k, column, tone.isEmpty() || tone == box->itemText(0) ? Table.NoneText() : tone);
            Table.SetCode(k, column, QStringLiteral("0"));
        }
        const QList<QPair<QComboBox*, int>> options = {{cbfsgl, Col::Power},   {cbkz, Col::Bandwidth},
                                                       {cbsmtj, Col::ScanAdd}, {cbKxxl, Col::OptSignal},
                                                       {cbPtt, Col::PttId},    {cbfmsd, Col::BusyLock}};
        for (const auto& [box, column] : options)
            if (box->currentIndex() >= 0)
                Table.SetOption(k, column, box->currentIndex());
        Table.SetCode(k, Col::ChannelNo, QStringLiteral("1"));
        Table.SetReadOnly(k, Col::TxFrequency, false);
    } else {
        Table.ClearChannel(k, Db.FunctionSettings);
    }
    Db.AppState.Modified = true;
}

void TfBInfoEdit::sexdChange() {
    // What is still being typed belongs to the channel shown so far.
    CommitPending();
    LoadChannel();
}

bool TfBInfoEdit::eReceiveChange() {
    if (Loading)
        return true;
    const TALL& state = Db.AppState;
    const TLanguage& m = Db.Messages;
    const QString text = eReceive->text().trimmed();
    if (text.isEmpty()) {
        StoreChannel();
        ClearControls();
        pMain->setEnabled(false);
        return true;
    }
    double v = 0.0;
    if (!ParseFrequencyText(text, v)) {
        ShowPrompt(Ui.Prompts, m.Caution, m.ErrRange, Prompter::Information);
        eReceive->setText(Table.Text(ShownChannel, Col::RxFrequency));
        return false;
    }
    bool moved = false;
    v = ClampToBand(v, state.BandLow, state.BandHigh, kBandMargin, &moved);
    if (moved)
        ShowPrompt(Ui.Prompts, m.Caution, m.OutRange, Prompter::Information);
    const QString stored = FormatFrequency(SnapFrequency(v));
    eReceive->setText(stored);
    pMain->setEnabled(true);
    if (eSend->text().trimmed().isEmpty())
        eSend->setText(stored);
    StoreChannel();
    return true;
}

bool TfBInfoEdit::eSendChange() {
    if (Loading)
        return true;
    const TALL& state = Db.AppState;
    const TLanguage& m = Db.Messages;
    const QString text = eSend->text().trimmed();
    if (text.isEmpty()) {
        // A channel without a transmit frequency has nothing to send a tone on.
        SetToneBoxText(cbDQT, cbDQT->itemText(0));
        StoreChannel();
        return true;
    }
    double v = 0.0;
    if (!ParseFrequencyText(text, v)) {
        ShowPrompt(Ui.Prompts, m.Caution, m.ErrRange, Prompter::Information);
        eSend->setText(Table.Text(ShownChannel, Col::TxFrequency));
        return false;
    }
    // The radio transmits only inside its band: no margin here.
    bool moved = false;
    v = ClampToBand(v, state.BandLow, state.BandHigh, 0.0, &moved);
    // The dialog's own focus child, asked before the message box takes the activation away.
    const bool typing = focusWidget() == eSend;
    if (moved)
        ShowPrompt(Ui.Prompts, m.Caution, m.OutRange, Prompter::Information);
    eSend->setText(FormatFrequency(SnapFrequency(v)));
    if (typing)
        cbQT->setFocus();
    StoreChannel();
    return true;
}

void TfBInfoEdit::ToneBoxChange(QComboBox* box) {
    if (Loading)
        return;
    const QString text = box->currentText().trimmed();
    if (text.isEmpty())
        SetToneBoxText(box, box->itemText(0));
    else if (text != box->itemText(0))
        SetToneBoxText(box, NormalizeToneText(text));
    StoreChannel();
}

void TfBInfoEdit::ToneBoxDblClick(QComboBox* box) {
    const QString tone = TfToneOption::Pick(Db, Ui, this);
    if (tone.isEmpty())
        return;
    SetToneBoxText(box, tone);
    ToneBoxChange(box);
}

void TfBInfoEdit::chsmtjClick() {
    cbsmtj->setCurrentIndex(chsmtj->isChecked() ? 1 : 0);
    StoreChannel();
}

bool TfBInfoEdit::CommitPending() {
    bool taken = CommitText(eReceive, [this] { return eReceiveChange(); });
    taken = CommitText(eSend, [this] { return eSendChange(); }) && taken;
    for (QComboBox* box : {cbQT, cbDQT})
        CommitText(box->lineEdit(), [this, box] {
            ToneBoxChange(box);
            return true;
        });
    return taken;
}

void TfBInfoEdit::btnCloseClick() {
    accept();
}

void TfBInfoEdit::done(int result) {
    // Closing by its shortcut or Escape leaves the focus in the field being typed into.
    CommitPending();
    QDialog::done(result);
}
