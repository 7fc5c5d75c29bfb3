// A helper for the documentation, not a test: prints the built-in window texts in language-file
// form, and draws the main window with a few channels into a PNG (offscreen).
//
//   v35_uitool texts                     key=text of every window, section by section
//   v35_uitool screenshot LANGUAGE FILE  LANGUAGE is a language file base name (Chinese, English)
//   v35_uitool dialogs DIRECTORY         the model, port and language dialogs as PNGs

#include "UiFixture.h"
#include "Windows.h"

#include "core/Values.h"
#include "ui/ChannelGrid.h"
#include "ui/ChannelModel.h"
#include "ui/TranslateForm.h"

#include <QApplication>
#include <QFont>
#include <QPixmap>
#include <QTextStream>

namespace {

int PrintTexts() {
    QTextStream out(stdout);
    UiFixture::Options options;
    options.LanguageFiles = false;
    UiFixture f(options);
    for (const ProgramWindow& w : ProgramWindows()) {
        std::unique_ptr<QWidget> window = w.Create(f);
        out << '[' << w.Section << "]\n";
        ApplyFormTexts(window.get(), w.TranslateLists, [&](const QString& key, const QString& current) {
            out << key << '=' << current << '\n';
            return current;
        });
        out << '\n';
    }
    return 0;
}

void TypeChannel(TfMainFrm& w, int channel, const char* rx, const char* tx, const char* rxTone,
                 const char* txTone, int power, int scan) {
    ChannelModel* m = w.Channels();
    auto at = [&](int column) { return m->index(channel - 1, ChannelModel::ModelColumn(column)); };
    m->setData(at(ChannelTable::RxFrequency), QString::fromLatin1(rx));
    if (tx)
        m->setData(at(ChannelTable::TxFrequency), QString::fromLatin1(tx));
    if (rxTone)
        m->setData(at(ChannelTable::RxTone), QString::fromLatin1(rxTone));
    if (txTone)
        m->setData(at(ChannelTable::TxTone), QString::fromLatin1(txTone));
    m->setData(at(ChannelTable::Power), QString::number(power), ChannelModel::CodeRole);
    m->setData(at(ChannelTable::ScanAdd), QString::number(scan), ChannelModel::CodeRole);
}

int Screenshot(const QString& language, const QString& file) {
    const int index = language == QLatin1String("English") ? 1 : 0;
    UiFixture::Options options;
    options.SysInfo =
        QStringLiteral("[SysInfo]\nCom=/dev/ttyUSB0\nDefaultLanguage=%1\nLanguage=Chinese|English\n"
                       "Chinese=中文|英文\nEnglish=Chinese|English\n")
            .arg(index);
    options.Ports = {QStringLiteral("/dev/ttyUSB0")};
    UiFixture f(options);
    TfMainFrm& w = f.Show();
    TypeChannel(w, 1, "438.500", nullptr, nullptr, nullptr, 1, 1);
    TypeChannel(w, 2, "439.2125", "431.6125", "88.5", "88.5", 1, 1);
    TypeChannel(w, 3, "446.00625", nullptr, "D023N", "D023N", 0, 1);
    TypeChannel(w, 4, "446.01875", nullptr, nullptr, "103.5", 0, 0);
    TypeChannel(w, 5, "462.5625", "467.5625", "67.0", "67.0", 1, 1);
    TypeChannel(w, 6, "409.750", "409.750", "D754I", "D754I", 1, 0);
    TypeChannel(w, 8, "433.500", nullptr, nullptr, nullptr, 0, 1);
    w.Channels()->setData(w.Channels()->index(5, ChannelModel::ModelColumn(ChannelTable::BusyLock)),
                          QStringLiteral("1"), ChannelModel::CodeRole);
    w.Channels()->setData(w.Channels()->index(4, ChannelModel::ModelColumn(ChannelTable::Bandwidth)),
                          QStringLiteral("0"), ChannelModel::CodeRole);
    w.Grid()->setCurrentIndex(w.Channels()->index(2, ChannelModel::ModelColumn(ChannelTable::RxFrequency)));
    // The offscreen screen is 800 pixels wide and holds the first show to it; the window's own width
    // is that of its columns plus 50.
    int columns = 0;
    for (int c = 0; c < w.Channels()->columnCount(); ++c)
        columns += w.Grid()->columnWidth(c);
    w.resize(columns + 50, 470);
    QApplication::processEvents();
    const bool saved = w.grab().save(file, "PNG");
    f.Db->AppState.Modified = false;
    return saved ? 0 : 1;
}

// The three dialogs of the settings menu, for a look at their layout.
int DialogShots(const QString& directory) {
    UiOptions options;
    options.Ports = {QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyUSB0")};
    UiFixture f(options);
    f.Show();
    TfModel model(*f.Db, f.Window.get());
    TfSetPort port(*f.Db, *f.Ui, f.Window.get());
    port.ListSystemPorts = [] { return QStringList{QStringLiteral("/dev/ttyACM0")}; };
    port.Probe = [](const QString&) { return PortAccess::NoPermission; };
    TfSetLanguage language(*f.Db, f.Window.get());
    bool saved = true;
    for (QDialog* d : std::initializer_list<QDialog*>{&model, &port, &language}) {
        d->show();
        QApplication::processEvents();
        saved =
            d->grab().save(directory + QLatin1Char('/') + d->objectName() + QStringLiteral(".png"), "PNG") &&
            saved;
        d->hide();
    }
    return saved ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() == 2 && args[1] == QLatin1String("texts"))
        return PrintTexts();
    if (args.size() == 3 && args[1] == QLatin1String("dialogs"))
        return DialogShots(args[2]);
    if (args.size() == 4 && args[1] == QLatin1String("screenshot"))
        return Screenshot(args[2], args[3]);
    QTextStream(stderr) << "usage: v35_uitool texts | screenshot LANGUAGE FILE | dialogs DIRECTORY\n";
    return 2;
}
