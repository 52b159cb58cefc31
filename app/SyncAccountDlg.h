#pragma once

#include "sync/DavClient.h"

#include <QDialog>

class CSyncEngine;
class Prompter;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
struct SyncResult;

// The sync's account: server address, user name and password. OK tests the
// account at once, the dialog staying open with a busy mark (Cancel ends the
// test and the dialog); it closes only once the server has answered well,
// and otherwise says why. A certificate that does not verify may be trusted
// here, exactly that one. "Remove Account" ends the dialog with Removed.
class CSyncAccountDlg : public QDialog
{
    Q_OBJECT

public:
    enum { Removed = 2 };

    // `account` fills the fields; a set-up one (a server) offers removal.
    CSyncAccountDlg(const SyncAccount &account, Prompter &prompter, QWidget *parent = nullptr);
    ~CSyncAccountDlg() override;

    // After OK: as tested, https:// added where no scheme was written, with
    // the certificate the user trusted, if any.
    SyncAccount Account() const { return m_account; }
    bool IsTesting() const;
    // The text under the fields: why the last test failed.
    QString Problem() const;
    // A note under the fields before any test: why the dialog was opened.
    void ShowProblem(const QString &problem);

    QLineEdit *ServerField() const { return m_server; }
    QLineEdit *UserField() const { return m_user; }
    QLineEdit *PasswordField() const { return m_password; }
    QPushButton *RemoveButton() const { return m_remove; }

    // The address as typed, made whole: https:// where no scheme is given.
    static QUrl AddressOf(const QString &typed);
    // Why a sync or a test failed, in the user's words.
    static QString FaultText(SyncFault fault, const QByteArray &certificate = {});

    void accept() override;
    void reject() override;

private:
    void Test();
    void OnTested(const SyncResult &result);
    void SetTesting(bool testing);

    Prompter &m_prompter;
    SyncAccount m_account;
    CSyncEngine *m_engine;
    QLineEdit *m_server;
    QLineEdit *m_user;
    QLineEdit *m_password;
    QLabel *m_problem;
    QProgressBar *m_busy;
    QPushButton *m_ok = nullptr;
    QPushButton *m_remove = nullptr;
};
