#include "Maindb.h"

#include "core/SystemSettings.h"

#include <QDir>

TfMaindb::TfMaindb(const QString& programDir) {
    QString dir = QDir::fromNativeSeparators(programDir);
    if (!dir.isEmpty() && !dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    AppState.ProgramDir = dir;
    RegisterBands(BandList);
    RegisterModels(Catalogue);
    ResetRadioSettings(FunctionSettings, EmbeddedMessage);

    const SystemSettings s = LoadSystemSettings(AppState.ProgramDir);
    AppState.PortName = s.PortName;
    AppState.LanguageIndex = s.LanguageIndex;
    AppState.HelpPrefix = s.HelpPrefix;
    AppState.PicIndex = s.PicIndex;
    AppState.LanguageName = s.LanguageName;
    LanguageList = s.LanguageList;

    ReloadMessages();
    AppState.TextsUpdating = false;
}

void TfMaindb::SelectDefaultModel() {
    TMacType* m = Catalogue.GetModel(0);
    SelectModel(AppState, m);
    if (m)
        ApplyBandName(AppState, m->DefaultBand);
    MainTable.ResetChannelTable(AppState.ChannelCount);
}

void TfMaindb::ReloadMessages() {
    LoadMessageCatalogue(Messages, AppState.AppTitle, AppState.ProgramDir, AppState.LanguageName);
}

bool TfMaindb::SaveSettings(QString* error) const {
    SystemSettings s = LoadSystemSettings(AppState.ProgramDir);
    s.PortName = AppState.PortName;
    s.LanguageIndex = AppState.LanguageIndex;
    s.PicIndex = AppState.PicIndex;
    return SaveSystemSettings(AppState.ProgramDir, s, error);
}
