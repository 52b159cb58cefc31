// Runs under QT_SCALE_FACTOR=2: every picture must come from the art made
// for that density, pixel for pixel, not from the 1x art scaled up.

#include "dialogs/ListSetupDlg.h"
#include "res/ResourceIds.h"
#include "tests/testlib/QuillmarkTest.h"
#include "tests/view/ViewFixture.h"
#include "view/ViewActions.h"
#include "view/ViewLook.h"

#include <QImage>

using namespace ViewTest;

namespace {

constexpr int kDense = 2;

QImage DenseArt(int id)
{
    return QImage(QStringLiteral(":/art/%1@2x.png").arg(id)).convertToFormat(QImage::Format_RGB32);
}

// The part of a grab at a logical rectangle, in device pixels.
QImage Part(const QImage &grab, const QRect &logical)
{
    return grab.copy(logical.x() * kDense, logical.y() * kDense, logical.width() * kDense,
                     logical.height() * kDense)
            .convertToFormat(QImage::Format_RGB32);
}

// A cell of a strip of 16 x 16 pictures, magenta shown as the ground.
QImage StripCell(int id, int cell, QRgb ground)
{
    const int size = Res::kImageSize * kDense;
    QImage image = DenseArt(id).copy(cell * size, 0, size, size);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFF) == 0xFF00FF)
                image.setPixel(x, y, ground);
        }
    }
    return image;
}

QImage Grab(QWidget &widget)
{
    widget.repaint();
    return widget.grab().toImage();
}

} // namespace

class TestDenseScreen : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QCOMPARE(qApp->devicePixelRatio(), qreal(kDense)); }

    // Which face goes where is the painting's own test; here every face of
    // the item screen must be the dense one, and so must the detail pane's
    // tick (the top left part of its bitmap) and the item's icon (one cell
    // of the strip).
    void itemScreenUsesTheDenseArt()
    {
        Fixture<> f;
        CQuillmarkView &view = f.Start();
        f.OpenItem(0, 1); // Milk: done, strip picture 1
        const QImage grab = Grab(view);
        QCOMPARE(grab.size(), view.size() * kDense);
        QCOMPARE(Part(grab, ViewLook::kBannerRect), DenseArt(Res::IDB_BANNER));
        for (int slot = 0; slot < ViewLook::kButtonCount; ++slot) {
            const int face = CQuillmarkView::FaceOf(CViewActions::kItemRow[slot]);
            QVERIFY2(Part(grab, ViewLook::ButtonRect(slot, view.height())) == DenseArt(face),
                     qPrintable(QString::number(face)));
        }
        const QRect source = ViewLook::kTickSource;
        const QRect tick(QPoint(view.width() - ViewLook::kTickFromRight, ViewLook::kItemNameAt.y()), source.size());
        QCOMPARE(Part(grab, tick), DenseArt(Res::IDB_TICK).copy(QRect(source.topLeft() * kDense, source.size() * kDense)));
        QCOMPARE(Part(grab, QRect(ViewLook::kItemIconAt, QSize(Res::kImageSize, Res::kImageSize))),
                 StripCell(Res::IDB_ICONSTRIP, 1, 0xFFFFFFFF));
    }

    void treeCheckBoxesUseTheDenseArt()
    {
        Fixture<> f;
        f.Start();
        CTreeOptionsCtrl *tree = f.Tree();
        tree->selectionModel()->clear();
        tree->expandAll();
        QCoreApplication::processEvents();
        const QImage grab = Grab(*tree->viewport());
        const QRgb ground = tree->palette().color(QPalette::Base).rgb();
        const QRect unchecked = tree->IconRect(f.ItemNode(0, 0)); // Bread
        const QRect checked = tree->IconRect(f.ItemNode(0, 1));   // Milk
        QCOMPARE(Part(grab, unchecked), StripCell(Res::IDB_CHECKS, Res::kImageUnchecked, ground));
        QCOMPARE(Part(grab, checked), StripCell(Res::IDB_CHECKS, Res::kImageChecked, ground));
    }

    // List Setup ANDs its faces onto the dialog: white lets the ground through.
    void listSetupButtonsUseTheDenseArt()
    {
        CListSetupDlg dlg;
        dlg.show();
        const QImage grab = Grab(dlg);
        const QRgb ground = dlg.palette().color(QPalette::Window).rgb();
        const int faces[3] = {Res::IDB_ADD, Res::IDB_REMOVE, Res::IDB_EDIT};
        for (int i = 0; i < 3; ++i) { // the list row; the item row has the same buttons
            QImage expected = DenseArt(faces[i]);
            for (int y = 0; y < expected.height(); ++y) {
                for (int x = 0; x < expected.width(); ++x)
                    expected.setPixel(x, y, (expected.pixel(x, y) & ground) | 0xFF000000);
            }
            const QRect at(CListSetupDlg::kButtonLefts[i], CListSetupDlg::kListRowTop, CListSetupDlg::kButtonSize, CListSetupDlg::kButtonSize);
            QCOMPARE(Part(grab, at), expected);
        }
    }
};

QUILLMARK_TEST_MAIN(TestDenseScreen)
#include "tst_densescreen.moc"
