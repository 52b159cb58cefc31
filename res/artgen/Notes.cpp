#include "Pictures.h"
#include "Shapes.h"

#include <array>

namespace Pictures {

namespace {

const QColor kPaper(0xFF, 0xFF, 0xFF);
const QColor kPaperEdge(0x7A, 0x80, 0x88);
const QColor kRule(0x9D, 0xB4, 0xD4);
const QColor kInk(0x3A, 0x42, 0x4E);

// A sheet with its top right corner folded over.
void PaintPage(QPainter &p, const QRectF &r, qreal fold)
{
    QPainterPath sheet;
    sheet.moveTo(r.left(), r.top());
    sheet.lineTo(r.right() - fold, r.top());
    sheet.lineTo(r.right(), r.top() + fold);
    sheet.lineTo(r.right(), r.bottom());
    sheet.lineTo(r.left(), r.bottom());
    sheet.closeSubpath();
    p.setPen(QPen(kPaperEdge, 1.0));
    p.setBrush(Shapes::VerticalGradient(r, kPaper, QColor(0xEE, 0xF0, 0xF3)));
    p.drawPath(sheet);

    QPainterPath ear;
    ear.moveTo(r.right() - fold, r.top());
    ear.lineTo(r.right() - fold, r.top() + fold);
    ear.lineTo(r.right(), r.top() + fold);
    p.setBrush(QColor(0xD8, 0xDC, 0xE2));
    p.drawPath(ear);
}

void PaintRules(QPainter &p, qreal left, qreal right, std::initializer_list<qreal> ys,
                const QColor &c)
{
    p.setPen(QPen(c, 1.0));
    for (qreal y : ys)
        p.drawLine(QPointF(left, y), QPointF(right, y));
}

// A square sticky note with a curled bottom right corner and ruled lines.
void PaintSticky(QPainter &p, const QColor &base)
{
    const QColor edge = Shapes::Dark(base, 160);
    QPainterPath note;
    note.moveTo(1.5, 2.5);
    note.lineTo(14.5, 2.5);
    note.lineTo(14.5, 10.5);
    note.lineTo(10.5, 14.5);
    note.lineTo(1.5, 14.5);
    note.closeSubpath();
    p.setPen(QPen(edge, 1.0));
    p.setBrush(Shapes::VerticalGradient(QRectF(1.5, 2.5, 13, 12), Shapes::Light(base, 112),
                                        base));
    p.drawPath(note);
    // The glued strip along the top is a shade deeper.
    p.setPen(Qt::NoPen);
    p.setBrush(Shapes::Dark(base, 112));
    p.drawRect(QRectF(2.0, 3.0, 12.0, 2.0));

    QPainterPath curl;
    curl.moveTo(14.5, 10.5);
    curl.lineTo(10.5, 10.5);
    curl.lineTo(10.5, 14.5);
    curl.closeSubpath();
    p.setPen(QPen(edge, 1.0));
    p.setBrush(Shapes::Dark(base, 125));
    p.drawPath(curl);

    PaintRules(p, 3.5, 12.5, {7.5}, Shapes::Dark(base, 150));
    PaintRules(p, 3.5, 9.5, {9.5, 11.5}, Shapes::Dark(base, 150));
}

void PaintLinedPage(QPainter &p)
{
    PaintPage(p, QRectF(2.5, 1.5, 11.0, 13.0), 3.5);
    PaintRules(p, 4.5, 9.5, {4.5}, kRule);
    PaintRules(p, 4.5, 11.5, {6.5, 8.5, 10.5, 12.5}, kRule);
}

void PaintChecklist(QPainter &p)
{
    PaintPage(p, QRectF(2.5, 1.5, 11.0, 13.0), 3.5);
    const QColor tick(0x1F, 0x8A, 0x3A);
    const bool pixels = Shapes::DeviceScale(p) < 1.5;
    // Two rows ticked, the last one still open.
    for (int row = 0; row < 3; ++row) {
        const qreal y = 4.0 + row * 3.5;
        p.setPen(QPen(kRule, 1.0));
        p.drawLine(QPointF(9.0, y + 1.5), QPointF(row == 0 ? 10.5 : 11.5, y + 1.5));
        if (row == 2) {
            p.setPen(QPen(QColor(0x6A, 0x72, 0x7E), 1.0));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(4.5, y + 0.5, 2.0, 2.0));
            continue;
        }
        if (pixels) {
            // A three-step tick set pixel by pixel: anti-aliased it blurs away.
            for (const QPoint &pt : {QPoint(4, 1), QPoint(5, 2), QPoint(6, 1), QPoint(7, 0), QPoint(5, 1)})
                p.fillRect(QRect(pt.x(), qRound(y) + pt.y(), 1, 1), tick);
            p.fillRect(QRect(4, qRound(y) + 1, 1, 1), tick);
        } else {
            QPainterPath mark;
            mark.moveTo(4.2, y + 1.3);
            mark.lineTo(5.5, y + 2.6);
            mark.lineTo(7.6, y - 0.2);
            p.setPen(Shapes::RoundPen(tick, 1.2));
            p.setBrush(Qt::NoBrush);
            p.drawPath(mark);
        }
    }
}

void PaintSpiralPad(QPainter &p)
{
    const QRectF pad(2.5, 2.5, 11.0, 12.0);
    p.setPen(QPen(kPaperEdge, 1.0));
    p.setBrush(Shapes::VerticalGradient(pad, kPaper, QColor(0xEE, 0xF0, 0xF3)));
    p.drawRect(pad);
    // A red margin line and blue rules.
    PaintRules(p, 3.5, 12.5, {6.5, 8.5, 10.5, 12.5}, kRule);
    p.setPen(QPen(QColor(0xE0, 0x70, 0x70), 1.0));
    p.drawLine(QPointF(5.5, 3.5), QPointF(5.5, 14.0));
    // Rings over the top edge.
    p.setPen(QPen(QColor(0x4A, 0x50, 0x58), 1.0));
    p.setBrush(Qt::NoBrush);
    for (qreal x : {4.5, 7.5, 10.5})
        p.drawLine(QPointF(x, 1.5), QPointF(x, 4.0));
}

void PaintCalendarPage(QPainter &p)
{
    const QRectF page(1.5, 2.5, 13.0, 12.0);
    p.setPen(QPen(kPaperEdge, 1.0));
    p.setBrush(kPaper);
    p.drawRoundedRect(page, 1.0, 1.0);
    // Red header band.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xD6, 0x3A, 0x34));
    p.drawRect(QRectF(2.0, 3.0, 12.0, 3.0));
    // Binding rings.
    p.setPen(QPen(QColor(0x4A, 0x50, 0x58), 1.0));
    p.drawLine(QPointF(4.5, 1.0), QPointF(4.5, 4.0));
    p.drawLine(QPointF(11.5, 1.0), QPointF(11.5, 4.0));
    // A grid of days, one of them marked.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x8A, 0x92, 0x9E));
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 4; ++col)
            p.drawRect(QRectF(3.0 + col * 3, 7.0 + row * 2.5, 1.6, 1.4));
    }
    p.setBrush(QColor(0xD6, 0x3A, 0x34));
    p.drawRect(QRectF(8.7, 9.3, 2.6, 2.4));
}

void PaintPencilPage(QPainter &p)
{
    PaintPage(p, QRectF(1.5, 1.5, 10.0, 13.0), 3.0);
    PaintRules(p, 3.5, 7.5, {4.5}, kRule);
    PaintRules(p, 3.5, 9.5, {6.5, 8.5, 10.5}, kRule);
    // A pencil lying across the page's lower right.
    p.save();
    p.translate(10.0, 10.5);
    p.rotate(-45);
    p.setPen(QPen(QColor(0x7A, 0x4E, 0x10), 0.8));
    p.setBrush(QColor(0xF5, 0xB8, 0x2E));
    p.drawRect(QRectF(-1.5, -5.5, 3.0, 8.0));
    p.setBrush(QColor(0xF2, 0x9A, 0xA0));
    p.drawRect(QRectF(-1.5, -7.0, 3.0, 1.5));
    QPainterPath tip;
    tip.moveTo(-1.5, 2.5);
    tip.lineTo(1.5, 2.5);
    tip.lineTo(0, 5.8);
    tip.closeSubpath();
    p.setBrush(QColor(0xF2, 0xD9, 0xB0));
    p.drawPath(tip);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(0, 5.0), 0.7, 0.8);
    p.restore();
}

void PaintPinnedMemo(QPainter &p)
{
    const QRectF memo(2.5, 3.5, 11.0, 11.0);
    p.setPen(QPen(QColor(0x8C, 0x86, 0x6E), 1.0));
    p.setBrush(Shapes::VerticalGradient(memo, QColor(0xFF, 0xFC, 0xE8), QColor(0xF2, 0xEC, 0xCC)));
    p.drawRect(memo);
    PaintRules(p, 4.5, 11.5, {8.5, 10.5}, QColor(0xB8, 0xAE, 0x88));
    PaintRules(p, 4.5, 9.5, {12.5}, QColor(0xB8, 0xAE, 0x88));
    // A red pin through the top.
    const QPointF head(8.0, 3.5);
    const QColor red(0xD8, 0x32, 0x2E);
    p.setPen(QPen(red.darker(185), 0.9));
    p.setBrush(Shapes::BallGradient(head, 2.8, red));
    p.drawEllipse(head, 2.8, 2.8);
}

void PaintReceipt(QPainter &p)
{
    // Set without anti-aliasing at 1x: the torn foot's teeth are only two
    // pixels wide and blur into a grey band otherwise.
    p.save();
    p.setRenderHint(QPainter::Antialiasing, Shapes::DeviceScale(p) > 1.5);
    QPainterPath slip;
    slip.moveTo(3, 1);
    slip.lineTo(13, 1);
    slip.lineTo(13, 15);
    for (int i = 0; i < 5; ++i) {
        slip.lineTo(13 - 1 - i * 2, 13);
        slip.lineTo(13 - 2 - i * 2, 15);
    }
    slip.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kPaperEdge);
    p.drawPath(slip);
    QPainterPath inside;
    inside.moveTo(4, 2);
    inside.lineTo(12, 2);
    inside.lineTo(12, 13.4);
    for (int i = 0; i < 4; ++i) {
        inside.lineTo(12 - 1 - i * 2, 12);
        inside.lineTo(12 - 2 - i * 2, 13.4);
    }
    inside.closeSubpath();
    p.setBrush(Shapes::VerticalGradient(QRectF(4, 2, 8, 12), kPaper, QColor(0xEC, 0xEE, 0xF1)));
    p.drawPath(inside);
    p.restore();
    // Item lines with their amounts, and the total under a rule.
    p.setPen(QPen(QColor(0xA8, 0xAE, 0xB6), 1.0));
    for (qreal y : {3.5, 5.5, 7.5}) {
        p.drawLine(QPointF(5.0, y), QPointF(8.0, y));
        p.drawLine(QPointF(9.0, y), QPointF(11.0, y));
    }
    p.setPen(QPen(kInk, 1.0));
    p.drawLine(QPointF(5.0, 9.5), QPointF(11.0, 9.5));
    p.drawLine(QPointF(8.0, 11.0), QPointF(11.0, 11.0));
}

} // namespace

void PaintNote(QPainter &p, int n)
{
    static const std::array<QColor, 5> sticky = {
        QColor(0xFA, 0xDC, 0x4A), // yellow
        QColor(0xF4, 0x9C, 0xB8), // pink
        QColor(0x9A, 0xD8, 0x78), // green
        QColor(0x84, 0xC0, 0xF0), // blue
        QColor(0xF8, 0xB0, 0x5A), // orange
    };
    switch (n) {
    case 0: PaintLinedPage(p); break;
    case 1: case 2: case 3: case 4: case 5:
        PaintSticky(p, sticky.at(static_cast<size_t>(n - 1)));
        break;
    case 6: PaintChecklist(p); break;
    case 7: PaintSpiralPad(p); break;
    case 8: PaintCalendarPage(p); break;
    case 9: PaintPencilPage(p); break;
    case 10: PaintPinnedMemo(p); break;
    case 11: PaintReceipt(p); break;
    default: break;
    }
}

} // namespace Pictures
