#include "exchange/csv/ImportFields.h"

#include "platform/Settings.h"

namespace ImportKeys {
QString NameField() { return QStringLiteral("ImpNameField"); }
QString DescField() { return QStringLiteral("ImpDescField"); }
QString PriceField() { return QStringLiteral("ImpPriceField"); }
QString Icon() { return QStringLiteral("ImpIcon"); }
} // namespace ImportKeys

CImportFields CImportFields::Read(const CImportFields &defaults)
{
    CImportFields f;
    f.nameField = Settings::ReadInt(ImportKeys::NameField(), defaults.nameField);
    f.descField = Settings::ReadInt(ImportKeys::DescField(), defaults.descField);
    f.priceField = Settings::ReadInt(ImportKeys::PriceField(), defaults.priceField);
    f.icon = Settings::ReadInt(ImportKeys::Icon(), defaults.icon);
    return f;
}
