#pragma once

#include "model/ListItemArray.h"
#include "platform/CalendarTime.h"

#include <QString>

#include <initializer_list>

// Lists made in a line, so that a test says what it needs where it needs it:
//   Lists("Shop: Bread Milk* Milk/2l | DIY: Nails")
//   List("Trip", {Item("Tickets").Done().Dated(Local(2002, 3, 7, 13, 15))}).Icon(12)
namespace QuillmarkTest {

// Local time from calendar fields in the zone of the moment; warns (and
// gives 0) when the C library cannot build it.
CalendarTime Local(int year, int month, int day, int hour, int minute, int second = 0);
// A moment as its local calendar fields, "2002-3-7 13:15:0".
QString LocalText(CalendarTime t);

// An item: not done, no price, icon 6, undated with time 0 unless told.
struct Item : CListItem
{
    explicit Item(const QString &name = {});
    Item &Done(bool done = true) { m_bDone = done; return *this; }
    Item &Price(double price) { m_dPrice = price; return *this; }
    Item &Icon(qint32 icon) { m_nIcon = icon; return *this; }
    Item &Desc(const QString &desc) { SetDescription(desc); return *this; }
    // Dated at `t` (or not, where `dated` is false); Time(t) keeps it undated.
    Item &Dated(CalendarTime t, bool dated = true) { m_bDated = dated; m_time = t; return *this; }
    Item &Time(CalendarTime t) { m_time = t; return *this; }
};

// A list of the given items in the given order; icon 0 unless told.
struct List : CListItemArray
{
    explicit List(const QString &name = {}, std::initializer_list<CListItem> items = {});
    List &Icon(qint32 icon) { m_nIcon = icon; return *this; }
};

// Lists written as text, so that a case reads as what a person sees:
// "Shop: Bread Milk* Milk/2l | DIY: Nails" is two lists; an item is a word,
// "*" marks it done, "/word" gives it a description; "" is no list at all.
CListCollection Lists(const QString &text);
QString Print(const CListCollection &lists);

// Three lists: groceries with prices (Bread 1.50, Milk 2.25 done, Salt),
// a trip with a dated, done item (Tickets, Packing), an empty list.
CListCollection SampleLists();

// A few lists with what a file can hold: empty and long names, text beyond
// Latin-1 (a surrogate pair too), line breaks, an empty list, negative and
// fractional prices, icon -1, undated items. Small enough to cut at every byte.
CListCollection RichSample();

// A collection no test file holds: what a read must leave alone when it
// cannot even get the list count.
CListCollection Sentinel();

} // namespace QuillmarkTest
