#include "sync/SyncEngine.h"

#include "model/ListItemArray.h"
#include "res/ResourceIds.h"
#include "sync/DavXml.h"
#include "sync/ItemFields.h"
#include "sync/ItemMerge.h"
#include "sync/VtodoMap.h"

#include <QHash>
#include <QMetaObject>
#include <QPointer>
#include <QRegularExpression>
#include <QSet>
#include <QUuid>

#include <functional>
#include <optional>

namespace {

// Objects read in one calendar-multiget: big enough to keep the requests
// few, small enough to keep each answer well under the read limit.
constexpr int kMultigetChunk = 100;
// Writes under way at once.
constexpr int kParallelWrites = 4;
// How often one item is read again after a 412 before the sync gives up.
constexpr int kMaxRetries = 3;

using namespace DavXml;

const QByteArray kPropfindHome =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
        "<d:propfind xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\" "
        "xmlns:cs=\"http://calendarserver.org/ns/\" xmlns:q=\"urn:x-quillmark:ns:sync\"><d:prop>"
        "<d:resourcetype/><d:displayname/><c:supported-calendar-component-set/><cs:getctag/><d:sync-token/>"
        "<q:icon/></d:prop></d:propfind>";

const QByteArray kPropfindPrincipal =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
        "<d:propfind xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\"><d:prop>"
        "<d:current-user-principal/><c:calendar-home-set/></d:prop></d:propfind>";

const QByteArray kCalendarQuery =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
        "<c:calendar-query xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\">"
        "<d:prop><d:getetag/></d:prop><c:filter><c:comp-filter name=\"VCALENDAR\">"
        "<c:comp-filter name=\"VTODO\"/></c:comp-filter></c:filter></c:calendar-query>";

QByteArray SyncCollectionBody(const QString &token)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
           "<d:sync-collection xmlns:d=\"DAV:\"><d:sync-token>"
            + Escape(token) + "</d:sync-token><d:sync-level>1</d:sync-level><d:prop><d:getetag/></d:prop>"
                              "</d:sync-collection>";
}

QByteArray MultigetBody(const QStringList &hrefs)
{
    QByteArray body = "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
                      "<c:calendar-multiget xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\">"
                      "<d:prop><d:getetag/><c:calendar-data/></d:prop>";
    for (const QString &href : hrefs)
        body += "<d:href>" + Escape(href) + "</d:href>";
    return body + "</c:calendar-multiget>";
}

QByteArray MkcolBody(const QString &name, std::optional<qint32> icon)
{
    QByteArray body = "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
                      "<d:mkcol xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\" "
                      "xmlns:q=\"urn:x-quillmark:ns:sync\"><d:set><d:prop>"
                      "<d:resourcetype><d:collection/><c:calendar/></d:resourcetype><d:displayname>"
            + Escape(name)
            + "</d:displayname><c:supported-calendar-component-set><c:comp name=\"VTODO\"/>"
              "</c:supported-calendar-component-set>";
    if (icon)
        body += "<q:icon>" + QByteArray::number(*icon) + "</q:icon>";
    return body + "</d:prop></d:set></d:mkcol>";
}

QByteArray ProppatchBody(const QByteArray &prop)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
           "<d:propertyupdate xmlns:d=\"DAV:\" xmlns:q=\"urn:x-quillmark:ns:sync\"><d:set><d:prop>"
            + prop + "</d:prop></d:set></d:propertyupdate>";
}

const CDavClient::Headers kXmlDepth0{{"Depth", "0"}};
const CDavClient::Headers kXmlDepth1{{"Depth", "1"}};

// An href as a key: its path, decoded, without a closing slash.
QString Key(const QUrl &base, const QString &href)
{
    QString path = base.resolved(QUrl(href)).path(QUrl::FullyDecoded);
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path;
}

// A name for a new object or collection on the server: the identity where
// it is plain enough for a path, else a new one.
QString PathName(const QString &uid)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9][A-Za-z0-9._-]{0,99}$"));
    return plain.match(uid).hasMatch() ? uid : QUuid::createUuid().toString(QUuid::WithoutBraces);
}

QString NewUid()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

// A collection on the server that holds to-dos.
struct ServerList
{
    QString href;
    QString name;
    std::optional<qint32> icon;
    QString syncToken;
    QString ctag;
};

// One calendar object as the server holds it now.
struct ServerObject
{
    QString href;
    QByteArray etag;
    QByteArray ics;
};

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

void InsertSorted(QList<SyncItem> &items, SyncItem item)
{
    qsizetype at = 0;
    while (at < items.size() && CompareItemNames(items.at(at).item.m_strName.View(), item.item.m_strName.View()) <= 0)
        ++at;
    items.insert(at, std::move(item));
}

} // namespace

// One sync under way. Every step ends in a callback from the client; the
// run ends with Fail or with Succeed.
class CSyncEngine::Run
{
public:
    Run(CSyncEngine *engine, const SyncAccount &account, const QList<SyncList> &lists, const SyncState &state,
        CDavClient::Limits limits);

    void Begin();
    void Stop() { Fail(QStringLiteral("the sync was stopped"), SyncFault::Stopped); }

private:
    // A list's work: which local list, which collection, what was agreed.
    struct Job
    {
        enum Kind { Paired, Upload, Download, RemoveCollection } kind = Paired;
        int local = -1;               // index into m_local, or -1
        std::optional<ServerList> server;
        std::optional<SyncStateList> agreed;
        QString id;                   // the list's identity
    };

    // One list being worked on.
    struct ListWork
    {
        Job job;
        QUrl collection;
        QHash<QString, ServerObject> objects; // by href key
        QString syncToken;                    // to keep once done
        QString ctag;
        QList<SyncStateItem> agreedItems;
        QHash<QString, CListItem> merged;     // by uid: each item as both now hold it
        QSet<QString> removed;
        QList<SyncItem> added;                // from the server, placed where new items go
        bool wrote = false;
        QString name;
        qint32 icon = 0;
        std::optional<qint32> agreedIcon;
    };

    // One item to settle between the two sides.
    struct ItemWork
    {
        QString uid;
        std::optional<CListItem> base;
        QByteArray baseIcs;
        std::optional<CListItem> local;
        std::optional<ServerObject> server;
        QString href; // where it lives or will live
        int tries = 0;
    };

    // Anything the engine finds wrong in what the server sent is a bad
    // answer unless told.
    void Fail(const QString &reason, SyncFault fault = SyncFault::BadAnswer);
    void Succeed();

    void Discover(QStringList candidates);
    void AskHome(const QUrl &principal);
    void ReadHome();
    void Plan(const QList<ServerList> &server);
    void NextJob();

    void StartList(Job job);
    void Upload();
    void MakeCollection(const QUrl &url, int attempt);
    void ReadChanges();
    void ReadAll();
    void Fetch(QStringList hrefs);
    void Settle();
    void Resolve(ItemWork work);
    void Put(ItemWork work, const QByteArray &ics, std::function<void(const DavReply &)> then);
    void ReadAgain(ItemWork work);
    void Queue(std::function<void()> write);
    void Pump();
    void Completed();
    void RenameIfNeeded();
    void FinishList();
    void CloseList();
    void RecordProgress(const SyncStateItem &item, bool remove);

    QUrl Url(const QString &href) const { return m_home.resolved(QUrl(href)); }
    bool Check(const DavReply &reply, const QString &what);
    // The multistatus of a good answer; none (and the sync ended) otherwise.
    std::optional<Multistatus> Answer(const DavReply &reply);

    CSyncEngine *m_engine;
    std::unique_ptr<CDavClient> m_client;
    QList<SyncList> m_local;
    SyncState m_old;
    SyncState m_progress;
    SyncState m_new;
    QUrl m_home;
    CalendarTime m_now = CalendarTimeOps::Now();
    QList<Job> m_jobs;
    int m_nextJob = 0;
    QList<std::optional<SyncList>> m_outLocal; // by local index
    QList<SyncList> m_outNew;
    QList<KeptTwice> m_kept;
    std::optional<ListWork> m_work;
    QList<std::function<void()>> m_writeQueue;
    int m_inFlight = 0;
    bool m_over = false;
};

CSyncEngine::Run::Run(CSyncEngine *engine, const SyncAccount &account, const QList<SyncList> &lists,
                      const SyncState &state, CDavClient::Limits limits)
    : m_engine(engine), m_client(std::make_unique<CDavClient>(account)), m_local(lists), m_old(state)
{
    m_client->SetLimits(limits);
    QObject::connect(m_client.get(), &CDavClient::requestSent, engine, &CSyncEngine::requestSent);
    const QString server = account.server.toString(QUrl::RemoveUserInfo);
    // A state of another server says nothing about this one.
    if (m_old.server != server)
        m_old = SyncState{server, QString(), {}};
    m_progress = m_old;
    m_new.server = server;
    m_outLocal.resize(m_local.size());
}

void CSyncEngine::Run::Fail(const QString &reason, SyncFault fault)
{
    if (m_over)
        return;
    m_over = true;
    m_client->AbortAll();
    SyncResult result;
    result.error = reason;
    result.fault = fault;
    result.state = m_progress;
    result.requests = m_client->RequestCount();
    m_engine->Finish(std::move(result));
}

bool CSyncEngine::Run::Check(const DavReply &reply, const QString &what)
{
    if (m_over)
        return false;
    if (reply.Ok())
        return true;
    Fail(what.isEmpty() ? reply.error : what + QStringLiteral(": ") + reply.error, reply.fault);
    return false;
}

std::optional<Multistatus> CSyncEngine::Run::Answer(const DavReply &reply)
{
    if (!Check(reply, QString()))
        return std::nullopt;
    QString why;
    std::optional<Multistatus> ms = Parse(reply.body, &why);
    if (!ms)
        Fail(why);
    return ms;
}

void CSyncEngine::Run::Begin()
{
    const QUrl server = m_client->Account().server;
    const QString refused = CDavClient::RefusedAddress(server);
    if (!refused.isEmpty())
        return Fail(refused, SyncFault::Refused);
    if (!m_old.home.isEmpty()) {
        m_home = QUrl(m_old.home);
        return ReadHome();
    }
    QUrl wellKnown = server;
    wellKnown.setPath(QStringLiteral("/.well-known/caldav"));
    wellKnown.setQuery(QString());
    const bool bare = server.path().isEmpty() || server.path() == u"/";
    Discover(bare ? QStringList{wellKnown.toString(), server.toString()}
                  : QStringList{server.toString(), wellKnown.toString()});
}

// The calendar home from the address alone: the current user's principal
// at the address (or at /.well-known/caldav), and the home it names.
void CSyncEngine::Run::Discover(QStringList candidates)
{
    if (candidates.isEmpty())
        return Fail(QStringLiteral("no CalDAV task lists were found at this address"), SyncFault::NoTaskLists);
    const QUrl url(candidates.takeFirst());
    m_client->Send("PROPFIND", url, kPropfindPrincipal, kXmlDepth0, [this, candidates](const DavReply &reply) {
        if (m_over)
            return;
        if (reply.status == 401)
            return Fail(reply.error, reply.fault);
        std::optional<Multistatus> ms;
        if (reply.Ok())
            ms = Parse(reply.body, nullptr);
        if (!ms || ms->responses.isEmpty())
            return Discover(candidates);
        const Response &r = ms->responses.first();
        const QStringList home = r.Get(kCalDav, u"calendar-home-set").hrefs;
        if (!home.isEmpty()) {
            m_home = reply.url.resolved(QUrl(home.first()));
            return ReadHome();
        }
        const QStringList principal = r.Get(kDav, u"current-user-principal").hrefs;
        if (principal.isEmpty())
            return Discover(candidates);
        AskHome(reply.url.resolved(QUrl(principal.first())));
    });
}

void CSyncEngine::Run::AskHome(const QUrl &principal)
{
    m_client->Send("PROPFIND", principal, kPropfindPrincipal, kXmlDepth0, [this](const DavReply &reply) {
        const std::optional<Multistatus> ms = Answer(reply);
        if (!ms)
            return;
        const QStringList home =
                ms->responses.isEmpty() ? QStringList() : ms->responses.first().Get(kCalDav, u"calendar-home-set").hrefs;
        if (home.isEmpty())
            return Fail(QStringLiteral("no CalDAV task lists were found at this address"), SyncFault::NoTaskLists);
        m_home = reply.url.resolved(QUrl(home.first()));
        ReadHome();
    });
}

// One request tells which collections hold to-dos and which changed.
void CSyncEngine::Run::ReadHome()
{
    m_new.home = m_home.toString();
    m_progress.home = m_new.home;
    m_client->Send("PROPFIND", m_home, kPropfindHome, kXmlDepth1, [this](const DavReply &reply) {
        const std::optional<Multistatus> ms = Answer(reply);
        if (!ms)
            return;
        const QString homeKey = Key(m_home, m_home.path());
        QList<ServerList> lists;
        for (const Response &r : ms->responses) {
            if (Key(m_home, r.href) == homeKey || !r.Get(kDav, u"resourcetype").children.contains(
                                                            Response::Key(kCalDav, u"calendar")))
                continue;
            // A calendar that names no components takes them all.
            if (r.Has(kCalDav, u"supported-calendar-component-set")
                && !r.Get(kCalDav, u"supported-calendar-component-set").components.contains(u"VTODO"))
                continue;
            ServerList list;
            list.href = r.href;
            list.name = r.Get(kDav, u"displayname").text;
            if (list.name.isEmpty())
                list.name = Key(m_home, r.href).section(u'/', -1);
            bool ok = false;
            const int icon = r.Get(kOwn, u"icon").text.toInt(&ok);
            if (ok)
                list.icon = icon;
            list.syncToken = r.Get(kDav, u"sync-token").text;
            list.ctag = r.Get(kCalServer, u"getctag").text;
            lists << list;
        }
        Plan(lists);
    });
}

// Which list goes with which collection: by the agreed collection first,
// then (a list never synced, or a lost state) by name.
void CSyncEngine::Run::Plan(const QList<ServerList> &server)
{
    QHash<QString, int> byHref;
    for (int i = 0; i < server.size(); ++i)
        byHref.insert(Key(m_home, server.at(i).href), i);
    QList<bool> taken(server.size(), false);
    QSet<QString> localIds;
    for (const SyncList &list : m_local)
        localIds.insert(list.id);
    // Collections an agreed list holds are not open to matching by name.
    for (const SyncStateList &agreed : m_old.lists) {
        const int at = byHref.value(Key(m_home, agreed.href), -1);
        if (at >= 0)
            taken[at] = true;
    }

    for (int l = 0; l < m_local.size(); ++l) {
        const SyncList &list = m_local.at(l);
        Job job;
        job.local = l;
        job.id = list.id;
        if (const SyncStateList *agreed = m_old.List(list.id)) {
            const int at = byHref.value(Key(m_home, agreed->href), -1);
            if (at >= 0) {
                job.server = server.at(at);
                job.agreed = *agreed;
            } else if (SameItemsAsAgreed(list, *agreed)) {
                // Removed on the server and untouched here since: removed
                // here too.
                continue;
            } else {
                job.kind = Job::Upload;
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
                job.kind = Job::Upload;
            }
        }
        m_jobs << job;
    }
    // Lists removed here: gone from the server too where nothing changed
    // there since, else back here as the server holds them.
    for (const SyncStateList &agreed : m_old.lists) {
        if (localIds.contains(agreed.id))
            continue;
        const int at = byHref.value(Key(m_home, agreed.href), -1);
        if (at < 0)
            continue;
        const ServerList &s = server.at(at);
        Job job;
        job.id = agreed.id;
        job.server = s;
        job.agreed = agreed;
        const bool untouched = (!s.syncToken.isEmpty() && s.syncToken == agreed.syncToken)
                || (!s.ctag.isEmpty() && s.ctag == agreed.ctag);
        job.kind = untouched ? Job::RemoveCollection : Job::Download;
        // Back whole as the server holds it: nothing of it is agreed here.
        if (job.kind == Job::Download)
            job.agreed.reset();
        m_jobs << job;
    }
    for (int s = 0; s < server.size(); ++s) {
        if (taken.at(s))
            continue;
        Job job;
        job.kind = Job::Download;
        job.server = server.at(s);
        job.id = NewUid();
        m_jobs << job;
    }
    NextJob();
}

void CSyncEngine::Run::NextJob()
{
    if (m_over)
        return;
    if (m_nextJob >= m_jobs.size())
        return Succeed();
    StartList(m_jobs.at(m_nextJob++));
}

void CSyncEngine::Run::StartList(Job job)
{
    m_work.emplace();
    ListWork &w = *m_work;
    w.job = job;
    if (job.kind == Job::RemoveCollection) {
        const QUrl url = Url(job.server->href);
        m_client->Send("DELETE", url, QByteArray(), {}, [this, id = job.id](const DavReply &reply) {
            if (reply.status != 404 && !Check(reply, QStringLiteral("removing a list from the server")))
                return;
            m_progress.lists.removeIf([&](const SyncStateList &l) { return l.id == id; });
            NextJob();
        });
        return;
    }
    if (job.local >= 0) {
        w.name = m_local.at(job.local).name;
        w.icon = m_local.at(job.local).icon;
    }
    if (job.kind == Job::Upload)
        return Upload();

    w.collection = Url(job.server->href);
    const ServerList &s = *job.server;
    w.syncToken = s.syncToken;
    w.ctag = s.ctag;
    // A list matched by name: what this sync agrees on in it is kept even
    // if the sync ends early, without a token, so that the next one reads
    // the list whole.
    if (!job.agreed && job.local >= 0 && !m_progress.List(job.id))
        m_progress.lists << SyncStateList{job.id, s.href, s.name, s.icon.value_or(w.icon), {}, {}, {}};
    if (job.agreed) {
        for (const SyncStateItem &item : job.agreed->items)
            w.objects.insert(Key(m_home, item.href), ServerObject{item.href, item.etag, item.ics});
        const bool sameToken = !s.syncToken.isEmpty() && s.syncToken == job.agreed->syncToken;
        const bool sameCtag = !s.ctag.isEmpty() && s.ctag == job.agreed->ctag;
        if (sameToken || sameCtag)
            return Settle();
        if (!s.syncToken.isEmpty() && !job.agreed->syncToken.isEmpty())
            return ReadChanges();
    }
    ReadAll();
}

// A list new to the server: a collection of its own, then its items.
void CSyncEngine::Run::Upload()
{
    ListWork &w = *m_work;
    QUrl url = m_home.resolved(QUrl(PathName(w.job.id) + u'/'));
    MakeCollection(url, 0);
}

void CSyncEngine::Run::MakeCollection(const QUrl &url, int attempt)
{
    ListWork &w = *m_work;
    // First with the icon in a property of our own; a server that keeps no
    // such property refuses the whole request, so then without it; one that
    // knows no extended MKCOL gets MKCALENDAR.
    const QByteArray verb = attempt < 2 ? QByteArray("MKCOL") : QByteArray("MKCALENDAR");
    QByteArray body = MkcolBody(w.name, attempt == 0 ? std::optional<qint32>(w.icon) : std::nullopt);
    if (attempt == 2) {
        body.replace("<d:mkcol ", "<c:mkcalendar ");
        body.replace("</d:mkcol>", "</c:mkcalendar>");
        body.replace("<d:resourcetype><d:collection/><c:calendar/></d:resourcetype>", "");
    }
    m_client->Send(verb, url, body, {}, [this, url, attempt](const DavReply &reply) {
        if (m_over)
            return;
        ListWork &lw = *m_work;
        if (reply.status == 405 && attempt == 0) {
            // Something is there already under that name: another one.
            return MakeCollection(m_home.resolved(QUrl(NewUid() + u'/')), 0);
        }
        if (!reply.Ok() && attempt < 2 && reply.status != 401 && reply.status != 507 && reply.status != 0)
            return MakeCollection(url, attempt + 1);
        if (!Check(reply, QStringLiteral("making the list \"%1\" on the server").arg(lw.name)))
            return;
        lw.collection = url;
        lw.agreedIcon = attempt == 0 ? std::optional<qint32>(lw.icon) : std::nullopt;
        SyncStateList made{lw.job.id, url.path(QUrl::FullyEncoded), lw.name, lw.icon, {}, {}, {}};
        m_progress.lists.removeIf([&](const SyncStateList &l) { return l.id == lw.job.id; });
        m_progress.lists << made;
        lw.job.server = ServerList{made.href, lw.name, lw.agreedIcon, {}, {}};
        lw.job.agreed.reset();
        Settle();
    });
}

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
                       const QString self = Key(m_home, lw.collection.path());
                       QStringList fetch;
                       for (const Response &r : ms->responses) {
                           const QString key = Key(m_home, r.href);
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
        const QString self = Key(m_home, lw.collection.path());
        QHash<QString, ServerObject> now;
        QStringList fetch;
        for (const Response &r : ms->responses) {
            const QString key = Key(m_home, r.href);
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
            const QString key = Key(m_home, r.href);
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
            const QString key = Key(m_home, agreed.href);
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

void CSyncEngine::Run::Queue(std::function<void()> write)
{
    m_work->wrote = true;
    m_writeQueue << std::move(write);
    Pump();
}

void CSyncEngine::Run::Pump()
{
    while (!m_over && !m_writeQueue.isEmpty() && m_inFlight < kParallelWrites) {
        ++m_inFlight;
        m_writeQueue.takeFirst()();
    }
}

void CSyncEngine::Run::Completed()
{
    --m_inFlight;
    Pump();
    if (!m_over && m_inFlight == 0 && m_writeQueue.isEmpty())
        RenameIfNeeded();
}

void CSyncEngine::Run::RecordProgress(const SyncStateItem &item, bool remove)
{
    for (SyncStateList &list : m_progress.lists) {
        if (list.id != m_work->job.id)
            continue;
        list.items.removeIf([&](const SyncStateItem &i) { return i.uid == item.uid; });
        if (!remove)
            list.items << item;
        return;
    }
}

// The list's name and icon: one side's change taken, both changed: this
// computer's. A rename is a PROPPATCH; a server that keeps no icon of ours
// is left without.
void CSyncEngine::Run::RenameIfNeeded()
{
    ListWork &w = *m_work;
    const ServerList &s = *w.job.server;
    const QString base = w.job.agreed ? w.job.agreed->name : s.name;
    if (w.job.local < 0) {
        w.name = s.name;
        w.icon = s.icon.value_or(w.job.agreed ? w.job.agreed->icon : DefaultListIcon());
        return FinishList();
    }
    QByteArray patch;
    if (w.name != s.name) {
        if (w.name == base)
            w.name = s.name;
        else
            patch += "<d:displayname>" + Escape(w.name) + "</d:displayname>";
    }
    if (s.icon && *s.icon != w.icon) {
        const qint32 baseIcon = w.job.agreed ? w.job.agreed->icon : *s.icon;
        if (w.icon == baseIcon)
            w.icon = *s.icon;
        else
            patch += "<q:icon>" + QByteArray::number(w.icon) + "</q:icon>";
    } else if (!s.icon && w.job.agreed && w.icon != w.job.agreed->icon && w.agreedIcon) {
        patch += "<q:icon>" + QByteArray::number(w.icon) + "</q:icon>";
    }
    if (patch.isEmpty())
        return FinishList();
    m_client->Send("PROPPATCH", w.collection, ProppatchBody(patch), {}, [this](const DavReply &reply) {
        if (!Check(reply, QStringLiteral("renaming a list on the server")))
            return;
        // The multistatus says per property whether it was kept: the name
        // must be; the icon may be refused by a server that keeps none.
        const std::optional<Multistatus> ms = Parse(reply.body, nullptr);
        if (ms) {
            for (const Response &r : ms->responses) {
                if (reply.body.contains("displayname") && r.status >= 400)
                    return Fail(QStringLiteral("renaming a list on the server: %1").arg(CDavClient::StatusReason(r.status)),
                                CDavClient::StatusFault(r.status));
            }
        }
        m_work->wrote = true;
        FinishList();
    });
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
            ours.insert(Key(m_home, item.href), &item);
        const QString self = Key(m_home, lw.collection.path());
        if (ms) {
            for (const Response &r : ms->responses) {
                const QString key = Key(m_home, r.href);
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
    m_new.lists << agreed;
    m_work.reset();
    NextJob();
}

void CSyncEngine::Run::Succeed()
{
    if (m_over)
        return;
    m_over = true;
    SyncResult result;
    result.ok = true;
    for (const std::optional<SyncList> &list : std::as_const(m_outLocal)) {
        if (list)
            result.lists << *list;
    }
    result.lists << m_outNew;
    result.keptTwice = m_kept;
    result.state = m_new;
    result.requests = m_client->RequestCount();
    m_engine->Finish(std::move(result));
}

CSyncEngine::CSyncEngine(QObject *parent)
    : QObject(parent)
{
}

CSyncEngine::~CSyncEngine() = default;

qint32 CSyncEngine::DefaultListIcon()
{
    // The list form selects its sixth row for a new list.
    return Res::kFirstStripImage + 5;
}

bool CSyncEngine::Start(const SyncAccount &account, const QList<SyncList> &lists, const SyncState &state)
{
    if (m_run)
        return false;
    m_finished.reset();
    m_run = std::make_unique<Run>(this, account, lists, state, m_limits);
    // Begun from the event loop, so that even a refusal arrives as a signal
    // after Start has returned.
    QMetaObject::invokeMethod(this, [this, run = m_run.get()] {
        if (m_run.get() == run)
            run->Begin();
    }, Qt::QueuedConnection);
    return true;
}

void CSyncEngine::Stop()
{
    if (m_run)
        m_run->Stop();
}

void CSyncEngine::Finish(SyncResult result)
{
    // The run ends inside one of its own callbacks: it is let go only once
    // that has returned.
    m_finished = std::move(m_run);
    QMetaObject::invokeMethod(this, [this] { m_finished.reset(); }, Qt::QueuedConnection);
    emit finished(result);
}
