#pragma once

#include "Codeplug.h"

#include "core/MacType.h"

#include <QByteArray>
#include <QList>
#include <QString>

constexpr int kImageSize = 0x0CA0; // 3232 bytes, addresses 0x0000-0x0C9F

// Block addresses in the order the read operation reads them (138 for V35) and the write
// operation writes them (143 for V35), from the model's ChannelCount and SpareBlocks.
QList<int> ReadBlockAddresses(const TMacType& model);
QList<int> WriteBlockAddresses(const TMacType& model);

// The image a write leaves in the radio: every written block encoded, every other byte 0xFF.
// The band block and the model block carry plug.BandId; the model block plug.Identity. The bitmaps
// are built from plug.Channels. CurrentChannel is encoded as it stands (the write operation
// itself sets it to the first channel in use beforehand when it is 0).
QByteArray ImageFromCodeplug(const Codeplug& plug, const TMacType& model);

// Decodes the blocks a read takes (channels, flag, ANI, name, message, settings, frequency mode).
// bandId: the radio's band (from its identity reply); the frequency-mode fallback uses the lower
// edge of bands.BandTextOf(bandId). Returns false with a message naming the address and the bytes
// when a field cannot be decoded; `out` is then unchanged. Out.Identity := model.Identity,
// out.BandId := bandId. No clamping here.
bool CodeplugFromImage(const QByteArray& image, const TMacType& model, const TFrqList& bands, int bandId,
                       Codeplug& out, QString* error);
