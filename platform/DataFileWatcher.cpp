#include "platform/DataFileWatcher.h"

#include <QFileInfo>

CDataFileWatcher::CDataFileWatcher(const QString &path, QObject *parent)
    : QObject(parent)
    , m_path(QFileInfo(path).absoluteFilePath())
{
    m_settle.setSingleShot(true);
    connect(&m_settle, &QTimer::timeout, this, &CDataFileWatcher::OnSettled);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this,
            &CDataFileWatcher::OnSomethingChanged);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this,
            &CDataFileWatcher::OnSomethingChanged);

    WatchFolders();
    WatchFileIfThere();
    m_lastLook = LookNow();
}

void CDataFileWatcher::WatchFolders()
{
    // A data file that is a link into a synced folder is replaced there,
    // beside the file it points to.
    const QFileInfo file(m_path);
    QStringList folders{file.absolutePath()};
    if (file.isSymLink())
        folders << QFileInfo(file.symLinkTarget()).absolutePath();
    for (const QString &folder : std::as_const(folders)) {
        if (!m_watcher.directories().contains(folder))
            m_watcher.addPath(folder);
    }
}

CDataFileWatcher::Look CDataFileWatcher::LookNow() const
{
    const QFileInfo info(m_path);
    Look look;
    look.exists = info.exists();
    if (look.exists) {
        look.size = info.size();
        look.modified = info.lastModified();
        // Changes with every write and every rename into place, and no
        // program can set it back.
        look.metadataChanged = info.metadataChangeTime();
    }
    return look;
}

void CDataFileWatcher::WatchFileIfThere()
{
    if (!m_watcher.files().contains(m_path) && QFileInfo::exists(m_path))
        m_watcher.addPath(m_path);
}

void CDataFileWatcher::OnSomethingChanged()
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    if (!m_settle.isActive())
        m_firstUnsettled = now;
    // Each further event restarts the wait, up to the longest wait.
    const qint64 waited = m_firstUnsettled.msecsTo(now);
    if (waited < kLongestWaitMs || !m_settle.isActive())
        m_settle.start(int(qMin<qint64>(kSettleMs, qMax<qint64>(0, kLongestWaitMs - waited))));
}

void CDataFileWatcher::OnSettled()
{
    // A rename over the file took its watch away; the new file gets one, and
    // a link that points elsewhere now has its new folder watched.
    WatchFolders();
    WatchFileIfThere();
    const Look look = LookNow();
    if (look != m_lastLook) {
        m_lastLook = look;
        emit changedOnDisk();
    }
    emit folderChanged();
}
