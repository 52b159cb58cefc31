#include "controls/TreeOptionsCtrl.h"

#include "res/ResourceIds.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyledItemDelegate>

// An item whose picture follows its image index: the index is the only state,
// so the picture can never disagree with it. The index and the owner's value
// are kept as plain numbers rather than in the item's table of roles: a tree
// of all lists holds a hundred thousand items.
class COptionItem : public QTreeWidgetItem
{
public:
    using QTreeWidgetItem::QTreeWidgetItem;

    QVariant data(int column, int role) const override
    {
        if (column == 0) {
            switch (role) {
            case CTreeOptionsCtrl::ImageRole:
                return m_image;
            case CTreeOptionsCtrl::ItemDataRole:
                return m_itemData;
            case Qt::DecorationRole:
                if (const auto *tree = qobject_cast<const CTreeOptionsCtrl *>(treeWidget())) {
                    const QIcon icon = tree->IconFor(m_image);
                    return icon.isNull() ? QVariant() : QVariant(icon);
                }
                break;
            default:
                break;
            }
        }
        return QTreeWidgetItem::data(column, role);
    }

    void setData(int column, int role, const QVariant &value) override
    {
        if (column == 0 && role == CTreeOptionsCtrl::ImageRole) {
            m_image = value.toInt();
            emitDataChanged(); // the picture changes with it
        } else if (column == 0 && role == CTreeOptionsCtrl::ItemDataRole) {
            m_itemData = value.toInt();
        } else {
            QTreeWidgetItem::setData(column, role, value);
        }
    }

private:
    int m_image = 0;
    qint32 m_itemData = 0;
};

namespace {

// The standard delegate, with its option set-up reachable so that the hit
// test asks the style exactly what the painting asks it.
class COptionDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    using QStyledItemDelegate::initStyleOption;
};

constexpr Qt::ItemFlags kItemFlags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;

} // namespace

CTreeOptionsCtrl::CTreeOptionsCtrl(QWidget *parent)
    : QTreeWidget(parent)
    , m_images(CImageList::ChecksAndStrip())
{
    m_icons.reserve(m_images.Count());
    for (int i = 0; i < m_images.Count(); ++i)
        m_icons.append(m_images.Icon(i));

    setItemDelegate(new COptionDelegate(this));
    setColumnCount(1);
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setIconSize(QSize(Res::kImageSize, Res::kImageSize));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setExpandsOnDoubleClick(true);
}

QIcon CTreeOptionsCtrl::IconFor(int image) const
{
    return image >= 0 && image < m_icons.size() ? m_icons.at(image) : QIcon();
}

QTreeWidgetItem *CTreeOptionsCtrl::NewGroupItem(const QString &text, int image)
{
    auto *item = new COptionItem();
    item->setFlags(kItemFlags);
    item->setText(0, text);
    SetImage(item, image);
    SetItemData(item, 0);
    return item;
}

QTreeWidgetItem *CTreeOptionsCtrl::NewCheckItem(const QString &text, bool checked)
{
    return NewGroupItem(text, checked ? Res::kImageChecked : Res::kImageUnchecked);
}

QTreeWidgetItem *CTreeOptionsCtrl::SelectedItem() const
{
    const QList<QTreeWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

int CTreeOptionsCtrl::GetImage(const QTreeWidgetItem *item)
{
    return item->data(0, ImageRole).toInt();
}

void CTreeOptionsCtrl::SetImage(QTreeWidgetItem *item, int image)
{
    item->setData(0, ImageRole, image);
}

qint32 CTreeOptionsCtrl::GetItemData(const QTreeWidgetItem *item)
{
    return item->data(0, ItemDataRole).toInt();
}

void CTreeOptionsCtrl::SetItemData(QTreeWidgetItem *item, qint32 value)
{
    item->setData(0, ItemDataRole, value);
}

bool CTreeOptionsCtrl::IsCheckItem(const QTreeWidgetItem *item) const
{
    const int image = GetImage(item);
    return image == Res::kImageUnchecked || image == Res::kImageChecked;
}

bool CTreeOptionsCtrl::GetCheck(const QTreeWidgetItem *item) const
{
    return GetImage(item) == Res::kImageChecked;
}

void CTreeOptionsCtrl::SetCheck(QTreeWidgetItem *item, bool checked)
{
    SetImage(item, checked ? Res::kImageChecked : Res::kImageUnchecked);
}

QRect CTreeOptionsCtrl::IconRect(const QTreeWidgetItem *item) const
{
    const QModelIndex index = indexFromItem(item, 0);
    if (!index.isValid())
        return QRect();
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    static_cast<COptionDelegate *>(itemDelegate())->initStyleOption(&option, index);
    if (!option.features.testFlag(QStyleOptionViewItem::HasDecoration))
        return QRect();
    return style()->subElementRect(QStyle::SE_ItemViewItemDecoration, &option, this);
}

bool CTreeOptionsCtrl::ToggleIfCheckItem(QTreeWidgetItem *item)
{
    if (!item || !IsCheckItem(item))
        return false;
    const bool checked = !GetCheck(item);
    SetCheck(item, checked);
    emit checkToggled(item, checked);
    return true;
}

void CTreeOptionsCtrl::ToggleAtPress(const QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint p = event->position().toPoint();
    QTreeWidgetItem *item = itemAt(p);
    if (item && IconRect(item).contains(p))
        ToggleIfCheckItem(item);
}

void CTreeOptionsCtrl::mousePressEvent(QMouseEvent *event)
{
    // The toggle comes first; the tree then selects, opens and closes as usual.
    ToggleAtPress(event);
    QTreeWidget::mousePressEvent(event);
}

void CTreeOptionsCtrl::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a quick double click is a click on the box all the
    // same, so two clicks leave the mark as it was.
    ToggleAtPress(event);
    QTreeWidget::mouseDoubleClickEvent(event);
}

void CTreeOptionsCtrl::keyPressEvent(QKeyEvent *event)
{
    // The space character, as typed (with or without Shift); Ctrl+Space keeps
    // its selection meaning.
    const Qt::KeyboardModifiers chord = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (event->key() == Qt::Key_Space && !(event->modifiers() & chord)
        && ToggleIfCheckItem(currentItem())) {
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}
