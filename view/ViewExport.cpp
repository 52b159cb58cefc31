#include "view/QuillmarkView.h"

// "Export List..." writes the current list as comma-separated text; the body
// comes with the CSV exchange.
void CQuillmarkView::OnExportList()
{
}
