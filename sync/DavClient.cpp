#include "sync/DavClient.h"

#include "res/Tr.h"

#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>

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
        return Tr::tr("the server refused the connection");
    case QNetworkReply::RemoteHostClosedError:
        return Tr::tr("the server closed the connection");
    case QNetworkReply::HostNotFoundError:
        return Tr::tr("the server's host name was not found");
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError:
        return Tr::tr("the server did not answer in time");
    case QNetworkReply::SslHandshakeFailedError:
        return Tr::tr("the secure connection to the server failed");
    default:
        return Tr::tr("the connection to the server failed");
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
        return Tr::tr("the server address is not valid");
    if (!url.userInfo().isEmpty())
        return Tr::tr("the server address may not hold a user name or password");
    if (url.scheme() == u"https")
        return QString();
    if (url.scheme() == u"http")
        return IsLoopback(url.host()) ? QString()
                                      : Tr::tr("plain http is refused: the lists and the password would be readable "
                                               "on the way; use https");
    return Tr::tr("the server address must begin with https://");
}

QString CDavClient::StatusReason(int status)
{
    switch (status) {
    case 401:
        return Tr::tr("the server refused the user name or password");
    case 403:
        return Tr::tr("the server does not allow this (HTTP 403)");
    case 404:
        return Tr::tr("the server does not have what was asked for (HTTP 404)");
    case 409:
        return Tr::tr("the server reports a conflict (HTTP 409)");
    case 412:
        return Tr::tr("the item changed on the server meanwhile (HTTP 412)");
    case 507:
        return Tr::tr("the server has no room left (HTTP 507)");
    default:
        break;
    }
    if (status >= 500)
        return Tr::tr("the server failed (HTTP %1)").arg(status);
    if (status >= 300 && status < 400)
        return Tr::tr("the server sent the request elsewhere (HTTP %1), which is not followed").arg(status);
    return Tr::tr("the server refused the request (HTTP %1)").arg(status);
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
    if (refused.error.isEmpty() && !SameOrigin(url, m_account.server))
        refused.error = Tr::tr("the server pointed to another server, which is not followed");
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
    connect(reply, &QNetworkReply::readyRead, this, [this, reply, buffer, tooLarge] {
        if (buffer->size() + reply->bytesAvailable() > m_limits.maxBytes) {
            *tooLarge = true;
            reply->abort();
            return;
        }
        buffer->append(reply->readAll());
    });
    connect(reply, &QNetworkReply::finished, this,
            [this, reply, buffer, tooLarge, verb, url, body, headers, done, redirects] {
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
                    out.error = Tr::tr("the server's answer is larger than the sync reads (%1 MB)")
                                        .arg(m_limits.maxBytes / (1024 * 1024));
                } else if (out.status >= 300 && out.status < 400) {
                    const QUrl target = url.resolved(reply->header(QNetworkRequest::LocationHeader).toUrl());
                    if (!reply->hasRawHeader("Location") || redirects >= kMaxRedirects) {
                        out.error = StatusReason(out.status);
                    } else {
                        Issue(verb, target, body, headers, done, redirects + 1);
                        return;
                    }
                } else if (out.status >= 400) {
                    out.error = StatusReason(out.status);
                } else if (out.status == 0 || reply->error() != QNetworkReply::NoError) {
                    out.error = NetworkReason(reply->error());
                }
                done(out);
            });
}
