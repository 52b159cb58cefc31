#include "Pictures.h"
#include "Shapes.h"

#include <array>

namespace Pictures {

namespace {

const std::array<QColor, kFolderCount> kFolderColours = {
    QColor(0xF2, 0xBE, 0x3C), // manila
    QColor(0x3F, 0x7F, 0xE0), // blue
    QColor(0x4C, 0xA8, 0x4E), // green
    QColor(0xD9, 0x4A, 0x43), // red
    QColor(0xF0, 0x8C, 0x2E), // orange
    QColor(0x8E, 0x5E, 0xCC), // violet
    QColor(0x22, 0xA8, 0xA0), // teal
    QColor(0xE4, 0x78, 0xA8), // rose
    QColor(0x9C, 0x6B, 0x3A), // brown
    QColor(0x8A, 0x93, 0x9E), // grey
};

} // namespace

// A closed file folder: the back with its tab, a sheet peeping out, and the
// front flap with a soft top-to-bottom shade.
void PaintFolder(QPainter &p, int n)
{
    const QColor base = kFolderColours.at(static_cast<size_t>(n));
    const QColor edge = Shapes::Dark(base, 175);

    // Back and tab.
    QPainterPath back;
    back.moveTo(1.5, 13.5);
    back.lineTo(1.5, 3.5);
    back.quadTo(1.5, 2.5, 2.5, 2.5);
    back.lineTo(5.5, 2.5);
    back.lineTo(7.0, 4.5);
    back.lineTo(13.5, 4.5);
    back.quadTo(14.5, 4.5, 14.5, 5.5);
    back.lineTo(14.5, 13.5);
    back.closeSubpath();
    p.setPen(QPen(edge, 1.0));
    p.setBrush(Shapes::Dark(base, 118));
    p.drawPath(back);

    // A sheet of paper inside.
    p.setPen(QPen(QColor(0xA0, 0xA4, 0xAA), 1.0));
    p.setBrush(QColor(0xFB, 0xFB, 0xF8));
    p.drawRect(QRectF(3.5, 5.5, 9.0, 4.0));

    // Front flap.
    const QRectF front(1.5, 7.5, 13.0, 6.0);
    p.setPen(QPen(edge, 1.0));
    p.setBrush(Shapes::VerticalGradient(front, Shapes::Light(base, 135), base));
    p.drawRoundedRect(front, 0.6, 0.6);
    // Highlight along the flap's top edge.
    p.setPen(QPen(Shapes::Light(base, 160), 1.0));
    p.drawLine(QPointF(2.5, 8.5), QPointF(13.5, 8.5));
}

} // namespace Pictures
