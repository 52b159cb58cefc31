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
    int nameField = 0;
    int descField = 0;  // 0: no description is imported
    int priceField = 0; // 0: no price is imported
    int icon = 0;

    // The stored values, each taken from defaults when missing.
    static CImportFields Read(const CImportFields &defaults);
};

// What stands for a value never stored. They differ on purpose: the dialog
// proposes the columns our own export writes, so that confirming it once
// brings an exported list back whole, while an import never set up keeps
// reading columns 1, 4 and 5, which files made for it rely on.
inline constexpr CImportFields kImportDefaults{1, 4, 5, 6};
inline constexpr CImportFields kDialogDefaults{1, 2, 3, 6};
