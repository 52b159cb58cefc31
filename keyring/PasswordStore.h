#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>

// The sync's password in the desktop's keyring, one entry per server and
// user. Each call answers once, from the event loop. Nothing here writes the
// password anywhere else: where no keyring answers, the caller keeps it in
// memory for this run.
class CPasswordStore : public QObject
{
    Q_OBJECT

public:
    enum class Outcome {
        Done,
        NotFound,  // reading: the keyring holds no password for the account
        NoKeyring, // none answers, or it refused
    };
    using Done = std::function<void(Outcome outcome, const QString &password)>;

    explicit CPasswordStore(QObject *parent = nullptr);

    void Read(const QUrl &server, const QString &user, Done done);
    void Write(const QUrl &server, const QString &user, const QString &password, Done done);
    void Remove(const QUrl &server, const QString &user, Done done);

    // The entry's name in the keyring: the user at the server, which the
    // keyring's own window shows.
    static QString Key(const QUrl &server, const QString &user);
};
