#include "controls/TreeOptionsCtrl.h"
#include "res/ResourceIds.h"
#include "tests/testlib/QuillmarkTest.h"

#include <QPainter>
#include <QSignalSpy>
#include <QStyle>

namespace {

// Where the picture of an item lies, worked out here from the row's cell
// and the style's margin (the way a view item lays out its decoration),
// independently of the control's own hit test.
QRect ExpectedIconRect(const CTreeOptionsCtrl &tree, QTreeWidgetItem *item)
{
    const QRect cell = tree.visualItemRect(item);
    const int margin = tree.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &tree) + 1;
    const int size = Res::kImageSize;
    return QRect(cell.left() + margin, cell.top() + (cell.height() - size) / 2, size, size);
}

QPoint LabelPoint(const CTreeOptionsCtrl &tree, QTreeWidgetItem *item)
{
    const QRect icon = ExpectedIconRect(tree, item);
    return QPoint(icon.right() + 12, icon.center().y());
}

QPoint IndentPoint(const CTreeOptionsCtrl &tree, QTreeWidgetItem *item)
{
    const QRect cell = tree.visualItemRect(item);
    return QPoint(cell.left() - tree.indentation() / 2 - 2, cell.center().y());
}

// True when the area of the image shows exactly the pixels of the picture
// (painted over the tree's white base).
bool ShowsPicture(const QImage &shot, const QRect &at, const QPixmap &picture)
{
    if (picture.isNull() || at.size() != picture.size())
        return false;
    QImage expected(at.size(), QImage::Format_ARGB32_Premultiplied);
    expected.fill(shot.pixel(at.topLeft() - QPoint(1, 0)));
    {
        QPainter p(&expected);
        p.drawPixmap(0, 0, picture);
    }
    return shot.copy(at).convertToFormat(QImage::Format_RGB32) == expected.convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TreeOptionsCtrlTest : public QObject
{
    Q_OBJECT

private:
    // A shown tree: a root group with a group "Shop" holding four check items,
    // one in each state.
    struct Fixture
    {
        CTreeOptionsCtrl tree;
        QTreeWidgetItem *root = nullptr;
        QTreeWidgetItem *group = nullptr;
        QTreeWidgetItem *items[4] = {};

        Fixture()
        {
            tree.resize(222, 210);
            root = tree.AddGroupItem(QStringLiteral("Lists"), Res::kImageGroup);
            group = tree.AddGroupItem(QStringLiteral("Shop"), 10, root);
            for (int image = 0; image < 4; ++image) {
                items[image] = tree.AddCheckItem(QStringLiteral("Item %1").arg(image), group, false);
                CTreeOptionsCtrl::SetImage(items[image], image);
            }
            tree.expandAll();
            tree.show();
            QVERIFY(QTest::qWaitForWindowExposed(&tree));
        }
    };

private slots:
    void initTestCase()
    {
        QVERIFY2(CImageList::ChecksAndStrip().Count() == Res::kImageCount,
                 "the art is missing: the tree shows no pictures");
    }

    void insertSetsImageAndData_data()
    {
        QTest::addColumn<bool>("check");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<int>("image");
        QTest::newRow("check item, set") << true << true << 1;
        QTest::newRow("check item, clear") << true << false << 0;
        QTest::newRow("group, root icon") << false << false << 4;
        QTest::newRow("group, strip icon") << false << false << 10;
    }

    void insertSetsImageAndData()
    {
        QFETCH(bool, check);
        QFETCH(bool, checked);
        QFETCH(int, image);
        CTreeOptionsCtrl tree;
        QTreeWidgetItem *parent = tree.AddGroupItem(QStringLiteral("Lists"), 4);
        CTreeOptionsCtrl::SetItemData(parent, 7);
        QTreeWidgetItem *item = check ? tree.AddCheckItem(QStringLiteral("x"), parent, checked)
                                      : tree.AddGroupItem(QStringLiteral("x"), image, parent);
        QCOMPARE(CTreeOptionsCtrl::GetImage(item), image);
        QCOMPARE(CTreeOptionsCtrl::GetItemData(item), 0);
        QCOMPARE(tree.IsCheckItem(item), check);
        QCOMPARE(tree.GetCheck(item), checked);
        QCOMPARE(item->parent(), parent);
        QCOMPARE(parent->indexOfChild(item), parent->childCount() - 1);
        // The check box is a picture, never Qt's own check state.
        QVERIFY(!item->data(0, Qt::CheckStateRole).isValid());
    }

    void setCheckAndEnable()
    {
        CTreeOptionsCtrl tree;
        QTreeWidgetItem *item = tree.AddCheckItem(QStringLiteral("x"), nullptr, true);
        tree.EnableCheck(item, false);
        QCOMPARE(CTreeOptionsCtrl::GetImage(item), 3);
        tree.EnableCheck(item, true);
        QCOMPARE(CTreeOptionsCtrl::GetImage(item), 1);
        tree.SetCheck(item, false);
        tree.EnableCheck(item, false);
        QCOMPARE(CTreeOptionsCtrl::GetImage(item), 2);
        // The state lives in the image: setting the mark enables the item.
        tree.SetCheck(item, false);
        QCOMPARE(CTreeOptionsCtrl::GetImage(item), 0);
        QVERIFY(tree.IsCheckEnabled(item));
    }

    void picturesComeFromTheImageList()
    {
        Fixture f;
        const QImage shot = f.tree.viewport()->grab().toImage();
        const CImageList strip = CImageList::StripOnly();
        const CImageList all = CImageList::ChecksAndStrip();

        // A group with image 10 shows strip image 5.
        QCOMPARE(f.tree.IconRect(f.group), ExpectedIconRect(f.tree, f.group));
        QVERIFY(ShowsPicture(shot, ExpectedIconRect(f.tree, f.group), strip.Image(5)));
        QVERIFY(ShowsPicture(shot, ExpectedIconRect(f.tree, f.root), all.Image(Res::kImageGroup)));
        for (int image = 0; image < 4; ++image) {
            QCOMPARE(f.tree.IconRect(f.items[image]), ExpectedIconRect(f.tree, f.items[image]));
            QVERIFY2(ShowsPicture(shot, ExpectedIconRect(f.tree, f.items[image]), all.Image(image)),
                     qPrintable(QStringLiteral("image %1").arg(image)));
        }
    }

    void imageOutsideTheListShowsNothing_data()
    {
        QTest::addColumn<int>("image");
        QTest::newRow("-1") << -1;
        QTest::newRow("57") << 57;
    }

    void imageOutsideTheListShowsNothing()
    {
        QFETCH(int, image);
        Fixture f;
        QTreeWidgetItem *odd = f.tree.AddGroupItem(QStringLiteral("Odd"), image, f.root);
        QVERIFY(!odd->data(0, Qt::DecorationRole).isValid());
        QVERIFY(f.tree.IconRect(odd).isEmpty());
        // A tap where a picture would be toggles nothing and does no harm.
        QTest::mouseClick(f.tree.viewport(), Qt::LeftButton, {}, ExpectedIconRect(f.tree, odd).center());
        QCOMPARE(CTreeOptionsCtrl::GetImage(odd), image);
        QCOMPARE(f.tree.currentItem(), odd);
    }

    void tap_data()
    {
        QTest::addColumn<int>("startImage");
        QTest::addColumn<QString>("where");
        QTest::addColumn<int>("endImage");
        QTest::addColumn<bool>("selects");
        QTest::newRow("box, unchecked") << 0 << "icon" << 1 << true;
        QTest::newRow("box, checked") << 1 << "icon" << 0 << true;
        QTest::newRow("label, unchecked") << 0 << "label" << 0 << true;
        QTest::newRow("label, checked") << 1 << "label" << 1 << true;
        QTest::newRow("indent, unchecked") << 0 << "indent" << 0 << false; // selection: the tree's own affair
        QTest::newRow("box, disabled unchecked") << 2 << "icon" << 2 << true;
        QTest::newRow("box, disabled checked") << 3 << "icon" << 3 << true;
    }

    void tap()
    {
        QFETCH(int, startImage);
        QFETCH(QString, where);
        QFETCH(int, endImage);
        QFETCH(bool, selects);
        Fixture f;
        QTreeWidgetItem *item = f.items[startImage];
        const QPoint at = where == QLatin1String("icon") ? ExpectedIconRect(f.tree, item).center()
                : where == QLatin1String("label")        ? LabelPoint(f.tree, item)
                                                         : IndentPoint(f.tree, item);
        QCOMPARE(f.tree.itemAt(at), item);
        QSignalSpy toggled(&f.tree, &CTreeOptionsCtrl::checkToggled);
        QTest::mouseClick(f.tree.viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(CTreeOptionsCtrl::GetImage(item), endImage);
        // The owner hears of a toggle, and of nothing else.
        if (endImage == startImage)
            QCOMPARE(toggled.size(), 0);
        else
            QCOMPARE(toggled, (QList<QVariantList>{{QVariant::fromValue(item), endImage == Res::kImageChecked}}));
        if (selects)
            QVERIFY(item->isSelected());
        for (int i = 0; i < 4; ++i) {
            if (i != startImage)
                QCOMPARE(CTreeOptionsCtrl::GetImage(f.items[i]), i);
        }
    }

    void quickDoubleTapOnTheBoxTogglesTwice()
    {
        Fixture f;
        QTreeWidgetItem *item = f.items[0];
        // Through the window, as a real double click arrives: press, release,
        // double click, release.
        const QPoint at = f.tree.viewport()->mapTo(&f.tree, ExpectedIconRect(f.tree, item).center());
        QTest::mouseDClick(f.tree.windowHandle(), Qt::LeftButton, {}, at);
        QCOMPARE(CTreeOptionsCtrl::GetImage(item), 0);
        QTest::mouseClick(f.tree.windowHandle(), Qt::LeftButton, {}, at);
        QCOMPARE(CTreeOptionsCtrl::GetImage(item), 1);
    }

    void tapOnGroupIconChangesOnlySelection_data()
    {
        QTest::addColumn<bool>("root");
        QTest::newRow("root, image 4") << true;
        QTest::newRow("group, image 10") << false;
    }

    void tapOnGroupIconChangesOnlySelection()
    {
        QFETCH(bool, root);
        Fixture f;
        QTreeWidgetItem *node = root ? f.root : f.group;
        const int image = CTreeOptionsCtrl::GetImage(node);
        QTest::mouseClick(f.tree.viewport(), Qt::LeftButton, {}, ExpectedIconRect(f.tree, node).center());
        QCOMPARE(CTreeOptionsCtrl::GetImage(node), image);
        QVERIFY(node->isSelected());
        QVERIFY(node->isExpanded());
        for (int i = 0; i < 4; ++i)
            QCOMPARE(CTreeOptionsCtrl::GetImage(f.items[i]), i);
    }

    void spaceTogglesEnabledCheckItem()
    {
        Fixture f;
        QTreeWidgetItem *item = f.items[1];
        // Current without being selected: the tree's own space handling would
        // select it, so an unselected item after the key shows it was consumed.
        f.tree.setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
        QVERIFY(!item->isSelected());
        QSignalSpy toggled(&f.tree, &CTreeOptionsCtrl::checkToggled);
        QTest::keyClick(&f.tree, Qt::Key_Space);
        QCOMPARE(CTreeOptionsCtrl::GetImage(item), 0);
        QTest::keyClick(&f.tree, Qt::Key_Space);
        QCOMPARE(CTreeOptionsCtrl::GetImage(item), 1);
        QCOMPARE(toggled.size(), 2);
        QCOMPARE(toggled.at(1).at(1).toBool(), true);
        QVERIFY(!item->isSelected());
    }

    void spaceElsewhereGetsDefaultHandling_data()
    {
        QTest::addColumn<int>("which"); // -1 the group, else the check item's start image
        QTest::newRow("group") << -1;
        QTest::newRow("disabled unchecked") << 2;
        QTest::newRow("disabled checked") << 3;
    }

    void spaceElsewhereGetsDefaultHandling()
    {
        QFETCH(int, which);
        Fixture f;
        QTreeWidgetItem *node = which < 0 ? f.group : f.items[which];
        const int image = CTreeOptionsCtrl::GetImage(node);
        f.tree.setCurrentItem(node, 0, QItemSelectionModel::NoUpdate);
        QTest::keyClick(&f.tree, Qt::Key_Space);
        QCOMPARE(CTreeOptionsCtrl::GetImage(node), image);
        QVERIFY(node->isSelected()); // the tree's own handling selected it
    }

    void spaceWithNothingCurrentChangesNoMark()
    {
        Fixture f;
        f.tree.setCurrentItem(nullptr);
        QTest::keyClick(&f.tree, Qt::Key_Space);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(CTreeOptionsCtrl::GetImage(f.items[i]), i);
    }

};

QUILLMARK_TEST_MAIN(TreeOptionsCtrlTest)
#include "tst_treeoptionsctrl.moc"
