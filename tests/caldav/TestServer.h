#pragma once

#include <QProcess>
#include <QString>
#include <QUrl>

// A CalDAV server of its own for a test, on 127.0.0.1 and a free port, with
// its own storage folder: Radicale with a user and password (htpasswd, the
// passwords in plain text) or Xandikos without. Stopped with the object.
class CTestServer
{
public:
    enum Kind { Radicale, Xandikos };

    CTestServer(Kind kind, QString folder);
    ~CTestServer();

    // Empty when the server answers; else why not (a missing program too).
    QString Start();
    // Stops it at once, as a crash or a pulled cable would; Start again
    // brings it back with what it stored.
    void Kill();

    bool Missing() const;
    QUrl Url() const;
    QString User() const { return m_kind == Radicale ? QStringLiteral("alice") : QString(); }
    QString Password() const { return m_kind == Radicale ? QStringLiteral("secret") : QString(); }

private:
    Kind m_kind;
    QString m_folder;
    quint16 m_port = 0;
    QProcess m_process;
};
