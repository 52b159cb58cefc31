#pragma once

#include "sync/SyncEngine.h"

#include <QList>
#include <QObject>

class CQuillmarkDoc;

// Syncs the document's lists with a CalDAV server: hands them with their
// identities and the state of the last sync (the file beside the data file)
// to a sync, and puts what it brings back into the document as one step of
// the history, saved at once. What the user changes while a sync is under
// way is merged with what the sync brings, and sent by another sync that
// follows at once.
class CDocumentSync : public QObject
{
    Q_OBJECT

public:
    explicit CDocumentSync(CQuillmarkDoc &doc, QObject *parent = nullptr);
    ~CDocumentSync() override;

    // An empty server address: no sync is set up.
    void SetAccount(const SyncAccount &account);
    SyncAccount Account() const { return m_account; }
    bool IsSetUp() const { return !m_account.server.isEmpty(); }

    // Starts a sync; with one under way, another follows it.
    void SyncNow();
    bool IsRunning() const { return m_engine.IsRunning(); }
    // Ends the sync under way; none follows it.
    void Stop();

    // For tests: the limits of each request.
    void SetLimits(CDavClient::Limits limits) { m_engine.SetLimits(limits); }

signals:
    void started();
    // Once what the sync brought is in the document and saved.
    void finished(const SyncResult &result);

private:
    void Begin();
    void Finished(const SyncResult &result);

    CQuillmarkDoc &m_doc;
    SyncAccount m_account;
    CSyncEngine m_engine;
    // The lists as handed to the sync under way, and where its state goes.
    QList<SyncList> m_handed;
    QString m_statePath;
    bool m_again = false;
};
