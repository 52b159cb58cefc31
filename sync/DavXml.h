#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The WebDAV answers the sync reads: a multistatus of responses, each with
// its href, a status and the properties the server found. Read with
// QXmlStreamReader, which expands no external entity; a document with a
// DTD (where entity bombs live) is refused outright.
namespace DavXml {

inline constexpr char16_t kDav[] = u"DAV:";
inline constexpr char16_t kCalDav[] = u"urn:ietf:params:xml:ns:caldav";
inline constexpr char16_t kCalServer[] = u"http://calendarserver.org/ns/";
// Where the list's icon is kept on the server: a namespace of our own.
inline constexpr char16_t kOwn[] = u"urn:x-quillmark:ns:sync";

struct Prop
{
    QString text;            // its own text, trimmed (calendar data untrimmed)
    QStringList hrefs;       // the hrefs inside it
    QStringList children;    // the names of its child elements, "ns|name"
    QStringList components;  // the name attribute of each comp inside it
};

struct Response
{
    QString href;
    int status = 0; // a status of the response itself (0 where it has propstats)
    QHash<QString, Prop> props; // found (2xx) properties, by "ns|name"
    bool Has(QStringView ns, QStringView name) const { return props.contains(Key(ns, name)); }
    Prop Get(QStringView ns, QStringView name) const { return props.value(Key(ns, name)); }
    static QString Key(QStringView ns, QStringView name) { return ns.toString() + u'|' + name.toString(); }
};

struct Multistatus
{
    QList<Response> responses;
    QString syncToken; // of a sync-collection report
};

// None, with the reason, when the text is not a well-formed multistatus.
std::optional<Multistatus> Parse(const QByteArray &xml, QString *whyNot);

// Text escaped for an XML element's content.
QByteArray Escape(const QString &text);

} // namespace DavXml
