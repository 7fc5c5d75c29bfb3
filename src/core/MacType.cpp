#include "MacType.h"

TMacType::TMacType(const QString& identity, const QString& name, int channelCount)
    : Identity(identity), Name(name), ChannelCount(channelCount) {}

void TMacType::SetFrequencyRange(double min, double max) {
    MinFrequency = min;
    MaxFrequency = max;
}

void TMacType::SetSpareBlocks(int n) {
    SpareBlocks = n;
}

void TMacType::AddBand(const QString& text) {
    Bands.append(text);
}

void TMacType::SetDefaultBand(const QString& text) {
    DefaultBand = text;
}

void TMacList::Add(std::unique_ptr<TMacType> model) {
    Entries.push_back(std::move(model));
}

int TMacList::Count() const {
    return static_cast<int>(Entries.size());
}

TMacType* TMacList::GetModel(int index) const {
    if (index < 0 || index >= Count())
        return nullptr;
    return Entries[static_cast<size_t>(index)].get();
}

TMacType* TMacList::FindByName(const QString& name) const {
    for (const auto& m : Entries)
        if (m->Name == name)
            return m.get();
    return nullptr;
}

TMacType* TMacList::FindByIdentity(const QString& identity) const {
    for (const auto& m : Entries)
        if (m->Identity == identity)
            return m.get();
    return nullptr;
}

void TMacList::FillNames(QStringList& list) const {
    list.clear();
    for (const auto& m : Entries)
        list.append(m->Name);
}

void TFrqList::AddBand(const QString& text, int id) {
    Bands.push_back({text, id});
}

int TFrqList::BandIdOf(const QString& text) const {
    for (const auto& b : Bands)
        if (b.Text == text)
            return b.Id;
    return 0;
}

QString TFrqList::BandTextOf(int id) const {
    for (const auto& b : Bands)
        if (b.Id == id)
            return b.Text;
    // An id the table does not know falls back to the first registered band.
    return Bands.empty() ? QString() : Bands.front().Text;
}

void RegisterBands(TFrqList& bands) {
    // Registration order decides the fall-back of BandTextOf; it is not the display order.
    static const struct {
        int id;
        const char* text;
    } table[] = {
        {240, "406.1 - 420.0MHz"}, {241, "450.5 - 453.5MHz"}, {242, "460.5 - 463.5MHz"},
        {243, "400.0 - 470.0MHz"}, {244, " 27.0 -  72.0MHz"}, {245, "137.0 - 144.0MHz"},
        {246, "136.0 - 174.0MHz"}, {247, "146.0 - 149.9MHz"}, {248, "150.1 - 156.7MHz"},
        {249, "216.0 - 223.0MHz"}, {250, "350.0 - 390.0MHz"}, {251, "440.0 - 490.0MHz"},
        {252, "470.0 - 512.0MHz"},
    };
    for (const auto& b : table)
        bands.AddBand(QString::fromLatin1(b.text), b.id);
}

void RegisterModels(TMacList& catalogue) {
    auto m = std::make_unique<TMacType>(QStringLiteral("V35"), QStringLiteral("V35"), 128);
    m->SetFrequencyRange(67.0, 650.0);
    m->SetSpareBlocks(0);
    for (const char* band :
         {" 27.0 -  72.0MHz", "137.0 - 144.0MHz", "136.0 - 174.0MHz", "146.0 - 149.9MHz", "150.1 - 156.7MHz",
          "216.0 - 223.0MHz", "350.0 - 390.0MHz", "400.0 - 470.0MHz", "406.1 - 420.0MHz", "440.0 - 490.0MHz",
          "450.5 - 453.5MHz", "460.5 - 463.5MHz", "470.0 - 512.0MHz"})
        m->AddBand(QString::fromLatin1(band));
    m->SetDefaultBand(QStringLiteral("400.0 - 470.0MHz"));
    catalogue.Add(std::move(m));
}
