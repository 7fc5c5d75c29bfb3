// Reading and writing the radio from the program: the main window's read and write commands with
// their dialogs, against the radio simulator in this process (the radio of demo mode), and once
// through v35sim on a pseudo-terminal with the port typed as a path.

#include "SimProcess.h"
#include "UiFixture.h"
#include "link/LinkFixture.h"

#include "app/DatCommands.h"
#include "link/ReadOperation.h"
#include "link/WriteOperation.h"
#include "sim/RadioSimulator.h"
#include "sim/VirtualRadio.h"
#include "ui/ChannelModel.h"
#include "ui/VirtualRadioPort.h"
#include "ui/dialogs/ReadRadio.h"
#include "ui/dialogs/SetPort.h"
#include "ui/dialogs/WriteRadio.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <csignal>
#include <functional>
#include <memory>

namespace {

// The fixture's scripted message boxes, with what the user does while a box is on the screen.
class HookedPrompter : public ScriptedPrompter {
public:
    Result Show(const QString& caption, const QString& text, Kind kind) override {
        if (OnShow)
            OnShow(text, kind);
        return ScriptedPrompter::Show(caption, text, kind);
    }
    std::function<void(const QString& text, Prompter::Kind kind)> OnShow;
};

// A fresh program whose only port is the virtual radio, with the pauses of the link cut short.
struct RadioBench {
    explicit RadioBench(const LinkTiming& timing = LinkTiming::Fast()) {
        // The window is built again over services whose message boxes the test can hook.
        F.Window.reset();
        Ui = std::make_unique<UiServices>(Prompts, F.Files);
        Ui->ListPorts = F.Ui->ListPorts;
        Ui->OpenUrl = F.Ui->OpenUrl;
        Ui->ExecDialog = F.Ui->ExecDialog;
        OfferVirtualRadio(*Ui, Virtual);
        const auto connectLink = Ui->ConnectLink;
        Ui->ConnectLink = [connectLink, timing](LinkOperation& link, const QString& portName) {
            connectLink(link, portName);
            link.SetTiming(timing);
        };
        F.Window = std::make_unique<TfMainFrm>(*F.Db, *Ui);
        F.Window->show();
    }
    ~RadioBench() { F.Window.reset(); }

    TfMainFrm& W() { return *F.Window; }
    QComboBox* BandSelector() { return Child<QComboBox>(W(), "cbFreq"); }
    TfMaindb& Db() { return *F.Db; }
    RadioSimulator& Radio() { return Virtual.Radio(); }

    // The message boxes shown so far by their catalogue keys; "?" marks the Retry/Cancel question.
    QStringList Shown() const {
        const TLanguage& m = F.Db->Messages;
        const struct {
            const QString* Text;
            const char* Key;
        } known[] = {
            {&m.ComError, "ComError"}, {&m.ModError, "ModError"},       {&m.FrqError, "FrqError"},
            {&m.ReadOk, "ReadOk"},     {&m.WriteOk, "WriteOk"},         {&m.LPortError, "LPortError"},
            {&m.ErrRange, "ErrRange"}, {&m.SaveProgram, "SaveProgram"}, {&m.ClearData, "ClearData"}};
        QStringList names;
        for (const ScriptedPrompter::Shown& s : Prompts.Log) {
            QString name = s.Text;
            for (const auto& k : known)
                if (*k.Text == s.Text)
                    name = QLatin1String(k.Key);
            names << name + (s.Kind == Prompter::RetryCancel ? QStringLiteral("?") : QString());
        }
        return names;
    }

    QList<SimCommand::Kind> CommandKinds() const {
        QList<SimCommand::Kind> kinds;
        for (const SimCommand& c : Virtual.Radio().Commands())
            kinds << c.Type;
        return kinds;
    }
    QList<int> Addresses(SimCommand::Kind kind) const {
        QList<int> a;
        for (const SimCommand& c : Virtual.Radio().Commands())
            if (c.Type == kind)
                a << c.Address;
        return a;
    }

    UiFixture F;
    HookedPrompter Prompts;
    std::unique_ptr<UiServices> Ui;
    VirtualRadio Virtual;
};

LinkOperation* LinkOf(QDialog& d) {
    return d.findChild<LinkOperation*>();
}

// OK as the user clicks it: once the port is open.
bool ClickOk(TfLinkDialog& d) {
    if (!QTest::qWaitFor([&] { return Child<QPushButton>(d, "btnOk")->isEnabled(); }, 5000))
        return false;
    QTest::mouseClick(Child<QPushButton>(d, "btnOk"), Qt::LeftButton);
    return true;
}

// Runs the event loop until the dialog has closed.
bool WaitClosed(QDialog& d, int timeoutMs = 10000) {
    QSignalSpy closed(&d, &QDialog::finished);
    return !d.isVisible() || closed.wait(timeoutMs);
}

// Clicks OK and waits until the attempt is over. A read that completed closes its dialog by itself;
// any other dialog is then closed with Cancel.
void RunLinkDialog(QDialog& dialog, int timeoutMs = 20000) {
    auto& d = static_cast<TfLinkDialog&>(dialog);
    QSignalSpy finished(LinkOf(d), &LinkOperation::finished);
    QVERIFY(ClickOk(d));
    QVERIFY(finished.wait(timeoutMs));
    if (qobject_cast<TfReadRadio*>(&d) && finished.last().first().toBool()) {
        QVERIFY(WaitClosed(d));
        return;
    }
    QTest::mouseClick(Child<QPushButton>(d, "btnCancel"), Qt::LeftButton);
    QVERIFY(!d.isVisible());
}

ChannelModel& Grid(RadioBench& b) {
    return *b.W().Channels();
}

// Types a channel into the grid as the user does; tones and options only where given.
void TypeChannel(RadioBench& b, int channel, const char* rx, const char* tx = nullptr,
                 const char* rxTone = nullptr, const char* txTone = nullptr) {
    ChannelModel& m = Grid(b);
    const auto at = [&](int column) { return m.index(channel - 1, ChannelModel::ModelColumn(column)); };
    QVERIFY(m.setData(at(ChannelTable::RxFrequency), QString::fromLatin1(rx)));
    if (tx)
        QVERIFY(m.setData(at(ChannelTable::TxFrequency), QString::fromLatin1(tx)));
    if (rxTone)
        QVERIFY(m.setData(at(ChannelTable::RxTone), QString::fromLatin1(rxTone)));
    if (txTone)
        QVERIFY(m.setData(at(ChannelTable::TxTone), QString::fromLatin1(txTone)));
}

void SetOption(RadioBench& b, int channel, int column, int code) {
    ChannelModel& m = Grid(b);
    QVERIFY(m.setData(m.index(channel - 1, ChannelModel::ModelColumn(column)), QString::number(code),
                      ChannelModel::CodeRole));
}

// Every cell the grid shows that holds a text: "channel/column=text".
QStringList GridTexts(RadioBench& b) {
    ChannelModel& m = Grid(b);
    QStringList cells;
    for (int row = 0; row < m.rowCount(); ++row)
        for (int col = ChannelModel::ModelColumn(ChannelTable::RxFrequency); col < m.columnCount(); ++col) {
            const QString text = m.data(m.index(row, col)).toString();
            if (!text.isEmpty())
                cells << QStringLiteral("%1/%2=%3").arg(row + 1).arg(col + 1).arg(text);
        }
    return cells;
}

// What a read must not change when it does not complete.
struct ProgramState {
    explicit ProgramState(RadioBench& b)
        : Cells(GridTexts(b)), Functions(b.Db().FunctionSettings), Message(b.Db().EmbeddedMessage),
          Band(b.Db().AppState.BandName), Selector(b.BandSelector()->currentText()),
          Modified(b.Db().AppState.Modified), FileName(b.W().FileName), Caption(b.W().windowTitle()),
          VfoRx(Child<QDoubleSpinBox>(b.W(), "cxRx")->value()) {}
    QStringList Cells;
    TFun Functions;
    TEnMsg Message;
    QString Band;
    QString Selector;
    bool Modified;
    QString FileName;
    QString Caption;
    double VfoRx;
};

void CompareStates(const ProgramState& got, const ProgramState& want) {
    QCOMPARE(got.Cells, want.Cells);
    QVERIFY(got.Functions == want.Functions);
    QVERIFY(got.Message == want.Message);
    QCOMPARE(got.Band, want.Band);
    QCOMPARE(got.Selector, want.Selector);
    QCOMPARE(got.Modified, want.Modified);
    QCOMPARE(got.FileName, want.FileName);
    QCOMPARE(got.Caption, want.Caption);
    QCOMPARE(got.VfoRx, want.VfoRx);
}

// Data the user typed: channel 3 all defaults with "67.0" / "D023N", channel 7 receive only, low
// power, no scan; a message and a squelch level. Modified, and a file name as after a save.
void TypeSomeData(RadioBench& b) {
    TypeChannel(b, 3, "446.00625", nullptr, "67.0", "D023N");
    TypeChannel(b, 7, "433.500");
    QVERIFY(
        Grid(b).setData(Grid(b).index(6, ChannelModel::ModelColumn(ChannelTable::TxFrequency)), QString()));
    SetOption(b, 7, ChannelTable::Power, 0);
    SetOption(b, 7, ChannelTable::ScanAdd, 0);
    b.Db().EmbeddedMessage.LineA = QStringLiteral("TYPED LINE");
    b.Db().FunctionSettings.SquelchLevel = 7;
    b.W().FileName = QStringLiteral("/tmp/typed.dat");
    b.W().RefreshStatus();
}

// The port typed into the port dialog, as a user gives the terminal v35sim printed.
void TypePort(RadioBench& b, const QString& path) {
    b.F.OnDialog[QStringLiteral("fSetPort")] = [path](QDialog& dialog) {
        auto& d = static_cast<TfSetPort&>(dialog);
        Child<QComboBox>(d, "cbCom")->setEditText(path);
        QTest::mouseClick(Child<QPushButton>(d, "btnOk"), Qt::LeftButton);
    };
    b.W().RunCommand(24);
}

// The block a channel of 446.00625 MHz both ways, "67.0" / "D023N", high power, wide, scan, DTMF,
// PTT ID and no busy lock leaves in the radio.
const char kChannelBlock[] = "25 06 60 44 25 06 60 44 70 06 23 80 02 F9 FF FF";

} // namespace

class ReadWriteTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { SilenceOffscreenNoise(); }

    // The hand-worked radio memory of band 137-144 MHz, read into a program holding other data.
    void readReplacesTheProgramsData() {
        RadioBench b;
        QCOMPARE(b.Db().AppState.PortName, VirtualRadioPortName());
        TypeSomeData(b);
        b.Radio().SetMemory(KnownImage());
        int maximum = -1;
        b.F.OnDialog[QStringLiteral("fReadRadio")] = [&](QDialog& d) {
            maximum = Child<QProgressBar>(d, "pBar")->maximum();
            RunLinkDialog(d);
        };
        b.W().RunCommand(20);

        QCOMPARE(maximum, 136);
        // Unsaved edits are offered for saving before the read replaces them (answered No).
        QCOMPARE(b.Shown(), (QStringList{"SaveProgram", "ReadOk"}));
        QCOMPARE(b.Addresses(SimCommand::Read), ReadOrder());
        QTRY_VERIFY(!b.Radio().InSession());
        QCOMPARE(b.CommandKinds().last(), SimCommand::End);
        // Typed channels 3 and 7 are gone; the radio's 1, 5 and 128 are shown as the grid shows them.
        QCOMPARE(
            GridTexts(b),
            (QStringList{"1/2=446.00625",   "1/3=446.00625", "1/4=67.0",    "1/5=D023N",  "1/6=高",
                         "1/7=宽带",        "1/8=是",        "1/9=DTMF",    "1/10=开",    "1/11=关闭",
                         "5/2=145.50000",   "5/4=无",        "5/5=无",      "5/6=低",     "5/7=窄带",
                         "5/8=否",          "5/9=无",        "5/10=关",     "5/11=载波",  "128/2=462.56250",
                         "128/3=467.56250", "128/4=D754I",   "128/5=254.1", "128/6=高",   "128/7=宽带",
                         "128/8=是",        "128/9=FSK",     "128/10=开",   "128/11=关闭"}));
        // Everything else the radio holds, settings clamped, and its band; the frequency mode keeps
        // the 140.125 MHz read although the band changed.
        Codeplug program;
        QString error;
        QVERIFY2(SnapshotCodeplug(b.Db(), program, &error), qPrintable(error));
        CompareCodeplugs(program, KnownCodeplug());
        QCOMPARE(b.BandSelector()->currentText(), QStringLiteral("137.0 - 144.0MHz"));
        QCOMPARE(Child<QDoubleSpinBox>(b.W(), "cxRx")->value(), 140.125);
        QCOMPARE(Child<QComboBox>(b.W(), "cbbjpl")->currentText(), QStringLiteral("12.5K"));
        QVERIFY(b.Db().AppState.Modified);
        QVERIFY(b.W().FileName.isEmpty());
        QCOMPARE(b.W().windowTitle(), b.Db().AppState.AppTitle);
    }

    void readTakesTheRadiosBand_data() {
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<QString>("band");
        QTest::addColumn<double>("vfoRx");
        // A memory that never held a frequency mode gives the lower edge of the radio's band.
        QTest::newRow("factory radio of the program's band")
            << RadioSimulator::FactoryImage(243) << "400.0 - 470.0MHz" << 400.0;
        QTest::newRow("factory radio of band 350-390")
            << RadioSimulator::FactoryImage(250) << "350.0 - 390.0MHz" << 350.0;
        // Eight 0xFF for an identity: band 0xFF is no band, so the first of the list.
        QTest::newRow("blank radio") << RadioSimulator::BlankImage() << "406.1 - 420.0MHz" << 406.1;
    }

    void readTakesTheRadiosBand() {
        QFETCH(QByteArray, image);
        QFETCH(QString, band);
        QFETCH(double, vfoRx);
        RadioBench b;
        TypeChannel(b, 2, "439.2125");
        b.Radio().SetMemory(image);
        b.F.OnDialog[QStringLiteral("fReadRadio")] = [](QDialog& d) { RunLinkDialog(d); };
        b.W().RunCommand(20);
        QCOMPARE(b.Shown(), (QStringList{"SaveProgram", "ReadOk"}));
        QCOMPARE(GridTexts(b), QStringList());
        QCOMPARE(b.Db().AppState.BandName, band);
        QCOMPARE(b.BandSelector()->currentText(), band);
        QCOMPARE(Child<QDoubleSpinBox>(b.W(), "cxRx")->value(), vfoRx);
        QCOMPARE(b.Db().FunctionSettings.VfoRxFreq, vfoRx);
        QVERIFY(b.Db().AppState.Modified);
    }

    void writeThenReadBackGivesTheSameGrid() {
        RadioBench b;
        b.Radio().SetMemory(RadioSimulator::FactoryImage(243));
        TypeSomeData(b);
        TypeChannel(b, 2, "439.2125", "431.6125", "88.5", "88.5");
        SetOption(b, 2, ChannelTable::Bandwidth, 0);
        SetOption(b, 2, ChannelTable::BusyLock, 2);
        TypeChannel(b, 128, "409.750", nullptr, "D754I", "D754I");
        b.Db().EmbeddedMessage.LineB = QStringLiteral("SECOND LINE");
        b.Db().FunctionSettings.CurrentChannel = 0;
        const QStringList typed = GridTexts(b);

        int maximum = -1, positionAfter = -1;
        b.F.OnDialog[QStringLiteral("fWriteRadio")] = [&](QDialog& dialog) {
            auto& d = static_cast<TfWriteRadio&>(dialog);
            maximum = Child<QProgressBar>(d, "pBar")->maximum();
            QSignalSpy finished(d.Writer, &LinkOperation::finished);
            QVERIFY(ClickOk(d));
            QVERIFY(finished.wait(20000));
            positionAfter = Child<QProgressBar>(d, "pBar")->value();
            QVERIFY(Child<QPushButton>(d, "btnOk")->isEnabled());
            QTest::mouseClick(Child<QPushButton>(d, "btnCancel"), Qt::LeftButton);
        };
        b.W().RunCommand(21);
        QCOMPARE(maximum, 138);
        QCOMPARE(b.Shown(), QStringList{"WriteOk"});
        QCOMPARE(positionAfter, 0);
        QCOMPARE(b.Addresses(SimCommand::Write), WriteOrder());
        QTRY_VERIFY(!b.Radio().InSession());
        // The radio needs a current channel: the first in use, which the program keeps.
        QCOMPARE(b.Db().FunctionSettings.CurrentChannel, 2);
        QCOMPARE(Spaced(b.Radio().Memory().mid(0x0020, 16)), Spaced(HexToBytes(kChannelBlock)));
        Codeplug written;
        QVERIFY(SnapshotCodeplug(b.Db(), written));

        // Forget everything, then read it back.
        b.W().RunCommand(1);
        QCOMPARE(GridTexts(b), QStringList());
        b.Prompts.Log.clear();
        b.F.OnDialog[QStringLiteral("fReadRadio")] = [](QDialog& d) { RunLinkDialog(d); };
        b.W().RunCommand(20);
        QCOMPARE(b.Shown(), QStringList{"ReadOk"});
        QCOMPARE(GridTexts(b), typed);
        Codeplug readBack;
        QVERIFY(SnapshotCodeplug(b.Db(), readBack));
        CompareCodeplugs(readBack, written);
    }

    // The user cancels when the progress bar shows this position (-1: right after OK, before the
    // radio has answered anything).
    void cancelDuringAReadChangesNothing_data() {
        QTest::addColumn<int>("position");
        QTest::newRow("before the handshake") << -1;
        QTest::newRow("after the first channel") << 1;
        QTest::newRow("half-way") << 68;
        // The bar is full two blocks before the end of the read.
        QTest::newRow("bar full, two blocks to go") << 136;
    }

    void cancelDuringAReadChangesNothing() {
        QFETCH(int, position);
        RadioBench b;
        TypeSomeData(b);
        b.Radio().SetMemory(KnownImage());
        const ProgramState before(b);
        int shownAt = -2;
        b.F.OnDialog[QStringLiteral("fReadRadio")] = [&](QDialog& dialog) {
            auto& d = static_cast<TfReadRadio&>(dialog);
            bool clicked = false;
            QObject::connect(Child<QProgressBar>(d, "pBar"), &QProgressBar::valueChanged, &d, [&](int value) {
                if (value == position && !clicked) {
                    clicked = true;
                    // The user's click arrives through the event loop, between two replies.
                    QTimer::singleShot(0, Child<QPushButton>(d, "btnCancel"), [&d] {
                        QTest::mouseClick(Child<QPushButton>(d, "btnCancel"), Qt::LeftButton);
                    });
                }
            });
            QVERIFY(ClickOk(d));
            if (position < 0)
                QTest::mouseClick(Child<QPushButton>(d, "btnCancel"), Qt::LeftButton);
            QVERIFY(WaitClosed(d));
            shownAt = Child<QProgressBar>(d, "pBar")->value();
            QVERIFY(!d.ReadDone());
        };
        b.W().RunCommand(20);
        // The click may arrive one block after the position it was meant for.
        QVERIFY2(shownAt >= qMax(position, 0) && shownAt <= qMax(position, 0) + 1,
                 qPrintable(QString::number(shownAt)));
        QCOMPARE(b.Shown(), QStringList{"SaveProgram"});
        CompareStates(ProgramState(b), before);
        // The radio was told that the session is over.
        QTRY_VERIFY(!b.Radio().InSession());
        if (position >= 0)
            QCOMPARE(b.CommandKinds().last(), SimCommand::End);
    }

    // The radio does not answer: after a second the question; the user switches the radio on and
    // answers Retry, or gives up.
    void silentRadioAsksRetryOrCancel_data() {
        QTest::addColumn<int>("answer");
        QTest::newRow("radio switched on, Retry") << int(Prompter::Retry);
        QTest::newRow("Cancel") << int(Prompter::Cancel);
    }

    void silentRadioAsksRetryOrCancel() {
        QFETCH(int, answer);
        LinkTiming timing = LinkTiming::Fast();
        timing.ReplyTimeoutMs = LinkTiming().ReplyTimeoutMs;
        RadioBench b(timing);
        TypeSomeData(b);
        const ProgramState before(b);
        b.Radio().SetMemory(KnownImage());
        SimFault silent;
        silent.Type = SimFault::Silent;
        b.Radio().AddFault(silent);
        QElapsedTimer clock;
        qint64 askedAfter = -1;
        // No to saving the typed data first, then the answer to the time-out.
        b.Prompts.Answers = {Prompter::No, answer};
        b.Prompts.OnShow = [&](const QString&, int kind) {
            if (kind != Prompter::RetryCancel)
                return;
            askedAfter = clock.elapsed();
            if (answer == Prompter::Retry)
                b.Radio().ClearFaults();
        };
        bool okAfterCancel = false;
        b.F.OnDialog[QStringLiteral("fReadRadio")] = [&](QDialog& dialog) {
            auto& d = static_cast<TfReadRadio&>(dialog);
            QSignalSpy finished(d.Reader, &LinkOperation::finished);
            QVERIFY(ClickOk(d));
            clock.start();
            QVERIFY(finished.wait(10000));
            if (answer == Prompter::Retry) {
                QVERIFY(WaitClosed(d));
                return;
            }
            // Cancel leaves the dialog open, ready for another try.
            QVERIFY(d.isVisible());
            okAfterCancel = Child<QPushButton>(d, "btnOk")->isEnabled();
            QTest::mouseClick(Child<QPushButton>(d, "btnCancel"), Qt::LeftButton);
        };
        b.W().RunCommand(20);
        QVERIFY2(askedAfter >= timing.ReplyTimeoutMs && askedAfter < timing.ReplyTimeoutMs + 600,
                 qPrintable(QString::number(askedAfter)));
        if (answer == Prompter::Retry) {
            QCOMPARE(b.Shown(), (QStringList{"SaveProgram", "ComError?", "ReadOk"}));
            QCOMPARE(b.Db().AppState.BandName, QStringLiteral("137.0 - 144.0MHz"));
            QVERIFY(GridTexts(b).contains(QStringLiteral("128/2=462.56250")));
        } else {
            QCOMPARE(b.Shown(), (QStringList{"SaveProgram", "ComError?"}));
            QVERIFY(okAfterCancel);
            CompareStates(ProgramState(b), before);
        }
    }

    // Whom the write refuses: nothing reaches the radio's memory, and the program keeps its data.
    void writeRefusesWhatDoesNotFit_data() {
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<bool>("badCell");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<bool>("written");
        QTest::newRow("radio of another band")
            << RadioSimulator::FactoryImage(245) << false << "FrqError" << false;
        QByteArray otherModel = RadioSimulator::FactoryImage(243);
        otherModel.replace(0x0C70, 8, HexToBytes("50 56 33 36 20 F3 00 00")); // "PV36 ", band 243
        QTest::newRow("radio of another model") << otherModel << false << "ModError" << false;
        QTest::newRow("blank radio takes any band")
            << RadioSimulator::BlankImage() << false << "WriteOk" << true;
        // A tone the radio cannot hold, put into the table behind the grid's back.
        QTest::newRow("a cell the radio cannot hold")
            << RadioSimulator::FactoryImage(243) << true << "channel 3, " << false;
    }

    void writeRefusesWhatDoesNotFit() {
        QFETCH(QByteArray, image);
        QFETCH(bool, badCell);
        QFETCH(QString, prompt);
        QFETCH(bool, written);
        RadioBench b;
        b.Radio().SetMemory(image);
        TypeSomeData(b);
        b.Db().FunctionSettings.CurrentChannel = 0;
        if (badCell)
            b.Db().MainTable.SetText(3, ChannelTable::RxTone, QStringLiteral("D023X"));
        b.F.OnDialog[QStringLiteral("fWriteRadio")] = [&](QDialog& dialog) {
            auto& d = static_cast<TfWriteRadio&>(dialog);
            QSignalSpy finished(d.Writer, &LinkOperation::finished);
            QVERIFY(ClickOk(d));
            // Refused on the spot: no attempt is started.
            if (!badCell)
                QVERIFY(finished.wait(10000));
            QTest::mouseClick(Child<QPushButton>(d, "btnCancel"), Qt::LeftButton);
        };
        b.W().RunCommand(21);
        const QStringList shown = b.Shown();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown.first().startsWith(prompt), qPrintable(shown.first()));
        QCOMPARE(b.Radio().Memory() != image, written);
        QCOMPARE(b.Addresses(SimCommand::Write).isEmpty(), !written);
        QCOMPARE(b.Db().FunctionSettings.CurrentChannel, written ? 3 : 0);
        QTRY_VERIFY(!b.Radio().InSession());
        // A write that was refused before the handshake sends nothing at all.
        if (badCell)
            QCOMPARE(b.CommandKinds(), QList<SimCommand::Kind>());
    }

    void portThatCannotBeOpened_data() {
        QTest::addColumn<int>("tag");
        QTest::newRow("read") << 20;
        QTest::newRow("write") << 21;
    }

    // The message, then the dialog closes by itself; nothing changes.
    void portThatCannotBeOpened() {
        QFETCH(int, tag);
        RadioBench b;
        TypeSomeData(b);
        b.Db().AppState.PortName = QStringLiteral("/nonexistent/ttyV35");
        const ProgramState before(b);
        bool closedByItself = false;
        const auto script = [&](QDialog& d) {
            closedByItself = WaitClosed(d, 5000);
            if (!closedByItself)
                d.reject();
        };
        b.F.OnDialog[QStringLiteral("fReadRadio")] = script;
        b.F.OnDialog[QStringLiteral("fWriteRadio")] = script;
        b.W().RunCommand(tag);
        QVERIFY(closedByItself);
        // A read first offers the typed data for saving.
        QCOMPARE(b.Shown(),
                 tag == 20 ? (QStringList{"SaveProgram", "LPortError"}) : QStringList{"LPortError"});
        CompareStates(ProgramState(b), before);
    }

    void demoRadioIsTheFirstPort_data() {
        QTest::addColumn<bool>("demo");
        QTest::newRow("demo mode") << true;
        QTest::newRow("without demo mode") << false;
    }

    void demoRadioIsTheFirstPort() {
        QFETCH(bool, demo);
        UiOptions options;
        options.Ports = {QStringLiteral("/dev/ttyUSB0"), QStringLiteral("/dev/ttyUSB1")};
        UiFixture f(options);
        VirtualRadio radio;
        if (demo)
            OfferVirtualRadio(*f.Ui, radio);
        QStringList listed;
        f.Ui->ListPorts(&listed);
        QStringList expected{"/dev/ttyUSB0", "/dev/ttyUSB1"};
        if (demo)
            expected.prepend(VirtualRadioPortName());
        QCOMPARE(listed, expected);
        // The name survives the upper-casing of the start-up and is then the port.
        f.Db->AppState.PortName = VirtualRadioPortName();
        f.Show();
        QCOMPARE(f.Db->AppState.PortName, demo ? VirtualRadioPortName() : QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(Child<QComboBox>(*f.Window, "cbCom")->count(), listed.size());
    }

    // The radio of demo mode holds a set of channels of the default band; read, write back, read.
    void demoRadioReadsAndWrites() {
        RadioBench b;
        QVERIFY(b.Radio().SetMemory(DemoRadioImage(b.Db().Catalogue)));
        b.F.OnDialog[QStringLiteral("fReadRadio")] = [](QDialog& d) { RunLinkDialog(d); };
        b.F.OnDialog[QStringLiteral("fWriteRadio")] = [](QDialog& d) { RunLinkDialog(d); };
        b.W().RunCommand(20);
        const QStringList cells = GridTexts(b);
        QCOMPARE(b.Shown(), QStringList{"ReadOk"});
        QCOMPARE(b.Db().AppState.BandName, QStringLiteral("400.0 - 470.0MHz"));
        QCOMPARE(b.Db().EmbeddedMessage.LineA, QStringLiteral("V35 DEMO"));
        for (const char* cell : {"1/2=438.50000", "2/3=431.61250", "3/4=D023N", "4/5=103.5", "5/3=467.56250",
                                 "6/4=D754I", "8/2=433.50000"})
            QVERIFY2(cells.contains(QLatin1String(cell)), cell);
        QCOMPARE(cells.filter(QRegularExpression(QStringLiteral("^\\d+/2="))).size(), 7);
        const QByteArray memory = b.Radio().Memory();
        b.W().RunCommand(21);
        b.W().RunCommand(20);
        // What the first read brought in is unsaved: the second read offers it for saving.
        QCOMPARE(b.Shown(), (QStringList{"ReadOk", "WriteOk", "SaveProgram", "ReadOk"}));
        QCOMPARE(GridTexts(b), cells);
        QCOMPARE(Spaced(b.Radio().Memory()), Spaced(memory));
    }

    // v35sim on a pseudo-terminal, its path typed into the port dialog: read a .dat file's channels,
    // add one, write it, and find its bytes in the image v35sim saves.
    void throughTheSimulatorProgram() {
        QTemporaryDir dir;
        const QString saved = dir.filePath(QStringLiteral("saved.img"));
        SimProcess sim({QStringLiteral("--dat"),
                        SourceFile(QStringLiteral("doc/examples/three-channels.dat")),
                        QStringLiteral("--save"), saved});
        QVERIFY2(sim.Path.startsWith(QLatin1String("/dev/")), qPrintable(sim.Path));
        RadioBench b;
        TypePort(b, sim.Path);
        QCOMPARE(b.Db().AppState.PortName, sim.Path);
        b.F.OnDialog[QStringLiteral("fReadRadio")] = [](QDialog& d) { RunLinkDialog(d); };
        b.F.OnDialog[QStringLiteral("fWriteRadio")] = [](QDialog& d) { RunLinkDialog(d); };
        b.W().RunCommand(20);
        QCOMPARE(b.Shown(), QStringList{"ReadOk"});
        const QStringList cells = GridTexts(b);
        for (const char* cell : {"1/2=446.00625", "1/5=D023N", "2/3=431.61250", "2/4=88.5", "5/2=462.56250"})
            QVERIFY2(cells.contains(QLatin1String(cell)), cell);
        QCOMPARE(b.Db().EmbeddedMessage.LineB, QStringLiteral("CALL DISPATCH"));

        TypeChannel(b, 3, "446.00625", nullptr, "67.0", "D023N");
        b.W().RunCommand(21);
        QCOMPARE(b.Shown(), (QStringList{"ReadOk", "WriteOk"}));
        QTRY_VERIFY(QFile::exists(saved));
        QVERIFY(sim.Terminate());
        const QByteArray image = ReadFile(saved);
        QCOMPARE(image.size(), 0x0CA0);
        QCOMPARE(Spaced(image.mid(0x0000, 16)), Spaced(HexToBytes(kChannelBlock)));
        QCOMPARE(Spaced(image.mid(0x0020, 16)), Spaced(HexToBytes(kChannelBlock)));
    }

    // Not a test: the time a read and a write take from the program against v35sim --pace, with the
    // radio's own pauses. Run by hand: V35_TIME_GUI=1 test_ui_readwrite pacedTransferTimes
    void pacedTransferTimes() {
        if (!qEnvironmentVariableIsSet("V35_TIME_GUI"))
            QSKIP("set V35_TIME_GUI=1 to time a paced read and write");
        SimProcess sim({QStringLiteral("--pace")});
        QVERIFY(!sim.Path.isEmpty());
        RadioBench b{LinkTiming()};
        b.Db().AppState.PortName = sim.Path;
        const auto timed = [&](int tag, const char* name, double floor) {
            qint64 ms = -1;
            const auto script = [&](QDialog& dialog) {
                auto& d = static_cast<TfLinkDialog&>(dialog);
                QSignalSpy finished(LinkOf(d), &LinkOperation::finished);
                QVERIFY(QTest::qWaitFor([&] { return Child<QPushButton>(d, "btnOk")->isEnabled(); }, 5000));
                QElapsedTimer clock;
                clock.start();
                QTest::mouseClick(Child<QPushButton>(d, "btnOk"), Qt::LeftButton);
                QVERIFY(finished.wait(30000));
                ms = clock.elapsed();
                QVERIFY(finished.last().first().toBool());
                d.reject();
            };
            b.F.OnDialog[QStringLiteral("fReadRadio")] = script;
            b.F.OnDialog[QStringLiteral("fWriteRadio")] = script;
            b.W().RunCommand(tag);
            QTextStream(stdout) << QStringLiteral("%1  %2 s  floor %3 s  ratio %4\n")
                                       .arg(QLatin1String(name))
                                       .arg(ms / 1000.0, 0, 'f', 3)
                                       .arg(floor, 0, 'f', 3)
                                       .arg(ms / 1000.0 / floor, 0, 'f', 3);
        };
        timed(20, "read ", 7.487);
        timed(21, "write", 4.017);
        QCOMPARE(b.Shown(), (QStringList{"ReadOk", "WriteOk"}));
    }
};

QTEST_MAIN(ReadWriteTest)
#include "test_readwrite.moc"
