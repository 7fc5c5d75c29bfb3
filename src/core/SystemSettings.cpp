#include "SystemSettings.h"

#include "IniFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kSection = QStringLiteral("SysInfo");
const QString kFileName = QStringLiteral("SysInfo.Ini");

int ToInt(const QString& text, int fallback) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? v : fallback;
}

} // namespace

QString UserConfigDir() {
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/v35/");
}

QString SystemSettingsReadPath(const QString& programDir) {
    const QString user = UserConfigDir() + kFileName;
    if (QFileInfo::exists(user))
        return user;
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

SystemSettings LoadSystemSettings(const QString& programDir) {
    SystemSettings s;
    IniFile ini;
    ini.Load(SystemSettingsReadPath(programDir));
    s.PortName = ini.Value(kSection, QStringLiteral("Com"), s.PortName);
    s.LanguageIndex = ToInt(ini.Value(kSection, QStringLiteral("DefaultLanguage"), QStringLiteral("0")), 0);
    s.HelpPrefix = ini.Value(kSection, QStringLiteral("Help"), s.HelpPrefix);
    s.PicIndex = ToInt(ini.Value(kSection, QStringLiteral("PicID"), QStringLiteral("0")), 0) + 1;
    s.LanguageList = ini.Value(kSection, QStringLiteral("Language"), s.LanguageList);
    s.LanguageName = LanguageListItem(s.LanguageList, s.LanguageIndex);
    return s;
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
    ini.SetValue(kSection, QStringLiteral("Com"), settings.PortName);
    ini.SetValue(kSection, QStringLiteral("DefaultLanguage"), QString::number(settings.LanguageIndex));
    ini.SetValue(kSection, QStringLiteral("PicID"), QString::number(settings.PicIndex - 1));
    QDir().mkpath(QFileInfo(path).absolutePath());
    return ini.Save(path, error);
}
