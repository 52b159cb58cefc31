#pragma once

class CListItemArray;
class QPrinter;

// The list on paper, for a person to take along: its name at the top of
// every page, a row per item with an empty or ticked box, the name, the
// description in smaller type, the date and the price, then the total;
// the pages are numbered when there are several. Black on white, in the
// platform's sans-serif; dates and prices as the item table shows them.
namespace ListPrint {

// Prints the pages the user chose (all, or a range of them). False when the
// printer could not be started or finished, as with an output file that
// cannot be written.
bool Print(const CListItemArray &list, QPrinter &printer);

} // namespace ListPrint
