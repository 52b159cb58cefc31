#pragma once

#include "platform/AppSettings.h"

// The columns an import reads the name, description and price from, stored
// as the Import Fields dialog stores them.
inline void StoreImportColumns(int name, int desc, int price)
{
    AppSettings::kImportNameField.Write(name);
    AppSettings::kImportDescField.Write(desc);
    AppSettings::kImportPriceField.Write(price);
}
