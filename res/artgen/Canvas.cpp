#include "Canvas.h"

namespace Canvas {

QImage Paint(QSize logical, int scale, const PaintFn &paint)
{
    QImage image(logical * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.scale(scale, scale);
    paint(p);
    p.end();
    return image;
}

namespace {

// Below this coverage a pixel belongs to the ground; above it to the picture.
constexpr int kCoverageThreshold = 110;

QRgb OverWhite(QRgb premultiplied)
{
    const int a = qAlpha(premultiplied);
    return qRgb(qRed(premultiplied) + 255 - a, qGreen(premultiplied) + 255 - a,
                qBlue(premultiplied) + 255 - a);
}

} // namespace

QImage FlattenOnMagenta(const QImage &argb)
{
    const QImage source = argb.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage out(source.size(), QImage::Format_RGB32);
    for (int y = 0; y < source.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            const QRgb px = in[x];
            if (qAlpha(px) < kCoverageThreshold) {
                line[x] = kMagenta;
                continue;
            }
            line[x] = OverWhite(px);
        }
    }
    return out;
}

QImage FlattenOnWhite(const QImage &argb)
{
    QImage out(argb.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    p.drawImage(0, 0, argb);
    p.end();
    return out;
}

bool NearMagenta(QRgb c)
{
    const int dr = 255 - qRed(c), dg = qGreen(c), db = 255 - qBlue(c);
    return dr * dr + dg * dg + db * db < kNearMagenta * kNearMagenta;
}

} // namespace Canvas
