#include "res/Art.h"

#include "res/ResourceIds.h"

#include <QBitmap>
#include <QImage>

namespace {

QString ArtPath(int id)
{
    return QStringLiteral(":/art/%1.png").arg(id);
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

} // namespace

namespace Art {

QPixmap Bitmap(int id)
{
    // QPixmap picks "<id>@2x.png" by itself on a dense screen.
    return QPixmap(ArtPath(id));
}

QPixmap MaskedBitmap(int id)
{
    const QPixmap plain = Bitmap(id);
    if (plain.isNull())
        return plain;
    QPixmap masked = QPixmap::fromImage(WithoutMagenta(plain.toImage()));
    masked.setDevicePixelRatio(plain.devicePixelRatio());
    return masked;
}

QIcon ProgramIcon()
{
    QIcon icon;
    icon.addFile(ArtPath(Res::IDI_PROGRAM));
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString sized = QStringLiteral(":/art/icon-%1.png").arg(size);
        if (!QPixmap(sized).isNull())
            icon.addFile(sized, QSize(size, size));
    }
    return icon;
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
    const QPixmap strip = Art::MaskedBitmap(bitmapId);
    if (strip.isNull())
        return;
    const qreal dpr = strip.devicePixelRatio();
    const int cell = qRound(Res::kImageSize * dpr);
    const int count = strip.width() / cell;
    for (int i = 0; i < count; ++i) {
        QPixmap image = strip.copy(i * cell, 0, cell, cell);
        image.setDevicePixelRatio(dpr);
        m_images.append(image);
    }
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
