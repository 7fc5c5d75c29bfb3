#include "BBatchEdit.h"

#include "EditHelpers.h"
#include "ToneOption.h"
#include "app/Maindb.h"
#include "core/Prompt.h"
#include "core/ToneLists.h"
#include "core/Values.h"
#include "ui/Controls.h"
#include "ui/TranslateForm.h"
#include "ui/UiServices.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

using Col = ChannelTable::Column;

constexpr int kFieldWidth = 130;

QComboBox* NewList(QWidget* owner, const QString& name, const QStringList& items, int selected) {
    auto* box = new QComboBox(owner);
    box->setObjectName(name);
    box->addItems(items);
    box->setCurrentIndex(selected);
    return box;
}

QLineEdit* NewFrequencyEdit(QWidget* owner, const QString& name) {
    auto* edit = new QLineEdit(FormatFrequency(0.0), owner);
    edit->setObjectName(name);
    edit->setAlignment(Qt::AlignRight);
    edit->setMaxLength(12);
    InstallKeyFilter(edit, IsFrequencyKey);
    return edit;
}

QRadioButton* NewRadio(QWidget* owner, const QString& name, const QString& text) {
    auto* radio = new QRadioButton(text, owner);
    radio->setObjectName(name);
    return radio;
}

QFrame* NewFrame(QWidget* owner) {
    auto* frame = new QFrame(owner);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Sunken);
    return frame;
}

} // namespace

TfBBatchEdit::TfBBatchEdit(TfMaindb& db, UiServices& ui, QWidget* parent)
    : QDialog(parent), Db(db), Ui(ui), Table(db.MainTable) {
    setObjectName(QStringLiteral("fBBatchEdit"));
    setWindowTitle(QStringLiteral("批量编辑信息"));

    eReceive = NewFrequencyEdit(this, QStringLiteral("eReceive"));
    lbReceive =
        NewBuddyLabel(this, QStringLiteral("lbReceive"), QStringLiteral("起始接收频率(MHz)"), eReceive);
    eSend = NewFrequencyEdit(this, QStringLiteral("eSend"));
    lbSend = NewBuddyLabel(this, QStringLiteral("lbSend"), QStringLiteral("起始发射频率(MHz)"), eSend);
    // The question before a fill overwrites channels in use; "%1" is their number.
    lOverwrite = new QLabel(QStringLiteral("将覆盖 %1 个已有数据的信道，是否继续？"), this);
    lOverwrite->setObjectName(QStringLiteral("lOverwrite"));
    lOverwrite->setVisible(false);
    cbJg = NewList(this, QStringLiteral("cbJg"),
                   {QStringLiteral("25.0"), QStringLiteral("12.5"), QStringLiteral("10.0"),
                    QStringLiteral("6.25"), QStringLiteral("5.00")},
                   0);
    // Numbers, the same in every language.
    SetTag(cbJg, -2);
    lbJg = NewBuddyLabel(this, QStringLiteral("lbJg"), QStringLiteral("频道间隔(KHz)"), cbJg);
    cbQT = new QComboBox(this);
    cbQT->setObjectName(QStringLiteral("cbQT"));
    SetupToneBox(cbQT, LongToneList());
    lbQT = NewBuddyLabel(this, QStringLiteral("lbQT"), QStringLiteral("QT/DQT解码"), cbQT);
    cbDQT = new QComboBox(this);
    cbDQT->setObjectName(QStringLiteral("cbDQT"));
    SetupToneBox(cbDQT, LongToneList());
    lbDQT = NewBuddyLabel(this, QStringLiteral("lbDQT"), QStringLiteral("QT/DQT编码"), cbDQT);
    cbkz = NewList(this, QStringLiteral("cbkz"), {QStringLiteral("窄带"), QStringLiteral("宽带")}, 1);
    lbkz = NewBuddyLabel(this, QStringLiteral("lbkz"), QStringLiteral("宽带/窄带"), cbkz);
    cbfsgl = NewList(this, QStringLiteral("cbfsgl"), {QStringLiteral("低"), QStringLiteral("高")}, 1);
    lbfsgl = NewBuddyLabel(this, QStringLiteral("lbfsgl"), QStringLiteral("发射功率"), cbfsgl);
    cbKxxl = NewList(this, QStringLiteral("cbKxxl"),
                     {QStringLiteral("无"), QStringLiteral("DTMF"), QStringLiteral("FSK")}, 1);
    lbKxxl = NewBuddyLabel(this, QStringLiteral("lbKxxl"), QStringLiteral("可选信令"), cbKxxl);
    cbPtt = NewList(this, QStringLiteral("cbPtt"), {QStringLiteral("关"), QStringLiteral("开")}, 0);
    lbPtt = NewBuddyLabel(this, QStringLiteral("lbPtt"), QStringLiteral("PTTID"), cbPtt);
    cbfmsd = NewList(this, QStringLiteral("cbfmsd"),
                     {QStringLiteral("关闭"), QStringLiteral("载波"), QStringLiteral("QT/DQT")}, 0);
    lbfmsd = NewBuddyLabel(this, QStringLiteral("lbfmsd"), QStringLiteral("繁忙锁定"), cbfmsd);
    chsmtj = new QCheckBox(QStringLiteral("扫描添加"), this);
    chsmtj->setObjectName(QStringLiteral("chsmtj"));
    chsmtj->setChecked(true);
    // Follows the check box from the start, so that an untouched box writes what it shows.
    cbsmtj = NewList(this, QStringLiteral("cbsmtj"), {QStringLiteral("否"), QStringLiteral("是")}, 1);
    cbsmtj->setVisible(false);

    pRange = NewFrame(this);
    rall = NewRadio(pRange, QStringLiteral("rall"), QStringLiteral("全部频道(&A)"));
    rall->setChecked(true);
    rOne = NewRadio(pRange, QStringLiteral("rOne"), QStringLiteral("频道(&G)"));
    pPd = new QWidget(pRange);
    pPd->setObjectName(QStringLiteral("pPd"));
    const int channels = qMax(1, Table.RowCount());
    seFrom = new QSpinBox(pPd);
    seFrom->setObjectName(QStringLiteral("seFrom"));
    seFrom->setRange(1, channels);
    seTo = new QSpinBox(pPd);
    seTo->setObjectName(QStringLiteral("seTo"));
    seTo->setRange(1, channels);
    lbFrom = NewBuddyLabel(pPd, QStringLiteral("lbFrom"), QStringLiteral("从(&F)"), seFrom);
    lbTo = NewBuddyLabel(pPd, QStringLiteral("lbTo"), QStringLiteral("到(&T)"), seTo);
    pDirection = NewFrame(this);
    rasc = NewRadio(pDirection, QStringLiteral("rasc"), QStringLiteral("递增"));
    rasc->setChecked(true);
    rdesc = NewRadio(pDirection, QStringLiteral("rdesc"), QStringLiteral("递减"));

    btnOk = new QPushButton(QStringLiteral("确定(&O)"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnCancel = new QPushButton(QStringLiteral("取消(&C)"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    // Enter takes a typed value; filling up to 128 channels is left to OK itself.
    btnOk->setAutoDefault(false);
    btnCancel->setAutoDefault(false);

    for (QWidget* w : std::initializer_list<QWidget*>{eReceive, eSend, cbJg, cbQT, cbDQT, cbkz, cbfsgl,
                                                      cbKxxl, cbPtt, cbfmsd})
        w->setFixedWidth(kFieldWidth);
    const Qt::Alignment labelAlign = Qt::AlignRight | Qt::AlignVCenter;
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    grid->setColumnMinimumWidth(2, 16);
    const QList<std::array<QWidget*, 4>> rows = {
        {lbReceive, eReceive, lbSend, eSend}, {lbJg, cbJg, nullptr, nullptr},
        {lbQT, cbQT, lbDQT, cbDQT},           {lbkz, cbkz, lbfsgl, cbfsgl},
        {lbKxxl, cbKxxl, lbPtt, cbPtt},       {lbfmsd, cbfmsd, nullptr, chsmtj}};
    for (int r = 0; r < rows.size(); ++r) {
        const std::array<QWidget*, 4>& row = rows.at(r);
        if (row[0])
            grid->addWidget(row[0], r, 0, labelAlign);
        if (row[1])
            grid->addWidget(row[1], r, 1);
        if (row[2])
            grid->addWidget(row[2], r, 3, labelAlign);
        if (row[3])
            grid->addWidget(row[3], r, 4);
    }
    auto* range = new QHBoxLayout(pPd);
    range->setContentsMargins(0, 0, 0, 0);
    range->addWidget(lbFrom);
    range->addWidget(seFrom);
    range->addSpacing(8);
    range->addWidget(lbTo);
    range->addWidget(seTo);
    seFrom->setFixedWidth(70);
    seTo->setFixedWidth(70);
    auto* rangeRow = new QHBoxLayout(pRange);
    rangeRow->addWidget(rall);
    rangeRow->addSpacing(12);
    rangeRow->addWidget(rOne);
    rangeRow->addWidget(pPd);
    rangeRow->addStretch();
    auto* directionRow = new QHBoxLayout(pDirection);
    directionRow->addWidget(rasc);
    directionRow->addSpacing(12);
    directionRow->addWidget(rdesc);
    directionRow->addStretch();
    auto* modes = new QHBoxLayout;
    modes->addWidget(pRange, 1);
    modes->addWidget(pDirection);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(modes);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Two pairs of choices, each exclusive on its own.
    auto* rangeGroup = new QButtonGroup(this);
    rangeGroup->addButton(rall);
    rangeGroup->addButton(rOne);
    auto* directionGroup = new QButtonGroup(this);
    directionGroup->addButton(rasc);
    directionGroup->addButton(rdesc);

    const QList<QWidget*> order = {eReceive, eSend, cbJg,   cbQT,   cbDQT,    cbkz, cbfsgl,
                                   cbKxxl,   cbPtt, cbfmsd, chsmtj, rall,     rOne, seFrom,
                                   seTo,     rasc,  rdesc,  btnOk,  btnCancel};
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));

    OnTextCommitted(eReceive, [this] { return eReceiveChange(); });
    OnTextCommitted(eSend, [this] { return eSendChange(); });
    for (QComboBox* box : {cbQT, cbDQT}) {
        OnToneCommitted(box, [this, box] { ToneBoxChange(box); });
        OnToneBoxDoubleClick(box, [this, box] { ToneBoxDblClick(box); });
    }
    connect(chsmtj, &QCheckBox::toggled, this, &TfBBatchEdit::chsmtjClick);
    connect(rall, &QRadioButton::toggled, this, &TfBBatchEdit::rallClick);
    connect(btnOk, &QPushButton::clicked, this, &TfBBatchEdit::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfBBatchEdit::btnCancelClick);
    rallClick();
    ReceiveText = eReceive->text();
    SendText = eSend->text();
}

void TfBBatchEdit::Run(TfMaindb& db, UiServices& ui, QWidget* parent) {
    TfBBatchEdit dialog(db, ui, parent);
    ui.ExecDialog(dialog);
}

void TfBBatchEdit::showEvent(QShowEvent* event) {
    if (!Shown) {
        Shown = true;
        FormShow();
    }
    QDialog::showEvent(event);
}

void TfBBatchEdit::FormShow() {
    const TALL& state = Db.AppState;
    if (state.LanguageIndex > 0)
        TranslateForm(this, state.ProgramDir, state.LanguageName, true);
}

bool TfBBatchEdit::StartFrequency(QLineEdit* edit, QString& lastText) {
    double v = 0.0;
    if (!ParseFrequencyText(edit->text(), v)) {
        ShowPrompt(Ui.Prompts, Db.Messages.Caution, Db.Messages.ErrRange, Prompter::Information);
        edit->setText(lastText);
        return false;
    }
    lastText = FormatFrequency(SnapFrequency(v));
    edit->setText(lastText);
    return true;
}

bool TfBBatchEdit::eReceiveChange() {
    return StartFrequency(eReceive, ReceiveText);
}

bool TfBBatchEdit::eSendChange() {
    return StartFrequency(eSend, SendText);
}

void TfBBatchEdit::ToneBoxChange(QComboBox* box) {
    const QString text = box->currentText().trimmed();
    if (text.isEmpty())
        SetToneBoxText(box, box->itemText(0));
    else if (text != box->itemText(0))
        SetToneBoxText(box, NormalizeToneText(text));
}

void TfBBatchEdit::ToneBoxDblClick(QComboBox* box) {
    const QString tone = TfToneOption::Pick(Db, Ui, this);
    if (tone.isEmpty())
        return;
    SetToneBoxText(box, tone);
    ToneBoxChange(box);
}

QString TfBBatchEdit::ToneCellText(const QComboBox* box) const {
    const QString text = box->currentText().trimmed();
    // The table's own none text, whatever this window calls it, so that it reads as no tone.
    if (text.isEmpty() || text == box->itemText(0))
        return Table.NoneText();
    return NormalizeToneText(text);
}

void TfBBatchEdit::chsmtjClick() {
    cbsmtj->setCurrentIndex(chsmtj->isChecked() ? 1 : 0);
}

void TfBBatchEdit::rallClick() {
    pPd->setEnabled(rOne->isChecked());
}

bool TfBBatchEdit::CheckInput() {
    const TALL& state = Db.AppState;
    const TLanguage& m = Db.Messages;
    double r = 0.0, t = 0.0;
    if (!ParseFrequencyText(eReceive->text(), r) || !ParseFrequencyText(eSend->text(), t)) {
        ShowPrompt(Ui.Prompts, m.Caution, m.ErrRange, Prompter::Information);
        return false;
    }
    const auto refuse = [&](const QLabel* field) {
        ShowPrompt(Ui.Prompts, m.Caution,
                   m.ErrRange + QLatin1Char('\n') + field->text().remove(QLatin1Char('&')),
                   Prompter::Information);
        return false;
    };
    // The fields start at 0.00000: a start nobody typed fills nothing, in either mode.
    if (FrequencyUnits(r) == 0)
        return refuse(lbReceive);
    if (FrequencyUnits(t) == 0)
        return refuse(lbSend);
    // All channels: a start beyond the margin is pulled to the band edge channel by channel.
    if (rall->isChecked())
        return true;
    if (seFrom->value() > seTo->value()) {
        ShowPrompt(Ui.Prompts, m.Confirmation, m.FChBigT, Prompter::Information);
        return false;
    }
    for (const auto& [start, field] : {std::pair{r, lbReceive}, std::pair{t, lbSend}}) {
        bool outside = false;
        ClampToBand(start, state.BandLow, state.BandHigh, kBandMargin, &outside);
        if (outside)
            return refuse(field);
    }
    return true;
}

bool TfBBatchEdit::ConfirmOverwrite() {
    const int first = rOne->isChecked() ? seFrom->value() : 1;
    const int last = rOne->isChecked() ? seTo->value() : seTo->maximum();
    int inUse = 0;
    for (int k = first; k <= last && k <= Table.RowCount(); ++k)
        if (Table.IsChannelInUse(k))
            ++inUse;
    if (inUse == 0)
        return true;
    return ShowPrompt(Ui.Prompts, Db.Messages.Confirmation, lOverwrite->text().arg(inUse),
                      Prompter::YesNoDefaultNo) == Prompter::Yes;
}

void TfBBatchEdit::FillChannels() {
    TALL& state = Db.AppState;
    const int first = rOne->isChecked() ? seFrom->value() : 1;
    const int last = rOne->isChecked() ? seTo->value() : seTo->maximum();
    double r = 0.0, t = 0.0;
    ParseFrequencyText(eReceive->text(), r);
    ParseFrequencyText(eSend->text(), t);
    double spacing = QLocale::c().toDouble(cbJg->currentText()) / 1000.0;
    if (rdesc->isChecked())
        spacing = -spacing;
    const QString rxTone = ToneCellText(cbQT);
    const QString txTone = ToneCellText(cbDQT);
    const QList<QPair<QComboBox*, int>> options = {{cbfsgl, Col::Power},   {cbkz, Col::Bandwidth},
                                                   {cbsmtj, Col::ScanAdd}, {cbKxxl, Col::OptSignal},
                                                   {cbPtt, Col::PttId},    {cbfmsd, Col::BusyLock}};

    for (int k = first; k <= last && k <= Table.RowCount(); ++k) {
        r = ClampToBand(r, state.BandLow, state.BandHigh, kBandMargin);
        t = ClampToBand(t, state.BandLow, state.BandHigh, kBandMargin);
        // Only the written texts are snapped; the running values keep the exact spacing.
        Table.SetText(k, Col::RxFrequency, FormatFrequency(SnapFrequency(r)));
        Table.SetText(k, Col::TxFrequency, FormatFrequency(SnapFrequency(t)));
        Table.SetText(k, Col::RxTone, rxTone);
        Table.SetText(k, Col::TxTone, txTone);
        Table.SetCode(k, Col::RxTone, QStringLiteral("0"));
        Table.SetCode(k, Col::TxTone, QStringLiteral("0"));
        for (const auto& [box, column] : options)
            Table.SetOption(k, column, box->currentIndex());
        Table.SetCode(k, Col::ChannelNo, QStringLiteral("1"));
        state.Modified = true;
        r += spacing;
        t += spacing;
        Table.SetReadOnly(k, Col::TxFrequency, false);
    }
    for (int k = 1; k <= Table.RowCount(); ++k)
        Table.SetReadOnly(k, Col::TxFrequency, false);
}

void TfBBatchEdit::btnOkClick() {
    // OK by its shortcut leaves the focus where it was: take what is still being typed.
    if (!CommitText(eReceive, [this] { return eReceiveChange(); }) ||
        !CommitText(eSend, [this] { return eSendChange(); }))
        return;
    for (QComboBox* box : {cbQT, cbDQT})
        CommitText(box->lineEdit(), [this, box] {
            ToneBoxChange(box);
            return true;
        });
    if (CheckInput() && ConfirmOverwrite())
        FillChannels();
}

void TfBBatchEdit::btnCancelClick() {
    reject();
}
