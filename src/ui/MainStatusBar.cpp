#include "MainStatusBar.h"

#include "Controls.h"

#include <QDateTime>
#include <QTimer>

#include <iterator>

namespace {

constexpr int kPanelWidths[] = {50, 80, 120, 180, 200};
constexpr int kClockInterval = 1000; // ms
enum Panel { DatePanel = 1, TimePanel = 2, PortPanel = 3, LastPanel = 4 };

} // namespace

TMainStatusBar::TMainStatusBar(QWidget* parent) : QStatusBar(parent) {
    static_assert(std::size(kPanelWidths) == kPanelCount);
    setObjectName(QStringLiteral("MainBar"));
    setSizeGripEnabled(true);
    for (int i = 0; i < kPanelCount; ++i) {
        TStaticText* panel = panels[i] = new TStaticText(this);
        panel->setObjectName(QStringLiteral("MainBarPanel%1").arg(i));
        panel->setFixedWidth(kPanelWidths[i]);
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setContentsMargins(4, 0, 4, 0);
        addWidget(panel);
    }
    clock = new QTimer(this);
    clock->setObjectName(QStringLiteral("Timer"));
    clock->setInterval(kClockInterval);
    connect(clock, &QTimer::timeout, this, &TMainStatusBar::ShowClock);
    clock->start();
}

void TMainStatusBar::Refresh() {
    panels[0]->clear();
    ShowClock();
    panels[LastPanel]->clear();
}

void TMainStatusBar::ShowClock() {
    const QDateTime now = QDateTime::currentDateTime();
    panels[DatePanel]->setText(now.toString(QStringLiteral("yyyy/MM/dd")));
    panels[TimePanel]->setText(now.toString(QStringLiteral("HH:mm:ss")));
}

void TMainStatusBar::StopClock() {
    clock->stop();
}

void TMainStatusBar::SetPortText(const QString& text) {
    panels[PortPanel]->setText(text);
}
