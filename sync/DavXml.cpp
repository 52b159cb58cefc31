#include "sync/DavXml.h"


#include <QXmlStreamReader>

namespace DavXml {

namespace {

QString Name(const QXmlStreamReader &xml)
{
    return Response::Key(xml.namespaceUri(), xml.name());
}

int StatusCode(const QString &line)
{
    // "HTTP/1.1 404 Not Found"
    const QStringList parts = line.simplified().split(u' ');
    return parts.size() >= 2 ? parts.at(1).toInt() : 0;
}

// Reads the element the reader stands on to its end: its own text, and
// the hrefs, child names and comp names inside it.
void ReadProp(QXmlStreamReader &xml, Prop &prop, bool keepSpace)
{
    int depth = 0;
    QString href;
    bool inHref = false;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (depth == 0)
                prop.children << Name(xml);
            if (xml.namespaceUri() == kDav && xml.name() == u"href") {
                inHref = true;
                href.clear();
            }
            if (xml.name() == u"comp")
                prop.components << xml.attributes().value(QStringLiteral("name")).toString().toUpper();
            ++depth;
        } else if (token == QXmlStreamReader::EndElement) {
            if (depth == 0)
                break;
            --depth;
            if (inHref && xml.name() == u"href") {
                prop.hrefs << href.trimmed();
                inHref = false;
            }
        } else if (token == QXmlStreamReader::Characters) {
            if (inHref)
                href += xml.text();
            else if (depth == 0)
                prop.text += xml.text();
        }
    }
    if (!keepSpace)
        prop.text = prop.text.trimmed();
}

void ReadPropstat(QXmlStreamReader &xml, Response &response)
{
    QHash<QString, Prop> props;
    int status = 0;
    while (xml.readNextStartElement()) {
        if (xml.namespaceUri() == kDav && xml.name() == u"prop") {
            while (xml.readNextStartElement()) {
                const QString key = Name(xml);
                Prop prop;
                ReadProp(xml, prop, xml.name() == u"calendar-data");
                props.insert(key, prop);
            }
        } else if (xml.namespaceUri() == kDav && xml.name() == u"status") {
            status = StatusCode(xml.readElementText());
        } else {
            xml.skipCurrentElement();
        }
    }
    if (status >= 200 && status < 300)
        response.props.insert(props);
}

void ReadResponse(QXmlStreamReader &xml, Multistatus &out)
{
    Response response;
    while (xml.readNextStartElement()) {
        if (xml.namespaceUri() != kDav)
            xml.skipCurrentElement();
        else if (xml.name() == u"href")
            response.href = xml.readElementText().trimmed();
        else if (xml.name() == u"status")
            response.status = StatusCode(xml.readElementText());
        else if (xml.name() == u"propstat")
            ReadPropstat(xml, response);
        else
            xml.skipCurrentElement();
    }
    out.responses << response;
}

} // namespace

std::optional<Multistatus> Parse(const QByteArray &bytes, QString *whyNot)
{
    const auto fail = [&](const QString &reason) -> std::optional<Multistatus> {
        if (whyNot)
            *whyNot = reason;
        return std::nullopt;
    };
    QXmlStreamReader xml(bytes);
    Multistatus out;
    bool root = false;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::DTD)
            return fail(QStringLiteral("the server's answer declares a document type, which is refused"));
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (!root) {
            if (xml.namespaceUri() != kDav || xml.name() != u"multistatus")
                return fail(QStringLiteral("the server's answer is not a WebDAV multistatus"));
            root = true;
            continue;
        }
        if (xml.namespaceUri() == kDav && xml.name() == u"response")
            ReadResponse(xml, out);
        else if (xml.namespaceUri() == kDav && xml.name() == u"sync-token")
            out.syncToken = xml.readElementText().trimmed();
        else
            xml.skipCurrentElement();
    }
    if (xml.hasError() || !root)
        return fail(QStringLiteral("the server's answer is not well-formed XML"));
    return out;
}

QByteArray Escape(const QString &text)
{
    return text.toHtmlEscaped().toUtf8();
}

} // namespace DavXml
