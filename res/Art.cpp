#include "res/Art.h"

#include "res/ResourceIds.h"

#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPixmapCache>

#include <algorithm>

namespace {

// Qt picks "@2x" files by itself only for icons, not for QPixmap(path), so
// the density is chosen here: the dense file on any screen above 1x (scaling
// 2x down looks better than scaling 1x up), the plain one otherwise.
QPixmap LoadArt(const QString &stem)
{
    const qreal screenRatio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    if (screenRatio > 1.0) {
        QPixmap dense(QStringLiteral(":/art/%1@2x.png").arg(stem));
        if (!dense.isNull()) {
            dense.setDevicePixelRatio(2.0);
            return dense;
        }
    }
    QPixmap plain(QStringLiteral(":/art/%1.png").arg(stem));
    plain.setDevicePixelRatio(1.0);
    return plain;
}

// Magenta becomes transparent; every other colour stays as drawn.
QImage WithoutMagenta(QImage image)
{
    image = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & 0x00FFFFFF) == 0x00FF00FF)
                line[x] = 0;
        }
    }
    return image;
}

// The white around the picture, reached from the edges through white,
// becomes transparent; white inside it (a glyph on a round face) stays.
// The picture's edge was smoothed onto that white: each pixel next to it
// keeps only what it holds beyond the white, as the least opacity that gives
// back the same colour over white, so a dark ground shows no light rim.
QImage WithoutWhiteAround(QImage image)
{
    image = image.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width();
    const int h = image.height();
    QList<QPoint> todo;
    for (int x = 0; x < w; ++x)
        todo << QPoint(x, 0) << QPoint(x, h - 1);
    for (int y = 0; y < h; ++y)
        todo << QPoint(0, y) << QPoint(w - 1, y);
    while (!todo.isEmpty()) {
        const QPoint p = todo.takeLast();
        if (p.x() < 0 || p.y() < 0 || p.x() >= w || p.y() >= h)
            continue;
        auto *pixel = reinterpret_cast<QRgb *>(image.scanLine(p.y())) + p.x();
        if (*pixel != 0xFFFFFFFF)
            continue; // drawn, or transparent already
        *pixel = 0;
        todo << p + QPoint(1, 0) << p - QPoint(1, 0) << p + QPoint(0, 1) << p - QPoint(0, 1);
    }
    const auto aroundOrOutside = [&image, w, h](int x, int y) {
        return x < 0 || y < 0 || x >= w || y >= h || image.pixel(x, y) == 0;
    };
    QList<QPoint> edge;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (image.pixel(x, y) == 0)
                continue;
            bool next = false;
            for (int dy = -1; dy <= 1 && !next; ++dy)
                for (int dx = -1; dx <= 1 && !next; ++dx)
                    next = aroundOrOutside(x + dx, y + dy);
            if (next)
                edge << QPoint(x, y);
        }
    }
    // Premultiplied, each channel is exactly what it adds over white.
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (QPoint p : std::as_const(edge)) {
        auto *pixel = reinterpret_cast<QRgb *>(image.scanLine(p.y())) + p.x();
        const int alpha = 255 - std::min({qRed(*pixel), qGreen(*pixel), qBlue(*pixel)});
        if (alpha == 0)
            continue; // white, shut in by the picture
        const int over = 255 - alpha;
        *pixel = qRgba(qRed(*pixel) - over, qGreen(*pixel) - over, qBlue(*pixel) - over, alpha);
    }
    return image;
}

// The bitmap made over by `convert`, kept: the view draws it on every paint.
QPixmap Converted(int id, const char *kind, QImage (*convert)(QImage))
{
    const QPixmap plain = Art::Bitmap(id);
    if (plain.isNull())
        return plain;
    const QString key =
        QStringLiteral("quillmark-art-%1-%2@%3").arg(QLatin1String(kind)).arg(id).arg(plain.devicePixelRatio());
    QPixmap converted;
    if (QPixmapCache::find(key, &converted))
        return converted;
    converted = QPixmap::fromImage(convert(plain.toImage()));
    converted.setDevicePixelRatio(plain.devicePixelRatio());
    QPixmapCache::insert(key, converted);
    return converted;
}

} // namespace

namespace Art {

QPixmap Bitmap(int id)
{
    return LoadArt(QString::number(id));
}

QPixmap MaskedBitmap(int id)
{
    return Converted(id, "masked", WithoutMagenta);
}

QPixmap GroundlessBitmap(int id)
{
    return Converted(id, "groundless", WithoutWhiteAround);
}

QIcon ProgramIcon()
{
    // QIcon finds "128@2x.png" beside "128.png" by itself.
    QIcon icon;
    icon.addFile(QStringLiteral(":/art/%1.png").arg(Res::IDI_PROGRAM));
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString sized = QStringLiteral(":/art/icon-%1.png").arg(size);
        if (QFile::exists(sized))
            icon.addFile(sized, QSize(size, size));
    }
    return icon;
}

QPixmap Region(const QPixmap &pixmap, const QRect &rect)
{
    if (pixmap.isNull())
        return QPixmap();
    const qreal ratio = pixmap.devicePixelRatio();
    const QRect device(qRound(rect.x() * ratio), qRound(rect.y() * ratio),
                       qRound(rect.width() * ratio), qRound(rect.height() * ratio));
    QPixmap part = pixmap.copy(device);
    part.setDevicePixelRatio(ratio);
    return part;
}

} // namespace Art

CImageList CImageList::ChecksAndStrip()
{
    CImageList list;
    list.AppendStrip(Res::IDB_CHECKS);
    list.AppendStrip(Res::IDB_ICONSTRIP);
    return list;
}

CImageList CImageList::StripOnly()
{
    CImageList list;
    list.AppendStrip(Res::IDB_ICONSTRIP);
    return list;
}

void CImageList::AppendStrip(int bitmapId)
{
    // Cells are cut in logical pixels, so a 2x strip gives the same count of
    // 16 x 16 images, each of 32 x 32 device pixels.
    const QPixmap strip = Art::MaskedBitmap(bitmapId);
    if (strip.isNull())
        return;
    const int count = qRound(strip.deviceIndependentSize().width()) / Res::kImageSize;
    for (int i = 0; i < count; ++i)
        m_images.append(Art::Region(strip, QRect(i * Res::kImageSize, 0, Res::kImageSize, Res::kImageSize)));
}

QPixmap CImageList::Image(int index) const
{
    if (index < 0 || index >= m_images.size())
        return QPixmap();
    return m_images.at(index);
}

QIcon CImageList::Icon(int index) const
{
    const QPixmap p = Image(index);
    return p.isNull() ? QIcon() : QIcon(p);
}

qreal Art::DesktopFontScale()
{
    const QFont desktop = QGuiApplication::font();
    const qreal points = desktop.pointSizeF() > 0 ? desktop.pointSizeF() : desktop.pixelSize() * 0.75;
    return points > 0 ? points / 9.0 : 1.0;
}
