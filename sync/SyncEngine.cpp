#include "sync/SyncEngineRun.h"

#include "res/ResourceIds.h"
#include "sync/DavRequests.h"

#include <QMetaObject>

using namespace DavRequests;
using namespace DavXml;

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

void CSyncEngine::Run::Fail(const QString &reason, SyncFault fault, const QByteArray &certificate)
{
    if (m_over)
        return;
    m_over = true;
    m_client->AbortAll();
    SyncResult result;
    result.error = reason;
    result.fault = fault;
    result.certificate = certificate;
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
    Fail(what.isEmpty() ? reply.error : what + QStringLiteral(": ") + reply.error, reply.fault, reply.certificate);
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
    m_work = ListWork{};
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
        m_progress.lists << SyncStateList{job.id, s.href, s.name, s.icon.value_or(w.icon), {}, {}, {}, {}};
    if (job.agreed) {
        for (const SyncStateItem &item : job.agreed->items)
            w.objects.insert(HrefKey(m_home, item.href), ServerObject{item.href, item.etag, item.ics});
        const bool sameToken = !s.syncToken.isEmpty() && s.syncToken == job.agreed->syncToken;
        const bool sameCtag = !s.ctag.isEmpty() && s.ctag == job.agreed->ctag;
        if ((sameToken || sameCtag) && Unchanged(job))
            return KeepAsAgreed();
        if (sameToken || sameCtag)
            return Settle();
        if (!s.syncToken.isEmpty() && !job.agreed->syncToken.isEmpty())
            return ReadChanges();
    }
    ReadAll();
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

bool CSyncEngine::Check(const SyncAccount &account)
{
    return Begin(account, {}, {}, true);
}

bool CSyncEngine::Start(const SyncAccount &account, const QList<SyncList> &lists, const SyncState &state)
{
    return Begin(account, lists, state, false);
}

bool CSyncEngine::Begin(const SyncAccount &account, const QList<SyncList> &lists, const SyncState &state,
                        bool checkOnly)
{
    if (m_run)
        return false;
    // A run that has just finished is let go from the event loop (Finish):
    // a sync begun from `finished` is begun inside that run's last callback.
    m_run = std::make_unique<Run>(this, account, lists, state, m_limits);
    if (checkOnly)
        m_run->CheckOnly();
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
