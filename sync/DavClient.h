#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QUrl>

#include <functional>

class QNetworkAccessManager;
class QNetworkReply;

// Where the lists are kept and who may read them. The password is held in
// memory only: nothing here writes it anywhere, and no message names it.
struct SyncAccount
{
    QUrl server;
    QString user;
    QString password;
    // The SHA-256 digest of the one certificate the user chose to trust for
    // this server although it does not verify; empty: only what verifies.
    QByteArray trustedCertificate = {};
};

// Why a sync ended early, for the window to say in the user's language; the
// text that comes with it (in English, for a log) names the detail.
enum class SyncFault {
    None,
    Refused,      // an address the sync does not use (plain http elsewhere)
    Unreachable,  // no connection, or it broke
    HostNotFound, // the name does not resolve
    ConnectionRefused, // nothing listens at the address
    Certificate,  // the certificate does not verify and is not the trusted one
    Timeout,
    Password,     // 401
    Forbidden,    // 403
    NotFound,     // 404
    Conflict,     // 409
    Changed,      // 412, where it is not merged
    Full,         // 507
    ServerError,  // 5xx
    Redirect,     // to another server, or too many
    Rejected,     // another 4xx
    TooLarge,     // an answer beyond the limit
    BadAnswer,    // XML or iCalendar the sync cannot take (a DTD, no UID, ...)
    NoTaskLists,  // no CalDAV home at the address
    Stopped,
};

// One HTTP answer, as far as the sync needs it.
struct DavReply
{
    int status = 0;      // the HTTP status; 0 where none came
    QByteArray body;
    QByteArray etag;     // the ETag header, where the server sent one
    QUrl url;            // where the answer came from, after redirects
    QString error;       // why the request failed; empty when it did not
    SyncFault fault = SyncFault::None;
    QByteArray certificate; // with Certificate: the SHA-256 digest of the one refused
    bool Ok() const { return error.isEmpty() && status >= 200 && status < 300; }
};

// Requests to one CalDAV server over QNetworkAccessManager, each answered
// through a callback on the caller's thread's event loop; nothing blocks.
// Every request has a time limit and a limit on what is read; a redirect is
// followed only within the server's own scheme, host and port; plain http
// only to this computer's loopback addresses.
class CDavClient : public QObject
{
    Q_OBJECT

public:
    struct Limits
    {
        int timeoutMs = 30000;
        qint64 maxBytes = 64LL * 1024 * 1024;
    };

    explicit CDavClient(SyncAccount account, QObject *parent = nullptr);
    ~CDavClient() override;

    void SetLimits(Limits limits) { m_limits = limits; }
    const SyncAccount &Account() const { return m_account; }

    // Why the address may not be used (not http or https, plain http to
    // another computer, a user name or password written into it); empty
    // when it may.
    static QString RefusedAddress(const QUrl &url);
    static bool IsLoopback(const QString &host);

    using Headers = QList<QPair<QByteArray, QByteArray>>;
    using Done = std::function<void(const DavReply &)>;
    // Sends one request; done is called once, also when it fails. A failed
    // answer (status 400 or above) comes with the reason in error.
    void Send(const QByteArray &verb, const QUrl &url, const QByteArray &body, const Headers &headers, Done done);

    // Ends every request under way; their callbacks are not called.
    void AbortAll();

    // How many requests were sent since the client was made.
    int RequestCount() const { return m_requests; }

    // The reason for an HTTP status the sync does not expect.
    static QString StatusReason(int status);
    static SyncFault StatusFault(int status);

signals:
    // Each request as it is sent, with the count so far.
    void requestSent(int count);

private:
    void Issue(const QByteArray &verb, const QUrl &url, const QByteArray &body, const Headers &headers,
               Done done, int redirects);

    SyncAccount m_account;
    Limits m_limits;
    QNetworkAccessManager *m_network = nullptr;
    QList<QNetworkReply *> m_running;
    int m_requests = 0;
};
