#include "sync/SyncEngineRun.h"

#include "sync/DavRequests.h"
#include "ical/ItemFields.h"
#include "sync/ItemMerge.h"
#include "ical/VtodoMap.h"

using namespace DavRequests;

namespace {

// How often one item is read again after a 412 before the sync gives up.
constexpr int kMaxRetries = 3;

} // namespace

// Both sides of every item side by side, merged, and the writes that make
// the server agree.
void CSyncEngine::Run::Settle()
{
    if (m_over)
        return;
    ListWork &w = *m_work;
    const SyncList *local = w.job.local >= 0 ? &m_local.at(w.job.local) : nullptr;

    // The server's to-dos, by the href each lives at; objects without one
    // (events in a calendar that takes both) are not the lists' business.
    QHash<QString, VtodoMap::Todo> todos;
    QHash<QString, QString> hrefOfUid;
    for (auto it = w.objects.cbegin(); it != w.objects.cend(); ++it) {
        QString why;
        std::optional<VtodoMap::Todo> todo = VtodoMap::Read(it->ics, &why);
        if (!todo) {
            if (!it->ics.contains("BEGIN:VTODO"))
                continue;
            return Fail(QStringLiteral("the list \"%1\" on the server: %2").arg(w.name, why));
        }
        if (hrefOfUid.contains(todo->uid))
            return Fail(QStringLiteral("the list \"%1\" on the server holds two to-dos with one UID").arg(w.name));
        hrefOfUid.insert(todo->uid, it.key());
        todos.insert(it.key(), *todo);
    }

    QList<ItemWork> works;
    QSet<QString> serverSeen;
    QSet<QString> localSeen;
    QHash<QString, const SyncItem *> localByUid;
    if (local) {
        for (const SyncItem &item : local->items)
            localByUid.insert(item.uid, &item);
    }
    // What was agreed: each such item with both sides' present versions.
    if (w.job.agreed) {
        for (const SyncStateItem &agreed : w.job.agreed->items) {
            ItemWork work;
            work.uid = agreed.uid;
            work.href = agreed.href;
            work.baseIcs = agreed.ics;
            if (std::optional<VtodoMap::Todo> base = VtodoMap::Read(agreed.ics))
                work.base = base->item;
            if (const SyncItem *mine = localByUid.value(agreed.uid))
                work.local = mine->item;
            const QString key = HrefKey(m_home, agreed.href);
            if (w.objects.contains(key)) {
                work.server = w.objects.value(key);
                serverSeen.insert(key);
            }
            localSeen.insert(agreed.uid);
            works << work;
        }
    }
    // New on the server: the same identity here, or the same content in an
    // item not yet agreed (a first sync), or a new item.
    QList<const SyncItem *> unmatched;
    if (local) {
        for (const SyncItem &item : local->items) {
            if (!localSeen.contains(item.uid))
                unmatched << &item;
        }
    }
    for (auto it = todos.cbegin(); it != todos.cend(); ++it) {
        if (serverSeen.contains(it.key()))
            continue;
        ItemWork work;
        work.server = w.objects.value(it.key());
        work.href = work.server->href;
        // The same content first: an item that changed since is then
        // still found by its identity (a state file lost).
        qsizetype match = -1;
        for (qsizetype i = 0; i < unmatched.size() && match < 0; ++i) {
            if (ItemFields::SameContent(unmatched.at(i)->item, it->item))
                match = i;
        }
        for (qsizetype i = 0; i < unmatched.size() && match < 0; ++i) {
            if (unmatched.at(i)->uid == it->uid)
                match = i;
        }
        if (match >= 0) {
            work.uid = unmatched.at(match)->uid;
            work.local = unmatched.at(match)->item;
            unmatched.removeAt(match);
        } else {
            work.uid = localByUid.contains(it->uid) || m_work->merged.contains(it->uid) ? NewUid() : it->uid;
        }
        works << work;
    }
    // New here.
    for (const SyncItem *item : unmatched) {
        ItemWork work;
        work.uid = item->uid;
        work.local = item->item;
        work.href = w.collection.resolved(QUrl(PathName(item->uid) + QStringLiteral(".ics"))).path(QUrl::FullyEncoded);
        works << work;
    }
    for (ItemWork &work : works)
        Resolve(std::move(work));
    if (!m_over && m_inFlight == 0 && m_writeQueue.isEmpty())
        RenameIfNeeded();
}

void CSyncEngine::Run::Resolve(ItemWork work)
{
    if (m_over)
        return;
    ListWork &w = *m_work;
    std::optional<VtodoMap::Todo> server;
    if (work.server) {
        QString why;
        server = VtodoMap::Read(work.server->ics, &why);
        if (!server)
            return Fail(QStringLiteral("the list \"%1\" on the server: %2").arg(w.name, why));
    }
    const ItemMerge::Outcome out =
            ItemMerge::Merge(work.base, work.local, server ? std::optional<CListItem>(server->item) : std::nullopt);
    w.added.removeIf([&](const SyncItem &i) { return i.uid == work.uid; });

    if (out.removed) {
        w.removed.insert(work.uid);
        w.merged.remove(work.uid);
        if (!work.server) {
            if (!work.local)
                RecordProgress(SyncStateItem{work.uid, {}, {}, {}}, true);
            return;
        }
        Queue([this, work] {
            m_client->Send("DELETE", Url(work.server->href), QByteArray(), {{"If-Match", work.server->etag}},
                           [this, work](const DavReply &reply) {
                               if (m_over)
                                   return;
                               if (reply.status == 412)
                                   return ReadAgain(work);
                               if (reply.status != 404 && !Check(reply, QStringLiteral("removing an item on the server")))
                                   return;
                               if (!work.local)
                                   RecordProgress(SyncStateItem{work.uid, {}, {}, {}}, true);
                               Completed();
                           });
        });
        return;
    }

    w.removed.remove(work.uid);
    w.merged.insert(work.uid, out.item);
    if (!work.local)
        w.added << SyncItem{work.uid, out.item};
    // What needs no change here may be kept as agreed even if the sync
    // ends early; anything else is merged again next time.
    const bool matchesLocal = work.local && ItemFields::SameContent(*work.local, out.item);

    if (out.second) {
        // The server's version beside this one: its own object, with all
        // that other clients wrote, under a new UID.
        ItemWork copy;
        copy.uid = NewUid();
        copy.local = *out.second;
        copy.href = w.collection.resolved(QUrl(copy.uid + QStringLiteral(".ics"))).path(QUrl::FullyEncoded);
        const std::optional<QByteArray> ics = VtodoMap::WithNewUid(work.server->ics, copy.uid);
        if (!ics)
            return Fail(QStringLiteral("an item on the server could not be copied"));
        m_kept << KeptTwice{w.name, out.second->m_strName};
        w.added << SyncItem{copy.uid, *out.second};
        Queue([this, copy, ics] {
            Put(copy, *ics, [this, copy, ics](const DavReply &reply) {
                m_work->agreedItems << SyncStateItem{copy.uid, copy.href, reply.etag, *ics};
                Completed();
            });
        });
    }

    if (work.server && ItemFields::SameContent(server->item, out.item)) {
        const SyncStateItem agreed{work.uid, work.server->href, work.server->etag, work.server->ics};
        w.agreedItems << agreed;
        if (matchesLocal)
            RecordProgress(agreed, false);
        return;
    }
    // The server's object edited; where the server removed it and it is
    // kept, the object last agreed on, made again; else a new object.
    const QByteArray source = work.server ? work.server->ics : work.baseIcs;
    QByteArray ics;
    if (!source.isEmpty()) {
        QString why;
        const std::optional<QByteArray> updated = VtodoMap::Update(source, out.item, m_now, &why);
        if (!updated)
            return Fail(why);
        ics = *updated;
    } else {
        ics = VtodoMap::Create(out.item, work.uid, m_now);
    }
    Queue([this, work, ics, matchesLocal] {
        Put(work, ics, [this, work, ics, matchesLocal](const DavReply &reply) {
            const SyncStateItem agreed{work.uid, work.href, reply.etag, ics};
            m_work->agreedItems << agreed;
            if (matchesLocal)
                RecordProgress(agreed, false);
            Completed();
        });
    });
}

// A PUT with the condition that keeps another client's change: If-Match its
// ETag for an update, If-None-Match for a new object. A 412 reads the
// object again and merges once more.
void CSyncEngine::Run::Put(ItemWork work, const QByteArray &ics, std::function<void(const DavReply &)> then)
{
    CDavClient::Headers headers{{"Content-Type", "text/calendar; charset=utf-8"}};
    if (work.server)
        headers << qMakePair(QByteArray("If-Match"), work.server->etag);
    else
        headers << qMakePair(QByteArray("If-None-Match"), QByteArray("*"));
    m_client->Send("PUT", Url(work.href), ics, headers, [this, work, then](const DavReply &reply) {
        if (m_over)
            return;
        if (reply.status == 412)
            return ReadAgain(work);
        if (!Check(reply, QStringLiteral("writing an item to the server")))
            return;
        then(reply);
    });
}

// The write's place stays taken while the item is read again and merged.
void CSyncEngine::Run::ReadAgain(ItemWork work)
{
    if (++work.tries > kMaxRetries)
        return Fail(QStringLiteral("an item kept changing on the server while it was synced"), SyncFault::Changed);
    m_client->Send("GET", Url(work.href), QByteArray(), {}, [this, work](const DavReply &reply) mutable {
        if (m_over)
            return;
        if (reply.status == 404 || reply.status == 410) {
            work.server.reset();
        } else {
            if (!Check(reply, QString()))
                return;
            work.server = ServerObject{work.href, reply.etag, reply.body};
        }
        m_work->agreedItems.removeIf([&](const SyncStateItem &i) { return i.uid == work.uid; });
        Resolve(work);
        Completed();
    });
}
