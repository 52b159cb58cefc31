#include "sync/DavRequests.h"

#include "sync/DavXml.h"

#include <QRegularExpression>
#include <QUuid>

namespace DavRequests {

using DavXml::Escape;

QByteArray PropfindHomeBody(bool withCtags)
{
    return QByteArray("<?xml version=\"1.0\" encoding=\"utf-8\"?>"
                      "<d:propfind xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\" "
                      "xmlns:cs=\"http://calendarserver.org/ns/\" xmlns:q=\"urn:x-quillmark:ns:sync\"><d:prop>"
                      "<d:resourcetype/><d:displayname/><c:supported-calendar-component-set/>")
            + (withCtags ? "<cs:getctag/>" : "") + "<d:sync-token/><q:icon/></d:prop></d:propfind>";
}

const QByteArray kPropfindPrincipal =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
        "<d:propfind xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\"><d:prop>"
        "<d:current-user-principal/><c:calendar-home-set/></d:prop></d:propfind>";

const QByteArray kCalendarQuery =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
        "<c:calendar-query xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\">"
        "<d:prop><d:getetag/></d:prop><c:filter><c:comp-filter name=\"VCALENDAR\">"
        "<c:comp-filter name=\"VTODO\"/></c:comp-filter></c:filter></c:calendar-query>";

QByteArray SyncCollectionBody(const QString &token)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
           "<d:sync-collection xmlns:d=\"DAV:\"><d:sync-token>"
            + Escape(token) + "</d:sync-token><d:sync-level>1</d:sync-level><d:prop><d:getetag/></d:prop>"
                              "</d:sync-collection>";
}

QByteArray MultigetBody(const QStringList &hrefs)
{
    QByteArray body = "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
                      "<c:calendar-multiget xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\">"
                      "<d:prop><d:getetag/><c:calendar-data/></d:prop>";
    for (const QString &href : hrefs)
        body += "<d:href>" + Escape(href) + "</d:href>";
    return body + "</c:calendar-multiget>";
}

QByteArray MkcolBody(const QString &name, std::optional<qint32> icon)
{
    QByteArray body = "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
                      "<d:mkcol xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\" "
                      "xmlns:q=\"urn:x-quillmark:ns:sync\"><d:set><d:prop>"
                      "<d:resourcetype><d:collection/><c:calendar/></d:resourcetype><d:displayname>"
            + Escape(name)
            + "</d:displayname><c:supported-calendar-component-set><c:comp name=\"VTODO\"/>"
              "</c:supported-calendar-component-set>";
    if (icon)
        body += "<q:icon>" + QByteArray::number(*icon) + "</q:icon>";
    return body + "</d:prop></d:set></d:mkcol>";
}

QByteArray ProppatchBody(const QByteArray &prop)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
           "<d:propertyupdate xmlns:d=\"DAV:\" xmlns:q=\"urn:x-quillmark:ns:sync\"><d:set><d:prop>"
            + prop + "</d:prop></d:set></d:propertyupdate>";
}

const CDavClient::Headers kXmlDepth0{{"Depth", "0"}};
const CDavClient::Headers kXmlDepth1{{"Depth", "1"}};

QString HrefKey(const QUrl &base, const QString &href)
{
    QString path = base.resolved(QUrl(href)).path(QUrl::FullyDecoded);
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path;
}

QString PathName(const QString &uid)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9][A-Za-z0-9._-]{0,99}$"));
    return plain.match(uid).hasMatch() ? uid : QUuid::createUuid().toString(QUuid::WithoutBraces);
}

QString NewUid()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

} // namespace DavRequests
