#include "dialogs/IconChooser.h"

#include "res/Art.h"
#include "res/ResourceIds.h"
#include "res/Tr.h"

#include <QHeaderView>

#include <iterator>

namespace {

// What each offered icon shows, for a screen reader, by row.
constexpr const char *kIconNames[] = {
    QT_TRANSLATE_NOOP("Quillmark", "Red pin"), QT_TRANSLATE_NOOP("Quillmark", "Orange pin"),
    QT_TRANSLATE_NOOP("Quillmark", "Yellow pin"), QT_TRANSLATE_NOOP("Quillmark", "Green pin"),
    QT_TRANSLATE_NOOP("Quillmark", "Teal pin"), QT_TRANSLATE_NOOP("Quillmark", "Blue pin"),
    QT_TRANSLATE_NOOP("Quillmark", "Purple pin"), QT_TRANSLATE_NOOP("Quillmark", "Pink pin"),
    QT_TRANSLATE_NOOP("Quillmark", "Brown pin"), QT_TRANSLATE_NOOP("Quillmark", "Grey pin"),
    QT_TRANSLATE_NOOP("Quillmark", "Yellow folder"), QT_TRANSLATE_NOOP("Quillmark", "Blue folder"),
    QT_TRANSLATE_NOOP("Quillmark", "Green folder"), QT_TRANSLATE_NOOP("Quillmark", "Red folder"),
    QT_TRANSLATE_NOOP("Quillmark", "Orange folder"), QT_TRANSLATE_NOOP("Quillmark", "Purple folder"),
    QT_TRANSLATE_NOOP("Quillmark", "Teal folder"), QT_TRANSLATE_NOOP("Quillmark", "Pink folder"),
    QT_TRANSLATE_NOOP("Quillmark", "Brown folder"), QT_TRANSLATE_NOOP("Quillmark", "Grey folder"),
    QT_TRANSLATE_NOOP("Quillmark", "Page"), QT_TRANSLATE_NOOP("Quillmark", "Yellow note"),
    QT_TRANSLATE_NOOP("Quillmark", "Pink note"), QT_TRANSLATE_NOOP("Quillmark", "Green note"),
    QT_TRANSLATE_NOOP("Quillmark", "Blue note"), QT_TRANSLATE_NOOP("Quillmark", "Orange note"),
    QT_TRANSLATE_NOOP("Quillmark", "Checklist"), QT_TRANSLATE_NOOP("Quillmark", "Notepad"),
    QT_TRANSLATE_NOOP("Quillmark", "Calendar"), QT_TRANSLATE_NOOP("Quillmark", "Page and pencil"),
    QT_TRANSLATE_NOOP("Quillmark", "Pinned note"), QT_TRANSLATE_NOOP("Quillmark", "Receipt"),
    QT_TRANSLATE_NOOP("Quillmark", "Exclamation mark"), QT_TRANSLATE_NOOP("Quillmark", "Question mark"),
    QT_TRANSLATE_NOOP("Quillmark", "Dollar"), QT_TRANSLATE_NOOP("Quillmark", "Clock"),
    QT_TRANSLATE_NOOP("Quillmark", "House"), QT_TRANSLATE_NOOP("Quillmark", "Car"),
    QT_TRANSLATE_NOOP("Quillmark", "Telephone"), QT_TRANSLATE_NOOP("Quillmark", "Envelope"),
    QT_TRANSLATE_NOOP("Quillmark", "Heart"), QT_TRANSLATE_NOOP("Quillmark", "Star"),
    QT_TRANSLATE_NOOP("Quillmark", "Shopping cart"), QT_TRANSLATE_NOOP("Quillmark", "Person"),
    QT_TRANSLATE_NOOP("Quillmark", "Lightning"), QT_TRANSLATE_NOOP("Quillmark", "Coffee cup"),
};
static_assert(std::size(kIconNames) == Res::kChooserIconCount);

} // namespace

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
        // The number is what the row shows; a reader says what the picture is.
        row->setData(0, Qt::AccessibleTextRole, Tr::tr(kIconNames[n]));
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
