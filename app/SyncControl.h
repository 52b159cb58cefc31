#pragma once

#include "sync/DavClient.h"

#include <QDateTime>
#include <QObject>
#include <QSet>
#include <QTimer>

class CDocumentSync;
class CPasswordStore;
class CQuillmarkDoc;
class Prompter;
class QAction;
class QLabel;
class QMainWindow;
class QMenu;
struct SyncResult;

// The window's side of the sync: the Sync menu's state line, the mark in the
// menu bar's corner, when a sync starts (at start, a few seconds after a
// change, every few minutes, on "Sync Now" and at Exit) and the account
// dialog with the password in the keyring. A sync the program starts by
// itself never opens a box when it fails: the mark tells it, each kind of
// failure once.
class CSyncControl : public QObject
{
    Q_OBJECT

public:
    enum class State { NotSetUp, NoPassword, Syncing, Synced, Offline, Failed };

    CSyncControl(CQuillmarkDoc &doc, QMainWindow &window, Prompter &prompter);
    ~CSyncControl() override;

    // Fills the Sync menu: the two commands, then the state line.
    void FillMenu(QMenu *menu, QAction *syncNow, QAction *account);
    // Once the lists are read: the account from the settings, its password
    // from the keyring, then the first sync.
    void Begin();
    // "Sync Now": a failure is told in a box.
    void SyncNow();
    void EditAccount();
    // On the way out: a sync of what changed, waited for a few seconds at
    // most; what did not go is sent at the next start.
    void SyncBeforeExit();

    State CurrentState() const { return m_state; }
    QString StateText() const;
    QLabel *Mark() const { return m_mark; }

private:
    void Start(bool byHand);
    void OnStarted();
    void OnFinished(const SyncResult &result);
    void SetState(State state);
    void Use(const SyncAccount &account);
    void Forget();
    void KeepPassword(const SyncAccount &account);
    SyncAccount AccountFromSettings() const;
    void ShowAccountDialog(const QString &problem);

    CQuillmarkDoc &m_doc;
    QMainWindow &m_window;
    Prompter &m_prompter;
    CDocumentSync *m_sync;
    CPasswordStore *m_passwords;
    QAction *m_stateLine = nullptr;
    QLabel *m_mark;
    QTimer m_afterChange;
    QTimer m_every;
    State m_state = State::NotSetUp;
    SyncFault m_fault = SyncFault::None;
    QByteArray m_certificate;
    QDateTime m_lastSynced;
    QDateTime m_offlineSince;
    QSet<int> m_told; // the kinds of failure told since the last good sync
    bool m_byHand = false;
    // The lists changed while a sync was under way.
    bool m_changedMeanwhile = false;
};
