#include "EmbeddedMessage.h"

#include "ui/Controls.h"

#include "EditHelpers.h"
#include "app/Maindb.h"
#include "ui/TranslateForm.h"
#include "ui/UiServices.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfEmbeddedMessage::TfEmbeddedMessage(TfMaindb& db, QWidget* parent) : QDialog(parent), Db(db) {
    setObjectName(QStringLiteral("fEmbeddedMessage"));
    setWindowTitle(QStringLiteral("嵌入信息"));

    auto newLine = [this](const QString& name) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        edit->setMaxLength(TEnMsg::kMaxLineLength);
        // Typed, pasted or composed: the radio shows only these characters.
        InstallTextFilter(edit, IsMessageCharacter, false);
        // Room for 32 characters of a fixed-width font, as the radio's display lays them out.
        const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        edit->setFont(fixed);
        edit->setMinimumWidth(
            QFontMetrics(fixed).horizontalAdvance(QString(TEnMsg::kMaxLineLength + 2, QLatin1Char('W'))));
        return edit;
    };
    edEMA = newLine(QStringLiteral("edEMA"));
    edEMB = newLine(QStringLiteral("edEMB"));
    lbLineA = new QLabel(QStringLiteral("第一行"), this);
    lbLineA->setObjectName(QStringLiteral("lbLineA"));
    lbLineA->setBuddy(edEMA);
    lbLineB = new QLabel(QStringLiteral("第二行"), this);
    lbLineB->setObjectName(QStringLiteral("lbLineB"));
    lbLineB->setBuddy(edEMB);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->addWidget(lbLineA, 0, 0);
    grid->addWidget(edEMA, 0, 1);
    grid->addWidget(lbLineB, 1, 0);
    grid->addWidget(edEMB, 1, 1);
    auto* buttons = NewOkCancelRow(this, btnOk, btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnOk, &QPushButton::clicked, this, &TfEmbeddedMessage::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfEmbeddedMessage::btnCancelClick);
}

bool TfEmbeddedMessage::IsMessageCharacter(QChar c) {
    return c == QLatin1Char(' ') || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
}

bool TfEmbeddedMessage::Run(TfMaindb& db, UiServices& ui, QWidget* parent) {
    TfEmbeddedMessage dialog(db, parent);
    const TEnMsg before = db.EmbeddedMessage;
    const bool accepted = ui.ExecDialog(dialog) == QDialog::Accepted;
    // A changed message is unsaved data like a changed channel: the save question must cover it.
    if (accepted && !(db.EmbeddedMessage == before))
        db.AppState.Modified = true;
    return accepted;
}

void TfEmbeddedMessage::showEvent(QShowEvent* event) {
    if (!Shown) {
        Shown = true;
        FormShow();
    }
    QDialog::showEvent(event);
}

void TfEmbeddedMessage::FormShow() {
    const TALL& state = Db.AppState;
    if (state.LanguageIndex > 0)
        TranslateForm(this, state.ProgramDir, state.LanguageName, true);
    edEMA->setText(Db.EmbeddedMessage.LineA);
    edEMB->setText(Db.EmbeddedMessage.LineB);
}

void TfEmbeddedMessage::btnOkClick() {
    Db.EmbeddedMessage.LineA = edEMA->text();
    Db.EmbeddedMessage.LineB = edEMB->text();
    accept();
}

void TfEmbeddedMessage::btnCancelClick() {
    reject();
}
