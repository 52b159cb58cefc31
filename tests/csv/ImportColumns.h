#pragma once

#include "exchange/csv/CsvImportJob.h"
#include "platform/AppSettings.h"

#include <memory>

// The columns an import reads the name, description and price from, stored
// as the Import Fields dialog stores them.
inline void StoreImportColumns(int name, int desc, int price)
{
    AppSettings::kImportNameField.Write(name);
    AppSettings::kImportDescField.Write(desc);
    AppSettings::kImportPriceField.Write(price);
}

// The file at `path` imported at once with the stored settings, as the
// import command opens it.
inline CsvImport::Result ImportFile(const QString &path, CListItemArray &list)
{
    CsvImport::Result failure;
    const std::unique_ptr<CCsvImportJob> job = CCsvImportJob::Open(path, CImportFields::Read(), failure);
    return job ? CsvImport::RunToTheEnd(*job, list) : failure;
}
