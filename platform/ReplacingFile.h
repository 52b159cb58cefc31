#pragma once

#include <QFile>
#include <QString>

// A file written as a whole beside the one it replaces, then put in its
// place by one rename: until then the old file stays exactly as it was, and
// a failed or killed write leaves it so.
//
// The new file is written under no name at all where the file system allows
// it (O_TMPFILE), so that a program killed while writing leaves nothing
// behind; it gets a name only for the rename. Elsewhere it is written under
// a name that says which computer and which run made it, and
// RemoveLeftovers takes away what runs of this program that died here left
// beside the file, and nothing else.
class CReplacingFile
{
public:
    enum class Links {
        Follow,  // a link stays, and the file it points to is replaced
        Replace, // a link is replaced by the new file; its target is left alone
    };

    // `newFileMode` is the mode of a file made where there was none (less
    // the umask); a file replaced keeps its own mode.
    CReplacingFile(const QString &path, Links links, QFile::Permissions newFileMode);
    ~CReplacingFile();
    CReplacingFile(const CReplacingFile &) = delete;
    CReplacingFile &operator=(const CReplacingFile &) = delete;

    // Opens the new file for writing.
    bool Open(QIODevice::OpenMode mode = QIODevice::WriteOnly);
    QFile &Device() { return m_file; }
    // Flushes the new file to disk and renames it over the old one.
    bool Commit();
    // Drops the new file; the old one stays.
    void Cancel();

    // The path that was replaced: through a followed link, the file it
    // points to.
    QString FinalPath() const { return m_finalPath; }
    QString ErrorString() const { return m_error; }

    // Removes, beside `path` (as `links` finds it), the new files of this
    // program's runs on this computer that ended before they could rename
    // them into place.
    static void RemoveLeftovers(const QString &path, Links links);
    // The name under which the run `pid` writes a new `fileName` where the
    // file system cannot keep it unnamed, and names it for the rename.
    static QString TemporaryName(const QString &fileName, qint64 pid, quint32 serial);

private:
    bool Fail(const QString &reason);
    bool Fail(int error);

    QString m_path;
    Links m_links;
    QFile::Permissions m_newFileMode;
    QString m_finalPath;
    QString m_error;
    QFile m_file;
    int m_folder = -1;
    int m_fd = -1;
    bool m_unnamed = false;
    QByteArray m_tempName; // in the folder; empty while unnamed
    QByteArray m_finalName;
};
