#pragma once

#include <QIcon>
#include <QList>
#include <QPixmap>

// The program's pictures, loaded by resource id from the compiled-in PNGs
// (":/art/<id>.png", with "<id>@2x.png" for dense screens).
namespace Art {

// The bitmap as drawn, without transparency.
QPixmap Bitmap(int id);
// The bitmap with magenta (255, 0, 255) made transparent.
QPixmap MaskedBitmap(int id);
// The program icon at all sizes we ship.
QIcon ProgramIcon();

} // namespace Art

// A list of 16 x 16 images cut from bitmap strips, magenta transparent. An
// index outside the list gives a null pixmap: a damaged file or a hand-edited
// setting never reads outside a bitmap.
class CImageList
{
public:
    // The check bitmap (5 images) followed by the icon strip (52): 57 images.
    static CImageList ChecksAndStrip();
    // The icon strip alone (52 images), as the icon choosers use it.
    static CImageList StripOnly();

    int Count() const { return static_cast<int>(m_images.size()); }
    QPixmap Image(int index) const;
    QIcon Icon(int index) const;

private:
    void AppendStrip(int bitmapId);
    QList<QPixmap> m_images;
};
