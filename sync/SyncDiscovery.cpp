#include "sync/SyncEngineRun.h"

#include "sync/DavRequests.h"

#include <algorithm>

using namespace DavRequests;
using namespace DavXml;

void CSyncEngine::Run::Begin()
{
    const QUrl server = m_client->Account().server;
    const QString refused = CDavClient::RefusedAddress(server);
    if (!refused.isEmpty())
        return Fail(refused, SyncFault::Refused);
    if (!m_old.home.isEmpty()) {
        m_home = QUrl(m_old.home);
        m_homeFromState = true;
        return ReadHome();
    }
    DiscoverFromAddress();
}

void CSyncEngine::Run::DiscoverFromAddress()
{
    const QUrl server = m_client->Account().server;
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
        // No answer at all is told as it is: the next candidate is on the
        // same server, and "no task lists" would hide a typo in the name.
        if (reply.status == 401 || (reply.status == 0 && reply.fault != SyncFault::None))
            return Fail(reply.error, reply.fault, reply.certificate);
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
    // The collections this computer agreed on lived in the old home: none of
    // them is in the new one, and taking them as removed there would remove
    // unchanged lists here. Matching by name and content, as a first sync
    // does, doubles nothing.
    if (!m_movedFrom.isEmpty() && m_home != m_movedFrom) {
        m_old.lists.clear();
        m_progress.lists.clear();
    }
    m_new.home = m_home.toString();
    m_progress.home = m_new.home;
    // A server computes each property over every object of a collection;
    // where the last sync had a token for every list, the ctags (as costly
    // again) are not asked.
    const bool tokens = !m_old.lists.isEmpty()
            && std::all_of(m_old.lists.cbegin(), m_old.lists.cend(),
                           [](const SyncStateList &l) { return !l.syncToken.isEmpty(); });
    m_client->Send("PROPFIND", m_home, PropfindHomeBody(!tokens), kXmlDepth1, [this](const DavReply &reply) {
        if (m_over)
            return;
        const bool gone = reply.status == 404 || reply.status == 410;
        std::optional<Multistatus> ms;
        if (!gone) {
            ms = Answer(reply);
            if (!ms)
                return;
        }
        // Some servers tell a missing home in a multistatus of its own.
        const QString homeKey = HrefKey(m_home, m_home.path());
        const auto missing = [&homeKey, this](const Response &r) {
            return (r.status == 404 || r.status == 410) && (HrefKey(m_home, r.href) == homeKey || r.props.isEmpty());
        };
        if (gone || (!ms->responses.isEmpty() && std::all_of(ms->responses.cbegin(), ms->responses.cend(), missing))) {
            // The home this computer knew is gone (the server was
            // reorganised, the account moved): find it again from the address.
            if (m_homeFromState) {
                m_homeFromState = false;
                m_movedFrom = m_home;
                return DiscoverFromAddress();
            }
            // Read as a home without lists, it would have every list here
            // taken for removed there.
            return Fail(QStringLiteral("the calendar home %1 is not on the server").arg(m_home.path()),
                        SyncFault::NotFound);
        }
        if (m_checkOnly)
            return Succeed();
        QList<ServerList> lists;
        for (const Response &r : ms->responses) {
            if (HrefKey(m_home, r.href) == homeKey || !r.Get(kDav, u"resourcetype").children.contains(
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
                list.name = HrefKey(m_home, r.href).section(u'/', -1);
            bool ok = false;
            const int icon = r.Get(kOwn, u"icon").text.toInt(&ok);
            if (ok)
                list.icon = icon;
            list.syncToken = r.Get(kDav, u"sync-token").text;
            list.ctag = r.Get(kCalServer, u"getctag").text;
            lists << list;
        }
        m_jobs = PlanLists(m_home, m_local, m_old, lists);
        NextJob();
    });
}
