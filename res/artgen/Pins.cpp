#include "Pictures.h"
#include "Shapes.h"

#include <array>

namespace Pictures {

namespace {

// Head colours, chosen to stay apart from each other and from magenta.
const std::array<QColor, kPinCount> kPinColours = {
    QColor(0xD8, 0x32, 0x2E), // red
    QColor(0xF0, 0x85, 0x1A), // orange
    QColor(0xF2, 0xC4, 0x0F), // yellow
    QColor(0x3A, 0xA5, 0x3F), // green
    QColor(0x17, 0xA2, 0x9C), // teal
    QColor(0x2D, 0x6C, 0xD6), // blue
    QColor(0x7E, 0x4C, 0xC4), // violet
    QColor(0xE6, 0x6A, 0x9E), // rose
    QColor(0x8C, 0x5A, 0x2B), // brown
    QColor(0x5C, 0x64, 0x70), // slate
};

} // namespace

// A drawing pin leaning to the left: a domed cap, a waisted grip and a flange
// in the pin's colour, and the steel point below.
void PaintPin(QPainter &p, int n)
{
    const QColor base = kPinColours.at(static_cast<size_t>(n));
    const QColor edge = Shapes::Dark(base, 190);

    // The point, reaching the lower left corner.
    if (Shapes::DeviceScale(p) < 1.5) {
        for (int i = 0; i < 4; ++i)
            p.fillRect(QRect(2 + i, 13 - i, 1, 1), QColor(0x4A, 0x50, 0x58));
    } else {
        p.setPen(Shapes::RoundPen(QColor(0x4A, 0x50, 0x58), 1.2));
        p.drawLine(QPointF(6.6, 9.4), QPointF(2.5, 13.5));
    }

    // The body is drawn upright around the origin, then tilted 45 degrees.
    p.save();
    p.translate(9.3, 6.9);
    p.rotate(45);
    p.setPen(QPen(edge, 0.9));
    // Flange.
    p.setBrush(Shapes::Dark(base, 125));
    p.drawEllipse(QRectF(-3.4, 2.2, 6.8, 2.6));
    // Grip, narrow in the middle.
    QPainterPath grip;
    grip.moveTo(-2.4, -2.2);
    grip.quadTo(-1.2, 0.6, -2.0, 3.4);
    grip.lineTo(2.0, 3.4);
    grip.quadTo(1.2, 0.6, 2.4, -2.2);
    grip.closeSubpath();
    QLinearGradient side(QPointF(-2.4, 0), QPointF(2.4, 0));
    side.setColorAt(0, Shapes::Light(base, 150));
    side.setColorAt(0.5, base);
    side.setColorAt(1, Shapes::Dark(base, 140));
    p.setBrush(side);
    p.drawPath(grip);
    // Cap.
    const QRectF cap(-4.3, -5.0, 8.6, 3.6);
    QLinearGradient dome(cap.topLeft(), cap.bottomRight());
    dome.setColorAt(0, Shapes::Light(base, 165));
    dome.setColorAt(0.6, base);
    dome.setColorAt(1, Shapes::Dark(base, 125));
    p.setBrush(dome);
    p.drawEllipse(cap);
    p.restore();
}

} // namespace Pictures
