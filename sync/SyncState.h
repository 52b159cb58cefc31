#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// What the last sync agreed with the server, kept in a file of its own
// beside the data file (the data file's format stays as it is): the
// calendar home, and for each list its collection and sync token, for each
// item its href, ETag and the calendar object both sides last agreed on.
// Without it (missing, damaged, or of another server) a sync loses and
// doubles nothing: it matches lists by name and items by content.
struct SyncStateItem
{
    QString uid;       // the item's identity here
    QString href;      // its calendar object on the server
    QByteArray etag;
    QByteArray ics;    // the object as both sides last agreed on it
};

struct SyncStateList
{
    QString id;        // the list's identity here
    QString href;      // its collection
    QString name;      // its name and icon as last agreed
    qint32 icon = 0;
    QString syncToken; // the collection's, where the server offers them
    QString ctag;      // or its ctag
    QList<SyncStateItem> items;
    // The list as this computer held it after that sync (ListFingerprint):
    // while it and the collection's token stay the same, nothing of the list
    // needs to be read or compared.
    QString held;

    const SyncStateItem *Item(const QString &uid) const;
};

struct SyncState
{
    QString server;    // the address the state belongs to
    QString home;      // the calendar home found there
    QList<SyncStateList> lists;

    const SyncStateList *List(const QString &id) const;

    // The state file of a data file: beside it, named after it.
    static QString PathBeside(const QString &dataFilePath);

    // The state in the file; an empty state, with the reason in whyNot,
    // when the file is missing or cannot be read as one.
    static SyncState Load(const QString &path, QString *whyNot = nullptr);
    // Replaces the file whole or not at all, readable by the user alone.
    bool Save(const QString &path, QString *whyNot = nullptr) const;

    QByteArray ToJson() const;
    static std::optional<SyncState> FromJson(const QByteArray &json);
};
