#include "ical/ItemFields.h"

#include "ical/IcalText.h"
#include "platform/NumberText.h"

namespace ItemFields {

bool Same(Field field, const CListItem &a, const CListItem &b)
{
    switch (field) {
    case Name:
        return a.m_strName == b.m_strName || IcalText::Clean(a.m_strName) == IcalText::Clean(b.m_strName);
    case Description:
        return a.m_strDesc == b.m_strDesc || IcalText::Clean(a.m_strDesc) == IcalText::Clean(b.m_strDesc);
    case Price:
        return NumberText::FormatFixed2(a.m_dPrice) == NumberText::FormatFixed2(b.m_dPrice);
    case Date:
        return a.m_bDated == b.m_bDated && (!a.m_bDated || a.m_time == b.m_time);
    case Icon:
        return a.m_nIcon == b.m_nIcon;
    case Done:
        return a.m_bDone == b.m_bDone;
    }
    return false;
}

bool SameContent(const CListItem &a, const CListItem &b)
{
    for (Field f : kAll) {
        if (!Same(f, a, b))
            return false;
    }
    return true;
}

void Copy(Field field, const CListItem &from, CListItem &to)
{
    switch (field) {
    case Name:
        to.m_strName = from.m_strName;
        break;
    case Description:
        to.m_strDesc = from.m_strDesc;
        break;
    case Price:
        to.m_dPrice = from.m_dPrice;
        break;
    case Date:
        to.m_bDated = from.m_bDated;
        // An undated item keeps its own time, which nobody sees.
        if (from.m_bDated)
            to.m_time = from.m_time;
        break;
    case Icon:
        to.m_nIcon = from.m_nIcon;
        break;
    case Done:
        to.m_bDone = from.m_bDone;
        break;
    }
}

} // namespace ItemFields
