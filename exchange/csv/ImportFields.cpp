#include "exchange/csv/ImportFields.h"

#include "platform/AppSettings.h"
#include "res/ResourceIds.h"

using namespace AppSettings;

// Imported items get one of the strip's icons.
static_assert(kImportIcon.Low() == Res::kFirstStripImage && kImportIcon.High() == Res::kImageCount - 1);

CImportFields CImportFields::Read()
{
    return {kImportNameField.Read(), kImportDescField.Read(), kImportPriceField.Read(), kImportIcon.Read()};
}
