#include "Model.h"

#include "app/Maindb.h"
#include "ui/Controls.h"
#include "ui/TranslateForm.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfModel::TfModel(TfMaindb& db, QWidget* parent) : QDialog(parent), Db(db) {
    setObjectName(QStringLiteral("fModel"));
    setWindowTitle(QStringLiteral("机型选择"));

    Label1 = new QLabel(QStringLiteral("机型："), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2 = new QLabel(QStringLiteral("频段："), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    cbCopmut = new QComboBox(this);
    cbCopmut->setObjectName(QStringLiteral("cbCopmut"));
    SetTag(cbCopmut, -2);
    cbPd = new QComboBox(this);
    cbPd->setObjectName(QStringLiteral("cbPd"));
    SetTag(cbPd, -2);

    auto* grid = new QGridLayout;
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(cbCopmut, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(cbPd, 1, 1);
    grid->setColumnStretch(1, 1);
    auto* buttons = NewOkCancelRow(this, btnOk, btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    cbCopmut->setMinimumWidth(180);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cbCopmut, &QComboBox::currentIndexChanged, this, &TfModel::cbCopmutChange);
    connect(btnOk, &QPushButton::clicked, this, &TfModel::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfModel::btnCancelClick);
}

void TfModel::showEvent(QShowEvent* event) {
    if (!Shown) {
        Shown = true;
        FormShow();
    }
    QDialog::showEvent(event);
}

void TfModel::FormShow() {
    const TALL& state = Db.AppState;
    if (state.LanguageIndex > 0)
        TranslateForm(this, state.ProgramDir, state.LanguageName, false);
    QStringList names;
    Db.Catalogue.FillNames(names);
    {
        const QSignalBlocker block(cbCopmut);
        cbCopmut->clear();
        cbCopmut->addItems(names);
        const int model = cbCopmut->findText(state.ModelName);
        cbCopmut->setCurrentIndex(model >= 0 ? model : 0);
    }
    cbCopmutChange();
    const int band = cbPd->findText(state.BandName);
    cbPd->setCurrentIndex(band >= 0 ? band : 0);
    Accepted = false;
}

void TfModel::cbCopmutChange() {
    cbPd->clear();
    const TMacType* model = Db.Catalogue.FindByName(cbCopmut->currentText());
    if (!model)
        return;
    cbPd->addItems(model->Bands);
    const int band = cbPd->findText(model->DefaultBand);
    cbPd->setCurrentIndex(band >= 0 ? band : 0);
}

void TfModel::btnOkClick() {
    Accepted = true;
    accept();
}

void TfModel::btnCancelClick() {
    reject();
}

QString TfModel::SelectedModelName() const {
    return cbCopmut->currentText();
}

QString TfModel::SelectedBand() const {
    return cbPd->currentText();
}
