#include "FreqModel.h"

#include "EditHelpers.h"
#include "ToneOption.h"
#include "app/FormTexts.h"
#include "app/Maindb.h"
#include "core/Prompt.h"
#include "core/ToneLists.h"
#include "core/Values.h"
#include "ui/Controls.h"
#include "ui/TranslateForm.h"
#include "ui/UiServices.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The radio's largest transmit offset.
constexpr double kMaxOffset = 69.995;

QLineEdit* NewFrequencyEdit(QWidget* owner, const QString& name) {
    auto* edit = new QLineEdit(owner);
    edit->setObjectName(name);
    edit->setAlignment(Qt::AlignRight);
    edit->setMaxLength(12);
    InstallKeyFilter(edit, IsFrequencyKey);
    return edit;
}

} // namespace

TfFreqModel::TfFreqModel(TfMaindb& db, UiServices& ui, QWidget* parent) : QDialog(parent), Db(db), Ui(ui) {
    setObjectName(QStringLiteral("fFreqModel"));
    setWindowTitle(QStringLiteral("频率模式"));

    gbRx = new QGroupBox(QStringLiteral("接收频率"), this);
    gbRx->setObjectName(QStringLiteral("gbRx"));
    cxRx = NewFrequencyEdit(gbRx, QStringLiteral("cxRx"));
    Label1 = NewBuddyLabel(gbRx, QStringLiteral("Label1"), QStringLiteral("接收频率(MHz)"), cxRx);
    cbbjpl = new QComboBox(gbRx);
    cbbjpl->setObjectName(QStringLiteral("cbbjpl"));
    cbbjpl->addItems(VfoStepList().Items);
    Label2 = NewBuddyLabel(gbRx, QStringLiteral("Label2"), QStringLiteral("步进频率"), cbbjpl);
    cbjsyyp = new QComboBox(gbRx);
    cbjsyyp->setObjectName(QStringLiteral("cbjsyyp"));
    SetupToneBox(cbjsyyp, ShortToneList());
    Label3 = NewBuddyLabel(gbRx, QStringLiteral("Label3"), QStringLiteral("接收亚音频"), cbjsyyp);

    gbTx = new QGroupBox(QStringLiteral("发射频率"), this);
    gbTx->setObjectName(QStringLiteral("gbTx"));
    cbfsyyp = new QComboBox(gbTx);
    cbfsyyp->setObjectName(QStringLiteral("cbfsyyp"));
    SetupToneBox(cbfsyyp, ShortToneList());
    Label5 = NewBuddyLabel(gbTx, QStringLiteral("Label5"), QStringLiteral("发射亚音频"), cbfsyyp);
    cbwcfx = new QComboBox(gbTx);
    cbwcfx->setObjectName(QStringLiteral("cbwcfx"));
    cbwcfx->addItems({QStringLiteral("同频"), QStringLiteral("+(高于接收)"), QStringLiteral("-(低于接收)")});
    Label6 = NewBuddyLabel(gbTx, QStringLiteral("Label6"), QStringLiteral("位差方向"), cbwcfx);
    cxWcpl = NewFrequencyEdit(gbTx, QStringLiteral("cxWcpl"));
    Label7 = NewBuddyLabel(gbTx, QStringLiteral("Label7"), QStringLiteral("位差频率(MHz)"), cxWcpl);

    btnOk = new QPushButton(QStringLiteral("确定(&O)"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setDefault(true);
    btnOk->setAutoDefault(false);
    btnCancel = new QPushButton(QStringLiteral("取消(&C)"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setAutoDefault(false);

    auto place = [](QGroupBox* group, const QList<QPair<QLabel*, QWidget*>>& rows) {
        auto* grid = new QGridLayout(group);
        grid->setHorizontalSpacing(10);
        grid->setVerticalSpacing(8);
        for (int i = 0; i < rows.size(); ++i) {
            grid->addWidget(rows.at(i).first, i, 0, Qt::AlignRight | Qt::AlignVCenter);
            grid->addWidget(rows.at(i).second, i, 1);
            rows.at(i).second->setFixedWidth(130);
        }
    };
    place(gbRx, {{Label1, cxRx}, {Label2, cbbjpl}, {Label3, cbjsyyp}});
    place(gbTx, {{Label5, cbfsyyp}, {Label6, cbwcfx}, {Label7, cxWcpl}});
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gbRx);
    layout->addWidget(gbTx);
    layout->addSpacing(4);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    OnTextCommitted(cxRx, [this] { return cxRxChange(); });
    OnTextCommitted(cxWcpl, [this] { return cxWcplChange(); });
    connect(cbwcfx, &QComboBox::currentIndexChanged, this, &TfFreqModel::cbwcfxChange);
    for (QComboBox* box : {cbjsyyp, cbfsyyp}) {
        OnToneCommitted(box, [this, box] { ToneBoxChange(box); });
        OnToneBoxDoubleClick(box, [this, box] { ToneBoxDblClick(box); });
    }
    // What the user touched: OK stores the values as the rules show them (a reset 0 as the band's
    // edge), which alone is no edit of the user's.
    for (QLineEdit* edit : {cxRx, cxWcpl, cbjsyyp->lineEdit(), cbfsyyp->lineEdit()})
        connect(edit, &QLineEdit::textEdited, this, [this] { Edited = true; });
    for (QComboBox* box : {cbbjpl, cbwcfx, cbjsyyp, cbfsyyp})
        connect(box, &QComboBox::activated, this, [this] { Edited = true; });
    connect(btnOk, &QPushButton::clicked, this, &TfFreqModel::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfFreqModel::btnCancelClick);
}

bool TfFreqModel::Run(TfMaindb& db, UiServices& ui, QWidget* parent) {
    TfFreqModel dialog(db, ui, parent);
    const TFun before = db.FunctionSettings;
    const bool accepted = ui.ExecDialog(dialog) == QDialog::Accepted;
    // A changed setting is unsaved data like a changed channel: the save question must cover it.
    if (accepted && dialog.Edited && !(db.FunctionSettings == before))
        db.AppState.Modified = true;
    return accepted;
}

void TfFreqModel::showEvent(QShowEvent* event) {
    if (!Shown) {
        Shown = true;
        PrepareForm();
    }
    QDialog::showEvent(event);
}

void TfFreqModel::PrepareForm() {
    const TALL& state = Db.AppState;
    if (state.LanguageIndex > 0)
        TranslateForm(this, state.ProgramDir, state.LanguageName, true);
    LoadFromRecord();
}

double TfFreqModel::ReceiveRule(double mhz) const {
    const TALL& state = Db.AppState;
    // 0 is what a reset leaves: the radio starts on the band's lower edge.
    if (FrequencyUnits(mhz) == 0)
        return state.BandLow;
    return ClampToBand(mhz, state.BandLow, state.BandHigh, kBandMargin);
}

double TfFreqModel::OffsetRule(double mhz) {
    const qint64 units = FrequencyUnits(mhz);
    if (units > FrequencyUnits(kMaxOffset))
        return kMaxOffset;
    if (units <= 0)
        return 0.0;
    return mhz;
}

void TfFreqModel::LoadFromRecord() {
    const TFun& f = Db.FunctionSettings;
    RxText = FormatFrequency(ReceiveRule(f.VfoRxFreq));
    cxRx->setText(RxText);
    cbbjpl->setCurrentIndex(f.VfoStep >= 0 && f.VfoStep < cbbjpl->count() ? f.VfoStep : -1);
    SetToneBoxText(cbjsyyp, f.VfoRxTone.isEmpty() ? cbjsyyp->itemText(0) : f.VfoRxTone);
    SetToneBoxText(cbfsyyp, f.VfoTxTone.isEmpty() ? cbfsyyp->itemText(0) : f.VfoTxTone);
    OffsetText = FormatFrequency(OffsetRule(f.VfoOffset));
    cxWcpl->setText(OffsetText);
    cbwcfx->setCurrentIndex(f.OffsetDirection >= 0 && f.OffsetDirection < cbwcfx->count() ? f.OffsetDirection
                                                                                          : -1);
    cbwcfxChange();
}

void TfFreqModel::SaveToRecord() {
    TFun& f = Db.FunctionSettings;
    double rx = 0.0, offset = 0.0;
    if (ParseFrequencyText(cxRx->text(), rx))
        f.VfoRxFreq = rx;
    if (cbbjpl->currentIndex() >= 0)
        f.VfoStep = cbbjpl->currentIndex();
    f.VfoRxTone = cbjsyyp->currentText() == cbjsyyp->itemText(0) ? QString() : cbjsyyp->currentText();
    f.VfoTxTone = cbfsyyp->currentText() == cbfsyyp->itemText(0) ? QString() : cbfsyyp->currentText();
    if (cbwcfx->currentIndex() >= 0)
        f.OffsetDirection = cbwcfx->currentIndex();
    if (ParseFrequencyText(cxWcpl->text(), offset))
        f.VfoOffset = offset;
}

bool TfFreqModel::TypedValue(QLineEdit* edit, const QString& lastText, double& mhz) {
    const QString text = edit->text().trimmed();
    if (text.isEmpty()) {
        mhz = 0.0;
        return true;
    }
    if (ParseFrequencyText(text, mhz))
        return true;
    ShowPrompt(Ui.Prompts, Db.Messages.Caution, Db.Messages.ErrRange, Prompter::Information);
    edit->setText(lastText);
    return false;
}

bool TfFreqModel::cxRxChange() {
    double v = 0.0;
    if (!TypedValue(cxRx, RxText, v))
        return false;
    // No message and no channel raster here: the radio tunes this frequency in its own steps.
    RxText = FormatFrequency(ReceiveRule(v));
    cxRx->setText(RxText);
    return true;
}

bool TfFreqModel::cxWcplChange() {
    double v = 0.0;
    if (!TypedValue(cxWcpl, OffsetText, v))
        return false;
    OffsetText = FormatFrequency(OffsetRule(v));
    cxWcpl->setText(OffsetText);
    return true;
}

void TfFreqModel::cbwcfxChange() {
    // A simplex channel has no offset.
    const bool simplex = cbwcfx->currentIndex() == 0;
    cxWcpl->setEnabled(!simplex);
    if (simplex) {
        OffsetText = FormatFrequency(0.0);
        cxWcpl->setText(OffsetText);
    }
}

void TfFreqModel::ToneBoxChange(QComboBox* box) {
    const QString text = box->currentText().trimmed();
    if (!text.isEmpty() && text != box->itemText(0))
        SetToneBoxText(box, NormalizeToneText(text));
    else
        SetToneBoxText(box, box->itemText(0));
}

void TfFreqModel::ToneBoxDblClick(QComboBox* box) {
    Edited = true;
    const QString tone = TfToneOption::Pick(Db, Ui, this);
    if (tone.isEmpty())
        return;
    SetToneBoxText(box, tone);
    ToneBoxChange(box);
}

void TfFreqModel::btnOkClick() {
    // OK by its shortcut leaves the focus where it was, so a value still being typed is taken here.
    if (!CommitText(cxRx, [this] { return cxRxChange(); }) ||
        !CommitText(cxWcpl, [this] { return cxWcplChange(); }))
        return;
    for (QComboBox* box : {cbjsyyp, cbfsyyp})
        CommitText(box->lineEdit(), [this, box] {
            ToneBoxChange(box);
            return true;
        });
    SaveToRecord();
    accept();
}

void TfFreqModel::btnCancelClick() {
    reject();
}
