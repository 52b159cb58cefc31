#include "controls/TreeOptionsCtrl.h"
#include "res/ResourceIds.h"
#include "tests/testlib/QuillmarkTest.h"

#include <QPainter>
#include <QSignalSpy>

namespace {

// On the item's text, right of its picture.
QPoint LabelPoint(const CTreeOptionsCtrl &tree, QTreeWidgetItem *item)
{
    const QRect icon = tree.IconRect(item);
    return QPoint(icon.right() + 12, icon.center().y());
}

QPoint IndentPoint(const CTreeOptionsCtrl &tree, QTreeWidgetItem *item)
{
    const QRect cell = tree.visualItemRect(item);
    return QPoint(cell.left() - tree.indentation() / 2 - 2, cell.center().y());
}

// True when the area of the image shows exactly the pixels of the picture
// (painted over the tree's white base). Checked at IconRect, this also holds
// the hit test to the place the picture is really painted.
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

class TestTreeOptionsCtrl : public QObject
{
    Q_OBJECT

private:
    // A shown tree built as the list tree builds it: a root group, a group
    // "Shop" with a strip icon, an unchecked and a checked item below it.
    struct Fixture
    {
        CTreeOptionsCtrl tree;
        QTreeWidgetItem *root = nullptr;
        QTreeWidgetItem *group = nullptr;
        QTreeWidgetItem *items[2] = {};

        Fixture()
        {
            tree.resize(222, 210);
            root = CTreeOptionsCtrl::NewGroupItem(QStringLiteral("Lists"), Res::kImageGroup);
            group = CTreeOptionsCtrl::NewGroupItem(QStringLiteral("Shop"), 10);
            for (int i = 0; i < 2; ++i) {
                items[i] = CTreeOptionsCtrl::NewCheckItem(QStringLiteral("Item %1").arg(i), i == 1);
                group->addChild(items[i]);
            }
            root->addChild(group);
            tree.addTopLevelItem(root);
            tree.expandAll();
            tree.show();
            QVERIFY(QTest::qWaitForWindowExposed(&tree));
        }

        QList<bool> Marks() const { return {tree.GetCheck(items[0]), tree.GetCheck(items[1])}; }
        // 0 and 1 the items, 2 the group, 3 the root.
        QTreeWidgetItem *Node(int i) const { return i < 2 ? items[i] : i == 2 ? group : root; }
    };

private slots:
    void initTestCase()
    {
        QVERIFY2(CImageList::ChecksAndStrip().Count() == Res::kImageCount,
                 "the art is missing: the tree shows no pictures");
    }

    void picturesComeFromTheImageList()
    {
        Fixture f;
        const QImage shot = f.tree.viewport()->grab().toImage();
        const CImageList all = CImageList::ChecksAndStrip();

        // A group with image 10 shows strip image 5.
        QVERIFY(ShowsPicture(shot, f.tree.IconRect(f.group), CImageList::StripOnly().Image(5)));
        QVERIFY(ShowsPicture(shot, f.tree.IconRect(f.root), all.Image(Res::kImageGroup)));
        QVERIFY(ShowsPicture(shot, f.tree.IconRect(f.items[0]), all.Image(Res::kImageUnchecked)));
        QVERIFY(ShowsPicture(shot, f.tree.IconRect(f.items[1]), all.Image(Res::kImageChecked)));

        // An image outside the list shows nothing, and a click where its
        // picture would be toggles nothing and does no harm.
        for (const int image : {-1, 57}) {
            QTreeWidgetItem *odd = CTreeOptionsCtrl::NewGroupItem(QStringLiteral("Odd"), image);
            f.root->addChild(odd);
            QVERIFY(!odd->data(0, Qt::DecorationRole).isValid());
            QVERIFY(f.tree.IconRect(odd).isEmpty());
            const QRect cell = f.tree.visualItemRect(odd);
            QTest::mouseClick(f.tree.viewport(), Qt::LeftButton, {},
                              QPoint(cell.left() + Res::kImageSize / 2, cell.center().y()));
            QCOMPARE(CTreeOptionsCtrl::GetImage(odd), image);
            QCOMPARE(f.tree.currentItem(), odd);
        }
    }

    void click_data()
    {
        QTest::addColumn<int>("node"); // as Fixture::Node counts
        QTest::addColumn<QString>("where");
        QTest::addColumn<bool>("toggles");
        QTest::addColumn<bool>("selects");
        QTest::newRow("box, unchecked") << 0 << "icon" << true << true;
        QTest::newRow("box, checked") << 1 << "icon" << true << true;
        QTest::newRow("label, checked") << 1 << "label" << false << true;
        QTest::newRow("indent") << 0 << "indent" << false << false; // selection: the tree's own affair
        QTest::newRow("group's picture, image 10") << 2 << "icon" << false << true;
        QTest::newRow("root's picture, image 4") << 3 << "icon" << false << true;
    }

    void click()
    {
        QFETCH(int, node);
        QFETCH(QString, where);
        QFETCH(bool, toggles);
        QFETCH(bool, selects);
        Fixture f;
        QTreeWidgetItem *item = f.Node(node);
        const QPoint at = where == QLatin1String("icon") ? f.tree.IconRect(item).center()
                : where == QLatin1String("label")        ? LabelPoint(f.tree, item)
                                                         : IndentPoint(f.tree, item);
        QCOMPARE(f.tree.itemAt(at), item);
        QList<bool> marks = f.Marks();
        const int image = CTreeOptionsCtrl::GetImage(item);
        QSignalSpy toggled(&f.tree, &CTreeOptionsCtrl::checkToggled);
        QTest::mouseClick(f.tree.viewport(), Qt::LeftButton, {}, at);
        // The owner hears of a toggle, and of nothing else.
        if (toggles) {
            marks[node] = !marks[node];
            QCOMPARE(toggled, (QList<QVariantList>{{QVariant::fromValue(item), marks[node]}}));
        } else {
            QCOMPARE(toggled.size(), 0);
            QCOMPARE(CTreeOptionsCtrl::GetImage(item), image);
        }
        QCOMPARE(f.Marks(), marks);
        if (selects)
            QVERIFY(item->isSelected());
        QVERIFY(f.group->isExpanded() && f.root->isExpanded());
    }

    void quickDoubleClickOnTheBoxTogglesTwice()
    {
        Fixture f;
        QTreeWidgetItem *item = f.items[0];
        // Through the window, as a real double click arrives: press, release,
        // double click, release.
        const QPoint at = f.tree.viewport()->mapTo(&f.tree, f.tree.IconRect(item).center());
        QTest::mouseDClick(f.tree.windowHandle(), Qt::LeftButton, {}, at);
        QVERIFY(!f.tree.GetCheck(item));
        QTest::mouseClick(f.tree.windowHandle(), Qt::LeftButton, {}, at);
        QVERIFY(f.tree.GetCheck(item));
    }

    void spaceTogglesOnlyACheckItem()
    {
        Fixture f;
        QTreeWidgetItem *item = f.items[1];
        // Current without being selected: the tree's own space handling would
        // select it, so an unselected item after the key shows it was consumed.
        f.tree.setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
        QVERIFY(!item->isSelected());
        QSignalSpy toggled(&f.tree, &CTreeOptionsCtrl::checkToggled);
        QTest::keyClick(&f.tree, Qt::Key_Space);
        QVERIFY(!f.tree.GetCheck(item));
        QTest::keyClick(&f.tree, Qt::Key_Space);
        QVERIFY(f.tree.GetCheck(item));
        QCOMPARE(toggled.size(), 2);
        QCOMPARE(toggled.at(1).at(1).toBool(), true);
        QVERIFY(!item->isSelected());

        // On a group the tree's own handling selects it; its picture stays.
        const int image = CTreeOptionsCtrl::GetImage(f.group);
        f.tree.setCurrentItem(f.group, 0, QItemSelectionModel::NoUpdate);
        QTest::keyClick(&f.tree, Qt::Key_Space);
        QCOMPARE(CTreeOptionsCtrl::GetImage(f.group), image);
        QVERIFY(f.group->isSelected());

        f.tree.setCurrentItem(nullptr);
        QTest::keyClick(&f.tree, Qt::Key_Space);
        QCOMPARE(f.Marks(), (QList<bool>{false, true}));
        QCOMPARE(toggled.size(), 2);
    }
};

QUILLMARK_TEST_MAIN(TestTreeOptionsCtrl)
#include "tst_treeoptionsctrl.moc"
