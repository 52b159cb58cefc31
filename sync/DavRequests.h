#pragma once

#include "sync/DavClient.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

// What the sync sends the server: the XML bodies of its requests, their
// Depth headers, and the names it gives what it makes there. Plain
// functions of their arguments.
namespace DavRequests {

// The calendar home's collections with what tells whether one changed: their
// sync tokens, and their ctags where asked.
QByteArray PropfindHomeBody(bool withCtags);
// Where the current user's principal and calendar home are.
extern const QByteArray kPropfindPrincipal;
// Every to-do of a collection with its ETag.
extern const QByteArray kCalendarQuery;

extern const CDavClient::Headers kXmlDepth0;
extern const CDavClient::Headers kXmlDepth1;

// The changes since the token (all of the collection for an empty one).
QByteArray SyncCollectionBody(const QString &token);
QByteArray MultigetBody(const QStringList &hrefs);
// A calendar collection for to-dos; the icon in a property of our own.
QByteArray MkcolBody(const QString &name, std::optional<qint32> icon);
QByteArray ProppatchBody(const QByteArray &prop);

// An href as a key: its path, decoded, without a closing slash.
QString HrefKey(const QUrl &base, const QString &href);
// A name for a new object or collection on the server: the identity where
// it is plain enough for a path, else a new one.
QString PathName(const QString &uid);
QString NewUid();

} // namespace DavRequests
