#pragma once

#include "RadioSimulator.h"
#include "wire/VirtualLine.h"

#include <QObject>

// The radio of demo mode and of the tests: a simulator behind an in-memory cable. A link operation
// uses Port() as its line; faults and memory are set on Radio() at any time.
class VirtualRadio : public QObject {
    Q_OBJECT

public:
    explicit VirtualRadio(QObject* parent = nullptr);

    RadioSimulator& Radio() { return Simulator; }
    const RadioSimulator& Radio() const { return Simulator; }
    VirtualLine& Line() { return Cable; }
    // The computer's end of the cable.
    WireLine* Port() { return Cable.ComputerEnd(); }

private:
    VirtualLine Cable;
    RadioSimulator Simulator;
};

// Wires a simulator to the radio's end of a cable: bytes both ways, its hangup and noise faults
// acted out on the line.
void ConnectSimulatorToLine(RadioSimulator& radio, VirtualLine& line);
