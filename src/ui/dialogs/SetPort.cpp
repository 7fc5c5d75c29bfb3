#include "SetPort.h"

#include "app/Maindb.h"
#include "core/Prompt.h"
#include "ui/Controls.h"
#include "ui/TranslateForm.h"
#include "ui/UiServices.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <QVBoxLayout>

PortAccess ProbePort(const QString& name) {
#ifndef Q_OS_WIN
    // A device node that exists but may not be opened by this user: on Linux the fix is the
    // membership of the group that owns the serial devices.
    const QFileInfo node(name);
    if (name.startsWith(QLatin1Char('/'))) {
        if (!node.exists())
            return PortAccess::Missing;
        if (!node.isReadable() || !node.isWritable())
            return PortAccess::NoPermission;
    }
#endif
    QSerialPort port;
    port.setPortName(name);
    if (port.open(QIODevice::ReadWrite)) {
        port.close();
        return PortAccess::Usable;
    }
    switch (port.error()) {
    case QSerialPort::DeviceNotFoundError:
        return PortAccess::Missing;
    case QSerialPort::PermissionError:
        // The node itself may be opened (checked above), so another program holds it.
        return PortAccess::InUse;
    default:
        return PortAccess::Unusable;
    }
}

QStringList SystemPortNames() {
    QStringList names;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
#ifdef Q_OS_WIN
        names.append(info.portName());
#else
        names.append(info.systemLocation());
#endif
    }
    return names;
}

TfSetPort::TfSetPort(TfMaindb& db, UiServices& ui, QWidget* parent) : QDialog(parent), Db(db), Ui(ui) {
    setObjectName(QStringLiteral("fSetPort"));
    setWindowTitle(QStringLiteral("端口设置"));

    lbName = new QLabel(QStringLiteral("通信端口："), this);
    lbName->setObjectName(QStringLiteral("lbName"));
    cbCom = new QComboBox(this);
    cbCom->setObjectName(QStringLiteral("cbCom"));
    SetTag(cbCom, -2);
    cbCom->setEditable(true);
    cbCom->setInsertPolicy(QComboBox::NoInsert);
    cbCom->setMinimumWidth(200);
    cbCom->lineEdit()->setPlaceholderText(QStringLiteral("/dev/ttyUSB0"));
    // Written by the program from lNoAccess, which carries the translation.
    lbHint = new TStaticText(this);
    lbHint->setObjectName(QStringLiteral("lbHint"));
    lbHint->setWordWrap(true);
    lbHint->setVisible(false);
    lNoAccess = new QLabel(QStringLiteral("没有权限打开端口 %1。请把当前用户加入 dialout 组"
                                          "（sudo usermod -aG dialout $USER），重新登录后再试。"),
                           this);
    lNoAccess->setObjectName(QStringLiteral("lNoAccess"));
    lNoAccess->setVisible(false);
    lNotFound = new QLabel(QStringLiteral("端口 %1 不存在。"), this);
    lNotFound->setObjectName(QStringLiteral("lNotFound"));
    lNotFound->setVisible(false);

    auto* row = new QHBoxLayout;
    row->addWidget(lbName);
    row->addWidget(cbCom, 1);
    auto* buttons = NewOkCancelRow(this, btnOk, btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(lbHint);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    lbHint->setFixedWidth(300);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnOk, &QPushButton::clicked, this, &TfSetPort::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfSetPort::btnCancelClick);
}

void TfSetPort::showEvent(QShowEvent* event) {
    if (!Shown) {
        Shown = true;
        FormShow();
    }
    QDialog::showEvent(event);
}

void TfSetPort::FormShow() {
    const TALL& state = Db.AppState;
    if (state.LanguageIndex > 0)
        TranslateForm(this, state.ProgramDir, state.LanguageName, true);
    Listed.clear();
    Ui.ListPorts(&Listed);
    cbCom->clear();
    cbCom->addItems(Listed);
    cbCom->setCurrentIndex(Listed.isEmpty() ? -1 : 0);
    const int stored = Listed.indexOf(state.PortName);
    if (stored >= 0)
        cbCom->setCurrentIndex(stored);
    else if (Listed.isEmpty())
        // A typed path (a pseudo-terminal) is never listed; OK must not silently forget it.
        cbCom->setEditText(state.PortName);

    // Ports that exist but are left out of the list for lack of permission would otherwise vanish
    // without a word.
    QStringList denied;
    for (const QString& name : ListSystemPorts())
        if (!Listed.contains(name) && Probe(name) == PortAccess::NoPermission)
            denied.append(name);
    lbHint->setText(lNoAccess->text().arg(denied.join(QStringLiteral(", "))));
    lbHint->setVisible(!denied.isEmpty());
}

void TfSetPort::btnOKClick() {
    const QString name = cbCom->currentText().trimmed();
    if (!name.isEmpty() && !Listed.contains(name)) {
        const TLanguage& m = Db.Messages;
        switch (Probe(name)) {
        case PortAccess::NoPermission:
            ShowPrompt(Ui.Prompts, m.Confirmation, lNoAccess->text().arg(name), Prompter::Information);
            return;
        case PortAccess::Missing:
            ShowPrompt(Ui.Prompts, m.Confirmation, lNotFound->text().arg(name), Prompter::Information);
            return;
        default:
            // In use now, or of a kind the probe cannot judge: it may be free when the radio is read.
            break;
        }
    }
    Db.AppState.PortName = name;
    accept();
}

void TfSetPort::btnCancelClick() {
    reject();
}
