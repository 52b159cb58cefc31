#include "view/QuillmarkView.h"

// "Import List..." and "Setup Import..."; the bodies come with the CSV
// exchange.
void CQuillmarkView::OnImportList()
{
}

void CQuillmarkView::OnSetupImport()
{
}
