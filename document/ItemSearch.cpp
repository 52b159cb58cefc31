#include "document/ItemSearch.h"

#include <array>
#include <type_traits>

namespace ItemSearch {

namespace {

// Each UTF-16 code unit as the search compares it; 0 for a mark that is
// left out. Made at the first search, not at the start.
class FoldTable
{
public:
    FoldTable()
    {
        for (char32_t c = 0; c < m_table.size(); ++c)
            m_table[c] = FoldOne(c);
    }

    char16_t operator[](QChar c) const { return m_table[c.unicode()]; }
    char16_t operator[](char16_t c) const { return m_table[c]; }
    char16_t operator[](uchar c) const { return m_table[c]; }

private:
    static char16_t FoldOne(char32_t c)
    {
        if (QChar::isSurrogate(c))
            return char16_t(c); // compared as they are
        switch (QChar::category(c)) {
        case QChar::Mark_NonSpacing:
        case QChar::Mark_SpacingCombining:
        case QChar::Mark_Enclosing:
            return 0;
        default:
            break;
        }
        // A Hangul syllable is a letter of its own, not its first sound.
        if (c >= 0xAC00 && c <= 0xD7A3)
            return char16_t(c);
        // "é" is "e" and an accent, "Ａ" (full width) is "A": a canonical
        // decomposition leads to its base letter, another one only where it
        // is a single character ("ﬁ" stays, as no one letter stands for it).
        for (;;) {
            const QString parts = QChar::decomposition(c);
            if (parts.isEmpty() || (QChar::decompositionTag(c) != QChar::Canonical && parts.size() != 1)
                || parts.at(0).isSurrogate())
                break;
            c = parts.at(0).unicode();
        }
        const char32_t folded = QChar::toCaseFolded(c);
        return folded <= 0xFFFF && !QChar::isSurrogate(folded) ? char16_t(folded) : char16_t(c);
    }

    std::array<char16_t, 0x10000> m_table{};
};

const FoldTable &Table()
{
    static const FoldTable table;
    return table;
}

} // namespace

QString Fold(const QString &text)
{
    const FoldTable &table = Table();
    QString folded;
    folded.reserve(text.size());
    for (const QChar c : text) {
        if (const char16_t f = table[c])
            folded.append(QChar(f));
    }
    return folded;
}

namespace {

// Over the code units of either form a text is kept in: a Latin-1
// character is the UTF-16 code unit of the same number.
template<typename Unit>
bool ContainsIn(const Unit *hay, qsizetype n, const QString &folded)
{
    const qsizetype m = folded.size();
    if (m == 0)
        return false;
    const FoldTable &table = Table();
    const char16_t *needle = reinterpret_cast<const char16_t *>(folded.constData());
    const char16_t first = needle[0];
    for (qsizetype i = 0; i < n; ++i) {
        if (table[hay[i]] != first)
            continue;
        qsizetype at = i + 1;
        qsizetype matched = 1;
        while (matched < m) {
            if (at >= n)
                return false; // a later start has even less text left
            const char16_t f = table[hay[at++]];
            if (f == 0)
                continue; // an accent's mark between two letters
            if (f != needle[matched])
                break;
            ++matched;
        }
        if (matched == m)
            return true;
    }
    return false;
}

} // namespace

bool Contains(QAnyStringView text, const QString &folded)
{
    return text.visit([&folded](auto view) {
        using View = decltype(view);
        if constexpr (std::is_same_v<View, QLatin1StringView>) {
            return ContainsIn(reinterpret_cast<const uchar *>(view.data()), view.size(), folded);
        } else if constexpr (std::is_same_v<View, QStringView>) {
            return ContainsIn(view.utf16(), view.size(), folded);
        } else {
            const QString wide = view.toString();
            return ContainsIn(reinterpret_cast<const char16_t *>(wide.constData()), wide.size(), folded);
        }
    });
}

bool Matches(const CListItem &item, const QString &folded)
{
    return Contains(item.m_strName.View(), folded) || Contains(item.m_strDesc.View(), folded);
}

QList<Found> Find(const CListCollection &lists, const QString &folded)
{
    QList<Found> found;
    if (folded.isEmpty())
        return found;
    for (int l = 0; l < lists.size(); ++l) {
        const QList<CListItem> &items = lists.at(l).m_items;
        for (int i = 0; i < items.size(); ++i) {
            if (Matches(items.at(i), folded))
                found.append({l, i});
        }
    }
    return found;
}

QList<Found> FindAmong(const CListCollection &lists, const QString &folded, const QList<Found> &among)
{
    QList<Found> found;
    if (folded.isEmpty())
        return found;
    for (const Found &f : among) {
        if (Matches(lists.at(f.list).m_items.at(f.item), folded))
            found.append(f);
    }
    return found;
}

} // namespace ItemSearch
