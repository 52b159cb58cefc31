#pragma once

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>

// Drawing helpers shared by the pictures.
namespace Shapes {

// A lighter or darker tone of a colour (percent as in QColor::lighter).
QColor Light(const QColor &c, int percent);
QColor Dark(const QColor &c, int percent);

// Top-to-bottom gradient between two colours across rect.
QBrush VerticalGradient(const QRectF &rect, const QColor &top, const QColor &bottom);

// A shaded ball: highlight towards the top left, darker towards the edge.
QBrush BallGradient(const QPointF &centre, qreal radius, const QColor &base);

// The quill feather from its nib to its tip: vane, shaft and a dark nib.
// width is the vane's widest extent across the shaft.
struct QuillColours
{
    QColor vane;
    QColor vaneEdge;
    QColor shaft;
    QColor nib;
};
void PaintQuill(QPainter &p, QPointF nib, QPointF tip, qreal width, const QuillColours &colours);

// Device pixels per logical pixel of the painter (1 or 2 here).
qreal DeviceScale(const QPainter &p);

// A pen of the given colour and width with round ends.
QPen RoundPen(const QColor &c, qreal width);

} // namespace Shapes
