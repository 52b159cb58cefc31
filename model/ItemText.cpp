#include "model/ItemText.h"

#include "platform/NumberText.h"
#include "res/Strings.h"

namespace ItemText {

QString Price(double price)
{
    return NumberText::FormatFixed2(price);
}

QString Date(const CListItem &item)
{
    return item.m_bDated ? item.GetDateText(true) : Str::NotDated();
}

QString DateAndTime(const CListItem &item)
{
    return item.GetDateText(false);
}

} // namespace ItemText
