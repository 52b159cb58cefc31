#pragma once

class CListItem;
class CListItemArray;
class QMimeData;

// A list, or one item, as text for the clipboard: text/plain, and
// text/markdown as a task list that notes and chat programs show as a
// checklist. Prices and dates keep the export's fixed forms, so that a
// shared list reads the same in every language; only "Total: " is
// translated. The caller owns the result (QClipboard::setMimeData takes it).
namespace ListText {

// The list's name, a line per item ("[x] " or "[ ] ", the name, then two
// spaces and the price where it is not zero, two spaces and the date where
// the item is dated), and "Total: " with the total where it is not zero.
QMimeData *ToMimeData(const CListItemArray &list);

// The item's line alone: pasted among other lines it stays one entry of a
// checklist, and its price is already on it.
QMimeData *ToMimeData(const CListItem &item);

} // namespace ListText
