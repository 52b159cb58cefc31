#include "model/UnsavedChanges.h"

#include "model/ListMatch.h"
#include "res/Tr.h"

namespace UnsavedChanges {

namespace {

using ListMatch::Identical;
using ListMatch::SameEntry;
using Kind = Note::Kind;

// Whether `current` differs from `saved` in done marks only.
bool TicksOnly(const CListItemArray &saved, const CListItemArray &current)
{
    if (saved.m_strName != current.m_strName || saved.m_nIcon != current.m_nIcon
        || saved.m_items.size() != current.m_items.size())
        return false;
    for (qsizetype i = 0; i < saved.m_items.size(); ++i) {
        if (!SameEntry(saved.m_items.at(i), current.m_items.at(i)))
            return false;
    }
    return true;
}

// The items of one list that this window and the newer file both hold,
// merged into `out`, which starts as the newer list.
void MergeItems(const CListItemArray &saved, const CListItemArray &current,
                const CListItemArray &newer, CListItemArray &out, QList<Note> &notes)
{
    const QString &listName = saved.m_strName;
    if (TicksOnly(saved, current)) {
        // The usual case, and quick for a few ticks in long lists: each
        // ticked item is looked up alone.
        for (qsizetype i = 0; i < saved.m_items.size(); ++i) {
            const CListItem &before = saved.m_items.at(i);
            const CListItem &mine = current.m_items.at(i);
            if (mine.m_bDone == before.m_bDone)
                continue;
            const qsizetype t = ListMatch::FindItem(saved, i, newer);
            if (t < 0)
                notes.append({Kind::TickNotApplied, listName, before.m_strName, mine.m_bDone});
            else
                out.m_items[t] = MergeItem(before, mine, newer.m_items.at(t)).inPlace;
        }
        return;
    }
    const QList<qsizetype> here = ListMatch::MatchItems(saved, current);
    const QList<qsizetype> there = ListMatch::MatchItems(saved, newer);
    QList<bool> hereMatched(current.m_items.size(), false);
    QList<bool> thereMatched(newer.m_items.size(), false);
    QList<bool> removed(newer.m_items.size(), false);
    QList<CListItem> added;

    for (qsizetype i = 0; i < saved.m_items.size(); ++i) {
        const CListItem &before = saved.m_items.at(i);
        const qsizetype h = here.at(i);
        const qsizetype t = there.at(i);
        if (h >= 0)
            hereMatched[h] = true;
        if (t >= 0)
            thereMatched[t] = true;
        if (h >= 0 && Identical(current.m_items.at(h), before))
            continue; // not changed here: the newer version stands
        if (h < 0) { // removed here
            if (t >= 0 && !Identical(newer.m_items.at(t), before))
                notes.append({Kind::KeptChangedThere, listName, before.m_strName});
            else if (t >= 0)
                removed[t] = true;
            continue;
        }
        const CListItem &mine = current.m_items.at(h);
        if (t < 0) { // removed there
            if (SameEntry(mine, before)) {
                notes.append({Kind::TickNotApplied, listName, before.m_strName, mine.m_bDone});
            } else {
                added.append(mine);
                notes.append({Kind::KeptChangedHere, listName, before.m_strName});
            }
            continue;
        }
        const ItemMerge merged = MergeItem(before, mine, newer.m_items.at(t));
        out.m_items[t] = merged.inPlace;
        if (merged.mineBeside) {
            added.append(mine);
            notes.append({Kind::KeptBoth, listName, before.m_strName});
        }
    }

    // Items added here, once when the newer list added the very same.
    for (qsizetype h = 0; h < current.m_items.size(); ++h) {
        if (hereMatched.at(h))
            continue;
        const CListItem &mine = current.m_items.at(h);
        qsizetype twin = -1;
        for (qsizetype t = 0; t < newer.m_items.size() && twin < 0; ++t) {
            if (!thereMatched.at(t) && SameEntry(newer.m_items.at(t), mine))
                twin = t;
        }
        if (twin < 0) {
            added.append(mine);
            continue;
        }
        thereMatched[twin] = true;
        out.m_items[twin].m_bDone = out.m_items.at(twin).m_bDone || mine.m_bDone;
    }

    if (removed.contains(true)) {
        QList<CListItem> kept;
        kept.reserve(out.m_items.size());
        for (qsizetype t = 0; t < out.m_items.size(); ++t) {
            if (!removed.at(t))
                kept.append(out.m_items.at(t));
        }
        out.m_items = std::move(kept);
    }
    for (CListItem &item : added)
        out.AddItemSorted(std::move(item));
}

// What a line is about: an item in its list, or a whole list.
QString Subject(const Note &note)
{
    return note.item.isEmpty() ? Tr::tr("The list '%1'").arg(note.list)
                               : Tr::tr("'%1' in '%2'").arg(note.item, note.list);
}

} // namespace

ItemMerge MergeItem(const CListItem &saved, const CListItem &mine, const CListItem &newer)
{
    if (Identical(newer, saved))
        return {mine};
    if (Identical(mine, saved))
        return {newer};
    const bool tickedHere = SameEntry(mine, saved);
    if (SameEntry(newer, saved) && !tickedHere) {
        // Edited here, only ticked there: the edit with the newer done mark,
        // unless the edit changed the done mark too.
        CListItem item = mine;
        if (mine.m_bDone == saved.m_bDone)
            item.m_bDone = newer.m_bDone;
        return {item};
    }
    if (tickedHere || SameEntry(mine, newer)) {
        // Ticked here, or the same edit on both sides.
        CListItem item = newer;
        if (mine.m_bDone != saved.m_bDone)
            item.m_bDone = mine.m_bDone;
        return {item};
    }
    return {newer, true};
}

Result PutOnto(const CListCollection &newer, const CListCollection &saved,
               const CListCollection &current)
{
    Result result;
    result.lists = newer;
    QList<bool> hereMatched(current.size(), false);
    QList<bool> thereMatched(newer.size(), false);
    QList<bool> removed(newer.size(), false);
    CListCollection added;

    for (qsizetype l = 0; l < saved.size(); ++l) {
        const CListItemArray &before = saved.at(l);
        const qsizetype occurrence = ListMatch::ListOccurrence(saved, l);
        const qsizetype h = ListMatch::NthListNamed(current, before.m_strName, occurrence);
        const qsizetype t = ListMatch::NthListNamed(newer, before.m_strName, occurrence);
        if (h >= 0)
            hereMatched[h] = true;
        if (t >= 0)
            thereMatched[t] = true;
        if (h >= 0 && Identical(current.at(h), before))
            continue;
        const bool changedThere = t >= 0 && !Identical(newer.at(t), before);
        if (h < 0) { // removed (or renamed) here
            if (changedThere)
                result.notes.append({Kind::KeptChangedThere, before.m_strName, QString()});
            else if (t >= 0)
                removed[t] = true;
            continue;
        }
        const CListItemArray &mine = current.at(h);
        if (t < 0) { // removed (or renamed) there
            if (!TicksOnly(before, mine)) {
                added.append(mine);
                result.notes.append({Kind::KeptChangedHere, before.m_strName, QString()});
                continue;
            }
            for (qsizetype i = 0; i < before.m_items.size(); ++i) {
                const bool done = mine.m_items.at(i).m_bDone;
                if (done != before.m_items.at(i).m_bDone)
                    result.notes.append({Kind::TickNotApplied, before.m_strName,
                                         before.m_items.at(i).m_strName, done});
            }
            continue;
        }
        CListItemArray &out = result.lists[t];
        if (mine.m_nIcon != before.m_nIcon)
            out.m_nIcon = mine.m_nIcon;
        MergeItems(before, mine, newer.at(t), out, result.notes);
    }

    // Lists added here, once when the newer file added the very same.
    for (qsizetype h = 0; h < current.size(); ++h) {
        if (hereMatched.at(h))
            continue;
        qsizetype twin = -1;
        for (qsizetype t = 0; t < newer.size() && twin < 0; ++t) {
            if (!thereMatched.at(t) && Identical(newer.at(t), current.at(h)))
                twin = t;
        }
        if (twin >= 0)
            thereMatched[twin] = true;
        else
            added.append(current.at(h));
    }

    if (removed.contains(true)) {
        CListCollection kept;
        for (qsizetype t = 0; t < result.lists.size(); ++t) {
            if (!removed.at(t))
                kept.append(result.lists.at(t));
        }
        result.lists = std::move(kept);
    }
    result.lists.append(added);
    return result;
}

QString Describe(const QList<Note> &notes)
{
    if (notes.isEmpty())
        return QString();
    QStringList lines;
    lines.reserve(notes.size());
    bool ticksOnly = true;
    for (const Note &note : notes) {
        switch (note.kind) {
        case Kind::TickNotApplied:
            lines.append(note.done ? Tr::tr("'%1' in '%2' (ticked)").arg(note.item, note.list)
                                   : Tr::tr("'%1' in '%2' (tick removed)").arg(note.item, note.list));
            continue;
        case Kind::KeptBoth:
            lines.append(Tr::tr("%1 (changed here and there: both versions are kept)").arg(Subject(note)));
            break;
        case Kind::KeptChangedHere:
            lines.append(Tr::tr("%1 (removed there: kept as changed here)").arg(Subject(note)));
            break;
        case Kind::KeptChangedThere:
            lines.append(Tr::tr("%1 (changed there: kept, though removed here)").arg(Subject(note)));
            break;
        }
        ticksOnly = false;
    }
    if (ticksOnly) {
        return Tr::tr("Your lists were changed by another program or on another computer. "
                      "The newer lists are shown with your ticks on them, but for these "
                      "the item is no longer there:\n%1")
                .arg(lines.join(u'\n'));
    }
    return Tr::tr("Your lists were changed by another program or on another computer. "
                  "The newer lists are shown with your changes on them; these could "
                  "not be made as you made them:\n%1")
            .arg(lines.join(u'\n'));
}

} // namespace UnsavedChanges
