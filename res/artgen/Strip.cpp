#include "Pictures.h"

namespace Pictures {

void PaintStripIcon(QPainter &p, int index)
{
    if (index < kPinCount)
        PaintPin(p, index);
    else if ((index -= kPinCount) < kFolderCount)
        PaintFolder(p, index);
    else if ((index -= kFolderCount) < kNoteCount)
        PaintNote(p, index);
    else
        PaintSign(p, index - kNoteCount);
}

} // namespace Pictures
