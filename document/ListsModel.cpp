#include "document/ListsModel.h"

#include "document/QuillmarkDoc.h"
#include "model/ListMatch.h"
#include "model/ShownText.h"
#include "res/Strings.h"
#include "res/Tr.h"

#include <QHash>

#include <algorithm>
#include <bit>

namespace {

// Rows of an old version paired with the rows that are the same list or
// item in the new version, both rising.
using Pairs = QList<std::pair<int, int>>;

// Brings the rows offset .. offset + before - 1 to the `after` rows that
// replace them: `remove(first, last)` for each run of old rows without a
// pair, last run first so that the rows above keep their numbers; then
// `insert(first, last)` for each run of new rows without a pair, first run
// first, each at the row where it ends up.
template<typename Remove, typename Insert>
void Apply(int offset, int before, int after, const Pairs &pairs, Remove remove, Insert insert)
{
    QList<bool> stays(before, false);
    QList<bool> comes(after, true);
    for (const auto &[from, to] : pairs) {
        stays[from] = true;
        comes[to] = false;
    }
    for (int i = before - 1; i >= 0;) {
        const int last = i;
        while (i >= 0 && !stays.at(i))
            --i;
        if (i < last)
            remove(offset + i + 1, offset + last);
        else
            --i;
    }
    for (int j = 0; j < after;) {
        const int first = j;
        while (j < after && comes.at(j))
            ++j;
        if (j > first)
            insert(offset + first, offset + j - 1);
        else
            ++j;
    }
}

// The lists first .. first + removed - 1 of `before` paired with those of
// `after` that replace them (counted from first). A list is found again by
// its name, the second "Shop" as the second "Shop"; a list that stands where
// an unpaired one stood is that list changed, renamed for instance.
Pairs PairLists(const CListCollection &before, const CListCollection &after, int first, int removed, int inserted)
{
    QHash<QString, QList<int>> afterByName;
    for (int j = 0; j < inserted; ++j)
        afterByName[after.at(first + j).m_strName].append(j);
    QHash<QString, int> seen;
    Pairs byName;
    int last = -1;
    for (int i = 0; i < removed; ++i) {
        const QString &name = before.at(first + i).m_strName;
        const int n = seen[name]++;
        const auto same = afterByName.constFind(name);
        if (same != afterByName.cend() && n < same->size() && same->at(n) > last) {
            last = same->at(n);
            byName.append({i, last});
        }
    }
    Pairs pairs;
    int i0 = 0;
    int j0 = 0;
    for (qsizetype k = 0; k <= byName.size(); ++k) {
        const int i1 = k < byName.size() ? byName.at(k).first : removed;
        const int j1 = k < byName.size() ? byName.at(k).second : inserted;
        for (int d = 0; d < std::min(i1 - i0, j1 - j0); ++d)
            pairs.append({i0 + d, j0 + d});
        if (k < byName.size()) {
            pairs.append(byName.at(k));
            i0 = i1 + 1;
            j0 = j1 + 1;
        }
    }
    return pairs;
}

// How many notices Apply gives: one per run of rows that go, one per run
// of rows that come.
int NoticeCount(int before, int after, const Pairs &pairs)
{
    int notices = 0;
    int lastFrom = -1;
    int lastTo = -1;
    for (const auto &[from, to] : pairs) {
        notices += (from > lastFrom + 1 ? 1 : 0) + (to > lastTo + 1 ? 1 : 0);
        lastFrom = from;
        lastTo = to;
    }
    return notices + (before > lastFrom + 1 ? 1 : 0) + (after > lastTo + 1 ? 1 : 0);
}

// More notices than this for the rows of one list, and the rows that
// changed are told as two: all the old ones gone, all the new ones come.
// A view answers each notice on its own (it measures its columns, a sorted
// or filtered view maps its rows again), so that a change of rows all over
// a long list, told row by row, kept the window from answering for minutes.
constexpr int kMostNotices = 64;

// The columns of an item row that show what differs between two versions
// of the item, as the first and the last.
std::pair<int, int> ChangedColumns(const CListItem &a, const CListItem &b)
{
    int first = CListsModel::ColumnCount;
    int last = -1;
    const auto changed = [&](int column, bool differs) {
        if (differs) {
            first = std::min(first, column);
            last = std::max(last, column);
        }
    };
    changed(CListsModel::Name, !(a.m_strName == b.m_strName) || a.m_nIcon != b.m_nIcon);
    changed(CListsModel::Price, std::bit_cast<quint64>(a.m_dPrice) != std::bit_cast<quint64>(b.m_dPrice));
    changed(CListsModel::Date, a.m_bDated != b.m_bDated || !(a.m_time == b.m_time));
    changed(CListsModel::Description, !(a.m_strDesc == b.m_strDesc));
    changed(CListsModel::Done, a.m_bDone != b.m_bDone);
    if (last < 0)
        return {0, CListsModel::ColumnCount - 1};
    return {first, last};
}

// Whether the items from .. from + count - 1 of both are the same entries.
bool SameEntries(const QList<CListItem> &a, const QList<CListItem> &b, int from, int count)
{
    for (int i = from; i < from + count; ++i) {
        if (!ListMatch::SameEntry(a.at(i), b.at(i)))
            return false;
    }
    return true;
}

// Where the items from .. from + removed - 1 of `a` lost some and kept the
// others in order, or gained some, as the `inserted` items of `b` from
// `from`: each kept item's pair. None where some item changed.
Pairs Kept(const QList<CListItem> &a, const QList<CListItem> &b, int from, int removed, int inserted)
{
    const bool lost = removed > inserted;
    const QList<CListItem> &more = lost ? a : b;
    const QList<CListItem> &fewer = lost ? b : a;
    const int moreCount = std::max(removed, inserted);
    const int fewerCount = std::min(removed, inserted);
    Pairs pairs;
    pairs.reserve(fewerCount);
    int j = 0;
    for (int i = 0; i < moreCount && j < fewerCount; ++i) {
        if (!ListMatch::Identical(more.at(from + i), fewer.at(from + j)))
            continue;
        pairs.append(lost ? std::pair(i, j) : std::pair(j, i));
        ++j;
    }
    if (j < fewerCount)
        return {};
    return pairs;
}

// The items from .. from + count - 1 as a list of their own.
CListItemArray Part(const QList<CListItem> &items, int from, int count)
{
    CListItemArray part;
    part.m_items = items.mid(from, count);
    return part;
}

} // namespace

CListsModel::CListsModel(CQuillmarkDoc &doc, QObject *parent)
    : QAbstractItemModel(parent)
    , m_doc(doc)
    , m_lists(doc.Lists())
{
    for (int row = 0; row < m_lists.size(); ++row)
        m_nodes.push_back(std::make_unique<ListNode>(ListNode{row}));
    connect(&m_doc, &CQuillmarkDoc::itemChanged, this, &CListsModel::OnItemChanged);
    connect(&m_doc, &CQuillmarkDoc::listsReplaced, this, &CListsModel::OnListsReplaced);
}

CListsModel::~CListsModel() = default;

QModelIndex CListsModel::ListIndex(int list, int column) const
{
    return index(list, column);
}

QModelIndex CListsModel::ItemIndex(int list, int item, int column) const
{
    return index(item, column, index(list, Name));
}

const CListItem *CListsModel::Item(const QModelIndex &index) const
{
    if (index.model() != this || ItemOf(index) < 0)
        return nullptr;
    return &m_lists.at(ListOf(index)).m_items.at(index.row());
}

QModelIndex CListsModel::index(int row, int column, const QModelIndex &parent) const
{
    if (row < 0 || column < 0 || column >= ColumnCount)
        return {};
    if (!parent.isValid())
        return row < m_lists.size() ? createIndex(row, column, nullptr) : QModelIndex();
    // Items have no rows below them; a list's items hang from its first column.
    if (parent.internalPointer() || parent.column() != Name || parent.row() >= m_lists.size())
        return {};
    if (row >= m_lists.at(parent.row()).m_items.size())
        return {};
    return createIndex(row, column, m_nodes.at(size_t(parent.row())).get());
}

QModelIndex CListsModel::parent(const QModelIndex &child) const
{
    const auto *node = child.isValid() ? static_cast<const ListNode *>(child.internalPointer()) : nullptr;
    return node ? createIndex(node->row, Name, nullptr) : QModelIndex();
}

int CListsModel::rowCount(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return int(m_lists.size());
    if (parent.internalPointer() || parent.column() != Name)
        return 0;
    return int(m_lists.at(parent.row()).m_items.size());
}

int CListsModel::columnCount(const QModelIndex &) const
{
    return ColumnCount;
}

QVariant CListsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.model() != this)
        return {};
    const int column = index.column();
    const CListItem *item = Item(index);
    if (!item) {
        const CListItemArray &list = m_lists.at(index.row());
        if (column == Name && role == Qt::DisplayRole)
            return list.m_strName;
        if (column == Name && role == IconRole)
            return list.m_nIcon;
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
        switch (column) {
        case Name:
            return item->m_strName.ToString();
        case Price:
            return ShownText::Price(item->m_dPrice);
        case Date:
            return item->m_bDated ? ShownText::Date(*item) : QStringLiteral("---");
        case Description:
            return item->m_strDesc.ToString();
        default:
            return {};
        }
    case Qt::TextAlignmentRole:
        // Amounts line up by their decimals, as on paper.
        return column == Price ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    case Qt::CheckStateRole:
        return column == Done ? QVariant(item->m_bDone ? Qt::Checked : Qt::Unchecked) : QVariant();
    case IconRole:
        return column == Name ? QVariant(item->m_nIcon) : QVariant();
    case Qt::AccessibleDescriptionRole:
        // Qt 6.4 does not tell AT-SPI that a row can be ticked, so a reader
        // says nothing of an unticked one; the row says it in words.
        if (column != Name && column != Done)
            return {};
        //: What a screen reader says of an item that is not done.
        return item->m_bDone ? Str::ColumnDone() : Tr::tr("Not done");
    default:
        return {};
    }
}

bool CListsModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::CheckStateRole || index.column() != Done || !Item(index))
        return false;
    // The document tells the change back through itemChanged.
    return m_doc.SetDone(ListOf(index), ItemOf(index), value.toInt() == Qt::Checked);
}

Qt::ItemFlags CListsModel::flags(const QModelIndex &index) const
{
    if (!index.isValid() || index.model() != this)
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (ItemOf(index) >= 0) {
        flags |= Qt::ItemNeverHasChildren;
        if (index.column() == Done)
            flags |= Qt::ItemIsUserCheckable;
    }
    return flags;
}

QVariant CListsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case Name:
        return Str::ColumnName();
    case Price:
        return Tr::tr("Price");
    case Date:
        return Tr::tr("Date");
    case Description:
        return Str::LabelDescription();
    case Done:
        return Str::ColumnDone();
    default:
        return {};
    }
}

void CListsModel::OnItemChanged(int list, int item)
{
    m_lists = m_doc.Lists();
    emit dataChanged(ItemIndex(list, item, 0), ItemIndex(list, item, ColumnCount - 1));
}

void CListsModel::RenumberFrom(int row)
{
    for (size_t k = size_t(row); k < m_nodes.size(); ++k)
        m_nodes[k]->row = int(k);
}

void CListsModel::OnListsReplaced(int first, int removed, int inserted)
{
    const CListCollection &now = m_doc.Lists();
    const Pairs pairs = PairLists(m_lists, now, first, removed, inserted);
    Apply(
            first, removed, inserted, pairs,
            [this](int from, int last) {
                beginRemoveRows({}, from, last);
                m_lists.remove(from, last - from + 1);
                // Let go of only after the views have heard: until then
                // indexes of the items below still point at them.
                std::vector<std::unique_ptr<ListNode>> gone(std::make_move_iterator(m_nodes.begin() + from),
                                                           std::make_move_iterator(m_nodes.begin() + last + 1));
                m_nodes.erase(m_nodes.begin() + from, m_nodes.begin() + last + 1);
                RenumberFrom(from);
                endRemoveRows();
            },
            [this, &now](int from, int last) {
                beginInsertRows({}, from, last);
                CListCollection after = m_lists.first(from);
                after.append(now.mid(from, last - from + 1));
                after.append(m_lists.sliced(from));
                m_lists = after;
                for (int row = from; row <= last; ++row)
                    m_nodes.insert(m_nodes.begin() + row, std::make_unique<ListNode>(ListNode{row}));
                RenumberFrom(from);
                endInsertRows();
            });
    for (const auto &[from, to] : pairs) {
        const int row = first + to;
        const CListItemArray &list = now.at(row);
        const bool heading = m_lists.at(row).m_strName != list.m_strName || m_lists.at(row).m_nIcon != list.m_nIcon;
        ReplaceItems(row, list);
        if (heading)
            emit dataChanged(ListIndex(row, 0), ListIndex(row, ColumnCount - 1));
    }
    m_lists = now;
}

void CListsModel::ReplaceItems(int row, const CListItemArray &now)
{
    const QList<CListItem> old = m_lists.at(row).m_items;
    const QList<CListItem> &items = now.m_items;
    if (old.isSharedWith(items)) {
        m_lists[row] = now;
        return;
    }
    // What lies between the common start and the common end is matched
    // item by item: an item found again keeps its row, and with it what the
    // user chose.
    const int common = int(std::min(old.size(), items.size()));
    int head = 0;
    while (head < common && ListMatch::Identical(old.at(head), items.at(head)))
        ++head;
    int tail = 0;
    while (tail < common - head
           && ListMatch::Identical(old.at(old.size() - 1 - tail), items.at(items.size() - 1 - tail)))
        ++tail;
    const int removed = int(old.size()) - head - tail;
    const int inserted = int(items.size()) - head - tail;
    // Most changes of many rows only tick, only remove or only insert:
    // their pairs are found in one pass, where matching the whole list
    // would hash every item of it.
    Pairs pairs;
    if (removed > 0 && removed == inserted && SameEntries(old, items, head, removed)) {
        pairs.reserve(removed);
        for (int i = 0; i < removed; ++i)
            pairs.append({i, i});
    } else if (removed > 0 && inserted > 0 && removed != inserted) {
        pairs = Kept(old, items, head, removed, inserted);
    }
    if (pairs.isEmpty() && removed > 0 && inserted > 0) {
        const QList<qsizetype> match = ListMatch::MatchItems(Part(old, head, removed), Part(items, head, inserted));
        qsizetype last = -1;
        for (int i = 0; i < match.size(); ++i) {
            if (match.at(i) > last) {
                last = match.at(i);
                pairs.append({i, int(last)});
            }
        }
    }
    if (NoticeCount(removed, inserted, pairs) > kMostNotices)
        pairs.clear();
    const QModelIndex parent = ListIndex(row);
    Apply(
            head, removed, inserted, pairs,
            [this, row, &parent](int from, int last) {
                beginRemoveRows(parent, from, last);
                m_lists[row].m_items.remove(from, last - from + 1);
                endRemoveRows();
            },
            [this, row, &parent, &items](int from, int last) {
                beginInsertRows(parent, from, last);
                QList<CListItem> &shown = m_lists[row].m_items;
                QList<CListItem> after = shown.first(from);
                after.append(items.mid(from, last - from + 1));
                after.append(shown.sliced(from));
                shown = after;
                endInsertRows();
            });
    m_lists[row] = now;
    // The items found again that changed (a tick, an edit): one notice from
    // the first to the last, over the columns that changed; the rows between
    // that did not change are the same when asked again. Untick All on a
    // long list is then one notice, not one per ticked item.
    int top = -1;
    int bottom = -1;
    int left = ColumnCount;
    int right = -1;
    for (const auto &[from, to] : pairs) {
        const CListItem &was = old.at(head + from);
        const CListItem &is = items.at(head + to);
        if (ListMatch::Identical(was, is))
            continue;
        if (top < 0)
            top = head + to;
        bottom = head + to;
        const auto [first, last] = ChangedColumns(was, is);
        left = std::min(left, first);
        right = std::max(right, last);
    }
    if (top >= 0)
        emit dataChanged(index(top, left, parent), index(bottom, right, parent));
}
