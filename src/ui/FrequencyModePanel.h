#pragma once

#include "app/ReportTables.h"

#include <QList>
#include <QWidget>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class TALL;
class TFun;

// The frequency mode settings with their captions in the current language, never shown. Its
// controls carry the language-file keys of the frequency mode lines that the settings report
// prints (the report itself is built from the values, with the same built-in texts).
class TFrequencyModePanel : public QWidget {
    Q_OBJECT
public:
    explicit TFrequencyModePanel(QWidget* parent = nullptr);

    // Shows the settings; a receive frequency that is unset or far outside the band shows the band edge.
    void Load(const TFun& settings, const TALL& state);
    void ShowRxFrequency(double mhz);

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
