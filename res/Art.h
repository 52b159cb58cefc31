#pragma once

#include <QIcon>
#include <QList>
#include <QPixmap>
#include <QRect>

// The program's pictures, loaded by resource id from the compiled-in PNGs
// (":/art/<id>.png", with "<id>@2x.png" for dense screens). A pixmap loaded
// for a dense screen carries device pixel ratio 2: draw it at logical
// positions, and cut parts of it with Region, not QPixmap::copy.
namespace Art {

// The bitmap as drawn, without transparency; null for an unknown id.
QPixmap Bitmap(int id);
// The bitmap with magenta (255, 0, 255) made transparent.
QPixmap MaskedBitmap(int id);
// The bitmap with the white around its picture transparent, so that it
// sits on the desktop's own ground, light or dark (the round buttons, the
// tick); white inside the picture stays.
QPixmap GroundlessBitmap(int id);
// The program icon at all sizes we ship.
QIcon ProgramIcon();
// The part of pixmap inside rect, given in logical pixels, at the pixmap's
// own density (the detail pane's 12 x 13 of the tick, one cell of a strip).
QPixmap Region(const QPixmap &pixmap, const QRect &rect);

// The desktop's font against the 9 points (12 pixels) of Qt's own default,
// which the drawn texts and the dialogs' layouts were made for.
qreal DesktopFontScale();

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
