#include "res/Art.h"
#include "res/ResourceIds.h"
#include "tests/testlib/QuillmarkTest.h"
#include "view/ViewLook.h"

#include <QImage>
#include <QPixmap>

#include <limits>

namespace {

// The density the program runs at here: 1, or 2 under QT_SCALE_FACTOR=2.
qreal ScreenRatio()
{
    return qApp->devicePixelRatio();
}

QImage ArtFile(int id, int scale)
{
    const QString suffix = scale == 2 ? QStringLiteral("@2x.png") : QStringLiteral(".png");
    return QImage(QStringLiteral(":/art/%1").arg(id) + suffix);
}

bool IsMagenta(QRgb c)
{
    return (c & 0x00FFFFFF) == 0x00FF00FF;
}

// Nearly magenta: it would show as a pink speck once magenta is transparent.
bool NearMagenta(QRgb c)
{
    const int dr = 255 - qRed(c), dg = qGreen(c), db = 255 - qBlue(c);
    return !IsMagenta(c) && dr * dr + dg * dg + db * db < 100 * 100;
}

// How far red and blue stand above green. An outline pixel anti-aliased into
// the magenta ground (half magenta, half outline) scores 75 or more for any
// outline that would show a fringe; our drawn edges stay near 60 at most.
constexpr int kFringeTint = 72;
int MagentaTint(QRgb c)
{
    return (qRed(c) + qBlue(c)) / 2 - qGreen(c);
}

bool TouchesMagenta(const QImage &image, int x, int y)
{
    for (const QPoint &d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
        const QPoint n(x + d.x(), y + d.y());
        if (image.rect().contains(n) && IsMagenta(image.pixel(n)))
            return true;
    }
    return false;
}

constexpr int kFaces[] = {Res::IDB_VIEW, Res::IDB_EXIT, Res::IDB_ADD, Res::IDB_EDIT, Res::IDB_MENU,
                          Res::IDB_DONE, Res::IDB_HANDOVER, Res::IDB_BACK, Res::IDB_REMOVE};

QImage Cell(const QImage &strip, int index, int scale)
{
    const int cell = Res::kImageSize * scale;
    return strip.copy(index * cell, 0, cell, cell);
}

} // namespace

class TestArt : public QObject
{
    Q_OBJECT

private slots:
    void runsAtTheDensityAskedFor();
    void bitmapSizes_data();
    void bitmapSizes();
    void unknownIdIsNull();
    void programIcon();
    void imageListCellsComeFromTheStrips();
    void stripCellsAreDistinct();
    void magentaGround_data();
    void magentaGround();
    void regionCutsLogicalPixels();
};

void TestArt::runsAtTheDensityAskedFor()
{
    // Guards the 2x run: without the scale factor it would test 1x twice.
    const QString factor = qEnvironmentVariable("QT_SCALE_FACTOR");
    QCOMPARE(ScreenRatio(), factor.isEmpty() ? 1.0 : factor.toDouble());
}

// Each picture has the size the program draws or cuts it at. A button face
// is drawn without the white around it, on whatever ground the desktop has:
// that white must be pure and reach the corners around a coloured button.
void TestArt::bitmapSizes_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("face");
    const int cell = Res::kImageSize;
    QTest::newRow("banner") << Res::IDB_BANNER << ViewLook::kBannerRect.size() << false;
    QTest::newRow("icon strip") << Res::IDB_ICONSTRIP << QSize(cell * Res::kStripImageCount, cell) << false;
    QTest::newRow("checks") << Res::IDB_CHECKS << QSize(cell * Res::kCheckImageCount, cell) << false;
    QTest::newRow("tick") << Res::IDB_TICK << QSize(14, 13) << false;
    QTest::newRow("program icon") << Res::IDI_PROGRAM << QSize(32, 32) << false;
    for (int id : kFaces) {
        QTest::newRow(qPrintable(QStringLiteral("face %1").arg(id)))
                << id << QSize(ViewLook::kButtonSize, ViewLook::kButtonSize) << true;
    }
}

void TestArt::bitmapSizes()
{
    QFETCH(int, id);
    QFETCH(QSize, size);
    QFETCH(bool, face);

    for (int scale : {1, 2}) {
        const QImage file = ArtFile(id, scale);
        QCOMPARE(file.size(), size * scale);
        if (!face)
            continue;
        const int last = file.width() - 1;
        for (const QPoint &corner : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)})
            QCOMPARE(file.pixel(corner), qRgb(255, 255, 255));
        QVERIFY(file.pixel(file.width() / 2, 2 * scale) != qRgb(255, 255, 255));
    }

    // Loaded for the screen: the same logical size, the pixels of its density.
    const qreal ratio = ScreenRatio();
    for (const QPixmap &pixmap : {Art::Bitmap(id), Art::MaskedBitmap(id), Art::GroundlessBitmap(id)}) {
        QVERIFY(!pixmap.isNull());
        QCOMPARE(pixmap.devicePixelRatio(), ratio);
        QCOMPARE(pixmap.size(), size * ratio);
        QCOMPARE(pixmap.deviceIndependentSize().toSize(), size);
    }
}

void TestArt::unknownIdIsNull()
{
    QVERIFY(Art::Bitmap(999).isNull());
    QVERIFY(Art::MaskedBitmap(999).isNull());
}

void TestArt::programIcon()
{
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QImage file(QStringLiteral(":/art/icon-%1.png").arg(size));
        QCOMPARE(file.size(), QSize(size, size));
        QVERIFY(file.hasAlphaChannel());
    }
    const QList<QSize> sizes = Art::ProgramIcon().availableSizes();
    for (int size : {16, 32, 256})
        QVERIFY2(sizes.contains(QSize(size, size)), qPrintable(QString::number(size)));
}

void TestArt::imageListCellsComeFromTheStrips()
{
    // Index 5 is the strip's first picture and 56 its last; 0 and 4 are the
    // check bitmap's first and last: compared pixel for pixel at the loaded
    // density, each 16 x 16 logical pixels.
    const CImageList all = CImageList::ChecksAndStrip();
    QCOMPARE(all.Count(), Res::kImageCount);
    const int scale = qRound(ScreenRatio());
    const QImage strip = Art::MaskedBitmap(Res::IDB_ICONSTRIP).toImage();
    const QImage checks = Art::MaskedBitmap(Res::IDB_CHECKS).toImage();
    const auto same = [](const QPixmap &image, const QImage &expected) {
        return image.toImage().convertToFormat(QImage::Format_ARGB32)
            == expected.convertToFormat(QImage::Format_ARGB32);
    };
    QVERIFY(same(all.Image(Res::kFirstStripImage), Cell(strip, 0, scale)));
    QVERIFY(same(all.Image(56), Cell(strip, 51, scale)));
    QVERIFY(same(all.Image(Res::kImageUnchecked), Cell(checks, 0, scale)));
    QVERIFY(same(all.Image(Res::kImageGroup), Cell(checks, 4, scale)));
    QVERIFY(!same(all.Image(Res::kImageUnchecked), Cell(checks, 1, scale)));
    for (int index : {0, 56}) {
        QCOMPARE(all.Image(index).deviceIndependentSize().toSize(), QSize(16, 16));
        QCOMPARE(all.Image(index).devicePixelRatio(), ScreenRatio());
        QVERIFY(!all.Icon(index).isNull());
    }
    // A damaged file or a hand-edited setting never reads outside a bitmap.
    for (int index : {-1, 57, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()}) {
        QVERIFY(all.Image(index).isNull());
        QVERIFY(all.Icon(index).isNull());
    }
    const CImageList strips = CImageList::StripOnly();
    QCOMPARE(strips.Count(), Res::kStripImageCount);
    QCOMPARE(strips.Image(51).toImage(), all.Image(56).toImage());
    QVERIFY(strips.Image(52).isNull());
}

void TestArt::stripCellsAreDistinct()
{
    for (int scale : {1, 2}) {
        const QImage strip = ArtFile(Res::IDB_ICONSTRIP, scale);
        QList<QImage> cells;
        for (int i = 0; i < Res::kStripImageCount; ++i)
            cells.append(Cell(strip, i, scale));
        for (int i = 0; i < cells.size(); ++i) {
            for (int j = i + 1; j < cells.size(); ++j) {
                QVERIFY2(cells.at(i) != cells.at(j),
                         qPrintable(QStringLiteral("cells %1 and %2 at %3x").arg(i).arg(j).arg(scale)));
            }
        }
        // Each cell has a picture in it, not only ground.
        for (int i = 0; i < cells.size(); ++i) {
            const QImage &c = cells.at(i);
            int painted = 0;
            for (int y = 0; y < c.height(); ++y) {
                for (int x = 0; x < c.width(); ++x)
                    painted += (c.pixel(x, y) & 0x00FFFFFF) != 0x00FF00FF;
            }
            QVERIFY2(painted > c.width() * c.height() / 4, qPrintable(QString::number(i)));
        }
    }
}

// The strips' magenta ground: clear once loaded, and in the files no pixel
// near it that would show as a pink speck or a fringe once it is clear.
void TestArt::magentaGround_data()
{
    QTest::addColumn<int>("id");
    QTest::newRow("icon strip") << Res::IDB_ICONSTRIP;
    QTest::newRow("checks") << Res::IDB_CHECKS;
}

void TestArt::magentaGround()
{
    QFETCH(int, id);
    const QImage plain = Art::Bitmap(id).toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage masked = Art::MaskedBitmap(id).toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < plain.height(); ++y) {
        for (int x = 0; x < plain.width(); ++x) {
            const QRgb before = plain.pixel(x, y);
            const QRgb after = masked.pixel(x, y);
            if ((before & 0x00FFFFFF) == 0x00FF00FF) {
                QCOMPARE(qAlpha(after), 0);
            } else {
                QCOMPARE(after, before | 0xFF000000);
            }
        }
    }
    // The corners of every cell are ground: some pixels were made clear.
    QCOMPARE(qAlpha(masked.pixel(0, 0)), 0);

    for (int scale : {1, 2}) {
        const QImage image = ArtFile(id, scale);
        int edges = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb c = image.pixel(x, y);
                const QString where = QStringLiteral("%1,%2 at %3x is #%4").arg(x).arg(y).arg(scale).arg(c & 0xFFFFFF, 6, 16, QLatin1Char('0'));
                QVERIFY2(!NearMagenta(c), qPrintable(where));
                if (IsMagenta(c) || !TouchesMagenta(image, x, y))
                    continue;
                ++edges;
                QVERIFY2(MagentaTint(c) < kFringeTint, qPrintable(where));
            }
        }
        QVERIFY(edges > 0);
    }
}

void TestArt::regionCutsLogicalPixels()
{
    // The detail pane shows the top left of the tick; at any density its
    // rectangle is in logical pixels.
    const QPixmap tick = Art::Region(Art::Bitmap(Res::IDB_TICK), ViewLook::kTickSource);
    QCOMPARE(tick.deviceIndependentSize().toSize(), ViewLook::kTickSource.size());
    QCOMPARE(tick.devicePixelRatio(), ScreenRatio());
    QVERIFY(Art::Region(QPixmap(), QRect(0, 0, 4, 4)).isNull());
}

QUILLMARK_TEST_MAIN(TestArt)
#include "tst_art.moc"
