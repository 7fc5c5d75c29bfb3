#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>

class QComboBox;
class QLabel;
class QPushButton;
class TStaticText;
class TfMaindb;
class UiServices;

// Whether a port name can be opened now, and if not, why.
enum class PortAccess { Usable, NoPermission, Missing, InUse, Unusable };
PortAccess ProbePort(const QString& name);

// The serial ports the system knows, whether they can be opened or not (device paths on Unix).
QStringList SystemPortNames();

// Chooses the serial port. Besides the ports that can be opened now, the user may type a device
// path that the system does not list (a pseudo-terminal, a network serial bridge).
class TfSetPort : public QDialog {
    Q_OBJECT
public:
    TfSetPort(TfMaindb& db, UiServices& ui, QWidget* parent = nullptr);

    void FormShow();
    void btnOKClick();
    void btnCancelClick();

    // Replaceable for tests: the probe of a port and the system's own port list.
    std::function<PortAccess(const QString&)> Probe = ProbePort;
    std::function<QStringList()> ListSystemPorts = SystemPortNames;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* lbName;
    QComboBox* cbCom;
    TStaticText* lbHint;
    // Message texts, translated with the window: %1 is the port name.
    QLabel* lNoAccess;
    QLabel* lNotFound;
    QPushButton* btnOk;
    QPushButton* btnCancel;

    TfMaindb& Db;
    UiServices& Ui;
    QStringList Listed;
    bool Shown = false;
};
