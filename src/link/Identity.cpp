#include "Identity.h"

#include "core/MacType.h"
#include "wire/WireBytes.h"

namespace {

// The identity is the start of the model block.
constexpr int kBandIdByte = ModelBlock::kBandId;
static_assert(kBandIdByte < kIdentitySize);

bool NamesModel(const QByteArray& identity, const TMacType& model) {
    const QByteArray text = model.Identity.toLatin1();
    return !text.isEmpty() && identity.contains(text);
}

} // namespace

ReadIdentity CheckReadIdentity(const QByteArray& identity, const TMacList& catalogue, const TFrqList& bands) {
    ReadIdentity r;
    const QByteArray id = identity.left(kIdentitySize);
    for (int i = 0; i < catalogue.Count() && !r.Model; ++i)
        if (NamesModel(id, *catalogue.GetModel(i)))
            r.Model = catalogue.GetModel(i);
    if (!r.Model && id.contains(QByteArray(4, '\xFF')))
        r.Model = catalogue.GetModel(0);
    if (!r.Model)
        return r;
    r.Accepted = true;
    const int reported = id.size() > kBandIdByte ? static_cast<quint8>(id[kBandIdByte]) : 0;
    r.BandId = bands.BandIdOf(bands.BandTextOf(reported));
    return r;
}

WriteIdentity CheckWriteIdentity(const QByteArray& identity, const TMacType& model, int bandId) {
    const QByteArray id = identity.left(kIdentitySize);
    if (id.contains(QByteArray(6, '\xFF')))
        return WriteIdentity::Accepted;
    // Refuse a radio that a read would not take for this model: its memory has another layout.
    if (!NamesModel(id, model) && !id.contains(QByteArray(4, '\xFF')))
        return WriteIdentity::WrongModel;
    if (id.size() <= kBandIdByte || static_cast<quint8>(id[kBandIdByte]) != bandId)
        return WriteIdentity::WrongBand;
    return WriteIdentity::Accepted;
}
