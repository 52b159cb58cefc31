#include "dialogs/IconChooser.h"

#include "res/Art.h"
#include "res/ResourceIds.h"

#include <QHeaderView>

CIconChooser::CIconChooser(QWidget *parent)
    : QTreeWidget(parent)
{
    setColumnCount(1);
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setIconSize(QSize(Res::kImageSize, Res::kImageSize));
    // At least 40 pixels, and all the room there is: 40 alone leave no space
    // for the number beside the picture in the desktop's fonts.
    header()->setMinimumSectionSize(kColumnWidth);
    setColumnWidth(0, kColumnWidth);
    header()->setStretchLastSection(true);

    // The chosen icon stays as visible when focus moves to another field.
    QPalette pal = palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
                 pal.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(pal);
}

void CIconChooser::Fill(const CImageList &strip)
{
    clear();
    QList<QTreeWidgetItem *> rows;
    rows.reserve(Res::kChooserIconCount);
    for (int n = 0; n < Res::kChooserIconCount; ++n) {
        auto *row = new QTreeWidgetItem(QStringList{QString::number(n)});
        row->setIcon(0, strip.Icon(n));
        rows.append(row);
    }
    addTopLevelItems(rows); // the tree takes ownership
}

void CIconChooser::SelectRow(int row)
{
    QTreeWidgetItem *item = topLevelItem(row);
    if (!item) {
        clearSelection();
        return;
    }
    // Current and selected together, so the arrow keys move on from here.
    setCurrentItem(item, 0, QItemSelectionModel::ClearAndSelect);
}

int CIconChooser::SelectedRow() const
{
    const QList<QTreeWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? -1 : indexOfTopLevelItem(selected.first());
}

int CIconChooser::SelectedIcon() const
{
    const int row = SelectedRow();
    return row < 0 ? -1 : row + Res::kFirstStripImage;
}

int CIconChooser::RowOfIcon(int icon)
{
    return icon < Res::kFirstStripImage ? -1 : icon - Res::kFirstStripImage;
}

void CIconChooser::ScrollRowIntoView(int row)
{
    if (QTreeWidgetItem *item = topLevelItem(row))
        scrollToItem(item, QAbstractItemView::EnsureVisible);
}
