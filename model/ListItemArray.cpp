#include "model/ListItemArray.h"
#include "model/SortedAdd.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <limits>
#include <string>
#include <string_view>
#include <type_traits>

int CompareItemNames(QAnyStringView a, QAnyStringView b)
{
    // Two one-byte texts are compared through Qt's Latin-1 table, which
    // leaves the micro sign as it is where UTF-16 folds it to mu: such a
    // pair takes the way of the texts as QString, so that the order stays
    // the one lists were saved in.
    const auto micro = [](QAnyStringView s) {
        return s.visit([](auto view) {
            if constexpr (std::is_same_v<decltype(view), QLatin1StringView>)
                return view.contains(QLatin1Char('\xB5'));
            else
                return false;
        });
    };
    const auto latin1 = [](QAnyStringView s) {
        return s.visit([](auto view) { return std::is_same_v<decltype(view), QLatin1StringView>; });
    };
    if (micro(a) || micro(b)) {
        if (latin1(a) && latin1(b))
            return QString::compare(a.toString(), b.toString(), Qt::CaseInsensitive);
    }
    return QAnyStringView::compare(a, b, Qt::CaseInsensitive);
}

namespace {

// Appends to `key` the name as CompareItemNames folds it, so that keys in
// the order of their values, a shorter one first where one begins the
// other, are in the order of the names; no more than `limit` characters.
void AppendNameKey(QAnyStringView name, std::u32string &key, size_t limit)
{
    // A surrogate pair's second half is folded as the whole character, so
    // that its value may lie beyond 16 bits.
    name.visit([&key, limit](auto view) {
        if constexpr (std::is_same_v<decltype(view), QLatin1StringView>) {
            // Looked up in a table of its own: sorting a long list folds
            // every letter of every name.
            static const std::array<char32_t, 256> folded = [] {
                std::array<char32_t, 256> table{};
                for (char32_t c = 0; c < 256; ++c)
                    table[c] = QChar::toCaseFolded(c);
                return table;
            }();
            for (const char c : view.first(qsizetype(std::min(size_t(view.size()), limit))))
                key.push_back(folded[uchar(c)]);
        } else if constexpr (std::is_same_v<decltype(view), QStringView>) {
            char32_t last = 0;
            for (const QChar c : view.first(qsizetype(std::min(size_t(view.size()), limit)))) {
                const char32_t unit = c.unicode();
                const char32_t ucs4 = QChar::isLowSurrogate(unit) && QChar::isHighSurrogate(last)
                        ? QChar::surrogateToUcs4(char16_t(last), char16_t(unit))
                        : unit;
                last = unit;
                key.push_back(QChar::toCaseFolded(ucs4));
            }
        } else {
            AppendNameKey(view.toString(), key, limit);
        }
    });
}

} // namespace

std::vector<quint32> NameRanks(const QList<CListItem> &items)
{
    const size_t n = size_t(items.size());
    constexpr size_t kAll = std::numeric_limits<size_t>::max();

    // The first eight characters of each key, packed so that most names
    // are put in order by two numbers, without their whole keys: a key
    // shorter than eight as followed by zeros, and a character from 0xFFFF
    // up as 0xFFFF in its place and every place after it, so that a head
    // never orders two keys otherwise than the keys do. Where two heads are
    // equal the keys decide.
    struct Entry
    {
        quint64 high;
        quint64 low;
        quint32 item;
    };
    std::vector<Entry> order(n);
    std::u32string key;
    for (size_t i = 0; i < n; ++i) {
        key.clear();
        AppendNameKey(items.at(qsizetype(i)).m_strName.View(), key, 8);
        quint64 head[2] = {0, 0};
        bool full = false;
        for (size_t c = 0; c < 8; ++c) {
            full = full || (c < key.size() && key[c] >= 0xFFFF);
            const quint64 value = full ? 0xFFFF : c < key.size() ? key[c] : 0;
            head[c / 4] = head[c / 4] << 16 | value;
        }
        order[i] = {head[0], head[1], quint32(i)};
    }
    const auto headLess = [](const Entry &a, const Entry &b) {
        return a.high != b.high ? a.high < b.high : a.low < b.low;
    };
    std::sort(order.begin(), order.end(), headLess);

    std::vector<quint32> ranks(n);
    quint32 rank = 0;
    std::u32string chars;
    std::vector<size_t> starts;
    std::vector<quint32> run;
    for (size_t from = 0; from < n;) {
        size_t to = from + 1;
        while (to < n && !headLess(order[from], order[to]))
            ++to;
        if (from > 0)
            ++rank;
        if (to - from == 1) {
            ranks[order[from].item] = rank;
            from = to;
            continue;
        }
        // Names alike in their first eight characters: their whole keys.
        chars.clear();
        starts.clear();
        for (size_t k = from; k < to; ++k) {
            starts.push_back(chars.size());
            AppendNameKey(items.at(qsizetype(order[k].item)).m_strName.View(), chars, kAll);
        }
        starts.push_back(chars.size());
        run.resize(to - from);
        for (size_t k = 0; k < run.size(); ++k)
            run[k] = quint32(k);
        const auto keyOf = [&](quint32 k) {
            return std::u32string_view(chars).substr(starts[k], starts[k + 1] - starts[k]);
        };
        std::sort(run.begin(), run.end(), [&](quint32 a, quint32 b) { return keyOf(a) < keyOf(b); });
        for (size_t k = 0; k < run.size(); ++k) {
            if (k > 0 && keyOf(run[k - 1]) < keyOf(run[k]))
                ++rank;
            ranks[order[from + run[k]].item] = rank;
        }
        from = to;
    }
    return ranks;
}

CListItem CListItemArray::GetItem(qsizetype index) const
{
    if (index < 0 || index >= m_items.size())
        return CListItem();
    return m_items.at(index);
}

void CListItemArray::SetItem(qsizetype index, CListItem item)
{
    Q_ASSERT(index >= 0 && index < m_items.size());
    if (index >= 0 && index < m_items.size())
        m_items[index] = std::move(item);
}

double CListItemArray::Total() const
{
    double total = 0.0;
    for (const CListItem &item : m_items)
        total += item.m_dPrice;
    return total;
}

CListItemArray::Split CListItemArray::TotalSplit() const
{
    Split split;
    for (const CListItem &item : m_items) {
        (item.m_bDone ? split.done : split.left) += item.m_dPrice;
        split.anyDone = split.anyDone || item.m_bDone;
    }
    return split;
}

void CListItemArray::AddItemSorted(CListItem item)
{
    // The walk stops at the first greater name; it does not assume the list
    // is already in order.
    for (qsizetype i = 0; i < m_items.size(); ++i) {
        if (CompareItemNames(m_items.at(i).m_strName.View(), item.m_strName.View()) > 0) {
            m_items.insert(i, std::move(item));
            return;
        }
    }
    m_items.append(std::move(item));
}

namespace {

constexpr qsizetype kUnitsPerLook = 4096; // work between two looks at the clock

bool NameLess(const CListItem &a, const CListItem &b)
{
    return CompareItemNames(a.m_strName.View(), b.m_strName.View()) < 0;
}

} // namespace

void AddItemsSorted(CListItemArray &list, QList<CListItem> items)
{
    QList<CListItem> &rows = list.m_items;
    // One item after the other, each put after the names equal to its own,
    // lands exactly where a merge puts them; one by one, ten thousand pasted
    // lines moved a long list ten thousand times.
    std::stable_sort(items.begin(), items.end(), NameLess);
    if (std::is_sorted(rows.cbegin(), rows.cend(), NameLess)) {
        QList<CListItem> merged;
        merged.reserve(rows.size() + items.size());
        std::merge(std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()),
                   std::make_move_iterator(items.begin()), std::make_move_iterator(items.end()),
                   std::back_inserter(merged), NameLess);
        rows = std::move(merged);
        return;
    }
    // Out of order, AddItemSorted's walk stops at the first name greater
    // than the new one; that is always a row greater than every row before
    // it. Each new item goes before the first such row greater than itself,
    // after the new items less than or equal to it, as one by one.
    QList<qsizetype> peaks; // the rows greater than every row before them
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (peaks.isEmpty() || NameLess(rows.at(peaks.last()), rows.at(i)))
            peaks.append(i);
    }
    QList<CListItem> merged;
    merged.reserve(rows.size() + items.size());
    qsizetype next = 0; // the next new item
    qsizetype peak = 0;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (peak < peaks.size() && peaks.at(peak) == i) {
            while (next < items.size() && NameLess(items.at(next), rows.at(i)))
                merged.append(std::move(items[next++]));
            ++peak;
        }
        merged.append(std::move(rows[i]));
    }
    while (next < items.size())
        merged.append(std::move(items[next++]));
    rows = std::move(merged);
}

CSortedListBuilder::CSortedListBuilder() = default;
CSortedListBuilder::~CSortedListBuilder() = default;

void CSortedListBuilder::Add(CListItem item)
{
    Q_ASSERT(m_stage == Stage::Adding);
    m_items.append(std::move(item));
    if (m_items.size() % kBlock == 0)
        SortBlock(m_items.size() - kBlock);
}

void CSortedListBuilder::Clear()
{
    Q_ASSERT(m_stage == Stage::Adding);
    m_items.clear();
}

void CSortedListBuilder::SortBlock(qsizetype start)
{
    const auto first = m_items.begin() + start;
    std::stable_sort(first, first + qMin(kBlock, m_items.size() - start), NameLess);
}

void CSortedListBuilder::StartMerge()
{
    const qsizetype n = m_items.size();
    Q_ASSERT(n <= qsizetype(std::numeric_limits<quint32>::max()));
    if (n % kBlock != 0)
        SortBlock(n - n % kBlock); // the last block, which is not full
    const qsizetype blocks = (n + kBlock - 1) / kBlock;
    if (blocks <= 1) {
        m_stage = Stage::Done; // one block is in order already
        return;
    }
    m_next.resize(size_t(blocks));
    m_heap.resize(size_t(blocks));
    for (qsizetype b = 0; b < blocks; ++b) {
        m_next[size_t(b)] = b * kBlock;
        m_heap[size_t(b)] = quint32(b);
    }
    std::make_heap(m_heap.begin(), m_heap.end(), [this](quint32 a, quint32 b) { return HeapAfter(a, b); });
    m_order.reserve(size_t(n));
    m_stage = Stage::Merging;
}

bool CSortedListBuilder::Sort(const QDeadlineTimer &until)
{
    if (m_stage == Stage::Adding)
        StartMerge();
    for (;;) {
        qsizetype budget = kUnitsPerLook;
        while (budget > 0 && m_stage != Stage::Done) {
            if (m_stage == Stage::Merging)
                MergeStep(budget);
            else
                PlaceStep(budget);
        }
        if (m_stage == Stage::Done || until.hasExpired())
            return m_stage == Stage::Done;
    }
}

bool CSortedListBuilder::HeapAfter(quint32 a, quint32 b) const
{
    // The heap's top is the block whose next item comes first: the smaller
    // name, and of equal names the earlier block, so that the sort is stable.
    const int c = CompareItemNames(m_items.at(m_next[a]).m_strName.View(), m_items.at(m_next[b]).m_strName.View());
    return c > 0 || (c == 0 && a > b);
}

bool CSortedListBuilder::MergeStep(qsizetype &budget)
{
    const qsizetype n = m_items.size();
    const auto after = [this](quint32 a, quint32 b) { return HeapAfter(a, b); };
    while (budget > 0 && !m_heap.empty()) {
        std::pop_heap(m_heap.begin(), m_heap.end(), after);
        const quint32 block = m_heap.back();
        m_order.push_back(quint32(m_next[block]++));
        if (m_next[block] < qMin((qsizetype(block) + 1) * kBlock, n))
            std::push_heap(m_heap.begin(), m_heap.end(), after);
        else
            m_heap.pop_back();
        --budget;
        ++m_workDone;
    }
    if (!m_heap.empty())
        return false;
    m_next = {};
    m_stage = Stage::Placing;
    return true;
}

bool CSortedListBuilder::PlaceStep(qsizetype &budget)
{
    // Each item moves once, straight to its place, following the cycles of
    // the order; a place is marked done by pointing at itself.
    const qsizetype n = m_items.size();
    CListItem *items = m_items.data();
    while (budget > 0) {
        if (m_cycleAt < 0) {
            while (m_cycleStart < n && m_order[size_t(m_cycleStart)] == quint32(m_cycleStart))
                ++m_cycleStart;
            if (m_cycleStart >= n) {
                m_order = {};
                m_carried = CListItem();
                m_stage = Stage::Done;
                return true;
            }
            m_carried = std::move(items[m_cycleStart]);
            m_cycleAt = m_cycleStart;
        }
        const qsizetype source = m_order[size_t(m_cycleAt)];
        m_order[size_t(m_cycleAt)] = quint32(m_cycleAt);
        if (source == m_cycleStart) {
            items[m_cycleAt] = std::move(m_carried);
            m_cycleAt = -1;
        } else {
            items[m_cycleAt] = std::move(items[source]);
            m_cycleAt = source;
        }
        --budget;
        ++m_workDone;
    }
    return false;
}

double CSortedListBuilder::SortProgress() const
{
    const qsizetype n = m_items.size();
    if (m_stage == Stage::Done || n == 0)
        return 1.0;
    // Each item is merged once and placed at most once.
    return qMin(1.0, double(m_workDone) / double(2 * n));
}

QList<CListItem> CSortedListBuilder::TakeSorted()
{
    Sort(QDeadlineTimer(QDeadlineTimer::Forever));
    QList<CListItem> items = std::move(m_items);
    m_items.clear();
    m_stage = Stage::Adding;
    m_workDone = 0;
    m_cycleStart = 0;
    return items;
}
