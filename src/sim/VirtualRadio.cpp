#include "VirtualRadio.h"

VirtualRadio::VirtualRadio(QObject* parent) : QObject(parent) {
    ConnectSimulatorToLine(Simulator, Cable);
}

void ConnectSimulatorToLine(RadioSimulator& radio, VirtualLine& line) {
    line.RadioEnd()->open(QIODevice::ReadWrite);
    radio.Attach(line.RadioEnd());
    // The line changes state at once, in order with the bytes around it; the computer's end hears
    // of it on a later turn of the event loop.
    QObject::connect(&radio, &RadioSimulator::hangupRequested, &line, [&line] { line.HangUp(); });
    QObject::connect(&radio, &RadioSimulator::noiseRequested, &line,
                     [&line] { line.InjectLineError(QStringLiteral("noise on the line")); });
}
