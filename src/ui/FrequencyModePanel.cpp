#include "FrequencyModePanel.h"

#include "Controls.h"
#include "app/AppState.h"
#include "core/ToneLists.h"
#include "core/Values.h"
#include "dialogs/EditHelpers.h"
#include "radiodata/FunctionSettings.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>

namespace {

// The largest repeater offset the radio stores.
constexpr double kMaxVfoOffset = 69.995;

QDoubleSpinBox* NewFrequencyEdit(QWidget* parent, const char* name) {
    auto* edit = new QDoubleSpinBox(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setLocale(QLocale::c());
    edit->setDecimals(5);
    edit->setRange(0.0, 1000.0);
    edit->setButtonSymbols(QAbstractSpinBox::NoButtons);
    return edit;
}

} // namespace

TFrequencyModePanel::TFrequencyModePanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pTop"));
    auto* form = new QFormLayout(this);
    titleLabel = NewNamedLabel(this, "Label9", QStringLiteral("全频模式设置"));
    form->addRow(titleLabel);
    rxFrequencyLabel = NewNamedLabel(this, "Label1", QStringLiteral("接收频率(MHz)"));
    rxFrequencyEdit = NewFrequencyEdit(this, "cxRx");
    form->addRow(rxFrequencyLabel, rxFrequencyEdit);
    stepLabel = NewNamedLabel(this, "Label2", QStringLiteral("步进频率"));
    stepList = NewNamedList(this, "cbbjpl",
                            {QStringLiteral("5K"), QStringLiteral("6.25K"), QStringLiteral("10K"),
                             QStringLiteral("12.5K"), QStringLiteral("25K")},
                            -2);
    form->addRow(stepLabel, stepList);
    rxToneLabel = NewNamedLabel(this, "Label3", QStringLiteral("接收亚音频"));
    rxToneBox = NewNamedList(this, "cbjsyyp", LongToneList(), -3);
    rxToneBox->setEditable(true);
    form->addRow(rxToneLabel, rxToneBox);
    txToneLabel = NewNamedLabel(this, "Label5", QStringLiteral("发射亚音频"));
    txToneBox = NewNamedList(this, "cbfsyyp", LongToneList(), -3);
    txToneBox->setEditable(true);
    form->addRow(txToneLabel, txToneBox);
    offsetDirectionLabel = NewNamedLabel(this, "Label6", QStringLiteral("位差方向"));
    offsetDirectionList =
        NewNamedList(this, "cbwcfx",
                     {QStringLiteral("同频"), QStringLiteral("+(高于接收)"), QStringLiteral("-(低于接收)")});
    form->addRow(offsetDirectionLabel, offsetDirectionList);
    offsetLabel = NewNamedLabel(this, "Label7", QStringLiteral("位差频率(MHz)"));
    offsetEdit = NewFrequencyEdit(this, "cxWcpl");
    form->addRow(offsetLabel, offsetEdit);
    channelGroupLabel = NewNamedLabel(this, "Label8", QStringLiteral("信道频率设置"));
    form->addRow(channelGroupLabel);
    connect(offsetDirectionList, &QComboBox::currentIndexChanged, this,
            &TFrequencyModePanel::OffsetDirectionChanged);
}

void TFrequencyModePanel::Load(const TFun& f, const TALL& state) {
    const double rx = FrequencyUnits(f.VfoRxFreq) == 0
                          ? state.BandLow
                          : ClampToBand(f.VfoRxFreq, state.BandLow, state.BandHigh, kBandMargin);
    rxFrequencyEdit->setValue(rx);
    stepList->setCurrentIndex(f.VfoStep >= 0 && f.VfoStep < stepList->count() ? f.VfoStep : -1);
    rxToneBox->setCurrentIndex(0);
    if (!f.VfoRxTone.isEmpty())
        rxToneBox->setEditText(f.VfoRxTone);
    txToneBox->setCurrentIndex(0);
    if (!f.VfoTxTone.isEmpty())
        txToneBox->setEditText(f.VfoTxTone);
    offsetDirectionList->setCurrentIndex(
        f.OffsetDirection >= 0 && f.OffsetDirection < offsetDirectionList->count() ? f.OffsetDirection : -1);
    offsetEdit->setValue(qBound(0.0, f.VfoOffset, kMaxVfoOffset));
    OffsetDirectionChanged();
}

void TFrequencyModePanel::ShowRxFrequency(double mhz) {
    rxFrequencyEdit->setValue(mhz);
}

void TFrequencyModePanel::OffsetDirectionChanged() {
    const bool simplex = offsetDirectionList->currentIndex() == 0;
    offsetEdit->setEnabled(!simplex);
    if (simplex)
        offsetEdit->setValue(0.0);
}

void TFrequencyModePanel::AppendReportRows(QList<TAdoRecord>& rows) const {
    const QString group = titleLabel->text();
    const auto line = [&](const QLabel* caption, const QString& value) {
        rows.append({TAdoRecord::FrequencyMode, group, caption->text(), value, QString(), QString(), 1});
    };
    line(rxFrequencyLabel, FormatFrequency(rxFrequencyEdit->value()));
    line(stepLabel, stepList->currentText());
    line(rxToneLabel, rxToneBox->currentText());
    line(txToneLabel, txToneBox->currentText());
    line(offsetDirectionLabel, offsetDirectionList->currentText());
    line(offsetLabel, FormatFrequency(offsetEdit->value()));
}

QString TFrequencyModePanel::ChannelGroupTitle() const {
    return channelGroupLabel->text();
}
