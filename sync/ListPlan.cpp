#include "sync/ListPlan.h"

#include "sync/DavRequests.h"
#include "ical/ItemFields.h"
#include "ical/VtodoMap.h"

#include <QHash>
#include <QSet>

using DavRequests::HrefKey;
using DavRequests::NewUid;

namespace {

bool SameItemsAsAgreed(const SyncList &list, const SyncStateList &agreed)
{
    if (list.name != agreed.name || list.items.size() != agreed.items.size())
        return false;
    for (const SyncItem &item : list.items) {
        const SyncStateItem *was = agreed.Item(item.uid);
        if (!was)
            return false;
        const std::optional<VtodoMap::Todo> read = VtodoMap::Read(was->ics);
        if (!read || !ItemFields::SameContent(read->item, item.item))
            return false;
    }
    return true;
}

} // namespace

QList<ListJob> PlanLists(const QUrl &home, const QList<SyncList> &local, const SyncState &old,
                         const QList<ServerList> &server)
{
    QList<ListJob> jobs;
    QHash<QString, int> byHref;
    for (int i = 0; i < server.size(); ++i)
        byHref.insert(HrefKey(home, server.at(i).href), i);
    QList<bool> taken(server.size(), false);
    QSet<QString> localIds;
    for (const SyncList &list : local)
        localIds.insert(list.id);
    // Collections an agreed list holds are not open to matching by name.
    for (const SyncStateList &agreed : old.lists) {
        const int at = byHref.value(HrefKey(home, agreed.href), -1);
        if (at >= 0)
            taken[at] = true;
    }

    for (int l = 0; l < local.size(); ++l) {
        const SyncList &list = local.at(l);
        ListJob job;
        job.local = l;
        job.id = list.id;
        if (const SyncStateList *agreed = old.List(list.id)) {
            const int at = byHref.value(HrefKey(home, agreed->href), -1);
            if (at >= 0) {
                job.server = server.at(at);
                job.agreed = *agreed;
            } else if (SameItemsAsAgreed(list, *agreed)) {
                // Removed on the server and untouched here since: removed
                // here too.
                continue;
            } else {
                job.kind = ListJob::Upload;
            }
        } else {
            int match = -1;
            for (int s = 0; s < server.size() && match < 0; ++s) {
                if (!taken.at(s) && server.at(s).name == list.name)
                    match = s;
            }
            if (match >= 0) {
                taken[match] = true;
                job.server = server.at(match);
            } else {
                job.kind = ListJob::Upload;
            }
        }
        jobs << job;
    }
    // Lists removed here: gone from the server too where nothing changed
    // there since, else back here as the server holds them.
    for (const SyncStateList &agreed : old.lists) {
        if (localIds.contains(agreed.id))
            continue;
        const int at = byHref.value(HrefKey(home, agreed.href), -1);
        if (at < 0)
            continue;
        const ServerList &s = server.at(at);
        ListJob job;
        job.id = agreed.id;
        job.server = s;
        job.agreed = agreed;
        const bool untouched = (!s.syncToken.isEmpty() && s.syncToken == agreed.syncToken)
                || (!s.ctag.isEmpty() && s.ctag == agreed.ctag);
        job.kind = untouched ? ListJob::RemoveCollection : ListJob::Download;
        // Back whole as the server holds it: nothing of it is agreed here.
        if (job.kind == ListJob::Download)
            job.agreed.reset();
        jobs << job;
    }
    for (int s = 0; s < server.size(); ++s) {
        if (taken.at(s))
            continue;
        ListJob job;
        job.kind = ListJob::Download;
        job.server = server.at(s);
        job.id = NewUid();
        jobs << job;
    }
    return jobs;
}
