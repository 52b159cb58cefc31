#include "Pictures.h"
#include "Shapes.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>

namespace Pictures {

namespace {

const QColor kBandTop(0x34, 0x3F, 0x9A);
const QColor kBandBottom(0x1C, 0x22, 0x5E);
const QColor kAccent(0xF2, 0xB2, 0x3A);

} // namespace

// The title band across the top of the view: a deep indigo band, the quill,
// the program's name in white and a thin amber rule along the foot.
void PaintBanner(QPainter &p)
{
    const QRectF band(0, 0, 240, 25);
    p.setPen(Qt::NoPen);
    p.setBrush(Shapes::VerticalGradient(band, kBandTop, kBandBottom));
    p.drawRect(band);

    // A faint sheen sweeping from the left, brightest behind the title.
    QLinearGradient sheen(QPointF(0, 0), QPointF(240, 0));
    sheen.setColorAt(0, QColor(255, 255, 255, 28));
    sheen.setColorAt(0.45, QColor(255, 255, 255, 6));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(sheen);
    p.drawRect(QRectF(0, 0, 240, 11));

    // Ruled lines on the right, like the edge of a writing pad.
    p.setPen(QPen(QColor(255, 255, 255, 26), 1.0));
    for (qreal y : {6.5, 11.5, 16.5})
        p.drawLine(QPointF(150, y), QPointF(236, y));

    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawRect(QRectF(0, 23, 240, 2));

    Shapes::PaintQuill(p, QPointF(7.0, 20.5), QPointF(23.5, 2.0), 8.0,
                       {QColor(0xFF, 0xFF, 0xFF), QColor(0xC8, 0xCF, 0xEE),
                        QColor(0xE6, 0xEA, 0xF8), kAccent});

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(16);
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.4);
    p.setFont(font);
    const QFontMetricsF fm(font);
    const qreal baseline = 11.5 + (fm.ascent() - fm.descent()) / 2;
    // A dark drop shadow keeps the title crisp on the gradient.
    p.setPen(QColor(0x10, 0x14, 0x3C));
    p.drawText(QPointF(29.0, baseline + 1.0), QStringLiteral("Quillmark"));
    p.setPen(Qt::white);
    p.drawText(QPointF(28.0, baseline), QStringLiteral("Quillmark"));
}

} // namespace Pictures
