#include "controls/ItemTable.h"

#include "platform/NumberText.h"
#include "res/ResourceIds.h"
#include "res/Strings.h"

#include <QHeaderView>

namespace {

struct Column
{
    QString heading;
    int width;
};

QList<Column> ColumnsFor(bool anyDated, bool anyPrice)
{
    if (anyDated && anyPrice)
        return {{Str::ColumnName(), 90}, {Str::ColumnPrice(), 52}, {Str::ColumnDate(), 70}, {Str::ColumnDone(), 43}};
    if (anyDated)
        return {{Str::ColumnName(), 86}, {Str::ColumnDate(), 78}, {Str::ColumnDone(), 43}};
    if (anyPrice)
        return {{Str::ColumnName(), 112}, {Str::ColumnPrice(), 52}, {Str::ColumnDone(), 43}};
    return {{Str::ColumnName(), 163}, {Str::ColumnDone(), 43}};
}

// Whether any item is dated, and whether any has a price.
std::pair<bool, bool> Layout(const CListItemArray &list)
{
    bool anyDated = false;
    bool anyPrice = false;
    for (const CListItem &item : list.m_items) {
        anyDated = anyDated || item.m_bDated;
        anyPrice = anyPrice || item.m_dPrice != 0.0;
    }
    return {anyDated, anyPrice};
}

} // namespace

CItemTable::CItemTable(QWidget *parent)
    : QTreeWidget(parent)
    , m_images(CImageList::ChecksAndStrip())
{
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setIconSize(QSize(Res::kImageSize, Res::kImageSize));
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
}

QStringList CItemTable::RowTexts(const CListItem &item) const
{
    QStringList texts{item.m_strName};
    if (m_priced)
        texts << NumberText::FormatFixed2(item.m_dPrice);
    if (m_dated)
        texts << (item.m_bDated ? item.GetDateText(true) : Str::NotDated());
    texts << (item.m_bDone ? Str::Yes() : Str::No());
    return texts;
}

void CItemTable::Fill(const CListItemArray &list)
{
    clear();
    std::tie(m_dated, m_priced) = Layout(list);
    const QList<Column> columns = ColumnsFor(m_dated, m_priced);
    QStringList headings;
    for (const Column &c : columns)
        headings << c.heading;
    setColumnCount(int(columns.size()));
    setHeaderLabels(headings);
    for (int c = 0; c < columns.size(); ++c)
        setColumnWidth(c, columns.at(c).width);

    QList<QTreeWidgetItem *> rows;
    rows.reserve(list.m_items.size());
    for (const CListItem &item : list.m_items) {
        auto *row = new QTreeWidgetItem(RowTexts(item));
        row->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        row->setIcon(0, m_images.Icon(item.m_nIcon));
        rows.append(row);
    }
    addTopLevelItems(rows);
}

void CItemTable::UpdateRow(const CListItemArray &list, int item)
{
    QTreeWidgetItem *row = topLevelItem(item);
    if (!row || Layout(list) != std::pair(m_dated, m_priced)) {
        Fill(list);
        return;
    }
    const CListItem &value = list.m_items.at(item);
    const QStringList texts = RowTexts(value);
    for (int c = 0; c < texts.size(); ++c)
        row->setText(c, texts.at(c));
    row->setIcon(0, m_images.Icon(value.m_nIcon));
}

int CItemTable::FirstSelectedRow() const
{
    int lowest = -1;
    for (QTreeWidgetItem *row : selectedItems()) {
        const int index = indexOfTopLevelItem(row);
        if (index >= 0 && (lowest < 0 || index < lowest))
            lowest = index;
    }
    return lowest;
}
