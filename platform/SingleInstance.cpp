#include "platform/SingleInstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

namespace {

// What a later start says, and what the running program answers once it has
// come to the front.
constexpr char kKnock[] = "front\n";
constexpr char kAnswer[] = "ok\n";

QString RuntimeFolder()
{
    // Not QStandardPaths::RuntimeLocation: without XDG_RUNTIME_DIR it warns
    // and makes a folder of its own in /tmp; the key below is per user anyway.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return runtime;
    return QDir::tempPath();
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
    , m_folder(RuntimeFolder())
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
    const QDeadlineTimer deadline(waitMs);
    for (;;) {
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
        if (deadline.hasExpired())
            return Outcome::NoAnswer;
        // The owner is alive but not listening yet: it is just starting.
        QThread::msleep(50);
    }
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
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine())
                return;
            const QByteArray line = socket->readLine();
            if (line == kKnock) {
                emit anotherStartKnocked();
                socket->write(kAnswer);
            }
            socket->disconnectFromServer();
        });
    }
}
