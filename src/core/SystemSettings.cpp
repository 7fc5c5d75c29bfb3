#include "SystemSettings.h"

#include "IniFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <limits>

namespace {

const QString kSection = QStringLiteral("SysInfo");
const QString kFileName = QStringLiteral("SysInfo.Ini");

int ToInt(const QString& text, int fallback) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? v : fallback;
}

// PicID is stored as PicIndex - 1: a number whose successor is not an int is no more usable than
// text that is not a number.
int PicIndexOf(const QString& text) {
    const int v = ToInt(text, 0);
    return v == std::numeric_limits<int>::max() ? 1 : v + 1;
}

} // namespace

QString UserConfigDir() {
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/v35/");
}

QString SystemSettingsReadPath(const QString& programDir) {
    // Read from where the settings will be written, so that a change survives the next start;
    // a user copy not written yet starts from the program's copy.
    const QString path = SystemSettingsWritePath(programDir);
    if (QFileInfo::exists(path))
        return path;
    return programDir + kFileName;
}

QString SystemSettingsWritePath(const QString& programDir) {
    const QString local = programDir + kFileName;
    const QFileInfo file(local);
    const QFileInfo dir(programDir.isEmpty() ? QStringLiteral(".") : programDir);
    // The file is replaced by a rename, so the directory itself must be writable.
    if (dir.isDir() && dir.isWritable() && (!file.exists() || file.isWritable()))
        return local;
    return UserConfigDir() + kFileName;
}

QString LanguageListItem(const QString& list, int index) {
    QString remaining = list;
    QString result;
    for (int i = 0; i <= index; ++i) {
        // Past the last item every further step gives the empty text: stop there, so that a huge
        // index costs nothing (and INT_MAX cannot overflow the count).
        if (remaining.isEmpty())
            return QString();
        const int bar = remaining.indexOf(QLatin1Char('|'));
        if (bar >= 0) {
            result = remaining.left(bar);
            remaining = remaining.mid(bar + 1);
        } else {
            result = remaining;
            remaining.clear();
        }
    }
    return index < 0 ? QString() : result;
}

SystemSettings SystemSettingsFromIni(const IniFile& ini) {
    SystemSettings s;
    s.PortName = ini.Value(kSection, QStringLiteral("Com"), s.PortName);
    s.LanguageIndex = ToInt(ini.Value(kSection, QStringLiteral("DefaultLanguage"), QStringLiteral("0")), 0);
    s.HelpPrefix = ini.Value(kSection, QStringLiteral("Help"), s.HelpPrefix);
    s.PicIndex = PicIndexOf(ini.Value(kSection, QStringLiteral("PicID"), QStringLiteral("0")));
    s.LanguageList = ini.Value(kSection, QStringLiteral("Language"), s.LanguageList);
    s.LanguageName = LanguageListItem(s.LanguageList, s.LanguageIndex);
    return s;
}

void StoreSystemSettings(IniFile& ini, const SystemSettings& settings) {
    ini.SetValue(kSection, QStringLiteral("Com"), settings.PortName);
    ini.SetValue(kSection, QStringLiteral("DefaultLanguage"), QString::number(settings.LanguageIndex));
    ini.SetValue(kSection, QStringLiteral("PicID"), QString::number(settings.PicIndex - 1));
}

SystemSettings LoadSystemSettings(const QString& programDir) {
    IniFile ini;
    ini.Load(SystemSettingsReadPath(programDir));
    return SystemSettingsFromIni(ini);
}

QString LanguageDisplayList(const QString& programDir, const QString& languageName) {
    IniFile ini;
    ini.Load(SystemSettingsReadPath(programDir));
    return ini.Value(kSection, languageName, QStringLiteral("中文|英文"));
}

bool SaveSystemSettings(const QString& programDir, const SystemSettings& settings, QString* error) {
    const QString path = SystemSettingsWritePath(programDir);
    IniFile ini;
    // Start from the file being replaced, or from the one read at start-up, so no key is lost.
    if (!ini.Load(path))
        ini.Load(SystemSettingsReadPath(programDir));
    StoreSystemSettings(ini, settings);
    QDir().mkpath(QFileInfo(path).absolutePath());
    return ini.Save(path, error);
}
