#pragma once

#include "exchange/csv/ImportFields.h"
#include "platform/Settings.h"

// The columns an import reads the name, description and price from, stored
// as the Import Fields dialog stores them.
inline void StoreImportColumns(int name, int desc, int price)
{
    Settings::WriteInt(ImportKeys::NameField(), name);
    Settings::WriteInt(ImportKeys::DescField(), desc);
    Settings::WriteInt(ImportKeys::PriceField(), price);
}
