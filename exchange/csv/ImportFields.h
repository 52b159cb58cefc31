#pragma once

// Where an imported line keeps the item's name, description and price, and
// which icon imported items get. The Import Fields dialog stores them
// (AppSettings::kImport...); the import only reads them.
struct CImportFields
{
    int nameField = 0;
    int descField = 0;  // 0: no description is imported
    int priceField = 0; // 0: no price is imported
    int icon = 0;

    // As stored; each setting never stored, or out of its range, as its
    // default: the columns the export writes, 1, 2 and 3.
    static CImportFields Read();
};
