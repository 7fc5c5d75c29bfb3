#pragma once

#include "app/ReportTables.h"

#include <QList>
#include <QWidget>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class TALL;
class TFun;

// The frequency mode settings with their captions in the current language, never shown: the source
// of the frequency mode lines of the settings report. Its controls keep their language-file names.
class TFrequencyModePanel : public QWidget {
    Q_OBJECT
public:
    explicit TFrequencyModePanel(QWidget* parent = nullptr);

    // Shows the settings; a receive frequency that is unset or far outside the band shows the band edge.
    void Load(const TFun& settings, const TALL& state);
    void ShowRxFrequency(double mhz);
    // The frequency mode lines of the report, in the order the report prints them.
    void AppendReportRows(QList<TAdoRecord>& rows) const;
    // The caption of the report's channel group, which this panel carries with its own captions.
    QString ChannelGroupTitle() const;

private:
    // A simplex offset direction has no offset.
    void OffsetDirectionChanged();

    QLabel* titleLabel;
    QLabel* rxFrequencyLabel;
    QDoubleSpinBox* rxFrequencyEdit;
    QLabel* stepLabel;
    QComboBox* stepList;
    QLabel* rxToneLabel;
    QComboBox* rxToneBox;
    QLabel* txToneLabel;
    QComboBox* txToneBox;
    QLabel* offsetDirectionLabel;
    QComboBox* offsetDirectionList;
    QLabel* offsetLabel;
    QDoubleSpinBox* offsetEdit;
    QLabel* channelGroupLabel;
};
