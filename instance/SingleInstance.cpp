#include "instance/SingleInstance.h"

#include "platform/PrivateFolder.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QSysInfo>
#include <QThread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// What a later start says, and what the running program answers once it has
// come to the front.
constexpr char kKnock[] = "front\n";
constexpr char kAnswer[] = "ok\n";
// Anything longer than this without a line end is no later start's knock:
// its connection is closed, so that what a stray program writes is not
// gathered without end.
constexpr qint64 kLongestMessage = 4096;

// How long a lock that holds nothing yet may be a start that has just made
// it and is about to write its number in.
constexpr qint64 kFreshLockMs = 2000;

// The lock and the socket live where no other user can put a file of their
// own: in the runtime folder, or else in a folder of the user's own. A
// socket's path has a length limit, which a deep cache folder may pass.
QString InstanceFolder(qsizetype longestName)
{
    QStringList candidates;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && PrivateFolder::IsPrivate(runtime))
        candidates << runtime;
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (!cache.isEmpty())
        candidates << cache;
    candidates << QDir::tempPath() + QStringLiteral("/quillmark-") + QString::number(::geteuid());
    const qsizetype socketPathMax = qsizetype(sizeof(sockaddr_un::sun_path)) - 1;
    for (const QString &folder : std::as_const(candidates)) {
        if (QFile::encodeName(folder).size() + 1 + longestName > socketPathMax)
            continue;
        QString reason;
        if (folder == runtime || PrivateFolder::Make(folder, &reason))
            return folder;
        qWarning("Quillmark: %s", qPrintable(reason));
    }
    return QString();
}

} // namespace

QString CSingleInstance::KeyFor(const QString &dataFilePath)
{
    // The file may not be there yet (the first start), but its folder is.
    const QFileInfo info(dataFilePath);
    const QString folder = info.absoluteDir().canonicalPath();
    const QString file = folder.isEmpty() ? info.absoluteFilePath()
                                          : folder + u'/' + info.fileName();
    // The home folder keeps two users' keys apart in a shared /tmp.
    const QByteArray id = (QDir::homePath() + u'\n' + file).toUtf8();
    return QStringLiteral("quillmark-")
            + QString::fromLatin1(QCryptographicHash::hash(id, QCryptographicHash::Sha256)
                                          .toHex()
                                          .left(24));
}

CSingleInstance::CSingleInstance(const QString &dataFilePath, QObject *parent)
    : QObject(parent)
    , m_key(KeyFor(dataFilePath))
    , m_folder(InstanceFolder(m_key.size() + qsizetype(sizeof(".socket"))))
    , m_lock(QDir(m_folder).filePath(m_key + QStringLiteral(".lock")))
{
    // Held for the whole run: only a dead owner makes the lock stale.
    m_lock.setStaleLockTime(0);
}

CSingleInstance::~CSingleInstance() = default;

QString CSingleInstance::LockPath() const
{
    return QDir(m_folder).filePath(m_key + QStringLiteral(".lock"));
}

QString CSingleInstance::SocketName() const
{
#ifdef Q_OS_UNIX
    return QDir(m_folder).filePath(m_key + QStringLiteral(".socket"));
#else
    return m_key;
#endif
}

CSingleInstance::Outcome CSingleInstance::Claim(int waitMs)
{
    if (m_folder.isEmpty()) {
        // Better a program without this guard than one that another user
        // can keep from starting.
        qWarning("Quillmark: no folder of this user's own for the lock");
        return Outcome::First;
    }
    const QDeadlineTimer deadline(waitMs);
    for (;;) {
        DropUntrusted();
        // Checked again on every round: the owner may have ended meanwhile.
        if (m_lock.tryLock(0)) {
            Listen();
            return Outcome::First;
        }
        if (m_lock.error() != QLockFile::LockFailedError) {
            // No lock can be made there at all (a full or read-only folder):
            // better a program without this guard than none.
            qWarning("Quillmark: cannot make the lock %s", qPrintable(LockPath()));
            return Outcome::First;
        }
        if (Knock(int(qMax<qint64>(1, deadline.remainingTime()))))
            return Outcome::HandedOver;
        if (HeldByOtherComputerOnly())
            return Outcome::OtherComputer;
        if (deadline.hasExpired())
            return Outcome::NoAnswer;
        // The owner is alive but not listening yet: it is just starting.
        QThread::msleep(50);
    }
}

void CSingleInstance::DropUntrusted()
{
    // Only the folder's owner, or root, can have put another user's file
    // here; this program never uses one. The folder is the user's, so
    // removing it needs no right on the file.
    const auto foreign = [](const QString &path, bool socket) {
        struct stat st = {};
        if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
            return false;
        return st.st_uid != ::geteuid() || (socket ? !S_ISSOCK(st.st_mode) : !S_ISREG(st.st_mode));
    };
    if (foreign(LockPath(), false))
        QFile::remove(LockPath());
    if (foreign(SocketName(), true))
        QFile::remove(SocketName());

    // A lock of this user's own that does not say which program holds it
    // (empty, cut off, unreadable) would keep every start out for good.
    qint64 pid = 0;
    QString host, app;
    const QFileInfo lock(LockPath());
    if (!lock.exists() || m_lock.getLockInfo(&pid, &host, &app))
        return;
    if (!lock.isReadable()) {
        QFile::remove(LockPath());
        return;
    }
    // An empty one may be a start that has just made it; it writes its
    // number in at once.
    if (lock.size() == 0 && qAbs(lock.lastModified().msecsTo(QDateTime::currentDateTime())) < kFreshLockMs)
        return;
    // Held by a living program's file lock, it stays.
    m_lock.removeStaleLockFile();
}

bool CSingleInstance::HeldByOtherComputerOnly()
{
    // QLockFile can tell a dead run from a live one only on this computer;
    // another's lock would keep every start out for good.
    qint64 pid = 0;
    QString host, app;
    if (!m_lock.getLockInfo(&pid, &host, &app) || host.isEmpty() || host == QSysInfo::machineHostName())
        return false;
    // A program here holds its lock open and locked, whatever name the lock
    // gives.
    const int fd = ::open(QFile::encodeName(LockPath()).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return false;
    const bool unheld = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    if (unheld)
        m_lockComputer = host;
    return unheld;
}

bool CSingleInstance::StartAnyway()
{
    // Removed only while no program here holds it.
    m_lock.removeStaleLockFile();
    if (!m_lock.tryLock(0))
        return false;
    Listen();
    return true;
}

bool CSingleInstance::Knock(int waitMs)
{
    QLocalSocket socket;
    socket.connectToServer(SocketName());
    if (!socket.waitForConnected(qMin(waitMs, 1000)))
        return false;
    socket.write(kKnock);
    if (!socket.waitForBytesWritten(waitMs))
        return false;
    // Waits for the answer, so that this start ends only once the running
    // program has heard it.
    QByteArray answer;
    const QDeadlineTimer deadline(waitMs);
    while (!answer.contains('\n') && socket.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime()))))
        answer += socket.readAll();
    return answer == kAnswer;
}

void CSingleInstance::Listen()
{
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket left by a crashed run; no living program owns it, since we
    // hold the lock.
    QLocalServer::removeServer(SocketName());
    if (!m_server->listen(SocketName())) {
        // Later starts then find no one to hand over to and end all the same.
        qWarning("Quillmark: cannot listen for later starts: %s",
                 qPrintable(m_server->errorString()));
        return;
    }
    connect(m_server.get(), &QLocalServer::newConnection, this, &CSingleInstance::OnNewConnection);
}

void CSingleInstance::OnNewConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        socket->setReadBufferSize(kLongestMessage + 1);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > kLongestMessage) {
                    socket->abort();
                    socket->deleteLater();
                }
                return;
            }
            const QByteArray line = socket->readLine();
            if (line == kKnock) {
                emit anotherStartKnocked();
                socket->write(kAnswer);
            }
            socket->disconnectFromServer();
        });
    }
}
