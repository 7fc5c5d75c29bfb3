#include "FrequencyModePanel.h"

#include "Controls.h"
#include "app/AppState.h"
#include "app/FormTexts.h"
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
    const auto label = [this](const char* name) {
        return NewNamedLabel(this, name, MainWindowCaption(name));
    };
    titleLabel = label("Label9");
    form->addRow(titleLabel);
    rxFrequencyLabel = label("Label1");
    rxFrequencyEdit = NewFrequencyEdit(this, "cxRx");
    form->addRow(rxFrequencyLabel, rxFrequencyEdit);
    stepLabel = label("Label2");
    stepList = NewNamedList(this, "cbbjpl", VfoStepList().Items, VfoStepList().Marker);
    form->addRow(stepLabel, stepList);
    rxToneLabel = label("Label3");
    rxToneBox = NewNamedList(this, "cbjsyyp", LongToneList(), -3);
    rxToneBox->setEditable(true);
    form->addRow(rxToneLabel, rxToneBox);
    txToneLabel = label("Label5");
    txToneBox = NewNamedList(this, "cbfsyyp", LongToneList(), -3);
    txToneBox->setEditable(true);
    form->addRow(txToneLabel, txToneBox);
    offsetDirectionLabel = label("Label6");
    offsetDirectionList = NewNamedList(this, "cbwcfx", VfoOffsetDirectionList().Items);
    form->addRow(offsetDirectionLabel, offsetDirectionList);
    offsetLabel = label("Label7");
    offsetEdit = NewFrequencyEdit(this, "cxWcpl");
    form->addRow(offsetLabel, offsetEdit);
    channelGroupLabel = label("Label8");
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
