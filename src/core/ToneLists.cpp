#include "ToneLists.h"

#include <iterator>

namespace {

const char* const kLongCtcss[] = {
    "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",
    "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3",
    "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9",
    "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5",
    "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1"};

// The frequency mode of the radio does not offer these tones.
const char* const kShortCtcssMissing[] = {"159.8", "165.5", "171.3", "177.3", "183.5",
                                          "189.9", "196.6", "199.5", "206.5", "229.1"};

const char* const kLongDcs[] = {
    "023", "025", "026", "031", "032", "036", "043", "047", "051", "053", "054", "065", "071", "072", "073",
    "074", "114", "115", "116", "122", "125", "131", "132", "134", "145", "146", "152", "155", "156", "162",
    "165", "172", "174", "205", "212", "223", "225", "226", "243", "244", "245", "246", "251", "252", "255",
    "261", "263", "265", "266", "271", "274", "306", "311", "315", "325", "331", "332", "343", "346", "351",
    "356", "364", "365", "371", "411", "412", "413", "423", "431", "432", "445", "446", "452", "454", "455",
    "462", "464", "465", "466", "503", "506", "516", "523", "526", "532", "546", "565", "606", "612", "624",
    "627", "631", "632", "645", "654", "662", "664", "703", "712", "723", "731", "732", "734", "743", "754"};

const char* const kShortDcs[] = {
    "023", "025", "026", "031", "032", "043", "047", "051", "054", "065", "071", "072", "073", "074",
    "114", "115", "116", "125", "131", "132", "134", "143", "152", "155", "156", "162", "165", "172",
    "174", "205", "223", "226", "243", "244", "245", "251", "261", "263", "265", "271", "306", "311",
    "315", "331", "343", "346", "351", "364", "365", "371", "411", "412", "413", "423", "431", "432",
    "445", "464", "465", "466", "503", "506", "516", "532", "546", "565", "606", "612", "624", "627",
    "631", "632", "654", "662", "664", "703", "712", "723", "731", "732", "734", "743", "754"};

const char* const kPickerCtcssCodes[] = {"XZ", "WZ", "XA", "WA", "XB", "WB", "YZ", "YA", "YB", "ZZ", "ZA",
                                         "ZB", "1Z", "1A", "1B", "2Z", "2A", "2B", "3Z", "3A", "3B", "4Z",
                                         "4A", "4B", "5Z", "5A", "5B", "6Z", "6A", "6B", "7Z", "7A", "M1",
                                         "8Z", "M2", "M3", "M4", "9Z", "M5", "M6", "M7", "0Z"};

// The picker's DCS table follows the radio's printed code chart, which differs from both lists (525).
const char* const kPickerDcs[] = {
    "023", "025", "026", "031", "032", "043", "047", "051", "054", "065", "071", "072", "073", "074", "114",
    "115", "116", "125", "131", "132", "134", "143", "152", "155", "156", "162", "165", "172", "174", "205",
    "223", "226", "243", "244", "245", "251", "261", "263", "265", "271", "306", "311", "315", "331", "343",
    "346", "351", "364", "365", "371", "411", "412", "413", "423", "431", "432", "445", "464", "465", "466",
    "503", "506", "516", "525", "532", "546", "565", "606", "612", "624", "627", "631", "632", "645", "654",
    "662", "664", "703", "712", "723", "731", "732", "734", "743", "754"};

// The picker's CTCSS rows: the long list less 159.8, 165.5, 171.3, 177.3, 183.5, 189.9, 196.6, 199.5.
const char* const kPickerCtcss[] = {
    "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",  "94.8",
    "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3", "131.8", "136.5",
    "141.3", "146.2", "151.4", "156.7", "162.2", "167.9", "173.8", "179.9", "186.2", "192.8", "203.5",
    "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1"};

static_assert(std::size(kLongCtcss) == 50);
static_assert(std::size(kLongDcs) == 105);
static_assert(std::size(kShortDcs) == 83);
static_assert(std::size(kPickerCtcss) == 42 && std::size(kPickerCtcssCodes) == 42);
static_assert(std::size(kPickerDcs) == 85);

template <size_t D> QStringList BuildList(const QStringList& ctcss, const char* const (&dcs)[D]) {
    QStringList list{BuiltInNoneText()};
    list += ctcss;
    for (const char* code : dcs)
        list.append(QStringLiteral("D%1N").arg(QLatin1String(code)));
    for (const char* code : dcs)
        list.append(QStringLiteral("D%1I").arg(QLatin1String(code)));
    return list;
}

QStringList LongCtcss() {
    QStringList l;
    for (const char* t : kLongCtcss)
        l.append(QLatin1String(t));
    return l;
}

} // namespace

QString BuiltInNoneText() {
    return QStringLiteral("无");
}

const QStringList& LongToneList() {
    static const QStringList list = BuildList(LongCtcss(), kLongDcs);
    return list;
}

const QStringList& ShortToneList() {
    static const QStringList list = [] {
        QStringList ctcss = LongCtcss();
        for (const char* t : kShortCtcssMissing)
            ctcss.removeAll(QLatin1String(t));
        return BuildList(ctcss, kShortDcs);
    }();
    return list;
}

const QStringList& PickerTable() {
    static const QStringList list = [] {
        QStringList l;
        for (size_t i = 0; i < std::size(kPickerCtcss); ++i)
            l.append(QStringLiteral("%1-%2-%3")
                         .arg(i + 1, 2, 16, QLatin1Char('0'))
                         .arg(QLatin1String(kPickerCtcss[i]))
                         .arg(QLatin1String(kPickerCtcssCodes[i]))
                         .toUpper());
        l << QString() << QString() << QString();
        for (size_t i = 0; i < std::size(kPickerDcs); ++i)
            l.append(QStringLiteral("%1-D%2").arg(i + 1).arg(QLatin1String(kPickerDcs[i])));
        l << QString() << QString() << QString();
        return l;
    }();
    return list;
}
