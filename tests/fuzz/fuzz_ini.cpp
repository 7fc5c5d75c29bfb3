// Arbitrary bytes as SysInfo.Ini, read at every start and written back at exit: loading must not
// crash or hang, a file written back unchanged keeps every byte, and what the program writes back
// reads back as it was set while every other section stays.
#include "FuzzTables.h"

#include "core/IniFile.h"
#include "core/SystemSettings.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    IniFile ini;
    ini.LoadBytes(bytes);
    if (ini.Bytes() != bytes)
        Broken("a file written back unchanged lost bytes");

    const SystemSettings read = SystemSettingsFromIni(ini);
    if (read.LanguageName.contains(QLatin1Char('|')))
        Broken("a language name holds the list separator");
    if (read.LanguageIndex < 0 && !read.LanguageName.isEmpty())
        Broken("a negative index names a language");

    SystemSettings changed = read;
    changed.PortName = QStringLiteral("/dev/ttyUSB1");
    changed.LanguageIndex = read.LanguageIndex == 1 ? 0 : 1;
    changed.PicIndex = read.PicIndex == 5 ? 6 : 5;
    const QStringList sections = ini.Sections();
    StoreSystemSettings(ini, changed);
    IniFile again;
    again.LoadBytes(ini.Bytes());
    const SystemSettings back = SystemSettingsFromIni(again);
    if (back.PortName != changed.PortName || back.LanguageIndex != changed.LanguageIndex ||
        back.PicIndex != changed.PicIndex)
        Broken("the settings written back do not read back");
    if (back.HelpPrefix != read.HelpPrefix || back.LanguageList != read.LanguageList)
        Broken("a key the program does not write changed");
    QStringList after = again.Sections();
    if (!sections.contains(QStringLiteral("SysInfo"), Qt::CaseInsensitive))
        after.removeLast(); // the section the program added
    if (after != sections)
        Broken("the sections of the file changed");
    return 0;
}
