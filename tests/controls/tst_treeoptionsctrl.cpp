#include "controls/TreeOptionsCtrl.h"
#include "document/ListsModel.h"
#include "res/ResourceIds.h"
#include "tests/testlib/QuillmarkTest.h"

#include <QPainter>
#include <QSignalSpy>
#include <QStandardItemModel>

namespace {

// On the item's text, right of its picture.
QPoint LabelPoint(const CTreeOptionsCtrl &tree, const QModelIndex &item)
{
    const QRect icon = tree.IconRect(item);
    return QPoint(icon.right() + 12, icon.center().y());
}

QPoint IndentPoint(const CTreeOptionsCtrl &tree, const QModelIndex &item)
{
    const QRect cell = tree.visualRect(item);
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
    // A shown tree on a model shaped as the list tree's: a root group, a
    // group "Shop" with a strip icon, an unchecked and a checked item below
    // it. The model keeps the marks it is given.
    struct Fixture
    {
        QStandardItemModel model;
        CTreeOptionsCtrl tree;
        QStandardItem *root = Group(QStringLiteral("Lists"), Res::kImageGroup);
        QStandardItem *group = Group(QStringLiteral("Shop"), 10);
        QStandardItem *items[2] = {};

        static QStandardItem *Group(const QString &text, int image)
        {
            auto *item = new QStandardItem(text);
            item->setData(image, CListsModel::IconRole);
            return item;
        }

        Fixture()
        {
            tree.resize(222, 210);
            for (int i = 0; i < 2; ++i) {
                items[i] = new QStandardItem(QStringLiteral("Item %1").arg(i));
                items[i]->setData(i == 1 ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
                group->appendRow(items[i]);
            }
            root->appendRow(group);
            model.appendRow(root);
            tree.setModel(&model);
            tree.expandAll();
            tree.show();
            QVERIFY(QTest::qWaitForWindowExposed(&tree));
        }

        QList<bool> Marks() const { return {CTreeOptionsCtrl::GetCheck(items[0]->index()), CTreeOptionsCtrl::GetCheck(items[1]->index())}; }
        // 0 and 1 the items, 2 the group, 3 the root.
        QModelIndex Node(int i) const { return (i < 2 ? items[i] : i == 2 ? group : root)->index(); }
    };

private slots:
    void picturesComeFromTheImageList()
    {
        Fixture f;
        const QImage shot = f.tree.viewport()->grab().toImage();
        const CImageList all = CImageList::ChecksAndStrip();

        // A group with image 10 shows strip image 5.
        QVERIFY(ShowsPicture(shot, f.tree.IconRect(f.Node(2)), CImageList::StripOnly().Image(5)));
        QVERIFY(ShowsPicture(shot, f.tree.IconRect(f.Node(3)), all.Image(Res::kImageGroup)));
        QVERIFY(ShowsPicture(shot, f.tree.IconRect(f.Node(0)), all.Image(Res::kImageUnchecked)));
        QVERIFY(ShowsPicture(shot, f.tree.IconRect(f.Node(1)), all.Image(Res::kImageChecked)));

        // An image outside the list shows nothing, and a click where its
        // picture would be toggles nothing and does no harm.
        for (const int image : {-1, 57}) {
            QStandardItem *odd = Fixture::Group(QStringLiteral("Odd"), image);
            f.root->appendRow(odd);
            QVERIFY(f.tree.IconRect(odd->index()).isEmpty());
            const QRect cell = f.tree.visualRect(odd->index());
            QTest::mouseClick(f.tree.viewport(), Qt::LeftButton, {},
                              QPoint(cell.left() + Res::kImageSize / 2, cell.center().y()));
            QCOMPARE(CTreeOptionsCtrl::ImageOf(odd->index()), image);
            QCOMPARE(f.tree.currentIndex(), odd->index());
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
    }

    void click()
    {
        QFETCH(int, node);
        QFETCH(QString, where);
        QFETCH(bool, toggles);
        QFETCH(bool, selects);
        Fixture f;
        const QModelIndex item = f.Node(node);
        const QPoint at = where == QLatin1String("icon") ? f.tree.IconRect(item).center()
                : where == QLatin1String("label")        ? LabelPoint(f.tree, item)
                                                         : IndentPoint(f.tree, item);
        QCOMPARE(f.tree.indexAt(at), item);
        QList<bool> marks = f.Marks();
        const int image = CTreeOptionsCtrl::ImageOf(item);
        QSignalSpy changed(&f.model, &QStandardItemModel::itemChanged);
        QTest::mouseClick(f.tree.viewport(), Qt::LeftButton, {}, at);
        // The model is asked for a toggle, and for nothing else.
        if (toggles) {
            marks[node] = !marks[node];
            QCOMPARE(changed.size(), 1);
            QCOMPARE(changed.at(0).at(0).value<QStandardItem *>()->index(), item);
        } else {
            QCOMPARE(changed.size(), 0);
            QCOMPARE(CTreeOptionsCtrl::ImageOf(item), image);
        }
        QCOMPARE(f.Marks(), marks);
        if (selects)
            QVERIFY(f.tree.selectionModel()->isSelected(item));
        QVERIFY(f.tree.isExpanded(f.Node(2)) && f.tree.isExpanded(f.Node(3)));
    }

    void quickDoubleClickOnTheBoxTogglesTwice()
    {
        Fixture f;
        const QModelIndex item = f.Node(0);
        QSignalSpy doubleClicked(&f.tree, &QAbstractItemView::doubleClicked);
        // Through the window, as a real double click arrives: press, release,
        // double click, release.
        const QPoint at = f.tree.viewport()->mapTo(&f.tree, f.tree.IconRect(item).center());
        QTest::mouseDClick(f.tree.windowHandle(), Qt::LeftButton, {}, at);
        QVERIFY(!CTreeOptionsCtrl::GetCheck(item));
        QCOMPARE(doubleClicked.size(), 0); // which would open the item
        QTest::mouseClick(f.tree.windowHandle(), Qt::LeftButton, {}, at);
        QVERIFY(CTreeOptionsCtrl::GetCheck(item));
        QTest::mouseDClick(f.tree.windowHandle(), Qt::LeftButton, {}, f.tree.viewport()->mapTo(&f.tree, LabelPoint(f.tree, item)));
        QCOMPARE(doubleClicked.size(), 1);
    }

    void spaceTogglesOnlyACheckItem()
    {
        Fixture f;
        const QModelIndex item = f.Node(1);
        QItemSelectionModel *selection = f.tree.selectionModel();
        // Current without being selected: the tree's own space handling would
        // select it, so an unselected item after the key shows it was consumed.
        selection->setCurrentIndex(item, QItemSelectionModel::NoUpdate);
        QVERIFY(!selection->isSelected(item));
        QSignalSpy changed(&f.model, &QStandardItemModel::itemChanged);
        QTest::keyClick(&f.tree, Qt::Key_Space);
        QVERIFY(!CTreeOptionsCtrl::GetCheck(item));
        QTest::keyClick(&f.tree, Qt::Key_Space);
        QVERIFY(CTreeOptionsCtrl::GetCheck(item));
        QCOMPARE(changed.size(), 2);
        QVERIFY(!selection->isSelected(item));

        // On a group the tree's own handling selects it; its picture stays.
        const QModelIndex group = f.Node(2);
        const int image = CTreeOptionsCtrl::ImageOf(group);
        selection->setCurrentIndex(group, QItemSelectionModel::NoUpdate);
        QTest::keyClick(&f.tree, Qt::Key_Space);
        QCOMPARE(CTreeOptionsCtrl::ImageOf(group), image);
        QVERIFY(selection->isSelected(group));

        selection->clear();
        QTest::keyClick(&f.tree, Qt::Key_Space);
        QCOMPARE(f.Marks(), (QList<bool>{false, true}));
        QCOMPARE(changed.size(), 2);
    }
};

QUILLMARK_TEST_MAIN(TestTreeOptionsCtrl)
#include "tst_treeoptionsctrl.moc"
