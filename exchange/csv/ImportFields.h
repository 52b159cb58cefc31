#pragma once

#include <QString>

// The four settings that say where an imported line keeps the item's name,
// description and price, and which icon imported items get. The Import
// Fields dialog writes them; the import only reads them.
namespace ImportKeys {
QString NameField();  // "ImpNameField"
QString DescField();  // "ImpDescField"
QString PriceField(); // "ImpPriceField"
QString Icon();       // "ImpIcon"
} // namespace ImportKeys

struct CImportFields
{
    // The import's defaults, used until the dialog has been confirmed once.
    // They differ from what the dialog shows on first use (1, 2, 3, 6).
    int nameField = 1;
    int descField = 4;  // 0: no description is imported
    int priceField = 5; // 0: no price is imported
    int icon = 6;

    // The stored values, each with the import's default when missing.
    static CImportFields Read();
};
