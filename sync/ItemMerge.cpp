#include "sync/ItemMerge.h"

#include "ical/ItemFields.h"

namespace ItemMerge {

using namespace ItemFields;

Outcome Merge(const std::optional<CListItem> &base, const std::optional<CListItem> &local,
              const std::optional<CListItem> &server)
{
    Outcome out;
    if (!local && !server) {
        out.removed = true;
        return out;
    }
    if (!local || !server) {
        const CListItem &kept = local ? *local : *server;
        // Untouched where the other side removed it: removed on both.
        out.removed = base && SameContent(*base, kept);
        out.item = kept;
        return out;
    }

    out.item = *local;
    bool twice = false;
    for (Field f : kAll) {
        if (Same(f, *local, *server))
            continue;
        const bool localChanged = !base || !Same(f, *base, *local);
        const bool serverChanged = !base || !Same(f, *base, *server);
        if (!localChanged) {
            Copy(f, *server, out.item);
        } else if (!serverChanged) {
            // This computer's value stays.
        } else if (f == Done) {
            out.item.m_bDone = true;
        } else if (f == Icon) {
            // Not worth a second item: this computer's icon stays.
        } else {
            twice = true;
        }
    }
    if (twice)
        out.second = *server;
    return out;
}

} // namespace ItemMerge
