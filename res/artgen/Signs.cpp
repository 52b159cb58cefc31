#include "Pictures.h"
#include "Shapes.h"

#include <QFont>
#include <QtMath>

#include <array>

namespace Pictures {

namespace {

const QColor kSignYellow(0xF8, 0xC8, 0x10);
const QColor kSignBlack(0x1A, 0x1A, 0x1A);

// The yellow diamond with a black border, as on a warning sign.
void PaintDiamond(QPainter &p)
{
    // At 1x an anti-aliased diagonal border turns into a grey smear; there the
    // diamond is set pixel by pixel as a clean staircase instead.
    const bool crisp = Shapes::DeviceScale(p) < 1.5;
    const qreal border = crisp ? 1.0 : 1.1;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, !crisp);
    QPainterPath outer;
    outer.moveTo(8, 0);
    outer.lineTo(16, 8);
    outer.lineTo(8, 16);
    outer.lineTo(0, 8);
    outer.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kSignBlack);
    p.drawPath(outer);

    const qreal in = border * 1.41421356;
    QPainterPath inner;
    inner.moveTo(8, in);
    inner.lineTo(16 - in, 8);
    inner.lineTo(8, 16 - in);
    inner.lineTo(in, 8);
    inner.closeSubpath();
    p.setBrush(Shapes::VerticalGradient(QRectF(0, 2, 16, 12), QColor(0xFF, 0xDA, 0x3A), kSignYellow));
    p.drawPath(inner);
    p.restore();
}

// A bold character centred on the sign.
void PaintGlyph(QPainter &p, const QString &text, qreal pixelSize, QPointF centre = {8, 8})
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(qRound(pixelSize));
    font.setBold(true);
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF box = path.boundingRect();
    p.save();
    p.translate(centre - box.center());
    p.setPen(Qt::NoPen);
    p.setBrush(kSignBlack);
    p.drawPath(path);
    p.restore();
}

void Exclamation(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kSignBlack);
    QPainterPath bar;
    bar.moveTo(7.0, 4.0);
    bar.lineTo(9.0, 4.0);
    bar.lineTo(8.6, 9.5);
    bar.lineTo(7.4, 9.5);
    bar.closeSubpath();
    p.drawPath(bar);
    p.drawRect(QRectF(7.0, 10.5, 2.0, 1.6));
}

void Clock(QPainter &p)
{
    p.setPen(QPen(kSignBlack, 1.2));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8, 8), 3.6, 3.6);
    p.setPen(Shapes::RoundPen(kSignBlack, 1.0));
    p.drawLine(QPointF(8, 8), QPointF(8, 5.6));
    p.drawLine(QPointF(8, 8), QPointF(9.8, 8.9));
}

void House(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kSignBlack);
    QPainterPath roof;
    roof.moveTo(8, 3.6);
    roof.lineTo(12.2, 7.6);
    roof.lineTo(3.8, 7.6);
    roof.closeSubpath();
    p.drawPath(roof);
    p.drawRect(QRectF(5.0, 7.5, 6.0, 4.5));
    p.setBrush(kSignYellow);
    p.drawRect(QRectF(7.2, 9.2, 1.6, 2.8));
}

void Car(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kSignBlack);
    QPainterPath body;
    body.moveTo(3.6, 10.2);
    body.lineTo(3.6, 8.4);
    body.lineTo(5.2, 8.0);
    body.lineTo(6.2, 5.8);
    body.lineTo(9.8, 5.8);
    body.lineTo(10.8, 8.0);
    body.lineTo(12.4, 8.4);
    body.lineTo(12.4, 10.2);
    body.closeSubpath();
    p.drawPath(body);
    p.setBrush(kSignYellow);
    p.drawRect(QRectF(6.9, 6.6, 2.2, 1.4));
    p.setBrush(kSignBlack);
    p.drawEllipse(QPointF(5.6, 10.6), 1.2, 1.2);
    p.drawEllipse(QPointF(10.4, 10.6), 1.2, 1.2);
}

void Phone(QPainter &p)
{
    // An old handset: ear and mouth pieces joined by a curved grip.
    p.setPen(Shapes::RoundPen(kSignBlack, 1.6));
    p.setBrush(Qt::NoBrush);
    QPainterPath grip;
    grip.moveTo(5.2, 6.2);
    grip.quadTo(8.0, 4.6, 10.8, 6.2);
    p.drawPath(grip);
    p.setPen(Qt::NoPen);
    p.setBrush(kSignBlack);
    p.drawRoundedRect(QRectF(3.6, 5.6, 2.8, 2.2), 0.8, 0.8);
    p.drawRoundedRect(QRectF(9.6, 5.6, 2.8, 2.2), 0.8, 0.8);
    // The base.
    QPainterPath base;
    base.moveTo(5.6, 8.6);
    base.lineTo(10.4, 8.6);
    base.lineTo(11.6, 11.6);
    base.lineTo(4.4, 11.6);
    base.closeSubpath();
    p.drawPath(base);
    p.setBrush(kSignYellow);
    p.drawEllipse(QPointF(8, 10.1), 0.9, 0.9);
}

void Envelope(QPainter &p)
{
    const QRectF r(4.0, 5.5, 8.0, 5.5);
    p.setPen(QPen(kSignBlack, 1.0));
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.setBrush(Qt::NoBrush);
    QPainterPath flap;
    flap.moveTo(r.topLeft());
    flap.lineTo(r.center().x(), r.top() + 3.0);
    flap.lineTo(r.topRight());
    p.drawPath(flap);
}

void Heart(QPainter &p)
{
    QPainterPath heart;
    heart.moveTo(8, 12.0);
    heart.cubicTo(4.0, 9.2, 3.2, 6.8, 4.6, 5.3);
    heart.cubicTo(5.8, 4.1, 7.4, 4.6, 8, 6.0);
    heart.cubicTo(8.6, 4.6, 10.2, 4.1, 11.4, 5.3);
    heart.cubicTo(12.8, 6.8, 12.0, 9.2, 8, 12.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xC8, 0x1E, 0x1E));
    p.drawPath(heart);
}

void Star(QPainter &p)
{
    QPainterPath star;
    const QPointF c(8, 8.5);
    for (int i = 0; i < 10; ++i) {
        const qreal r = (i % 2 == 0) ? 4.4 : 1.9;
        const qreal a = qDegreesToRadians(-90.0 + i * 36.0);
        const QPointF pt = c + QPointF(r * qCos(a), r * qSin(a));
        if (i == 0)
            star.moveTo(pt);
        else
            star.lineTo(pt);
    }
    star.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kSignBlack);
    p.drawPath(star);
}

void Cart(QPainter &p)
{
    p.setPen(Shapes::RoundPen(kSignBlack, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(3.6, 5.0), QPointF(5.0, 5.0));
    p.setPen(Qt::NoPen);
    p.setBrush(kSignBlack);
    QPainterPath basket;
    basket.moveTo(4.6, 5.6);
    basket.lineTo(12.2, 5.6);
    basket.lineTo(11.0, 9.2);
    basket.lineTo(5.8, 9.2);
    basket.closeSubpath();
    p.drawPath(basket);
    p.setPen(QPen(kSignBlack, 0.9));
    p.drawLine(QPointF(5.8, 9.2), QPointF(5.8, 10.4));
    p.drawLine(QPointF(5.8, 10.4), QPointF(11.0, 10.4));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(6.6, 11.6), 0.95, 0.95);
    p.drawEllipse(QPointF(10.2, 11.6), 0.95, 0.95);
}

void Person(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kSignBlack);
    p.drawEllipse(QPointF(8, 5.6), 1.9, 1.9);
    QPainterPath body;
    body.moveTo(4.4, 12.0);
    body.cubicTo(4.4, 8.4, 5.8, 8.0, 8, 8.0);
    body.cubicTo(10.2, 8.0, 11.6, 8.4, 11.6, 12.0);
    body.closeSubpath();
    p.drawPath(body);
}

void Lightning(QPainter &p)
{
    QPainterPath bolt;
    bolt.moveTo(9.4, 3.2);
    bolt.lineTo(5.2, 8.8);
    bolt.lineTo(7.8, 8.8);
    bolt.lineTo(6.4, 12.8);
    bolt.lineTo(10.8, 7.0);
    bolt.lineTo(8.2, 7.0);
    bolt.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kSignBlack);
    p.drawPath(bolt);
}

void Cup(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kSignBlack);
    QPainterPath mug;
    mug.moveTo(4.4, 7.0);
    mug.lineTo(10.0, 7.0);
    mug.lineTo(9.6, 11.2);
    mug.quadTo(9.5, 12.0, 8.6, 12.0);
    mug.lineTo(5.8, 12.0);
    mug.quadTo(4.9, 12.0, 4.8, 11.2);
    mug.closeSubpath();
    p.drawPath(mug);
    p.setPen(QPen(kSignBlack, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(10.4, 9.0), 1.4, 1.3);
    // Steam.
    p.setPen(Shapes::RoundPen(kSignBlack, 0.8));
    for (qreal x : {6.2, 8.2}) {
        QPainterPath steam;
        steam.moveTo(x, 6.0);
        steam.quadTo(x - 0.8, 5.0, x, 4.2);
        p.drawPath(steam);
    }
}

void BendLeft(QPainter &p)
{
    p.setPen(Shapes::RoundPen(kSignBlack, 1.6));
    p.setBrush(Qt::NoBrush);
    QPainterPath road;
    road.moveTo(9.4, 12.4);
    road.lineTo(9.4, 9.0);
    road.quadTo(9.4, 6.6, 6.8, 6.0);
    p.drawPath(road);
    p.setPen(Qt::NoPen);
    p.setBrush(kSignBlack);
    QPainterPath head;
    head.moveTo(4.4, 5.6);
    head.lineTo(7.4, 3.8);
    head.lineTo(7.2, 8.0);
    head.closeSubpath();
    p.drawPath(head);
}

void Crossroads(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kSignBlack);
    p.drawRect(QRectF(7.1, 3.8, 1.8, 8.4));
    p.drawRect(QRectF(4.4, 7.1, 7.2, 1.8));
}

void TJunction(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kSignBlack);
    p.drawRect(QRectF(7.1, 5.8, 1.8, 6.4));
    p.drawRect(QRectF(4.4, 4.6, 7.2, 1.8));
}

void RoadNarrows(QPainter &p)
{
    p.setPen(Shapes::RoundPen(kSignBlack, 1.3));
    p.setBrush(Qt::NoBrush);
    QPainterPath left;
    left.moveTo(5.2, 12.2);
    left.lineTo(5.2, 10.0);
    left.lineTo(6.8, 7.6);
    left.lineTo(6.8, 3.8);
    QPainterPath right;
    right.moveTo(10.8, 12.2);
    right.lineTo(10.8, 10.0);
    right.lineTo(9.2, 7.6);
    right.lineTo(9.2, 3.8);
    p.drawPath(left);
    p.drawPath(right);
}

void Bumps(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kSignBlack);
    QPainterPath humps;
    humps.moveTo(3.4, 10.4);
    humps.cubicTo(4.2, 10.4, 4.6, 6.8, 6.0, 6.8);
    humps.cubicTo(7.4, 6.8, 7.2, 9.4, 8.0, 9.4);
    humps.cubicTo(8.8, 9.4, 8.6, 6.8, 10.0, 6.8);
    humps.cubicTo(11.4, 6.8, 11.8, 10.4, 12.6, 10.4);
    humps.closeSubpath();
    p.drawPath(humps);
}

void TrafficLights(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kSignBlack);
    p.drawRoundedRect(QRectF(6.1, 3.4, 3.8, 9.2), 1.0, 1.0);
    p.setBrush(QColor(0xE8, 0x30, 0x28));
    p.drawEllipse(QPointF(8, 5.0), 1.05, 1.05);
    p.setBrush(QColor(0xFF, 0xB8, 0x00));
    p.drawEllipse(QPointF(8, 8.0), 1.05, 1.05);
    p.setBrush(QColor(0x3C, 0xC8, 0x48));
    p.drawEllipse(QPointF(8, 11.0), 1.05, 1.05);
}

// At 1x the symbol has some 8 pixels to live in; there each is set pixel by
// pixel on a 10 x 10 grid (left top at 3, 3) so that it stays sharp. The 2x
// file draws the same symbols from their outlines above.
using Rows = std::array<const char *, 10>;

const std::array<Rows, kSignCount> kPixelSymbols = {{
    {"....##....", "....##....", "....##....", "....##....", "....##....",
     "....##....", "..........", "....##....", "....##....", ".........."}, // !
    {"..........", "...####...", "..##..##..", "......##..", ".....##...",
     "....##....", "....##....", "..........", "....##....", ".........."}, // ?
    {"....##....", "...#####..", "..##.#....", "..##.#....", "...####...",
     ".....#.##.", ".....#.##.", "..#####...", "....##....", ".........."}, // $
    {"..........", "...####...", "..#w#ww#..", ".#ww#www#.", ".#ww#www#.",
     ".#ww###w#.", ".#wwwwww#.", "..#wwww#..", "...####...", ".........."}, // clock
    {"..........", "....##....", "...####...", "..######..", ".########.",
     "..######..", "..##..##..", "..##..##..", "..........", ".........."}, // house
    {"..........", "..........", "...####...", "..#.##.#..", ".########.",
     ".########.", ".########.", "..##..##..", "..........", ".........."}, // car
    {"..........", "..........", "..######..", ".########.", ".##....##.",
     "...####...", "..##..##..", "..######..", "..........", ".........."}, // telephone
    {"..........", "..........", ".########.", ".##wwww##.", ".#w#ww#w#.",
     ".#ww##ww#.", ".#wwwwww#.", ".########.", "..........", ".........."}, // envelope
    {"..........", "..........", "..rr..rr..", ".rrrrrrrr.", ".rrrrrrrr.",
     "..rrrrrr..", "...rrrr...", "....rr....", "..........", ".........."}, // heart
    {"..........", "....##....", "....##....", ".########.", "..######..",
     "...####...", "..######..", "..##..##..", "..........", ".........."}, // star
    {"..........", "..........", "..##......", "...######.", "...#####..",
     "...####...", "...#......", "...#####..", "...#..#...", ".........."}, // cart
    {"..........", "....##....", "...####...", "...####...", "....##....",
     "...####...", "..######..", "..######..", "..........", ".........."}, // person
    {"..........", ".....##...", "....##....", "...##.....", "..######..",
     ".....##...", "....##....", "...##.....", "...#......", ".........."}, // lightning
    {"..........", "...#.#....", "....#.#...", "..........", ".#######..",
     ".######.#.", ".#######..", "..#####...", "..........", ".........."}, // cup
    {"..........", "...#......", "..##......", ".######...", "..##.##...",
     "...#.##...", ".....##...", ".....##...", ".....##...", ".........."}, // bend left
    {"..........", "....##....", "....##....", "....##....", ".########.",
     ".########.", "....##....", "....##....", "....##....", ".........."}, // crossroads
    {"..........", "..........", "..........", ".########.", ".########.",
     "....##....", "....##....", "....##....", "....##....", ".........."}, // T junction
    {"..........", "...#..#...", "...#..#...", "...#..#...", "..#....#..",
     ".#......#.", ".#......#.", "..#....#..", "..........", ".........."}, // road narrows
    {"..........", "..........", "..........", "..##..##..", ".########.",
     "##########", ".########.", "..........", "..........", ".........."}, // bumps
    {"..........", "...####...", "...#rr#...", "...#rr#...", "...#oo#...",
     "...#oo#...", "...#gg#...", "...#gg#...", "...####...", ".........."}, // lights
}};

QColor PixelColour(char c)
{
    switch (c) {
    case 'w': return Qt::white;
    case 'r': return QColor(0xD0, 0x1E, 0x1E);
    case 'o': return QColor(0xFF, 0x9A, 0x00);
    case 'g': return QColor(0x2E, 0xB8, 0x3C);
    default: return kSignBlack;
    }
}

void PaintPixelSymbol(QPainter &p, const Rows &rows)
{
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) {
            const char c = rows.at(static_cast<size_t>(y))[x];
            if (c != '.')
                p.fillRect(QRect(3 + x, 3 + y, 1, 1), PixelColour(c));
        }
    }
}

} // namespace

void PaintSign(QPainter &p, int n)
{
    PaintDiamond(p);
    if (Shapes::DeviceScale(p) < 1.5) {
        PaintPixelSymbol(p, kPixelSymbols.at(static_cast<size_t>(n)));
        return;
    }
    switch (n) {
    case 0: Exclamation(p); break;
    case 1: PaintGlyph(p, QStringLiteral("?"), 10, {8, 8.2}); break;
    case 2: PaintGlyph(p, QStringLiteral("$"), 10, {8, 8.1}); break;
    case 3: Clock(p); break;
    case 4: House(p); break;
    case 5: Car(p); break;
    case 6: Phone(p); break;
    case 7: Envelope(p); break;
    case 8: Heart(p); break;
    case 9: Star(p); break;
    case 10: Cart(p); break;
    case 11: Person(p); break;
    case 12: Lightning(p); break;
    case 13: Cup(p); break;
    case 14: BendLeft(p); break;
    case 15: Crossroads(p); break;
    case 16: TJunction(p); break;
    case 17: RoadNarrows(p); break;
    case 18: Bumps(p); break;
    case 19: TrafficLights(p); break;
    default: break;
    }
}

} // namespace Pictures
