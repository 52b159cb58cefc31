#include "model/ListMatch.h"

#include <cstring>

namespace ListMatch {

bool SameEntry(const CListItem &a, const CListItem &b)
{
    // Prices by their bits: a file can hold a price that is no number, and
    // that item is still the same entry as its copy.
    return a.m_strName == b.m_strName && a.m_strDesc == b.m_strDesc && a.m_nIcon == b.m_nIcon
            && a.m_bDated == b.m_bDated && a.m_time == b.m_time
            && std::memcmp(&a.m_dPrice, &b.m_dPrice, sizeof(double)) == 0;
}

qsizetype ListOccurrence(const CListCollection &lists, qsizetype index)
{
    const QString &name = lists.at(index).m_strName;
    qsizetype n = 0;
    for (qsizetype i = 0; i < index; ++i) {
        if (lists.at(i).m_strName == name)
            ++n;
    }
    return n;
}

qsizetype NthListNamed(const CListCollection &lists, const QString &name, qsizetype n)
{
    for (qsizetype i = 0; i < lists.size(); ++i) {
        if (lists.at(i).m_strName == name && n-- == 0)
            return i;
    }
    return -1;
}

} // namespace ListMatch
