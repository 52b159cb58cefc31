#pragma once

#include <QImage>
#include <QPainter>
#include <QSize>

#include <functional>

// A picture is painted once per scale in logical units (the 1x pixel grid);
// the painter is scaled so that the 2x file is drawn natively, not enlarged.
namespace Canvas {

using PaintFn = std::function<void(QPainter &)>;

// Transparent ARGB image of logical size * scale, painted by paint.
QImage Paint(QSize logical, int scale, const PaintFn &paint);

// Flattens a transparent picture onto a transparent-colour ground: a pixel is
// either pure magenta or a real colour, never a blend of the two. Edges that
// the painter anti-aliased are blended against white instead, so the outline
// stays smooth on the light views where these pictures are shown.
QImage FlattenOnMagenta(const QImage &argb);

// Flattens a transparent picture onto white (button faces, the tick).
QImage FlattenOnWhite(const QImage &argb);

// Magenta, the transparent colour of the strips.
constexpr QRgb kMagenta = 0xFFFF00FF;

// A painted colour this close to magenta would read as a fringe (or vanish)
// once magenta turns transparent; the generator refuses to write one.
constexpr int kNearMagenta = 100;
bool NearMagenta(QRgb c);

} // namespace Canvas
