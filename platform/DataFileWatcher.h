#pragma once

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

// Watches the data file for writes by other programs. Sync tools put a newer
// file in place by renaming it over the old one, which ends a watch on the
// file itself; so the folder is watched too (and the folder of the file it
// points to, when it is a link), and the file's watch is made
// again whenever the file is back. Everything that happens within a short
// settle time (a program writing in several steps, a rename after a
// temporary copy) is one notification, sent only when the file's size,
// times or presence differ from what the last one saw. This program's own
// saves are reported too: whoever listens compares the file's bytes with
// what it last read or wrote (CFileStamp).
class CDataFileWatcher : public QObject
{
    Q_OBJECT

public:
    static constexpr int kSettleMs = 300;
    // However busy the folder, a change waits no longer than this.
    static constexpr int kLongestWaitMs = 2000;

    explicit CDataFileWatcher(const QString &path, QObject *parent = nullptr);

    const QString &Path() const { return m_path; }

signals:
    void changedOnDisk();
    // Something in the data file's folder changed, the file or another one
    // (a sync tool's conflict copy); after changedOnDisk when both did.
    void folderChanged();

private:
    struct Look
    {
        bool exists = false;
        qint64 size = 0;
        QDateTime modified;
        QDateTime metadataChanged;
        bool operator==(const Look &other) const = default;
    };
    Look LookNow() const;
    void WatchFolders();
    void WatchFileIfThere();
    void OnSomethingChanged();
    void OnSettled();

    QString m_path;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    QDateTime m_firstUnsettled;
    Look m_lastLook;
};
