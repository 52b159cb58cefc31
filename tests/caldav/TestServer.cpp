#include "tests/caldav/TestServer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

namespace {

// The system's Python, where Debian's radicale lives (a python3 earlier on
// the PATH may be another).
const QString kPython = QStringLiteral("/usr/bin/python3");

quint16 FreePort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    return probe.serverPort();
}

bool WriteText(const QString &path, const QByteArray &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

} // namespace

CTestServer::CTestServer(Kind kind, QString folder)
    : m_kind(kind), m_folder(std::move(folder))
{
}

CTestServer::~CTestServer()
{
    Kill();
}

bool CTestServer::Missing() const
{
    if (m_kind == Radicale)
        return QProcess::execute(kPython, {QStringLiteral("-c"), QStringLiteral("import radicale")}) != 0;
    return QStandardPaths::findExecutable(QStringLiteral("xandikos")).isEmpty();
}

QUrl CTestServer::Url() const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(m_port));
}

QString CTestServer::Start()
{
    if (m_port == 0)
        m_port = FreePort();
    if (m_port == 0)
        return QStringLiteral("no free port");
    QDir().mkpath(m_folder);
    // What the server says goes to a file beside its storage, for when a
    // test fails.
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.setStandardOutputFile(QDir(m_folder).filePath(QStringLiteral("log")), QIODevice::Append);
    if (m_kind == Radicale) {
        const QString users = QDir(m_folder).filePath(QStringLiteral("users"));
        const QString config = QDir(m_folder).filePath(QStringLiteral("config"));
        const QByteArray text = QStringLiteral("[server]\nhosts = 127.0.0.1:%1\n"
                                               "[auth]\ntype = htpasswd\nhtpasswd_filename = %2\n"
                                               "htpasswd_encryption = plain\n"
                                               "[rights]\ntype = owner_only\n"
                                               "[storage]\nfilesystem_folder = %3\n"
                                               "[logging]\nlevel = warning\n")
                                        .arg(m_port)
                                        .arg(users, QDir(m_folder).filePath(QStringLiteral("collections")))
                                        .toUtf8();
        if (!WriteText(users, "alice:secret\n") || !WriteText(config, text))
            return QStringLiteral("cannot write the server's configuration");
        m_process.start(kPython, {QStringLiteral("-m"), QStringLiteral("radicale"), QStringLiteral("--config"), config});
    } else {
        m_process.start(QStringLiteral("xandikos"),
                        {QStringLiteral("--defaults"), QStringLiteral("-d"), QDir(m_folder).filePath(QStringLiteral("data")),
                         QStringLiteral("-l"), QStringLiteral("127.0.0.1"), QStringLiteral("-p"),
                         QString::number(m_port)});
    }
    if (!m_process.waitForStarted(10000))
        return QStringLiteral("the server did not start: ") + m_process.errorString();
    // Ready once it takes connections: a Python server on a busy machine
    // took more than 20 s to start.
    const QDeadlineTimer deadline(60000);
    while (!deadline.hasExpired()) {
        if (m_process.state() != QProcess::Running)
            return QStringLiteral("the server ended at once");
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, m_port);
        if (socket.waitForConnected(200))
            return QString();
        QThread::msleep(50);
    }
    return QStringLiteral("the server does not answer");
}

void CTestServer::Kill()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.kill();
    m_process.waitForFinished(5000);
}
