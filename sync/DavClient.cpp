#include "sync/DavClient.h"


#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QSslCertificate>
#include <QSslError>

namespace {

constexpr int kMaxRedirects = 5;

bool SameOrigin(const QUrl &a, const QUrl &b)
{
    return a.scheme() == b.scheme() && a.host().compare(b.host(), Qt::CaseInsensitive) == 0
            && a.port(a.scheme() == u"https" ? 443 : 80) == b.port(b.scheme() == u"https" ? 443 : 80);
}

QString NetworkReason(QNetworkReply::NetworkError error)
{
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
        return QStringLiteral("the server refused the connection");
    case QNetworkReply::RemoteHostClosedError:
        return QStringLiteral("the server closed the connection");
    case QNetworkReply::HostNotFoundError:
        return QStringLiteral("the server's host name was not found");
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError:
        return QStringLiteral("the server did not answer in time");
    case QNetworkReply::SslHandshakeFailedError:
        return QStringLiteral("the secure connection to the server failed");
    default:
        return QStringLiteral("the connection to the server failed");
    }
}

SyncFault NetworkFault(QNetworkReply::NetworkError error)
{
    switch (error) {
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError:
        return SyncFault::Timeout;
    case QNetworkReply::HostNotFoundError:
        return SyncFault::HostNotFound;
    case QNetworkReply::ConnectionRefusedError:
        return SyncFault::ConnectionRefused;
    default:
        return SyncFault::Unreachable;
    }
}

} // namespace

CDavClient::CDavClient(SyncAccount account, QObject *parent)
    : QObject(parent), m_account(std::move(account)), m_network(new QNetworkAccessManager(this))
{
    // Redirects are followed by hand, and only to the same server.
    m_network->setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    // No cookies: nothing of the session outlives it.
    m_network->setCookieJar(nullptr);
}

CDavClient::~CDavClient()
{
    AbortAll();
}

bool CDavClient::IsLoopback(const QString &host)
{
    if (host.compare(u"localhost", Qt::CaseInsensitive) == 0)
        return true;
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

QString CDavClient::RefusedAddress(const QUrl &url)
{
    if (!url.isValid() || url.host().isEmpty())
        return QStringLiteral("the server address is not valid");
    if (!url.userInfo().isEmpty())
        return QStringLiteral("the server address may not hold a user name or password");
    if (url.scheme() == u"https")
        return QString();
    if (url.scheme() == u"http")
        return IsLoopback(url.host()) ? QString()
                                      : QStringLiteral("plain http is refused: the lists and the password would be readable "
                                               "on the way; use https");
    return QStringLiteral("the server address must begin with https://");
}

SyncFault CDavClient::StatusFault(int status)
{
    switch (status) {
    case 401:
        return SyncFault::Password;
    case 403:
        return SyncFault::Forbidden;
    case 404:
        return SyncFault::NotFound;
    case 409:
        return SyncFault::Conflict;
    case 412:
        return SyncFault::Changed;
    case 507:
        return SyncFault::Full;
    default:
        break;
    }
    if (status >= 500)
        return SyncFault::ServerError;
    if (status >= 300 && status < 400)
        return SyncFault::Redirect;
    return SyncFault::Rejected;
}

QString CDavClient::StatusReason(int status)
{
    switch (status) {
    case 401:
        return QStringLiteral("the server refused the user name or password");
    case 403:
        return QStringLiteral("the server does not allow this (HTTP 403)");
    case 404:
        return QStringLiteral("the server does not have what was asked for (HTTP 404)");
    case 409:
        return QStringLiteral("the server reports a conflict (HTTP 409)");
    case 412:
        return QStringLiteral("the item changed on the server meanwhile (HTTP 412)");
    case 507:
        return QStringLiteral("the server has no room left (HTTP 507)");
    default:
        break;
    }
    if (status >= 500)
        return QStringLiteral("the server failed (HTTP %1)").arg(status);
    if (status >= 300 && status < 400)
        return QStringLiteral("the server sent the request elsewhere (HTTP %1), which is not followed").arg(status);
    return QStringLiteral("the server refused the request (HTTP %1)").arg(status);
}

void CDavClient::AbortAll()
{
    const QList<QNetworkReply *> running = std::exchange(m_running, {});
    for (QNetworkReply *reply : running) {
        reply->disconnect(this);
        if (!reply->isFinished())
            reply->abort();
        reply->deleteLater();
    }
}

void CDavClient::Send(const QByteArray &verb, const QUrl &url, const QByteArray &body, const Headers &headers,
                      Done done)
{
    Issue(verb, url, body, headers, std::move(done), 0);
}

void CDavClient::Issue(const QByteArray &verb, const QUrl &url, const QByteArray &body, const Headers &headers,
                       Done done, int redirects)
{
    DavReply refused;
    refused.url = url;
    refused.error = RefusedAddress(url);
    refused.fault = SyncFault::Refused;
    if (refused.error.isEmpty() && !SameOrigin(url, m_account.server)) {
        refused.error = QStringLiteral("the server pointed to another server, which is not followed");
        refused.fault = SyncFault::Redirect;
    }
    if (!refused.error.isEmpty()) {
        // Always answered from the event loop, as an answer from the server is.
        QMetaObject::invokeMethod(this, [done, refused] { done(refused); }, Qt::QueuedConnection);
        return;
    }

    QNetworkRequest request(url);
    request.setTransferTimeout(m_limits.timeoutMs);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    if (!m_account.user.isEmpty()) {
        // Sent with the first request, so that a sync costs no extra round
        // trip; only ever to the server's own origin (see above).
        const QByteArray pair = (m_account.user + u':' + m_account.password).toUtf8();
        request.setRawHeader("Authorization", "Basic " + pair.toBase64());
    }
    for (const auto &[name, value] : headers)
        request.setRawHeader(name, value);
    if (!body.isEmpty() && !request.hasRawHeader("Content-Type"))
        request.setRawHeader("Content-Type", "application/xml; charset=utf-8");

    emit requestSent(++m_requests);
    QNetworkReply *reply = m_network->sendCustomRequest(request, verb, body);
    m_running << reply;
    auto buffer = std::make_shared<QByteArray>();
    auto tooLarge = std::make_shared<bool>(false);
    auto refusedCertificate = std::make_shared<QByteArray>();
    // A certificate that does not verify passes only when it is exactly the
    // one the user trusted for this server.
    connect(reply, &QNetworkReply::sslErrors, this, [this, reply, refusedCertificate](const QList<QSslError> &errors) {
        const QByteArray digest = reply->sslConfiguration().peerCertificate().digest(QCryptographicHash::Sha256);
        if (!digest.isEmpty() && digest == m_account.trustedCertificate)
            reply->ignoreSslErrors(errors);
        else
            *refusedCertificate = digest;
    });
    connect(reply, &QNetworkReply::readyRead, this, [this, reply, buffer, tooLarge] {
        if (buffer->size() + reply->bytesAvailable() > m_limits.maxBytes) {
            *tooLarge = true;
            reply->abort();
            return;
        }
        buffer->append(reply->readAll());
    });
    connect(reply, &QNetworkReply::finished, this,
            [this, reply, buffer, tooLarge, refusedCertificate, verb, url, body, headers, done, redirects] {
                m_running.removeOne(reply);
                reply->deleteLater();
                if (!*tooLarge && reply->isOpen() && buffer->size() + reply->bytesAvailable() <= m_limits.maxBytes)
                    buffer->append(reply->readAll());
                DavReply out;
                out.url = url;
                out.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
                out.etag = reply->rawHeader("ETag");
                out.body = std::move(*buffer);
                if (*tooLarge) {
                    out.error = QStringLiteral("the server's answer is larger than the sync reads (%1 kB)")
                                        .arg(m_limits.maxBytes / 1024);
                    out.fault = SyncFault::TooLarge;
                } else if (out.status >= 300 && out.status < 400) {
                    const QUrl target = url.resolved(reply->header(QNetworkRequest::LocationHeader).toUrl());
                    if (!reply->hasRawHeader("Location") || redirects >= kMaxRedirects) {
                        out.error = StatusReason(out.status);
                        out.fault = StatusFault(out.status);
                    } else {
                        Issue(verb, target, body, headers, done, redirects + 1);
                        return;
                    }
                } else if (out.status >= 400) {
                    out.error = StatusReason(out.status);
                    out.fault = StatusFault(out.status);
                } else if (out.status == 0 || reply->error() != QNetworkReply::NoError) {
                    out.error = NetworkReason(reply->error());
                    out.fault = NetworkFault(reply->error());
                    if (!refusedCertificate->isEmpty()) {
                        out.fault = SyncFault::Certificate;
                        out.certificate = *refusedCertificate;
                        out.error = QStringLiteral("the server's certificate is not trusted (SHA-256 %1)")
                                            .arg(QString::fromLatin1(refusedCertificate->toHex(':')));
                    }
                }
                done(out);
            });
}
