#include "Pictures.h"
#include "Shapes.h"

namespace Pictures {

namespace {

struct BoxColours
{
    QColor edge;
    QColor top;
    QColor bottom;
    QColor tick;
};

const BoxColours kEnabled{QColor(0x4E, 0x63, 0x84), QColor(0xFF, 0xFF, 0xFF),
                          QColor(0xE2, 0xEA, 0xF4), QColor(0x1B, 0x5E, 0xC4)};
const BoxColours kGreyed{QColor(0xA6, 0xAA, 0xB0), QColor(0xF0, 0xF0, 0xF0),
                         QColor(0xE2, 0xE2, 0xE2), QColor(0x9C, 0xA0, 0xA6)};

void PaintBox(QPainter &p, const BoxColours &c, bool checked)
{
    const QRectF box(2.5, 2.5, 11.0, 11.0);
    p.setPen(QPen(c.edge, 1.0));
    p.setBrush(Shapes::VerticalGradient(box, c.top, c.bottom));
    p.drawRoundedRect(box, 1.2, 1.2);
    if (!checked)
        return;
    QPainterPath tick;
    tick.moveTo(4.9, 8.0);
    tick.lineTo(7.1, 10.3);
    tick.lineTo(11.2, 5.0);
    p.setPen(Shapes::RoundPen(c.tick, 1.9));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
}

// The root of the tree: three pages fanned into a stack.
void PaintPageStack(QPainter &p)
{
    const QColor edge(0x6A, 0x72, 0x7E);
    const QColor rule(0x9D, 0xB4, 0xD4);
    // Back pages up and to the right, the ruled front page lowest.
    for (int i = 2; i >= 0; --i) {
        const QRectF page(1.5 + i * 2, 5.5 - i * 2, 9.0, 10.0);
        p.setPen(QPen(edge, 1.0));
        if (i == 0)
            p.setBrush(Shapes::VerticalGradient(page, Qt::white, QColor(0xEE, 0xF1, 0xF5)));
        else
            p.setBrush(i == 1 ? QColor(0xEC, 0xEF, 0xF3) : QColor(0xDC, 0xE1, 0xE8));
        p.drawRect(page);
    }
    p.setPen(QPen(rule, 1.0));
    for (qreal y : {8.5, 10.5, 12.5})
        p.drawLine(QPointF(3.5, y), QPointF(8.5, y));
}

} // namespace

void PaintCheckImage(QPainter &p, int n)
{
    switch (n) {
    case 0: PaintBox(p, kEnabled, false); break;
    case 1: PaintBox(p, kEnabled, true); break;
    case 2: PaintBox(p, kGreyed, false); break;
    case 3: PaintBox(p, kGreyed, true); break;
    case 4: PaintPageStack(p); break;
    default: break;
    }
}

void PaintBlueTick(QPainter &p)
{
    // Only the top left 12 x 13 is ever shown.
    QPainterPath tick;
    tick.moveTo(1.6, 7.2);
    tick.lineTo(4.6, 10.6);
    tick.lineTo(10.6, 2.0);
    p.setBrush(Qt::NoBrush);
    p.setPen(Shapes::RoundPen(QColor(0x0F, 0x3E, 0x8C), 3.0));
    p.drawPath(tick);
    p.setPen(Shapes::RoundPen(QColor(0x2A, 0x7B, 0xE4), 1.8));
    p.drawPath(tick);
}

} // namespace Pictures
