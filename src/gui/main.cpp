#include "app/DatCommands.h"
#include "app/FormTexts.h"
#include "app/Maindb.h"
#include "app/ReportBuilder.h"
#include "sim/VirtualRadio.h"
#include "ui/FileChooser.h"
#include "ui/MainFrm.h"
#include "ui/MessageBoxPrompter.h"
#include "ui/ReportRenderer.h"
#include "ui/UiServices.h"
#include "ui/VirtualRadioPort.h"

#include <QApplication>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>
#include <memory>

namespace {

// Without windows, messages go to standard error and every question gets the answer that changes
// nothing.
class StderrPrompter : public Prompter {
public:
    Result Show(const QString& caption, const QString& text, Kind kind) override {
        QTextStream(stderr) << "v35: " << caption << ": " << text << '\n';
        return kind == Prompter::Information   ? Prompter::Ok
               : kind == Prompter::RetryCancel ? Prompter::Cancel
                                               : Prompter::No;
    }
};

bool HasArgument(int argc, char** argv, const char* name) {
    for (int i = 1; i < argc; ++i)
        if (qstrcmp(argv[i], name) == 0)
            return true;
    return false;
}

// v35 --export-report IN.dat OUT.pdf: the report of a file as PDF, with the program's own start-up,
// open and report code and no window at all (it runs under a QGuiApplication, where a widget
// could not even be made).
int ExportReport(const QStringList& args) {
    const int at = static_cast<int>(args.indexOf(QStringLiteral("--export-report")));
    if (at < 0 || at + 2 >= args.size()) {
        QTextStream(stderr) << "usage: v35 --export-report IN.dat OUT.pdf\n";
        return 2;
    }
    const QString in = args.at(at + 1);
    const QString out = args.at(at + 2);
    TfMaindb db(QCoreApplication::applicationDirPath());
    StderrPrompter prompter;
    // What the window's start-up does for the data: the default model and band, the channel
    // texts of the current language, the frequency mode on the band's lower edge.
    db.SelectDefaultModel();
    db.MainTable.RetranslateChannelTable(FormTexts(db.AppState).Vocabulary());
    db.FunctionSettings.VfoRxFreq = db.AppState.BandLow;
    QString path = in;
    if (!OpenDatFile(db, path, prompter))
        return 1;
    BuildSettingsReport(db);
    QString error;
    const ReportRenderer report(db.myMain.value(0), db.myAdo, QDateTime::currentDateTime());
    if (!report.ExportPdf(out, QPageSize::Letter, &error)) {
        QTextStream(stderr) << "v35: " << error << '\n';
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const bool exportReport = HasArgument(argc, argv, "--export-report");
    // A report for an archive or a script needs no display.
    if (exportReport && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (exportReport) {
        QGuiApplication app(argc, argv);
        QGuiApplication::setApplicationName(QStringLiteral("V35"));
        return ExportReport(QCoreApplication::arguments());
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("V35"));

    // The single instances live for the whole run; the windows get them by reference.
    TfMaindb db(QCoreApplication::applicationDirPath());
    MessageBoxPrompter prompter;
    DialogFileChooser files;
    UiServices ui(prompter, files);

    // Demo mode: the radio simulator runs in this process behind an in-memory cable, holding a few
    // channels, and is the port chosen at start.
    const bool demo = HasArgument(argc, argv, "--demo");
    const QString userPort = db.AppState.PortName;
    std::unique_ptr<VirtualRadio> demoRadio;
    if (demo) {
        demoRadio = std::make_unique<VirtualRadio>();
        demoRadio->Radio().SetMemory(DemoRadioImage(db.Catalogue));
        OfferVirtualRadio(ui, *demoRadio);
        db.AppState.PortName = VirtualRadioPortName();
    }

    TfMainFrm window(db, ui);
    QApplication::setWindowIcon(window.windowIcon());
    window.show();
    // The window writes SysInfo.Ini when it closes.
    const int status = QApplication::exec();
    // The virtual radio is not there on the next start without --demo: the user's port is kept.
    if (demo && db.AppState.PortName == VirtualRadioPortName()) {
        db.AppState.PortName = userPort;
        QString error;
        if (!db.SaveSettings(&error))
            ShowPrompt(prompter, db.Messages.Caution, error, Prompter::Information);
    }
    return status;
}
