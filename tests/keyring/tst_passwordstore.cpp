#include "keyring/PasswordStore.h"
#include "tests/testlib/QuillmarkTest.h"

#include <QDirIterator>

namespace {

using Outcome = CPasswordStore::Outcome;

struct Answer
{
    Outcome outcome = Outcome::NoKeyring;
    QString password;
};

// Each call answered, waited for.
template<typename Call>
Answer Wait(Call call)
{
    std::optional<Answer> answer;
    call([&answer](Outcome outcome, const QString &password) { answer = Answer{outcome, password}; });
    if (!QTest::qWaitFor([&answer] { return answer.has_value(); }, 30000))
        return Answer{Outcome::NoKeyring, QStringLiteral("no answer")};
    return *answer;
}

const QUrl kServer(QStringLiteral("https://dav.example.com/"));
const QString kPassword = QStringLiteral("correct horse 7");

// Whether any file under HOME holds the password.
bool PasswordInAFile()
{
    QDirIterator files(QDir::homePath(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        if (file.open(QIODevice::ReadOnly) && file.readAll().contains(kPassword.toUtf8()))
            return true;
    }
    return false;
}

} // namespace

class TestPasswordStore : public QObject
{
    Q_OBJECT

private slots:
    // Kept by server and user, given back, forgotten.
    void Keyring()
    {
        CPasswordStore store;
        Answer written = Wait([&](auto done) { store.Write(kServer, QStringLiteral("alice"), kPassword, done); });
        QCOMPARE(int(written.outcome), int(Outcome::Done));
        Answer read = Wait([&](auto done) { store.Read(kServer, QStringLiteral("alice"), done); });
        QCOMPARE(int(read.outcome), int(Outcome::Done));
        QCOMPARE(read.password, kPassword);
        Answer other = Wait([&](auto done) { store.Read(kServer, QStringLiteral("bob"), done); });
        QCOMPARE(int(other.outcome), int(Outcome::NotFound));

        Answer removed = Wait([&](auto done) { store.Remove(kServer, QStringLiteral("alice"), done); });
        QCOMPARE(int(removed.outcome), int(Outcome::Done));
        Answer gone = Wait([&](auto done) { store.Read(kServer, QStringLiteral("alice"), done); });
        QCOMPARE(int(gone.outcome), int(Outcome::NotFound));
    }

    // No keyring answers: said so, and the password is written nowhere in
    // its stead.
    void NoKeyring()
    {
        CPasswordStore store;
        Answer written = Wait([&](auto done) { store.Write(kServer, QStringLiteral("alice"), kPassword, done); });
        QCOMPARE(int(written.outcome), int(Outcome::NoKeyring));
        Answer read = Wait([&](auto done) { store.Read(kServer, QStringLiteral("alice"), done); });
        QCOMPARE(int(read.outcome), int(Outcome::NoKeyring));
        QVERIFY(!PasswordInAFile());
    }
};

QUILLMARK_GUILESS_TEST_MAIN(TestPasswordStore)
#include "tst_passwordstore.moc"
