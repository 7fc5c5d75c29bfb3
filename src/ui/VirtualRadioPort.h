#pragma once

#include <QByteArray>
#include <QString>

class TMacList;
class UiServices;
class VirtualRadio;

// Demo mode: the radio simulator runs inside the program, behind an in-memory cable, and is offered
// as a port. Everything else works as with a cable.

// The port name of the in-process radio. No device path or "COMn" looks like it, and the
// upper-casing that old port names get at start-up leaves it as it is.
QString VirtualRadioPortName();

// Offers the radio as the first port, before the serial ports, and puts the read and write
// dialogs on it whenever its name is the port.
void OfferVirtualRadio(UiServices& ui, VirtualRadio& radio);

// A radio to try the program with: a few channels of the model's default band, a radio name and a
// message. Empty when the catalogue has no model.
QByteArray DemoRadioImage(const TMacList& catalogue);
