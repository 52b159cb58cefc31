#include "sync/SyncEngine.h"
#include "tests/testlib/QuillmarkTest.h"

#include <QEventLoop>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace {

// A server that answers each request with the next of its answers, as they
// are given, or not at all once they are used up.
class CScriptedServer : public QObject
{
public:
    explicit CScriptedServer(QByteArrayList answers)
        : m_answers(std::move(answers))
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection()) {
                socket->setParent(this);
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Read(socket); });
            }
        });
    }

    QUrl Url() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(m_server.serverPort())); }
    QByteArrayList requests;

private:
    void Read(QTcpSocket *socket)
    {
        QByteArray &buffer = m_buffers[socket];
        buffer += socket->readAll();
        const qsizetype end = buffer.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        qsizetype length = 0;
        for (const QByteArray &line : buffer.left(end).split('\n')) {
            if (line.toLower().startsWith("content-length:"))
                length = line.mid(15).trimmed().toLongLong();
        }
        if (buffer.size() < end + 4 + length)
            return;
        requests << buffer.left(end + 4 + length);
        buffer.clear();
        if (m_answers.isEmpty())
            return;
        socket->write(m_answers.takeFirst());
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QByteArrayList m_answers;
    QHash<QTcpSocket *, QByteArray> m_buffers;
};

QByteArray Answer(int status, const QByteArray &body, const QByteArray &headers = {})
{
    return "HTTP/1.1 " + QByteArray::number(status) + " X\r\nContent-Type: application/xml\r\nConnection: close\r\n"
            + headers + "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

QByteArray Multistatus(const QByteArray &responses)
{
    return "<?xml version=\"1.0\"?><d:multistatus xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\">"
            + responses + "</d:multistatus>";
}

// The home holding one list, "Shop", at /home/shop/.
const QByteArray kHome = Answer(
        207, Multistatus("<d:response><d:href>/home/shop/</d:href><d:propstat><d:prop><d:resourcetype>"
                         "<d:collection/><c:calendar/></d:resourcetype><d:displayname>Shop</d:displayname>"
                         "</d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>"));

QByteArray Listing(const QByteArrayList &hrefs)
{
    QByteArray responses;
    for (const QByteArray &href : hrefs)
        responses += "<d:response><d:href>" + href + "</d:href><d:propstat><d:prop><d:getetag>\"1\"</d:getetag>"
                     "</d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>";
    return Answer(207, Multistatus(responses));
}

QByteArray Objects(const QList<QPair<QByteArray, QByteArray>> &objects)
{
    QByteArray responses;
    for (const auto &[href, uid] : objects)
        responses += "<d:response><d:href>" + href + "</d:href><d:propstat><d:prop><d:getetag>\"1\"</d:getetag>"
                     "<c:calendar-data>BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VTODO\r\n" + uid
                     + "SUMMARY:Milk\r\nEND:VTODO\r\nEND:VCALENDAR\r\n</c:calendar-data></d:prop>"
                       "<d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>";
    return Answer(207, Multistatus(responses));
}

// The home's one list with its ctag and no sync token.
QByteArray HomeWithCtag(const QByteArray &ctag)
{
    return Answer(207, Multistatus("<d:response><d:href>/home/shop/</d:href><d:propstat><d:prop><d:resourcetype>"
                                   "<d:collection/><c:calendar/></d:resourcetype><d:displayname>Shop</d:displayname>"
                                   "<cs:getctag xmlns:cs=\"http://calendarserver.org/ns/\">" + ctag + "</cs:getctag>"
                                   "</d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>"));
}

SyncResult SyncWith(const CScriptedServer &server, const QList<SyncList> &lists, const SyncState &state)
{
    CSyncEngine engine;
    engine.SetLimits({500, 64 * 1024});
    QEventLoop loop;
    SyncResult result;
    QObject::connect(&engine, &CSyncEngine::finished, &loop, [&](const SyncResult &r) {
        result = r;
        loop.quit();
    });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    if (engine.Start({server.Url(), QStringLiteral("alice"), QStringLiteral("Secret-42")}, lists, state))
        loop.exec();
    return result;
}

} // namespace

class TestDavFaults : public QObject
{
    Q_OBJECT

private slots:
    // Each fault ends the sync with a reason a person can read, names no
    // password, and hands back the state it was given: nothing lost on
    // either side, and the next sync starts where this one did.
    void fault_data()
    {
        QTest::addColumn<QByteArrayList>("answers");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<int>("fault");

        QTest::newRow("wrong password") << QByteArrayList{Answer(401, "no", "WWW-Authenticate: Basic realm=\"x\"\r\n")}
                                        << QStringLiteral("refused the user name or password") << int(SyncFault::Password);
        QTest::newRow("forbidden") << QByteArrayList{Answer(403, "")} << QStringLiteral("does not allow") << int(SyncFault::Forbidden);
        // The home looked for again from the address, and not found there.
        QTest::newRow("no home") << QByteArrayList{Answer(404, ""), Answer(404, ""), Answer(404, "")}
                                 << QStringLiteral("no CalDAV task lists") << int(SyncFault::NoTaskLists);
        QTest::newRow("server failing") << QByteArrayList{Answer(503, "")} << QStringLiteral("failed (HTTP 503)") << int(SyncFault::ServerError);
        QTest::newRow("server full") << QByteArrayList{kHome, Listing({}), Answer(507, "")}
                                     << QStringLiteral("no room left") << int(SyncFault::Full);
        QTest::newRow("conflict") << QByteArrayList{kHome, Listing({}), Answer(409, "")}
                                  << QStringLiteral("conflict (HTTP 409)") << int(SyncFault::Conflict);
        QTest::newRow("redirect to another host")
                << QByteArrayList{Answer(301, "", "Location: http://127.0.0.2:1/home/\r\n")}
                << QStringLiteral("pointed to another server") << int(SyncFault::Redirect);
        QTest::newRow("no answer") << QByteArrayList{} << QStringLiteral("did not answer in time") << int(SyncFault::Timeout);
        QTest::newRow("entity expansion") << QByteArrayList{Answer(
                207, "<?xml version=\"1.0\"?><!DOCTYPE d [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;\">]>"
                     "<d:multistatus xmlns:d=\"DAV:\"><d:response><d:href>&b;</d:href></d:response></d:multistatus>")}
                                          << QStringLiteral("declares a document type") << int(SyncFault::BadAnswer);
        QTest::newRow("huge answer") << QByteArrayList{Answer(207, Multistatus(QByteArray(200 * 1024, ' ')))}
                                     << QStringLiteral("larger than the sync reads") << int(SyncFault::TooLarge);
        QTest::newRow("not XML") << QByteArrayList{Answer(207, "<d:multistatus xmlns:d=\"DAV:\"><d:response>")}
                                 << QStringLiteral("not well-formed") << int(SyncFault::BadAnswer);
        QTest::newRow("to-do without UID")
                << QByteArrayList{kHome, Listing({"/home/shop/a.ics"}), Objects({{"/home/shop/a.ics", ""}})}
                << QStringLiteral("has no UID") << int(SyncFault::BadAnswer);
        QTest::newRow("one UID twice")
                << QByteArrayList{kHome, Listing({"/home/shop/a.ics", "/home/shop/b.ics"}),
                                  Objects({{"/home/shop/a.ics", "UID:x\r\n"}, {"/home/shop/b.ics", "UID:x\r\n"}})}
                << QStringLiteral("two to-dos with one UID") << int(SyncFault::BadAnswer);
    }
    void fault()
    {
        QFETCH(QByteArrayList, answers);
        QFETCH(QString, reason);
        QFETCH(int, fault);

        CScriptedServer server(answers);
        SyncState state;
        state.server = server.Url().toString();
        state.home = server.Url().resolved(QUrl(QStringLiteral("/home/"))).toString();
        // A list new here, so that a sync that got that far would write.
        CListItem bread;
        bread.SetName(QStringLiteral("Bread"));
        const QList<SyncList> lists{{QStringLiteral("l1"), QStringLiteral("Shop"), 10, {{QStringLiteral("i1"), bread}}},
                                    {QStringLiteral("l2"), QStringLiteral("Trip"), 10, {}}};
        const SyncResult result = SyncWith(server, lists, state);

        QVERIFY(!result.ok);
        QCOMPARE(int(result.fault), fault);
        QVERIFY2(result.error.contains(reason), qPrintable(result.error));
        QVERIFY(!result.error.contains(QStringLiteral("Secret-42")));
        // Nothing counts as agreed that the server did not take: a list
        // matched by name may be remembered, no item.
        QCOMPARE(result.state.home, state.home);
        for (const SyncStateList &list : result.state.lists)
            QVERIFY(list.items.isEmpty());
        QVERIFY(result.lists.isEmpty());
        // The password went to this server, and only as the header.
        QVERIFY(!server.requests.isEmpty());
        QVERIFY(server.requests.first().contains("Authorization: Basic " + QByteArray("alice:Secret-42").toBase64()));
    }

    // A server with ctags and no sync tokens: an unchanged ctag is one
    // request, a changed one reads the ETags and fetches nothing it has.
    void ctag_only_server()
    {
        SyncState state;
        CScriptedServer first({HomeWithCtag("c1"), Listing({"/home/shop/a.ics"}), Objects({{"/home/shop/a.ics", "UID:x\r\n"}})});
        state.server = first.Url().toString();
        state.home = first.Url().resolved(QUrl(QStringLiteral("/home/"))).toString();
        SyncResult r = SyncWith(first, {}, state);
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.lists.size(), 1);
        QCOMPARE(r.lists.first().items.size(), 1);

        CScriptedServer same({HomeWithCtag("c1")});
        r.state.server = same.Url().toString();
        r.state.home = same.Url().resolved(QUrl(QStringLiteral("/home/"))).toString();
        r = SyncWith(same, r.lists, r.state);
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.requests, 1);
        QVERIFY(same.requests.first().contains("getctag"));

        CScriptedServer changed({HomeWithCtag("c2"), Listing({"/home/shop/a.ics"})});
        r.state.server = changed.Url().toString();
        r.state.home = changed.Url().resolved(QUrl(QStringLiteral("/home/"))).toString();
        r = SyncWith(changed, r.lists, r.state);
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.requests, 2);
        QCOMPARE(r.lists.first().items.size(), 1);
        QCOMPARE(r.state.lists.first().ctag, QStringLiteral("c2"));
    }

    // Plain http goes to this computer alone; nothing is sent elsewhere.
    void plain_http_elsewhere_refused()
    {
        QVERIFY(CDavClient::RefusedAddress(QUrl(QStringLiteral("http://example.org/dav/"))).contains(u"plain http"));
        QVERIFY(CDavClient::RefusedAddress(QUrl(QStringLiteral("http://alice:pw@127.0.0.1/"))).contains(u"password"));
        for (const char *ok : {"https://example.org/", "http://127.0.0.1:5232/", "http://127.8.9.1/", "http://[::1]/",
                               "http://localhost/"})
            QVERIFY2(CDavClient::RefusedAddress(QUrl(QLatin1String(ok))).isEmpty(), ok);

        CSyncEngine engine;
        QEventLoop loop;
        SyncResult result;
        connect(&engine, &CSyncEngine::finished, &loop, [&](const SyncResult &r) {
            result = r;
            loop.quit();
        });
        // Refused before anything is sent: a password written into the address.
        QVERIFY(engine.Start({QUrl(QStringLiteral("http://alice:pw@127.0.0.1:1/")), QStringLiteral("a"), QStringLiteral("b")}, {}, {}));
        loop.exec();
        QVERIFY(!result.ok);
        QCOMPARE(result.fault, SyncFault::Refused);
        QCOMPARE(result.requests, 0);
    }
};

QUILLMARK_GUILESS_TEST_MAIN(TestDavFaults)
#include "tst_davfaults.moc"
