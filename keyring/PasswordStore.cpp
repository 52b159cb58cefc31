#include "keyring/PasswordStore.h"

#include <qt6keychain/keychain.h>

namespace {

const QString kService = QStringLiteral("Quillmark sync");

// The job deletes itself once it has answered.
void Begin(QKeychain::Job *job, const QString &key, CPasswordStore::Done done)
{
    job->setAutoDelete(true);
    // Never a plain-text file in the keyring's stead.
    job->setInsecureFallback(false);
    job->setKey(key);
    QObject::connect(job, &QKeychain::Job::finished, job, [done = std::move(done)](QKeychain::Job *finished) {
        using Outcome = CPasswordStore::Outcome;
        switch (finished->error()) {
        case QKeychain::NoError: {
            auto *read = qobject_cast<QKeychain::ReadPasswordJob *>(finished);
            done(Outcome::Done, read ? read->textData() : QString());
            return;
        }
        case QKeychain::EntryNotFound:
            done(Outcome::NotFound, QString());
            return;
        default:
            done(Outcome::NoKeyring, QString());
            return;
        }
    });
    job->start();
}

} // namespace

CPasswordStore::CPasswordStore(QObject *parent)
    : QObject(parent)
{
}

QString CPasswordStore::Key(const QUrl &server, const QString &user)
{
    return user + u'@' + server.toString(QUrl::RemoveUserInfo | QUrl::StripTrailingSlash);
}

void CPasswordStore::Read(const QUrl &server, const QString &user, Done done)
{
    Begin(new QKeychain::ReadPasswordJob(kService, this), Key(server, user), std::move(done));
}

void CPasswordStore::Write(const QUrl &server, const QString &user, const QString &password, Done done)
{
    auto *job = new QKeychain::WritePasswordJob(kService, this);
    job->setTextData(password);
    Begin(job, Key(server, user), std::move(done));
}

void CPasswordStore::Remove(const QUrl &server, const QString &user, Done done)
{
    Begin(new QKeychain::DeletePasswordJob(kService, this), Key(server, user), std::move(done));
}
