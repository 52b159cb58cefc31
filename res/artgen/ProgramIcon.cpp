#include "Pictures.h"
#include "Shapes.h"

namespace Pictures {

namespace {

const QColor kPageEdge(0x4A, 0x55, 0x6E);
const QColor kHeader(0x2C, 0x36, 0x8C);
const QColor kBox(0x4E, 0x63, 0x84);
const QColor kTick(0x1F, 0x9A, 0x3E);
const QColor kRule(0x9A, 0xA6, 0xBC);
const Shapes::QuillColours kQuill{QColor(0x5A, 0x48, 0xC8), QColor(0x2E, 0x22, 0x7A),
                                  QColor(0xF4, 0xF0, 0xFF), QColor(0x22, 0x22, 0x2A)};

QBrush PaperBrush(const QRectF &page)
{
    return Shapes::VerticalGradient(page, QColor(0xFF, 0xFF, 0xFF), QColor(0xE6, 0xEA, 0xF3));
}

// The smallest icons are laid out on their own pixel grid: a page with its
// header and three rules, and the quill reduced to a bold feather.
void PaintSmall(QPainter &p, int size)
{
    p.save();
    p.scale(size / 16.0, size / 16.0);
    const QRectF page(1.5, 1.5, 10.0, 13.0);
    p.setPen(QPen(kPageEdge, 1.0));
    p.setBrush(PaperBrush(page));
    p.drawRect(page);
    p.setPen(Qt::NoPen);
    p.setBrush(kHeader);
    p.drawRect(QRectF(2, 2, 9, 3));
    p.setPen(QPen(kRule, 1.0));
    for (qreal y : {6.5, 8.5, 10.5, 12.5})
        p.drawLine(QPointF(3, y), QPointF(y > 10 ? 6 : 8, y));
    p.setPen(QPen(kTick, 1.0));
    p.drawLine(QPointF(3, 6.5), QPointF(4, 6.5));
    Shapes::PaintQuill(p, QPointF(6.0, 15.0), QPointF(15.5, 0.5), 5.2, kQuill);
    p.restore();
}

} // namespace

// A ruled list page with ticked rows under an indigo header, and a quill laid
// across it. Drawn in a 32-unit square and scaled to the size asked for.
void PaintProgramIcon(QPainter &p, int size)
{
    if (size < 24) {
        PaintSmall(p, size);
        return;
    }
    p.save();
    p.scale(size / 32.0, size / 32.0);
    // Outlines stay about one pixel wide at the small end and do not grow
    // into heavy borders at the large end.
    const qreal line = size >= 64 ? 0.5 : 1.0;

    const QRectF page(2.5, 2.5, 22.0, 27.0);
    p.setPen(QPen(kPageEdge, line));
    p.setBrush(PaperBrush(page));
    p.drawRoundedRect(page, 2.0, 2.0);

    // The header, rounded at the top like the page.
    QPainterPath header;
    header.addRoundedRect(QRectF(3.0, 3.0, 21.0, 6.0), 1.6, 1.6);
    header.addRect(QRectF(3.0, 6.0, 21.0, 3.0));
    header.setFillRule(Qt::WindingFill);
    p.setPen(Qt::NoPen);
    p.setBrush(kHeader);
    p.drawPath(header.simplified());

    for (int row = 0; row < 4; ++row) {
        const qreal y = 11.5 + row * 4.5;
        p.setPen(QPen(kBox, line));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5.5, y + 0.5, 3.0, 3.0));
        p.setPen(QPen(kRule, 1.2));
        p.drawLine(QPointF(11.0, y + 2.0), QPointF(row % 2 ? 17.5 : 20.5, y + 2.0));
        if (row < 2) {
            QPainterPath tick;
            tick.moveTo(5.8, y + 1.6);
            tick.lineTo(7.1, y + 3.0);
            tick.lineTo(9.6, y - 0.6);
            p.setPen(Shapes::RoundPen(kTick, 1.3));
            p.setBrush(Qt::NoBrush);
            p.drawPath(tick);
        }
    }

    Shapes::PaintQuill(p, QPointF(14.5, 28.5), QPointF(30.2, 1.8), 8.5, kQuill);
    p.restore();
}

} // namespace Pictures
