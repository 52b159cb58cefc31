#include "controls/TreeOptionsCtrl.h"

#include "document/ListsModel.h"
#include "res/ResourceIds.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyledItemDelegate>

namespace {

// The standard delegate, with each cell's picture from the control's image
// list in place of a decoration and the style's check box, and its option
// set-up reachable so that the hit test asks the style exactly what the
// painting asks it.
class COptionDelegate : public QStyledItemDelegate
{
public:
    explicit COptionDelegate(CTreeOptionsCtrl *tree)
        : QStyledItemDelegate(tree)
        , m_tree(tree)
    {
    }

    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->features &= ~QStyleOptionViewItem::HasCheckIndicator;
        const QIcon icon = m_tree->IconFor(CTreeOptionsCtrl::ImageOf(index));
        if (icon.isNull()) {
            option->features &= ~QStyleOptionViewItem::HasDecoration;
            option->icon = QIcon();
            return;
        }
        // As the standard delegate sets up a decoration.
        option->features |= QStyleOptionViewItem::HasDecoration;
        option->icon = icon;
        const QIcon::Mode mode = !(option->state & QStyle::State_Enabled) ? QIcon::Disabled
                : (option->state & QStyle::State_Selected)                 ? QIcon::Selected
                                                                           : QIcon::Normal;
        const QIcon::State state = (option->state & QStyle::State_Open) ? QIcon::On : QIcon::Off;
        const QSize actual = icon.actualSize(option->decorationSize, mode, state);
        option->decorationSize = option->decorationSize.boundedTo(actual);
    }

    // The control turns the marks over itself, by its own hit test.
    bool editorEvent(QEvent *, QAbstractItemModel *, const QStyleOptionViewItem &, const QModelIndex &) override
    {
        return false;
    }

    using QStyledItemDelegate::initStyleOption;

private:
    CTreeOptionsCtrl *m_tree;
};

} // namespace

CTreeOptionsCtrl::CTreeOptionsCtrl(QWidget *parent)
    : QTreeView(parent)
    , m_images(CImageList::ChecksAndStrip())
{
    m_icons.reserve(m_images.Count());
    for (int i = 0; i < m_images.Count(); ++i)
        m_icons.append(m_images.Icon(i));

    setItemDelegate(new COptionDelegate(this));
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setUniformRowHeights(true);
    setIconSize(QSize(Res::kImageSize, Res::kImageSize));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setExpandsOnDoubleClick(true);
    header()->setSectionsMovable(false);
}

int CTreeOptionsCtrl::ImageOf(const QModelIndex &index)
{
    const QVariant check = index.data(Qt::CheckStateRole);
    if (check.isValid())
        return check.toInt() == Qt::Checked ? Res::kImageChecked : Res::kImageUnchecked;
    const QVariant image = index.data(CListsModel::IconRole);
    return image.isValid() ? image.toInt() : -1;
}

bool CTreeOptionsCtrl::IsCheckItem(const QModelIndex &index)
{
    return index.data(Qt::CheckStateRole).isValid();
}

bool CTreeOptionsCtrl::GetCheck(const QModelIndex &index)
{
    return index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
}

QIcon CTreeOptionsCtrl::IconFor(int image) const
{
    return image >= 0 && image < m_icons.size() ? m_icons.at(image) : QIcon();
}

QRect CTreeOptionsCtrl::IconRect(const QModelIndex &index) const
{
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

bool CTreeOptionsCtrl::Toggle(const QModelIndex &index)
{
    if (!IsCheckItem(index))
        return false;
    model()->setData(index, GetCheck(index) ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
    return true;
}

bool CTreeOptionsCtrl::ToggleAtPress(const QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return false;
    const QPoint p = event->position().toPoint();
    const QModelIndex index = indexAt(p);
    return IsCheckItem(index) && IconRect(index).contains(p) && Toggle(index);
}

void CTreeOptionsCtrl::mousePressEvent(QMouseEvent *event)
{
    // The toggle comes first; the tree then selects, opens and closes as usual.
    ToggleAtPress(event);
    QTreeView::mousePressEvent(event);
}

void CTreeOptionsCtrl::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a quick double click is a click on the box all the
    // same, so two clicks leave the mark as it was; and they open nothing.
    if (ToggleAtPress(event)) {
        event->accept();
        return;
    }
    QTreeView::mouseDoubleClickEvent(event);
}

void CTreeOptionsCtrl::keyPressEvent(QKeyEvent *event)
{
    // The space character, as typed (with or without Shift); Ctrl+Space keeps
    // its selection meaning. It turns over the current row's check item.
    const Qt::KeyboardModifiers chord = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (event->key() == Qt::Key_Space && !(event->modifiers() & chord)) {
        const QModelIndex current = currentIndex();
        for (int column = 0; current.isValid() && column < model()->columnCount(current.parent()); ++column) {
            if (Toggle(current.siblingAtColumn(column))) {
                event->accept();
                return;
            }
        }
    }
    QTreeView::keyPressEvent(event);
}
