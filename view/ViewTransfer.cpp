#include "view/QuillmarkView.h"

// The hand-over of the item on show to the calendar and task store, and its
// "Configuration"; the bodies come with the hand-over.
void CQuillmarkView::OnConfiguration()
{
}

void CQuillmarkView::AddItemToOutlook()
{
}
