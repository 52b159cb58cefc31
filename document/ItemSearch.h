#pragma once

#include "model/ListItemArray.h"

#include <QAnyStringView>
#include <QList>
#include <QString>

// Finding items by a piece of their name or description, as the user types
// it: without regard to case or accents, so that "cafe" finds "Café" and
// "MILK" finds "Milk". The texts are compared as they are, character by
// character through one table, never copied: a folded copy of every text
// would cost as much memory again as the lists.
namespace ItemSearch {

// An item of a collection: its list's index and its index in the list.
struct Found
{
    int list = -1;
    int item = -1;

    friend auto operator<=>(const Found &, const Found &) = default;
};

// The text as the search compares it: each character without its accents
// and its case, the marks that only carry accents left out.
QString Fold(const QString &text);
// Whether `text`, folded, contains `folded`, itself the result of Fold. An
// empty `folded` is found nowhere.
bool Contains(QAnyStringView text, const QString &folded);
// Whether the item's name or description contains `folded`.
bool Matches(const CListItem &item, const QString &folded);

// The items of all lists that match, in the lists' order.
QList<Found> Find(const CListCollection &lists, const QString &folded);
// The same among `among` only, which must hold every match: the matches of a
// text the new one extends, for instance.
QList<Found> FindAmong(const CListCollection &lists, const QString &folded, const QList<Found> &among);

} // namespace ItemSearch
