#include "Pictures.h"
#include "Shapes.h"

#include <QFont>

namespace Pictures {

namespace {

// Every face is the same round button; colour tells the kind of action:
// blue to move about and edit, green to confirm, red to leave.
struct Tint
{
    QColor top;
    QColor bottom;
    QColor rim;
};

const Tint kBlue{QColor(0x5B, 0x95, 0xE6), QColor(0x1E, 0x56, 0xB0), QColor(0x16, 0x3F, 0x82)};
const Tint kGreen{QColor(0x5C, 0xBF, 0x62), QColor(0x23, 0x84, 0x30), QColor(0x1A, 0x63, 0x24)};
const Tint kRed{QColor(0xEE, 0x6A, 0x5E), QColor(0xB8, 0x2A, 0x22), QColor(0x8A, 0x1E, 0x18)};

const QColor kGlyph(0xFF, 0xFF, 0xFF);

void PaintDisc(QPainter &p, const Tint &t)
{
    const QRectF disc(0.6, 0.6, 18.8, 18.8);
    p.setPen(QPen(t.rim, 1.0));
    p.setBrush(Shapes::VerticalGradient(disc, t.top, t.bottom));
    p.drawEllipse(disc);
    // A soft gloss on the upper half.
    QLinearGradient gloss(QPointF(0, 1.5), QPointF(0, 10));
    gloss.setColorAt(0, QColor(255, 255, 255, 110));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(gloss);
    p.drawEllipse(QRectF(3.0, 1.6, 14.0, 9.0));
}

void Magnifier(QPainter &p)
{
    p.setPen(Shapes::RoundPen(kGlyph, 3.0));
    p.drawLine(QPointF(11.6, 11.6), QPointF(14.6, 14.6));
    p.setPen(QPen(kGlyph, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(8.6, 8.6), 3.7, 3.7);
}

void Cross(QPainter &p)
{
    p.setPen(Shapes::RoundPen(kGlyph, 2.6));
    p.drawLine(QPointF(6.5, 6.5), QPointF(13.5, 13.5));
    p.drawLine(QPointF(13.5, 6.5), QPointF(6.5, 13.5));
}

void Plus(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kGlyph);
    p.drawRect(QRectF(5.0, 8.5, 10.0, 3.0));
    p.drawRect(QRectF(8.5, 5.0, 3.0, 10.0));
}

void Minus(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kGlyph);
    p.drawRect(QRectF(5.0, 8.5, 10.0, 3.0));
}

void Pencil(QPainter &p)
{
    p.save();
    p.translate(10, 10);
    p.rotate(45);
    p.setPen(Qt::NoPen);
    p.setBrush(kGlyph);
    // Body with the eraser end, a gap for the ferrule, and the sharpened tip.
    p.drawRect(QRectF(-1.7, -7.0, 3.4, 2.0));
    p.drawRect(QRectF(-1.7, -4.3, 3.4, 6.8));
    QPainterPath tip;
    tip.moveTo(-1.7, 3.2);
    tip.lineTo(1.7, 3.2);
    tip.lineTo(0, 7.0);
    tip.closeSubpath();
    p.drawPath(tip);
    p.restore();
}

void LetterM(QPainter &p)
{
    QPainterPath m;
    m.moveTo(5.0, 14.5);
    m.lineTo(5.0, 5.5);
    m.lineTo(7.4, 5.5);
    m.lineTo(10.0, 10.2);
    m.lineTo(12.6, 5.5);
    m.lineTo(15.0, 5.5);
    m.lineTo(15.0, 14.5);
    m.lineTo(12.8, 14.5);
    m.lineTo(12.8, 9.4);
    m.lineTo(10.7, 13.0);
    m.lineTo(9.3, 13.0);
    m.lineTo(7.2, 9.4);
    m.lineTo(7.2, 14.5);
    m.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kGlyph);
    p.drawPath(m);
}

void Tick(QPainter &p)
{
    QPainterPath tick;
    tick.moveTo(5.6, 10.2);
    tick.lineTo(8.6, 13.2);
    tick.lineTo(14.4, 6.6);
    p.setPen(Shapes::RoundPen(kGlyph, 2.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
}

void ArrowIntoDevice(QPainter &p)
{
    // The device on the right: a body with its screen.
    p.setPen(QPen(kGlyph, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(10.7, 4.7, 5.6, 10.6), 1.2, 1.2);
    p.setPen(Qt::NoPen);
    p.setBrush(kGlyph);
    p.drawRect(QRectF(12.2, 6.4, 2.6, 4.2));
    p.drawEllipse(QPointF(13.5, 13.0), 0.8, 0.8);
    // The arrow going into it.
    p.drawRect(QRectF(3.2, 9.0, 4.4, 2.0));
    QPainterPath head;
    head.moveTo(7.2, 6.6);
    head.lineTo(10.4, 10.0);
    head.lineTo(7.2, 13.4);
    head.closeSubpath();
    p.drawPath(head);
}

void UpArrow(QPainter &p)
{
    QPainterPath arrow;
    arrow.moveTo(10.0, 4.2);
    arrow.lineTo(15.2, 9.6);
    arrow.lineTo(11.6, 9.6);
    arrow.lineTo(11.6, 15.0);
    arrow.lineTo(8.4, 15.0);
    arrow.lineTo(8.4, 9.6);
    arrow.lineTo(4.8, 9.6);
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kGlyph);
    p.drawPath(arrow);
}

} // namespace

void PaintButtonFace(QPainter &p, int id)
{
    switch (id) {
    case 146: PaintDisc(p, kBlue); Magnifier(p); break;
    case 147: PaintDisc(p, kRed); Cross(p); break;
    case 148: PaintDisc(p, kBlue); Plus(p); break;
    case 149: PaintDisc(p, kBlue); Pencil(p); break;
    case 150: PaintDisc(p, kBlue); LetterM(p); break;
    case 153: PaintDisc(p, kGreen); Tick(p); break;
    case 155: PaintDisc(p, kBlue); ArrowIntoDevice(p); break;
    case 170: PaintDisc(p, kBlue); UpArrow(p); break;
    case 176: PaintDisc(p, kBlue); Minus(p); break;
    default: break;
    }
}

} // namespace Pictures
