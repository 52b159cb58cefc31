#include "Pictures.h"
#include "Shapes.h"

namespace Pictures {

namespace {

const QColor kPageEdge(0x5A, 0x63, 0x78);
const QColor kHeader(0x2C, 0x36, 0x8C);
const QColor kBox(0x4E, 0x63, 0x84);
const QColor kTick(0x1F, 0x9A, 0x3E);
const QColor kRule(0x9A, 0xA6, 0xBC);

} // namespace

// A ruled list page with ticked rows and a quill laid across it. Drawn in a
// 32-unit square and scaled; below 24 pixels the rows lose their boxes so the
// picture stays readable.
void PaintProgramIcon(QPainter &p, int size)
{
    p.save();
    p.scale(size / 32.0, size / 32.0);
    const bool small = size < 24;

    const QRectF page(4.5, 2.5, 20.0, 27.0);
    p.setPen(QPen(kPageEdge, small ? 2.0 : 1.0));
    p.setBrush(Shapes::VerticalGradient(page, QColor(0xFF, 0xFF, 0xFF), QColor(0xE8, 0xEC, 0xF4)));
    p.drawRoundedRect(page, 2.0, 2.0);

    // Indigo header band, as on the banner.
    p.setPen(Qt::NoPen);
    p.setBrush(kHeader);
    QPainterPath header;
    header.addRoundedRect(QRectF(5.0, 3.0, 19.0, 6.0), 1.6, 1.6);
    header.addRect(QRectF(5.0, 6.0, 19.0, 3.0));
    header.setFillRule(Qt::WindingFill);
    p.drawPath(header.simplified());

    for (int row = 0; row < 4; ++row) {
        const qreal y = 12.0 + row * 4.5;
        if (small) {
            p.setPen(QPen(kRule, 2.0));
            p.drawLine(QPointF(8, y + 1.5), QPointF(row % 2 ? 17 : 20, y + 1.5));
            continue;
        }
        p.setPen(QPen(kBox, 1.0));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7.5, y + 0.5, 3.0, 3.0));
        p.setPen(QPen(kRule, 1.2));
        p.drawLine(QPointF(12.5, y + 2.0), QPointF(row % 2 ? 18.5 : 21.5, y + 2.0));
        if (row < 2) {
            QPainterPath tick;
            tick.moveTo(7.8, y + 1.6);
            tick.lineTo(9.1, y + 3.0);
            tick.lineTo(11.6, y - 0.6);
            p.setPen(Shapes::RoundPen(kTick, 1.3));
            p.setBrush(Qt::NoBrush);
            p.drawPath(tick);
        }
    }

    Shapes::PaintQuill(p, QPointF(15.0, 27.5), QPointF(30.5, 2.5), small ? 9.0 : 8.0,
                       {QColor(0x5A, 0x48, 0xC8), QColor(0x2E, 0x22, 0x7A),
                        QColor(0xF4, 0xF0, 0xFF), QColor(0x22, 0x22, 0x2A)});
    p.restore();
}

} // namespace Pictures
