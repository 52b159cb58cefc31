#include "sync/SyncEngineRun.h"

#include "sync/DavRequests.h"

using namespace DavRequests;
using namespace DavXml;

namespace {

// Objects read in one calendar-multiget: big enough to keep the requests
// few, small enough to keep each answer well under the read limit.
constexpr int kMultigetChunk = 100;

} // namespace

// The changes since the agreed sync token, with their ETags.
void CSyncEngine::Run::ReadChanges()
{
    ListWork &w = *m_work;
    m_client->Send("REPORT", w.collection, SyncCollectionBody(w.job.agreed->syncToken), kXmlDepth1,
                   [this](const DavReply &reply) {
                       if (m_over)
                           return;
                       // A token the server no longer knows: read the list whole.
                       if (reply.status == 403 || reply.status == 409 || reply.status == 400
                           || reply.status == 412)
                           return ReadAll();
                       const std::optional<Multistatus> ms = Answer(reply);
                       if (!ms)
                           return;
                       ListWork &lw = *m_work;
                       const QString self = HrefKey(m_home, lw.collection.path());
                       QStringList fetch;
                       for (const Response &r : ms->responses) {
                           const QString key = HrefKey(m_home, r.href);
                           if (key == self)
                               continue;
                           if (r.status == 404) {
                               lw.objects.remove(key);
                               continue;
                           }
                           const QByteArray etag = r.Get(kDav, u"getetag").text.toUtf8();
                           const auto it = lw.objects.constFind(key);
                           if (it == lw.objects.cend() || it->etag != etag || etag.isEmpty())
                               fetch << r.href;
                       }
                       if (!ms->syncToken.isEmpty())
                           lw.syncToken = ms->syncToken;
                       Fetch(fetch);
                   });
}

// Every to-do's href and ETag: what is gone, what is new, what changed.
void CSyncEngine::Run::ReadAll()
{
    ListWork &w = *m_work;
    m_client->Send("REPORT", w.collection, kCalendarQuery, kXmlDepth1, [this](const DavReply &reply) {
        const std::optional<Multistatus> ms = Answer(reply);
        if (!ms)
            return;
        ListWork &lw = *m_work;
        const QString self = HrefKey(m_home, lw.collection.path());
        QHash<QString, ServerObject> now;
        QStringList fetch;
        for (const Response &r : ms->responses) {
            const QString key = HrefKey(m_home, r.href);
            if (key == self || (r.status != 0 && r.status != 200))
                continue;
            const QByteArray etag = r.Get(kDav, u"getetag").text.toUtf8();
            const auto it = lw.objects.constFind(key);
            if (it != lw.objects.cend() && it->etag == etag && !etag.isEmpty()) {
                now.insert(key, *it);
            } else {
                fetch << r.href;
            }
        }
        lw.objects = now;
        Fetch(fetch);
    });
}

void CSyncEngine::Run::Fetch(QStringList hrefs)
{
    if (hrefs.isEmpty())
        return Settle();
    const QStringList chunk = hrefs.mid(0, kMultigetChunk);
    hrefs = hrefs.mid(chunk.size());
    ListWork &w = *m_work;
    m_client->Send("REPORT", w.collection, MultigetBody(chunk), kXmlDepth1, [this, hrefs](const DavReply &reply) {
        const std::optional<Multistatus> ms = Answer(reply);
        if (!ms)
            return;
        ListWork &lw = *m_work;
        for (const Response &r : ms->responses) {
            const QString key = HrefKey(m_home, r.href);
            if (r.status == 404 || !r.Has(kCalDav, u"calendar-data")) {
                lw.objects.remove(key);
                continue;
            }
            lw.objects.insert(key, ServerObject{r.href, r.Get(kDav, u"getetag").text.toUtf8(),
                                                r.Get(kCalDav, u"calendar-data").text.toUtf8()});
        }
        Fetch(hrefs);
    });
}
