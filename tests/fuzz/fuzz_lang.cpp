// Arbitrary bytes as a language file: the message catalogue and the lookups of the form
// translation must not crash or hang, a key the file lacks keeps its built-in text, and every
// key the file lists is found again.
#include "FuzzTables.h"

#include "core/IniFile.h"
#include "lang/Language.h"

#include <cstddef>
#include <cstdint>

namespace {

// Some windows and keys as the form translation asks for them.
const char* const kForms[] = {"fMainFrm", "fFunSet", "fSetPort", "Language", "fBBatchEdit"};
const char* const kKeys[] = {"fMainFrm.Caption", "mFile.Caption", "tbRead.Hint", "cbCom.0",
                             "sgChannel.3",      "AppName",       "ReadOk",      "cbPower.1"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    IniFile ini;
    ini.LoadBytes(bytes);

    TLanguage messages;
    QString title;
    LoadMessageCatalogue(messages, title, ini);
    if (!ini.Contains(QStringLiteral("Language"), QStringLiteral("AppName")) && title != BuiltInAppTitle())
        Broken("a missing AppName did not give the built-in title");
    if (!ini.Contains(QStringLiteral("Language"), QStringLiteral("FileTooShort")) &&
        MessageWith(messages.FileTooShort, QStringLiteral("3"), QStringLiteral("16")) !=
            QStringLiteral("文件不完整：只有 3 字节，应有 16 字节！"))
        Broken("a missing key did not keep its built-in text");
    (void)MessageWith(messages.FileUnknownModel, messages.FileReadError, messages.FileSaveError);

    const QString fallback = QStringLiteral("built-in text");
    for (const char* form : kForms)
        for (const char* key : kKeys) {
            const QString section = QLatin1String(form);
            const QString k = QLatin1String(key);
            const QString text = ini.Value(section, k, fallback);
            if (!ini.Contains(section, k) && text != fallback)
                Broken("a key the file lacks did not give the window's own text");
            if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')))
                Broken("a text runs over a line end");
        }
    // Every key the file lists is found again.
    const QStringList sections = ini.Sections();
    for (qsizetype s = 0; s < qMin<qsizetype>(sections.size(), 8); ++s) {
        const QStringList keys = ini.Keys(sections.at(s));
        for (qsizetype k = 0; k < qMin<qsizetype>(keys.size(), 8); ++k)
            if (!ini.Contains(sections.at(s), keys.at(k)))
                Broken("a listed key is not found");
    }
    return 0;
}
