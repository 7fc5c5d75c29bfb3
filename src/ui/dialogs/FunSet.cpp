#include "FunSet.h"

#include "EditHelpers.h"
#include "app/FormTexts.h"
#include "app/Maindb.h"
#include "radiodata/WriteRead.h"
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

// ModeFlag is stored as the radio counts it; the list shows frequency mode first.
constexpr int kModeFrequency = 0; // "频率模式", ModeFlag 3
constexpr int kModeChannel = 1;   // "信道模式", ModeFlag 0
constexpr int kModeBoth = 2;      // "频率与频道模式", ModeFlag 1

QStringList Numbers(int first, int last) {
    QStringList list;
    for (int i = first; i <= last; ++i)
        list.append(QString::number(i));
    return list;
}

// A value without an entry in its list shows no entry.
void Show(QComboBox* box, int position) {
    box->setCurrentIndex(position >= 0 && position < box->count() ? position : -1);
}

// A list that shows no entry keeps the field as it was: OK must not turn a value the dialog
// cannot show into another one.
void Take(const QComboBox* box, int& field, int offset = 0) {
    if (box->currentIndex() >= 0)
        field = box->currentIndex() + offset;
}

void Take(const QComboBox* box, bool& field) {
    if (box->currentIndex() >= 0)
        field = box->currentIndex() == 1;
}

// The radio's ANI is a code of digits; anything else would be dropped by the next read.
bool IsAniKey(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool IsNameKey(QChar c) {
    return c == QLatin1Char('.') || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
}

} // namespace

TfFunSet::TfFunSet(TfMaindb& db, QWidget* parent) : QDialog(parent), Db(db) {
    setObjectName(QStringLiteral("fFunSet"));
    setWindowTitle(FunctionSettingsTitle());

    const QString off = QStringLiteral("关"), on = QStringLiteral("开");
    const QString none = QStringLiteral("无"), have = QStringLiteral("有");
    const QString closed = QStringLiteral("关闭");

    gbFun = new QGroupBox(QStringLiteral("功能"), this);
    gbFun->setObjectName(QStringLiteral("gbFun"));
    cbtsy = NewList(gbFun, FunctionReportList(QStringLiteral("cbtsy")));
    cbOpentsy = NewList(gbFun, FunctionReportList(QStringLiteral("cbOpentsy")));
    cbfscs = NewList(gbFun, FunctionReportList(QStringLiteral("cbfscs")));
    cbdcsd = NewList(gbFun, FunctionReportList(QStringLiteral("cbdcsd")));
    cbsksz = NewList(gbFun, FunctionReportList(QStringLiteral("cbsksz")));
    cbwn = NewList(gbFun, FunctionReportList(QStringLiteral("cbwn")));
    cbjzjb = NewList(gbFun, FunctionReportList(QStringLiteral("cbjzjb")));
    cbglgd = NewList(gbFun, FunctionReportList(QStringLiteral("cbglgd")));
    cbled = NewList(gbFun, FunctionReportList(QStringLiteral("cbled")));
    cbcled = NewList(gbFun, FunctionReportList(QStringLiteral("cbcled")));
    cbsmfs = NewList(gbFun, FunctionReportList(QStringLiteral("cbsmfs")));
    cbjps = NewList(gbFun, FunctionReportList(QStringLiteral("cbjps")));

    pHidden = new QWidget(this);
    pHidden->setVisible(false);
    cbmsbz =
        NewList(pHidden, QStringLiteral("cbmsbz"), QStringLiteral("模式标志"),
                {QStringLiteral("频率模式"), QStringLiteral("信道模式"), QStringLiteral("频率与频道模式")});
    cbdqxd = NewList(pHidden, QStringLiteral("cbdqxd"), QStringLiteral("当前信道"), {});
    cbScr = NewList(pHidden, QStringLiteral("cbScr"), QStringLiteral("SCR"), {off, on});
    cbAni = NewList(pHidden, QStringLiteral("cbAni"), QStringLiteral("ANI"), {off, on});
    cbsttx = NewList(pHidden, QStringLiteral("cbsttx"), QStringLiteral("开始发射"), {none, have});
    cbentx = NewList(pHidden, QStringLiteral("cbentx"), QStringLiteral("结束发射"), {none, have});
    cbsdsz = NewList(pHidden, QStringLiteral("cbsdsz"), QStringLiteral("手动设置"),
                     {closed, QStringLiteral("打开")});
    cbyysz = NewList(pHidden, QStringLiteral("cbyysz"), QStringLiteral("语言选择"),
                     {closed, QStringLiteral("英文"), QStringLiteral("中文")});
    cbpjts = NewList(pHidden, FunctionReportList(QStringLiteral("cbpjts")));
    cblpjh = NewList(pHidden, QStringLiteral("cblpjh"), QStringLiteral("扰频器激活"), {none, have});
    cbvoxyc = NewList(pHidden, FunctionReportList(QStringLiteral("cbvoxyc")));
    cbTFLev = NewList(pHidden, QStringLiteral("cbTFLev"), QStringLiteral("发射功能等级"), Numbers(0, 9));
    cxANICode = NewText(pHidden, QStringLiteral("cxANICode"), QStringLiteral("ANI"));
    cxMeName = NewText(pHidden, QStringLiteral("cxMeName"), QStringLiteral("本机命名"));
    // The radio keeps four ANI digits and six name characters.
    cxANICode->setMaxLength(kAniDigits);
    InstallTextFilter(cxANICode, IsAniKey, true);
    cxMeName->setMaxLength(kRadioNameLength);
    InstallTextFilter(cxMeName, IsNameKey, true);

    // Lists of numbers are not words to translate; of these two only the "off" entry is.
    for (QComboBox* numbers : {cbjzjb, cbTFLev, cbvoxyc, cbdqxd})
        SetTag(numbers, -2);
    for (QComboBox* mostlyNumbers : {cbfscs, cbsksz})
        SetTag(mostlyNumbers, -3);

    btnOk = new QPushButton(QStringLiteral("确定(&O)"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("取消(&C)"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    // Six rows of two settings, the left one first, in the order the keyboard visits them.
    const QList<QComboBox*> shown = {cbtsy,  cbOpentsy, cbfscs, cbdcsd, cbsksz, cbwn,
                                     cbjzjb, cbglgd,    cbled,  cbcled, cbsmfs, cbjps};
    auto* grid = new QGridLayout(gbFun);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    grid->setColumnMinimumWidth(2, 18);
    for (int i = 0; i < shown.size(); ++i) {
        const int row = i / 2, column = (i % 2) * 3;
        grid->addWidget(LabelOf(shown.at(i)), row, column, Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(shown.at(i), row, column + 1);
        shown.at(i)->setMinimumWidth(120);
    }
    QWidget* previous = nullptr;
    for (QWidget* w : shown) {
        if (previous)
            setTabOrder(previous, w);
        previous = w;
    }
    setTabOrder(previous, btnOk);
    setTabOrder(btnOk, btnCancel);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gbFun);
    layout->addWidget(pHidden);
    layout->addSpacing(4);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnOk, &QPushButton::clicked, this, &TfFunSet::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfFunSet::btnCancelClick);
}

QComboBox* TfFunSet::NewList(QWidget* owner, const SettingList& list) {
    return NewList(owner, list.Name, list.Caption, list.Items);
}

QComboBox* TfFunSet::NewList(QWidget* owner, const QString& name, const QString& label,
                             const QStringList& entries) {
    auto* caption = new QLabel(label, owner);
    caption->setObjectName(QStringLiteral("lb") + name.mid(2));
    auto* box = new QComboBox(owner);
    box->setObjectName(name);
    box->addItems(entries);
    caption->setBuddy(box);
    Labels.append({box, caption});
    return box;
}

QLineEdit* TfFunSet::NewText(QWidget* owner, const QString& name, const QString& label) {
    auto* caption = new QLabel(label, owner);
    caption->setObjectName(QStringLiteral("lb") + name.mid(2));
    auto* edit = new QLineEdit(owner);
    edit->setObjectName(name);
    caption->setBuddy(edit);
    Labels.append({edit, caption});
    return edit;
}

QLabel* TfFunSet::LabelOf(const QWidget* control) const {
    for (const auto& [widget, label] : Labels)
        if (widget == control)
            return label;
    return nullptr;
}

bool TfFunSet::Run(TfMaindb& db, UiServices& ui, const QStringList& channelsInUse, QWidget* parent) {
    TfFunSet dialog(db, parent);
    dialog.FillChannelList(channelsInUse);
    const TFun before = db.FunctionSettings;
    const bool accepted = ui.ExecDialog(dialog) == QDialog::Accepted;
    // A changed setting is unsaved data like a changed channel: the save question must cover it.
    if (accepted && !(db.FunctionSettings == before))
        db.AppState.Modified = true;
    return accepted;
}

void TfFunSet::FillChannelList(const QStringList& channelsInUse) {
    cbdqxd->clear();
    cbdqxd->addItems(channelsInUse);
}

QStringList TfFunSet::ChannelsInUse(const ChannelTable& table) {
    QStringList numbers;
    for (int k = 1; k <= table.RowCount(); ++k)
        if (table.IsChannelInUse(k))
            numbers.append(QString::number(k));
    return numbers;
}

void TfFunSet::showEvent(QShowEvent* event) {
    if (!Shown) {
        Shown = true;
        PrepareForm();
    }
    QDialog::showEvent(event);
}

void TfFunSet::PrepareForm() {
    const TALL& state = Db.AppState;
    if (state.LanguageIndex > 0)
        TranslateForm(this, state.ProgramDir, state.LanguageName, true);
    LoadFromRecord();
}

void TfFunSet::LoadFromRecord() {
    const TFun& f = Db.FunctionSettings;
    switch (f.ModeFlag) {
    case 0:
        Show(cbmsbz, kModeChannel);
        break;
    case 1:
        Show(cbmsbz, kModeBoth);
        break;
    case 3:
        Show(cbmsbz, kModeFrequency);
        break;
    default:
        // The radio's value 2 has no entry in the list.
        Show(cbmsbz, -1);
        break;
    }
    Show(cbScr, f.ScrSwitch);
    Show(cbAni, f.AniSwitch);
    Show(cbsttx, f.StartTxFlag ? 1 : 0);
    Show(cbentx, f.EndTxFlag ? 1 : 0);
    Show(cbsdsz, f.ManualSet ? 1 : 0);
    Show(cbyysz, f.LanguageSelect - 1);
    Show(cbpjts, f.WarningPrompt ? 1 : 0);
    Show(cblpjh, f.ScramblerActive ? 1 : 0);
    Show(cbvoxyc, f.VoxDelay);
    Show(cbTFLev, f.TxFunctionLevel);
    Show(cbtsy, f.KeyBeep);
    Show(cbOpentsy, f.PowerOnTone);
    Show(cbfscs, f.TxTimeout);
    Show(cbdcsd, f.BatterySave ? 1 : 0);
    Show(cbsksz, f.VoxLevel);
    Show(cbwn, f.WideNarrow);
    Show(cbjzjb, f.SquelchLevel);
    Show(cbglgd, f.PowerLevel);
    Show(cbled, f.LedMode);
    Show(cbcled, f.LedColor);
    Show(cbsmfs, f.ScanMode);
    Show(cbjps, f.KeyLockMode);

    const int current = cbdqxd->findText(QString::number(f.CurrentChannel));
    if (current >= 0)
        cbdqxd->setCurrentIndex(current);
    else if (cbdqxd->count() > 0)
        cbdqxd->setCurrentIndex(0);
    // Without a channel the radio can only be in frequency mode.
    cbmsbz->setEnabled(cbdqxd->count() > 0);
    if (cbdqxd->count() == 0)
        cbmsbz->setCurrentIndex(kModeFrequency);

    cxANICode->setText(f.AniCode);
    cxMeName->setText(f.RadioName.toUpper());
}

void TfFunSet::SaveToRecord() {
    TFun& f = Db.FunctionSettings;
    switch (cbmsbz->currentIndex()) {
    case kModeFrequency:
        f.ModeFlag = 3;
        break;
    case kModeChannel:
        f.ModeFlag = 0;
        break;
    case kModeBoth:
        f.ModeFlag = 1;
        break;
    default:
        break;
    }
    Take(cbScr, f.ScrSwitch);
    Take(cbAni, f.AniSwitch);
    Take(cbsttx, f.StartTxFlag);
    Take(cbentx, f.EndTxFlag);
    Take(cbsdsz, f.ManualSet);
    Take(cbyysz, f.LanguageSelect, 1);
    Take(cbpjts, f.WarningPrompt);
    Take(cblpjh, f.ScramblerActive);
    Take(cbvoxyc, f.VoxDelay);
    Take(cbTFLev, f.TxFunctionLevel);
    Take(cbtsy, f.KeyBeep);
    Take(cbOpentsy, f.PowerOnTone);
    Take(cbfscs, f.TxTimeout);
    Take(cbdcsd, f.BatterySave);
    Take(cbsksz, f.VoxLevel);
    Take(cbwn, f.WideNarrow);
    Take(cbjzjb, f.SquelchLevel);
    Take(cbglgd, f.PowerLevel);
    Take(cbled, f.LedMode);
    Take(cbcled, f.LedColor);
    Take(cbsmfs, f.ScanMode);
    Take(cbjps, f.KeyLockMode);
    bool isNumber = false;
    const int channel = cbdqxd->currentText().toInt(&isNumber);
    if (isNumber)
        f.CurrentChannel = channel;
    f.AniCode = cxANICode->text();
    f.RadioName = cxMeName->text();
}

void TfFunSet::TakeCurrentChannel() {
    bool isNumber = false;
    const int channel = cbdqxd->currentText().toInt(&isNumber);
    Db.FunctionSettings.CurrentChannel = isNumber ? channel : 0;
}

void TfFunSet::btnOkClick() {
    SaveToRecord();
    accept();
}

void TfFunSet::btnCancelClick() {
    reject();
}

void TfFunSet::done(int result) {
    // Whichever way the dialog closes, the current channel follows the list: it must name a
    // channel that is in use.
    TakeCurrentChannel();
    QDialog::done(result);
}
