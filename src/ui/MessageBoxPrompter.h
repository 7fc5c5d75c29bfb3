#pragma once

#include "core/Prompt.h"

#include <QPointer>
#include <QString>

class QWidget;

// The program's message boxes: kind 1 OK with the information icon, kind 2 Yes/No and kind 22
// Retry/Cancel with the question icon.
class MessageBoxPrompter : public Prompter {
public:
    struct ButtonTexts {
        QString Ok = QStringLiteral("确定");
        QString Yes = QStringLiteral("是(&Y)");
        QString No = QStringLiteral("否(&N)");
        QString Retry = QStringLiteral("重试(&R)");
        QString Cancel = QStringLiteral("取消");
    };

    Result Show(const QString& caption, const QString& text, Kind kind) override;

    // The boxes are centred on this window; without one, on the active window.
    void SetParentWindow(QWidget* window) { Parent = window; }
    // The buttons speak the language of the windows (set after every language change).
    void SetButtonTexts(const ButtonTexts& texts) { Texts = texts; }
    const ButtonTexts& Buttons() const { return Texts; }

private:
    Result ShowBox(const QString& caption, const QString& text, Kind kind);

    QPointer<QWidget> Parent;
    ButtonTexts Texts;
};
