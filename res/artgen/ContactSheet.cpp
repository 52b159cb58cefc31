#include "Canvas.h"
#include "Pictures.h"

#include <QDir>
#include <QFont>
#include <QImage>
#include <QPainter>

namespace Pictures {

namespace {

constexpr int kZoom = 4;      // 1x files are shown four times enlarged
constexpr int kWrap = 240;    // wider pictures are cut into rows of 13 icons
constexpr int kWrapStep = 208;
constexpr int kMargin = 12;
const QColor kLightGrey(0xD4, 0xD0, 0xC8);

QImage Transparent(const QImage &image)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            if ((out.pixel(x, y) & 0x00FFFFFF) == 0x00FF00FF)
                out.setPixel(x, y, 0);
        }
    }
    return out;
}

// The picture cut into rows of at most kWrap logical pixels.
QList<QImage> Rows(const QImage &image, int scale)
{
    QList<QImage> rows;
    if (image.width() <= kWrap * scale)
        return {image};
    const int step = kWrapStep * scale;
    for (int x = 0; x < image.width(); x += step)
        rows.append(image.copy(x, 0, qMin(step, image.width() - x), image.height()));
    return rows;
}

struct Entry
{
    QString name;
    QImage one;
    QImage two;
};

} // namespace

bool WriteContactSheet(const QString &artDir, const QString &file)
{
    const QDir dir(artDir);
    QList<Entry> entries;
    const QStringList names = {QStringLiteral("130"), QStringLiteral("133"), QStringLiteral("177"),
                               QStringLiteral("144"), QStringLiteral("146"), QStringLiteral("147"),
                               QStringLiteral("148"), QStringLiteral("149"), QStringLiteral("150"),
                               QStringLiteral("153"), QStringLiteral("155"), QStringLiteral("170"),
                               QStringLiteral("176"), QStringLiteral("128")};
    for (const QString &name : names) {
        Entry e{name, QImage(dir.filePath(name + QStringLiteral(".png"))),
                QImage(dir.filePath(name + QStringLiteral("@2x.png")))};
        if (e.one.isNull() || e.two.isNull())
            return false;
        // Shown pixel for pixel, whatever the file name says.
        e.two.setDevicePixelRatio(1);
        entries.append(e);
    }

    // Zoomed part: each picture's 1x rows at x4, beside its 2x rows at x2.
    const int width = 2 * kWrap * kZoom + 3 * kMargin + 40;
    int height = kMargin;
    for (const Entry &e : entries)
        height += Rows(e.one, 1).size() * (e.one.height() * kZoom + kMargin) + 14;
    height += 4 * 260 + 600; // true-size panels and the icon sizes below

    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(QColor(0x80, 0x80, 0x80));
    QPainter p(&sheet);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    p.setFont(font);

    int y = kMargin;
    for (const Entry &e : entries) {
        p.setPen(Qt::white);
        p.drawText(kMargin, y + 10, e.name);
        y += 14;
        const QList<QImage> ones = Rows(e.one, 1);
        const QList<QImage> twos = Rows(e.two, 2);
        for (qsizetype r = 0; r < ones.size(); ++r) {
            const QImage a = ones.at(r).scaled(ones.at(r).size() * kZoom);
            const QImage b = twos.at(r).scaled(twos.at(r).size() * (kZoom / 2));
            p.drawImage(kMargin, y, a);
            p.drawImage(2 * kMargin + kWrap * kZoom + 40, y, b);
            y += a.height() + kMargin;
        }
    }

    // True size, magenta made transparent, on white and on light grey: the
    // 1x files, then the 2x files, laid out left to right.
    for (const QColor &ground : {QColor(Qt::white), kLightGrey}) {
        for (int scale : {1, 2}) {
            const int top = y;
            int x = kMargin;
            int rowY = y + kMargin;
            int rowHeight = 0;
            QList<QPair<QPoint, QImage>> placed;
            for (const Entry &e : entries) {
                const QImage img = Transparent(scale == 1 ? e.one : e.two);
                for (const QImage &row : Rows(img, scale)) {
                    if (x + row.width() > width - kMargin) {
                        x = kMargin;
                        rowY += rowHeight + 6 * scale;
                        rowHeight = 0;
                    }
                    placed.append({QPoint(x, rowY), row});
                    x += row.width() + 6 * scale;
                    rowHeight = qMax(rowHeight, row.height());
                }
            }
            y = rowY + rowHeight + kMargin;
            p.fillRect(0, top, width, y - top, ground);
            for (const auto &[at, img] : placed)
                p.drawImage(at, img);
        }
    }
    // The desktop icon at each size: true size, then the small ones at x4.
    p.fillRect(0, y, width, 560, Qt::white);
    int x = kMargin;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QImage icon(dir.filePath(QStringLiteral("icon-%1.png").arg(size)));
        p.drawImage(x, y + kMargin, icon);
        if (size <= 48)
            p.drawImage(x, y + 280, icon.scaled(icon.size() * kZoom));
        x += qMax(size, size <= 48 ? size * kZoom : 0) + 16;
    }
    y += 560;
    p.end();
    return sheet.copy(0, 0, width, y).save(file, "png");
}

} // namespace Pictures
