#pragma once

#include <QStatusBar>

class QTimer;
class TStaticText;

// The main window's status bar: five panels, the date and time in the second and third, kept
// current by a clock.
class TMainStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit TMainStatusBar(QWidget* parent = nullptr);

    // Empties the first, fourth and last panels and shows the date and time.
    void Refresh();
    void ShowClock();
    void StopClock();
    // The fourth panel: the port in the multi-model layout, empty otherwise.
    void SetPortText(const QString& text);

private:
    static constexpr int kPanelCount = 5;
    TStaticText* panels[kPanelCount] = {};
    QTimer* clock = nullptr;
};
