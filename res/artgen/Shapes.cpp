#include "Shapes.h"

#include <QLineF>
#include <QLinearGradient>
#include <QRadialGradient>
#include <QTransform>

namespace Shapes {

QColor Light(const QColor &c, int percent)
{
    return c.lighter(percent);
}

QColor Dark(const QColor &c, int percent)
{
    return c.darker(percent);
}

QBrush VerticalGradient(const QRectF &rect, const QColor &top, const QColor &bottom)
{
    QLinearGradient g(rect.topLeft(), rect.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return QBrush(g);
}

QBrush BallGradient(const QPointF &centre, qreal radius, const QColor &base)
{
    const QPointF focus = centre + QPointF(-radius * 0.4, -radius * 0.45);
    QRadialGradient g(centre, radius, focus);
    g.setColorAt(0, Light(base, 175));
    g.setColorAt(0.45, base);
    g.setColorAt(1, Dark(base, 135));
    return QBrush(g);
}

qreal DeviceScale(const QPainter &p)
{
    return p.deviceTransform().m11();
}

QPen RoundPen(const QColor &c, qreal width)
{
    QPen pen(c, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

void PaintQuill(QPainter &p, QPointF nib, QPointF tip, qreal width, const QuillColours &colours)
{
    // Built along the x axis from the nib (0) to the tip (length), then laid
    // onto the nib-to-tip line.
    const QLineF axis(nib, tip);
    const qreal len = axis.length();
    const qreal w = width / 2;

    QPainterPath vane;
    vane.moveTo(len * 0.22, 0);
    vane.cubicTo(len * 0.30, -w * 1.15, len * 0.62, -w * 1.25, len, 0);
    vane.cubicTo(len * 0.70, w * 0.85, len * 0.42, w * 0.95, len * 0.22, 0);
    vane.closeSubpath();

    QTransform t;
    t.translate(nib.x(), nib.y());
    t.rotate(-axis.angle());

    p.save();
    p.setTransform(t, true);
    p.setPen(QPen(colours.vaneEdge, width * 0.09));
    p.setBrush(colours.vane);
    p.drawPath(vane);
    // The barbs: a few light strokes from the shaft outwards.
    p.save();
    p.setClipPath(vane, Qt::IntersectClip);
    p.setPen(QPen(colours.vaneEdge, width * 0.06));
    for (qreal f : {0.45, 0.6, 0.75})
        p.drawLine(QPointF(len * f, 0), QPointF(len * (f + 0.1), -w * 1.2));
    p.restore();
    p.setPen(RoundPen(colours.shaft, width * 0.1));
    p.drawLine(QPointF(len * 0.08, 0), QPointF(len * 0.93, 0));
    QPainterPath nibPath;
    nibPath.moveTo(0, 0);
    nibPath.lineTo(len * 0.14, -width * 0.09);
    nibPath.lineTo(len * 0.14, width * 0.09);
    nibPath.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(colours.nib);
    p.drawPath(nibPath);
    p.restore();
}

} // namespace Shapes
