#pragma once

#include "sync/SyncEngine.h"

#include <QList>
#include <QString>
#include <QUrl>

#include <optional>

// A collection on the server that holds to-dos.
struct ServerList
{
    QString href;
    QString name;
    std::optional<qint32> icon;
    QString syncToken;
    QString ctag;
};

// A list's work in one sync: which local list, which collection, what was
// agreed.
struct ListJob
{
    enum Kind { Paired, Upload, Download, RemoveCollection } kind = Paired;
    int local = -1;               // index into the local lists, or -1
    std::optional<ServerList> server;
    std::optional<SyncStateList> agreed;
    QString id;                   // the list's identity
};

// Which list goes with which collection: by the agreed collection first,
// then (a list never synced, or a lost state) by name. The jobs in the order
// they run: the local lists, the lists removed here, the server's new ones.
QList<ListJob> PlanLists(const QUrl &home, const QList<SyncList> &local, const SyncState &old,
                         const QList<ServerList> &server);
