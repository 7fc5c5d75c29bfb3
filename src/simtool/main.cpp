// v35sim: the V35 radio on a pseudo-terminal (or an existing serial device), for the program,
// v35ctl and the tests to talk to without a radio.

#include "core/MacType.h"
#include "radiodata/DatFile.h"
#include "radiodata/MemoryImage.h"
#include "radiodata/WriteRead.h"
#include "sim/PtyLine.h"
#include "sim/RadioSimulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QSerialPort>
#include <QSocketNotifier>
#include <QTextStream>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int SignalPipe[2] = {-1, -1};

void OnSignal(int) {
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(SignalPipe[0], &c, 1);
}

QTextStream& Err() {
    static QTextStream s(stderr);
    return s;
}

int Usage(const QString& message) {
    Err() << "v35sim: " << message << "\n";
    Err().flush();
    return 2;
}

bool LoadImage(const QCommandLineParser& args, QByteArray& image, QString* error) {
    if (args.isSet(QStringLiteral("blank"))) {
        image = RadioSimulator::BlankImage();
        return true;
    }
    if (!args.isSet(QStringLiteral("image")) && !args.isSet(QStringLiteral("dat"))) {
        image = RadioSimulator::FactoryImage(243);
        return true;
    }
    const bool raw = args.isSet(QStringLiteral("image"));
    const QString path = args.value(raw ? QStringLiteral("image") : QStringLiteral("dat"));
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, f.errorString());
        return false;
    }
    const QByteArray bytes = f.readAll();
    if (raw) {
        if (bytes.size() != kImageSize) {
            *error = QStringLiteral("%1: a memory image has %2 bytes, this file %3")
                         .arg(path)
                         .arg(kImageSize)
                         .arg(bytes.size());
            return false;
        }
        image = bytes;
        return true;
    }
    TMacList catalogue;
    TFrqList bands;
    RegisterBands(bands);
    RegisterModels(catalogue);
    DatContents contents;
    QString why;
    if (DecodeDatFile(bytes, catalogue, bands, std::nullopt, contents, &why) != DatStatus::Ok) {
        *error = QStringLiteral("%1: %2").arg(path, why);
        return false;
    }
    image = ImageFromCodeplug(contents.Plug, *contents.Model);
    return true;
}

bool SaveImage(const QString& path, const QByteArray& image) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(image) != image.size() || !f.commit()) {
        Err() << "v35sim: cannot save " << path << ": " << f.errorString() << "\n";
        Err().flush();
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("v35sim"));

    QCommandLineParser args;
    args.setApplicationDescription(QStringLiteral(
        "The V35 radio on a pseudo-terminal or a serial device.\n"
        "With --pty the first line of standard output is 'PTY <path>'; after a hangup fault a new\n"
        "terminal takes the old one's place and another 'PTY <path>' line follows.\n"
        "Faults (each may be given more than once): silent, identity=HEX16 and nak-write stay for\n"
        "the whole run; no-ack, no-identity, nak, dup-ack, drop=ADDR, short=ADDR, stray=ADDR,\n"
        "next=ADDR, hangup=ADDR and noise=ADDR fire once each. A pseudo-terminal carries no line\n"
        "errors: there noise only loses the reply."));
    args.addHelpOption();
    args.addOptions({
        {QStringLiteral("pty"), QStringLiteral("Open a pseudo-terminal (the default).")},
        {QStringLiteral("device"), QStringLiteral("Use an existing serial device."), QStringLiteral("PATH")},
        {QStringLiteral("image"), QStringLiteral("Memory from a raw 3232-byte image."),
         QStringLiteral("FILE")},
        {QStringLiteral("dat"), QStringLiteral("Memory as a write of a .dat file leaves it."),
         QStringLiteral("FILE")},
        {QStringLiteral("blank"), QStringLiteral("A radio with no model block (identity: eight 0xFF).")},
        {QStringLiteral("band"), QStringLiteral("Band id in the model block (default 243)."),
         QStringLiteral("ID")},
        {QStringLiteral("save"),
         QStringLiteral("Write the memory image after every write session and on exit."),
         QStringLiteral("FILE")},
        {QStringLiteral("pace"), QStringLiteral("Time every byte as a 9600-baud 8N2 line would.")},
        {QStringLiteral("fault"), QStringLiteral("Inject a fault (see above)."), QStringLiteral("FAULT")},
        {QStringLiteral("log"), QStringLiteral("Log every command to standard error.")},
    });
    if (!args.parse(QCoreApplication::arguments()))
        return Usage(args.errorText());
    if (args.isSet(QStringLiteral("help"))) {
        QTextStream(stdout) << args.helpText();
        return 0;
    }
    if (!args.positionalArguments().isEmpty())
        return Usage(QStringLiteral("unexpected argument '%1'").arg(args.positionalArguments().first()));
    if (args.isSet(QStringLiteral("pty")) && args.isSet(QStringLiteral("device")))
        return Usage(QStringLiteral("--pty and --device exclude each other"));
    const int sources = int(args.isSet(QStringLiteral("image"))) + int(args.isSet(QStringLiteral("dat"))) +
                        int(args.isSet(QStringLiteral("blank")));
    if (sources > 1)
        return Usage(QStringLiteral("give only one of --image, --dat and --blank"));

    QByteArray image;
    QString error;
    if (!LoadImage(args, image, &error)) {
        Err() << "v35sim: " << error << "\n";
        return 1;
    }
    if (args.isSet(QStringLiteral("band"))) {
        bool ok = false;
        const int band = args.value(QStringLiteral("band")).toInt(&ok);
        if (!ok || band < 0 || band > 255)
            return Usage(QStringLiteral("--band wants a band id 0-255"));
        if (args.isSet(QStringLiteral("blank")))
            return Usage(QStringLiteral("a blank radio has no band; drop --band or --blank"));
        image[RadioSimulator::ModelBlockAddress() + ModelBlock::kBandId] = static_cast<char>(band);
    }

    RadioSimulator radio;
    radio.SetMemory(image);
    radio.SetPaced(args.isSet(QStringLiteral("pace")));
    for (const QString& text : args.values(QStringLiteral("fault"))) {
        SimFault fault;
        if (!ParseSimFault(text, fault, &error))
            return Usage(error);
        radio.AddFault(fault);
    }
    if (args.isSet(QStringLiteral("log")))
        QObject::connect(&radio, &RadioSimulator::logLine, &radio, [](const QString& line) {
            Err() << line << "\n";
            Err().flush();
        });

    const QString savePath = args.value(QStringLiteral("save"));
    if (!savePath.isEmpty())
        QObject::connect(&radio, &RadioSimulator::sessionEnded, &radio,
                         [&radio, savePath](int) { SaveImage(savePath, radio.Memory()); });

    PtyLine pty;
    QSerialPort device;
    if (args.isSet(QStringLiteral("device"))) {
        const QString path = args.value(QStringLiteral("device"));
        device.setPortName(path);
        device.setBaudRate(QSerialPort::Baud9600);
        device.setDataBits(QSerialPort::Data8);
        device.setParity(QSerialPort::NoParity);
        device.setStopBits(QSerialPort::TwoStop);
        device.setFlowControl(QSerialPort::NoFlowControl);
        if (!device.open(QIODevice::ReadWrite)) {
            Err() << "v35sim: cannot open " << path << ": " << device.errorString() << "\n";
            return 1;
        }
        radio.Attach(&device);
        // A pulled cable: the line goes dead for a second, then the radio listens again.
        QObject::connect(
            &radio, &RadioSimulator::hangupRequested, &device,
            [&device, &radio] {
                radio.Detach();
                device.close();
                QTimer::singleShot(1000, &device, [&device, &radio] {
                    if (device.open(QIODevice::ReadWrite))
                        radio.Attach(&device);
                });
            },
            Qt::QueuedConnection);
    } else {
        if (!pty.Open(&error)) {
            Err() << "v35sim: cannot open a pseudo-terminal: " << error << "\n";
            return 1;
        }
        QObject::connect(&pty, &PtyLine::received, &radio, &RadioSimulator::Receive);
        QObject::connect(&radio, &RadioSimulator::transmit, &pty, &PtyLine::Send);
        QObject::connect(&radio, &RadioSimulator::hangupRequested, &pty, &PtyLine::HangUp,
                         Qt::QueuedConnection);
        QObject::connect(&pty, &PtyLine::reopened, &pty, [](const QString& path) {
            std::printf("PTY %s\n", qPrintable(path));
            std::fflush(stdout);
        });
        std::printf("PTY %s\n", qPrintable(pty.SlavePath()));
        std::fflush(stdout);
    }
    if (args.isSet(QStringLiteral("log")))
        QObject::connect(&radio, &RadioSimulator::noiseRequested, &radio, [] {
            Err() << "(a pseudo-terminal carries no line errors: the reply is only lost)\n";
            Err().flush();
        });

    // SIGTERM and SIGINT end the run through the event loop, so the image is saved first.
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, SignalPipe) == 0) {
        auto* notifier = new QSocketNotifier(SignalPipe[1], QSocketNotifier::Read, &app);
        QObject::connect(notifier, &QSocketNotifier::activated, &app, [] {
            char c;
            [[maybe_unused]] const ssize_t n = ::read(SignalPipe[1], &c, 1);
            QCoreApplication::quit();
        });
        struct sigaction sa {};
        sa.sa_handler = OnSignal;
        sigemptyset(&sa.sa_mask);
        sa.sa_flags = SA_RESTART;
        sigaction(SIGTERM, &sa, nullptr);
        sigaction(SIGINT, &sa, nullptr);
    }

    const int rc = QCoreApplication::exec();
    if (!savePath.isEmpty() && !SaveImage(savePath, radio.Memory()))
        return 1;
    return rc;
}
