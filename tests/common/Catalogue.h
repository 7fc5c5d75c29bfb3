#pragma once

// The model catalogue, band table and built-in messages the program starts with: one set for the
// codec, JSON, link and fuzz tests.

#include "core/MacType.h"
#include "lang/Language.h"

struct Catalogue {
    Catalogue() {
        RegisterBands(Bands);
        RegisterModels(Models);
        QString title;
        LoadMessageCatalogue(Messages, title, QStringLiteral("/nonexistent/"), QStringLiteral("Chinese"));
    }
    const TMacType& V35() const { return *Models.FindByIdentity(QStringLiteral("V35")); }

    TMacList Models;
    TFrqList Bands;
    TLanguage Messages;
};
