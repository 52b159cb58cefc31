#include "sync/SyncEngineRun.h"

#include "sync/DavRequests.h"

using namespace DavRequests;
using namespace DavXml;

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
        SyncStateList made{lw.job.id, url.path(QUrl::FullyEncoded), lw.name, lw.icon, {}, {}, {}, {}};
        m_progress.lists.removeIf([&](const SyncStateList &l) { return l.id == lw.job.id; });
        m_progress.lists << made;
        lw.job.server = ServerList{made.href, lw.name, lw.agreedIcon, {}, {}};
        lw.job.agreed.reset();
        Settle();
    });
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
