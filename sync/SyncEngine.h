#pragma once

#include "model/ListItem.h"
#include "sync/DavClient.h"
#include "sync/SyncState.h"

#include <QList>
#include <QObject>
#include <QString>

#include <memory>

// The lists as the document hands them to a sync: each list and each item
// with its identity, which stays the same through edits, moves and
// restarts. An item new here gets its identity as its VTODO's UID; one that
// comes from the server keeps the UID it has there.
struct SyncItem
{
    QString uid;
    CListItem item;
};

struct SyncList
{
    QString id;
    QString name;
    qint32 icon = 0;
    QList<SyncItem> items;
};

// An item that both sides changed differently: both versions are kept, the
// server's as a second item, and the user is told.
struct KeptTwice
{
    QString list;
    QString item;
};

struct SyncResult
{
    bool ok = false;
    SyncFault fault = SyncFault::None; // why the sync ended early
    QString error;           // its detail, in English for a log; empty when ok
    QList<SyncList> lists;   // when ok: the lists as both sides now hold them
    QList<KeptTwice> keptTwice;
    // To be saved whether the sync ended well or not: after a failure it
    // holds only what needs no change here, so the next sync finishes the
    // work without losing or doubling anything.
    SyncState state;
    QByteArray certificate;  // with SyncFault::Certificate: its SHA-256 digest
    int requests = 0;        // how many requests went to the server
};

// One two-way sync of the lists with a CalDAV server. Start hands it the
// lists and the state of the last sync; it talks to the server through the
// caller's event loop and emits finished once with the result. The lists
// handed in are not changed: the caller applies the result.
class CSyncEngine : public QObject
{
    Q_OBJECT

public:
    explicit CSyncEngine(QObject *parent = nullptr);
    ~CSyncEngine() override;

    void SetLimits(CDavClient::Limits limits) { m_limits = limits; }

    // False (and nothing emitted) while a sync is under way.
    bool Start(const SyncAccount &account, const QList<SyncList> &lists, const SyncState &state);
    // Tests the account without syncing: finds the home and reads it;
    // finished follows, ok or with the fault. False while a sync is under way.
    bool Check(const SyncAccount &account);
    bool IsRunning() const { return m_run != nullptr; }
    // Ends the sync under way; finished follows with the reason.
    void Stop();

    // The icon a list made on the server without one gets: the one the
    // list form proposes.
    static qint32 DefaultListIcon();

signals:
    void finished(const SyncResult &result);
    // Each request to the server as it is sent, with the count so far: for
    // a busy mark.
    void requestSent(int count);

private:
    class Run;
    friend class Run;
    void Finish(SyncResult result);
    bool Begin(const SyncAccount &account, const QList<SyncList> &lists, const SyncState &state, bool checkOnly);

    CDavClient::Limits m_limits;
    std::unique_ptr<Run> m_run;
    std::unique_ptr<Run> m_finished;
};
