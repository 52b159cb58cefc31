#pragma once

#include "model/ListItem.h"

#include <optional>

// One item merged field by field against the copy both sides last agreed
// on, as a sync does when this computer and the server both changed it:
// - a field changed on one side takes that side's value;
// - done changed on both sides ends done;
// - the name, description, price or date changed differently on both sides
//   keeps both versions: this computer's, with what the server alone
//   changed, and the server's as a second item (the user is told);
// - removed on one side and changed on the other: kept as changed;
// - removed on one side and untouched on the other: removed on both.
// Without an agreed copy (a first sync) every difference counts as changed
// on both sides.
namespace ItemMerge {

struct Outcome
{
    bool removed = false;            // gone on both sides
    CListItem item;                  // what both sides hold afterwards
    std::optional<CListItem> second; // the server's version, kept beside it
};

// A side's item is none where that side removed it.
Outcome Merge(const std::optional<CListItem> &base, const std::optional<CListItem> &local,
              const std::optional<CListItem> &server);

} // namespace ItemMerge
