#include "sync/SyncEngineRun.h"

#include "model/ListItemArray.h"
#include "sync/DavRequests.h"

#include <QCryptographicHash>

using namespace DavRequests;
using namespace DavXml;

namespace {

void InsertSorted(QList<SyncItem> &items, SyncItem item)
{
    qsizetype at = 0;
    while (at < items.size() && CompareItemNames(items.at(at).item.m_strName.View(), item.item.m_strName.View()) <= 0)
        ++at;
    items.insert(at, std::move(item));
}

void AddText(QCryptographicHash &hash, QStringView text)
{
    hash.addData(QByteArrayView(reinterpret_cast<const char *>(text.utf16()), text.size() * 2));
    hash.addData(QByteArrayView("\xff\xff", 2));
}

template <typename T> void AddValue(QCryptographicHash &hash, T value)
{
    hash.addData(QByteArrayView(reinterpret_cast<const char *>(&value), sizeof value));
}

} // namespace

QString ListFingerprint(const SyncList &list)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    QString scratch;
    AddText(hash, list.id);
    AddText(hash, list.name);
    AddValue(hash, list.icon);
    AddValue(hash, list.items.size());
    for (const SyncItem &i : list.items) {
        AddText(hash, i.uid);
        AddText(hash, i.item.m_strName.Utf16(scratch));
        AddText(hash, i.item.m_strDesc.Utf16(scratch));
        AddValue(hash, i.item.m_dPrice);
        AddValue(hash, i.item.m_time);
        AddValue(hash, i.item.m_nIcon);
        AddValue(hash, char((i.item.m_bDone ? 1 : 0) | (i.item.m_bDated ? 2 : 0)));
    }
    return QString::fromLatin1(hash.result().toHex());
}

bool CSyncEngine::Run::Unchanged(const Job &job) const
{
    const SyncStateList &agreed = *job.agreed;
    const ServerList &s = *job.server;
    if (job.local < 0 || agreed.held.isEmpty() || s.name != agreed.name || (s.icon && *s.icon != agreed.icon))
        return false;
    return ListFingerprint(m_local.at(job.local)) == agreed.held;
}

// The list as the last sync left it on both sides: nothing to read, merge
// or write.
void CSyncEngine::Run::KeepAsAgreed()
{
    const Job job = m_work->job;
    m_outLocal[job.local] = m_local.at(job.local);
    m_new.lists << *job.agreed;
    m_work.reset();
    NextJob();
}

// After writes the collection's token moved on: read the changes since the
// token the list was read with, and where they are only this sync's own
// writes keep the new token, so that the next sync with nothing changed is
// one request.
void CSyncEngine::Run::FinishList()
{
    ListWork &w = *m_work;
    const QString token = w.syncToken;
    // A collection made by this sync is read from its start (an empty
    // token), which holds only what this sync wrote.
    const bool made = w.job.kind == Job::Upload;
    if (!made && (!w.wrote || token.isEmpty())) {
        if (w.wrote)
            w.ctag.clear();
        return CloseList();
    }
    m_client->Send("REPORT", w.collection, SyncCollectionBody(token), kXmlDepth1, [this](const DavReply &reply) {
        if (m_over)
            return;
        ListWork &lw = *m_work;
        const std::optional<Multistatus> ms = reply.Ok() ? Parse(reply.body, nullptr) : std::nullopt;
        bool onlyOurs = ms && !ms->syncToken.isEmpty();
        QHash<QString, SyncStateItem *> ours;
        for (SyncStateItem &item : lw.agreedItems)
            ours.insert(HrefKey(m_home, item.href), &item);
        const QString self = HrefKey(m_home, lw.collection.path());
        if (ms) {
            for (const Response &r : ms->responses) {
                const QString key = HrefKey(m_home, r.href);
                if (key == self || r.status == 404)
                    continue;
                SyncStateItem *item = ours.value(key);
                const QByteArray etag = r.Get(kDav, u"getetag").text.toUtf8();
                if (!item || (!item->etag.isEmpty() && item->etag != etag)) {
                    onlyOurs = false;
                    continue;
                }
                // A server that sent no ETag with the PUT names it here.
                if (item->etag.isEmpty())
                    item->etag = etag;
            }
        }
        lw.ctag.clear();
        // Otherwise the token read before stays: the next sync reads what
        // came meanwhile.
        if (onlyOurs)
            lw.syncToken = ms->syncToken;
        CloseList();
    });
}

// The list as both sides now hold it, and what the next sync starts from.
void CSyncEngine::Run::CloseList()
{
    ListWork &w = *m_work;
    SyncList out;
    out.id = w.job.id;
    out.name = w.name;
    out.icon = w.icon;
    if (w.job.local >= 0) {
        for (const SyncItem &item : m_local.at(w.job.local).items) {
            if (w.removed.contains(item.uid))
                continue;
            out.items << SyncItem{item.uid, w.merged.value(item.uid, item.item)};
        }
    }
    for (const SyncItem &item : std::as_const(w.added))
        InsertSorted(out.items, item);
    const QString held = ListFingerprint(out);
    if (w.job.local >= 0)
        m_outLocal[w.job.local] = out;
    else
        m_outNew << out;

    SyncStateList agreed;
    agreed.id = w.job.id;
    agreed.href = w.collection.path(QUrl::FullyEncoded);
    agreed.name = w.name;
    agreed.icon = w.icon;
    agreed.syncToken = w.syncToken;
    agreed.ctag = w.ctag;
    agreed.items = w.agreedItems;
    agreed.held = held;
    m_new.lists << agreed;
    m_work.reset();
    NextJob();
}
