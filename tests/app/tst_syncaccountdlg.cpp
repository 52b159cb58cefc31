#include "app/SyncAccountDlg.h"
#include "tests/caldav/TestServer.h"
#include "tests/testlib/QuillmarkTest.h"
#include "tests/testlib/ScriptedPrompter.h"

#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>
#include <QTemporaryDir>

namespace {

// A TLS server on 127.0.0.1 with a self-signed certificate of its own,
// answering every request with 401.
class CSelfSignedServer : public QObject
{
public:
    explicit CSelfSignedServer(const QString &folder)
    {
        const QString key = folder + QStringLiteral("/key.pem");
        const QString cert = folder + QStringLiteral("/cert.pem");
        QProcess openssl;
        openssl.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        openssl.setStandardOutputFile(QProcess::nullDevice());
        openssl.start(QStringLiteral("openssl"),
                          {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                           QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
                           QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"),
                           QStringLiteral("-keyout"), key, QStringLiteral("-out"), cert, QStringLiteral("-days"),
                           QStringLiteral("2"), QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1")});
        openssl.waitForFinished(30000);
        QFile certFile(cert), keyFile(key);
        if (!certFile.open(QIODevice::ReadOnly) || !keyFile.open(QIODevice::ReadOnly))
            return;
        m_certificate = QSslCertificate(certFile.readAll());
        QSslConfiguration config = QSslConfiguration::defaultConfiguration();
        config.setLocalCertificate(m_certificate);
        config.setPrivateKey(QSslKey(keyFile.readAll(), QSsl::Ec));
        m_server.setSslConfiguration(config);
        connect(&m_server, &QSslServer::pendingConnectionAvailable, this, [this] {
            while (auto *socket = qobject_cast<QSslSocket *>(m_server.nextPendingConnection())) {
                socket->setParent(this);
                connect(socket, &QSslSocket::readyRead, socket, [socket] {
                    if (!socket->readAll().contains("\r\n\r\n"))
                        return;
                    socket->write("HTTP/1.1 401 Unauthorized\r\nContent-Length: 0\r\n"
                                  "WWW-Authenticate: Basic realm=\"x\"\r\n\r\n");
                    socket->disconnectFromHost();
                });
            }
        });
        m_server.listen(QHostAddress::LocalHost, 0);
    }

    bool IsUp() const { return m_server.isListening() && !m_certificate.isNull(); }
    QByteArray Digest() const { return m_certificate.digest(QCryptographicHash::Sha256); }
    QString Address() const { return QStringLiteral("https://127.0.0.1:%1/").arg(m_server.serverPort()); }

private:
    QSslServer m_server;
    QSslCertificate m_certificate;
};

// Fills the fields as typed and gives OK; waits for the test to end.
void TypeAndTest(CSyncAccountDlg &dlg, const QString &server, const QString &user, const QString &password)
{
    dlg.ServerField()->setText(server);
    dlg.UserField()->setText(user);
    dlg.PasswordField()->setText(password);
    dlg.accept();
    QTRY_VERIFY_WITH_TIMEOUT(!dlg.IsTesting(), 20000);
}

QString TrustQuestion(const QByteArray &digest)
{
    return CSyncAccountDlg::FaultText(SyncFault::Certificate, digest) + u'\n'
            + Tr::tr("Trust exactly this certificate for %1 only if you know it is the server's own.")
                      .arg(QStringLiteral("127.0.0.1"));
}

} // namespace

class TestSyncAccountDlg : public QObject
{
    Q_OBJECT

private slots:
    // What is refused before any request goes out, and what no server
    // answers, is told in the dialog, which stays open; an address typed
    // without a scheme gets https.
    void ToldInTheDialog()
    {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
        const quint16 port = closed.serverPort();
        closed.close();

        ScriptedPrompter prompter;
        CSyncAccountDlg dlg(SyncAccount{}, prompter);
        dlg.show();
        QVERIFY(!dlg.RemoveButton());
        TypeAndTest(dlg, QString(), QStringLiteral("alice"), QStringLiteral("secret"));
        QCOMPARE(dlg.Problem(), Tr::tr("Type the address of the server."));

        TypeAndTest(dlg, QStringLiteral("http://dav.example.com/"), QStringLiteral("alice"), QStringLiteral("secret"));
        QCOMPARE(dlg.Problem(), CSyncAccountDlg::FaultText(SyncFault::Refused));
        QVERIFY(dlg.isVisible());

        TypeAndTest(dlg, QStringLiteral("127.0.0.1:%1").arg(port), QStringLiteral("alice"), QStringLiteral("secret"));
        QCOMPARE(dlg.ServerField()->text(), QStringLiteral("https://127.0.0.1:%1").arg(port));
        QCOMPARE(dlg.Problem(), CSyncAccountDlg::FaultText(SyncFault::ConnectionRefused));
        QVERIFY(dlg.isVisible());
        QVERIFY(prompter.Problems().isEmpty());
    }

    // A certificate that does not verify is refused with its fingerprint;
    // trusted, exactly it passes (the server's 401 comes through); another
    // one for the same server asks again.
    void UntrustedCertificate()
    {
        QTemporaryDir folderA, folderB;
        CSelfSignedServer serverA(folderA.path());
        if (!serverA.IsUp())
            QUILLMARK_SKIP_MISSING("openssl could not make a certificate");
        ScriptedPrompter prompter;
        CSyncAccountDlg dlg(SyncAccount{}, prompter);
        dlg.show();
        prompter.ExpectChoice(TrustQuestion(serverA.Digest()), Tr::tr("Cancel"), Tr::tr("Cancel"));
        TypeAndTest(dlg, serverA.Address(), QStringLiteral("alice"), QStringLiteral("secret"));
        QCOMPARE(dlg.Problem(), CSyncAccountDlg::FaultText(SyncFault::Certificate, serverA.Digest()));
        QVERIFY(dlg.Problem().contains(QString::fromLatin1(serverA.Digest().toHex(':')).toUpper()));

        prompter.ExpectChoice(TrustQuestion(serverA.Digest()), Tr::tr("&Trust This Certificate"), Tr::tr("Cancel"));
        TypeAndTest(dlg, serverA.Address(), QStringLiteral("alice"), QStringLiteral("secret"));
        QCOMPARE(dlg.Problem(), CSyncAccountDlg::FaultText(SyncFault::Password));
        QCOMPARE(dlg.Account().trustedCertificate, serverA.Digest());
        QVERIFY(prompter.Problems().isEmpty());

        // The same server (host and port) with another certificate.
        CSelfSignedServer serverB(folderB.path());
        QVERIFY(serverB.IsUp());
        SyncAccount trusted = dlg.Account();
        trusted.server = QUrl(serverB.Address());
        ScriptedPrompter again;
        CSyncAccountDlg dlgB(trusted, again);
        dlgB.show();
        again.ExpectChoice(TrustQuestion(serverB.Digest()), Tr::tr("Cancel"), Tr::tr("Cancel"));
        dlgB.accept();
        QTRY_VERIFY_WITH_TIMEOUT(!dlgB.IsTesting(), 20000);
        QCOMPARE(dlgB.Problem(), CSyncAccountDlg::FaultText(SyncFault::Certificate, serverB.Digest()));
        QVERIFY(again.Problems().isEmpty());
    }

    // Against a real server: a wrong password is told and the dialog waits
    // on the password; the right one closes it. Cancel ends a test under
    // way; a set-up account may be removed.
    void AgainstAServer()
    {
        QTemporaryDir folder;
        CTestServer server(CTestServer::Radicale, folder.path());
        if (server.Missing())
            QUILLMARK_SKIP_MISSING("the CalDAV server is not installed (scripts/packages.sh)");
        QCOMPARE(server.Start(), QString());
        ScriptedPrompter prompter;
        CSyncAccountDlg dlg(SyncAccount{}, prompter);
        dlg.show();
        QApplication::setActiveWindow(&dlg);
        TypeAndTest(dlg, server.Url().toString(), server.User(), QStringLiteral("wrong"));
        QCOMPARE(dlg.Problem(), CSyncAccountDlg::FaultText(SyncFault::Password));
        QCOMPARE(dlg.result(), 0);
        QCOMPARE(QApplication::focusWidget(), dlg.PasswordField());
        TypeAndTest(dlg, server.Url().toString(), server.User(), server.Password());
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(dlg.Account().password, server.Password());

        QTcpServer silent; // takes the connection, never answers
        QVERIFY(silent.listen(QHostAddress::LocalHost, 0));
        SyncAccount account = dlg.Account();
        account.server = QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(silent.serverPort()));
        CSyncAccountDlg waiting(account, prompter);
        waiting.show();
        waiting.accept();
        QVERIFY(waiting.IsTesting());
        QVERIFY(waiting.findChild<QProgressBar *>()->isVisible());
        QVERIFY(!waiting.PasswordField()->isEnabled());
        waiting.reject();
        QVERIFY(!waiting.IsTesting());
        QCOMPARE(waiting.result(), int(QDialog::Rejected));

        CSyncAccountDlg setUp(account, prompter);
        QVERIFY(setUp.RemoveButton());
        setUp.RemoveButton()->click();
        QCOMPARE(setUp.result(), int(CSyncAccountDlg::Removed));
        QVERIFY(prompter.Problems().isEmpty());
    }
};

QUILLMARK_TEST_MAIN(TestSyncAccountDlg)
#include "tst_syncaccountdlg.moc"
