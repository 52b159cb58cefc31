#pragma once

// The engine's run, for the files that each hold one of its jobs: finding
// the home, making and renaming collections, reading what changed, settling
// the items, the write queue, finishing a list.

#include "sync/DavClient.h"
#include "sync/DavXml.h"
#include "sync/ListPlan.h"
#include "sync/SyncEngine.h"

#include <QHash>
#include <QSet>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>

// One calendar object as the server holds it now.
struct ServerObject
{
    QString href;
    QByteArray etag;
    QByteArray ics;
};

// What a list held here, for telling that it did not change: a digest of
// its name, icon and items with their identities.
QString ListFingerprint(const SyncList &list);

// One sync under way. Every step ends in a callback from the client; the
// run ends with Fail or with Succeed.
class CSyncEngine::Run
{
public:
    Run(CSyncEngine *engine, const SyncAccount &account, const QList<SyncList> &lists, const SyncState &state,
        CDavClient::Limits limits);

    void Begin();
    // Only finds the home and reads it, as a test of the account.
    void CheckOnly() { m_checkOnly = true; }
    void Stop() { Fail(QStringLiteral("the sync was stopped"), SyncFault::Stopped); }

private:
    using Job = ListJob;

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
    void Fail(const QString &reason, SyncFault fault = SyncFault::BadAnswer, const QByteArray &certificate = {});
    void Succeed();

    void DiscoverFromAddress();
    void Discover(QStringList candidates);
    void AskHome(const QUrl &principal);
    void ReadHome();
    void NextJob();

    void StartList(Job job);
    // Neither side changed the list since the last sync.
    bool Unchanged(const Job &job) const;
    void KeepAsAgreed();
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
    std::optional<DavXml::Multistatus> Answer(const DavReply &reply);

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
    bool m_checkOnly = false;
    bool m_homeFromState = false;
    QUrl m_movedFrom; // the home the state named, when it was gone
};
