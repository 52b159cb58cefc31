#include "docsync/DocumentSync.h"
#include "document/QuillmarkDoc.h"
#include "sync/SyncEngine.h"
#include "sync/SyncState.h"
#include "tests/caldav/SyncRun.h"
#include "tests/caldav/TestServer.h"
#include "tests/testlib/DataFiles.h"
#include "tests/testlib/Lists.h"
#include "tests/testlib/QuillmarkTest.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QEventLoop>
#include <QTimer>
#include <QTemporaryDir>

using namespace QuillmarkTest;

namespace {

// Identities as a computer gives them: its own, never another's.
SyncList MakeList(const QString &computer, const QString &name, qint32 icon, std::initializer_list<CListItem> items)
{
    SyncList list{computer + u'-' + name, name, icon, {}};
    int n = 0;
    for (const CListItem &item : items)
        list.items << SyncItem{QStringLiteral("%1-%2-%3").arg(computer, name).arg(++n), item};
    return list;
}

SyncList *Find(QList<SyncList> &lists, const QString &name)
{
    SyncList *found = nullptr;
    for (SyncList &list : lists) {
        if (list.name == name) {
            if (found)
                qWarning("two lists named %s", qPrintable(name));
            found = &list;
        }
    }
    return found;
}

SyncItem *FindItem(SyncList &list, const QString &name)
{
    for (SyncItem &item : list.items) {
        if (item.item.m_strName == name)
            return &item;
    }
    return nullptr;
}

// A list's items as a person reads them: "Bread* 1.50, Milk", in order.
QString Names(const SyncList *list)
{
    if (!list)
        return QStringLiteral("(no list)");
    QStringList names;
    for (const SyncItem &item : list->items) {
        QString text = item.item.m_strName;
        if (item.item.m_bDone)
            text += u'*';
        if (item.item.m_dPrice != 0)
            text += QStringLiteral(" %1").arg(item.item.m_dPrice, 0, 'f', 2);
        names << text;
    }
    return names.join(QStringLiteral(", "));
}

QStringList Sorted(const QString &names)
{
    QStringList out = names.split(QStringLiteral(", "));
    out.sort();
    return out;
}

} // namespace

class TestCalDavServers : public QObject
{
    Q_OBJECT

    CTestServer *m_server = nullptr;
    std::function<void(int)> m_onRequest;

    SyncResult Sync(Computer &c)
    {
        if (!m_onRequest)
            return SyncComputer(*m_server, c);
        return SyncComputer(*m_server, c, [this](CSyncEngine &, int count) { m_onRequest(count); });
    }

    // What the phone does, and for "dump" the to-dos' texts it reads.
    QJsonArray Phone(std::initializer_list<QJsonArray> list)
    {
        QJsonArray commands;
        for (const QJsonArray &command : list)
            commands.append(command);
        QProcess phone;
        phone.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        phone.start(QStringLiteral("/usr/bin/python3"),
                    {QStringLiteral(QUILLMARK_SOURCE_DIR "/tests/caldav/phone.py"), m_server->Url().toString(),
                     m_server->User(), m_server->Password(),
                     QString::fromUtf8(QJsonDocument(commands).toJson(QJsonDocument::Compact))});
        if (!phone.waitForFinished(60000) || phone.exitCode() != 0) {
            qWarning("the phone failed");
            return {};
        }
        return QJsonDocument::fromJson(phone.readAllStandardOutput()).array();
    }

    // The texts of the list's to-dos on the server, as the phone reads them.
    QStringList PhoneTodos(const QString &list)
    {
        QStringList out;
        for (const QJsonValue &v : Phone({QJsonArray{QStringLiteral("dump"), list}}).at(0).toArray())
            out << v.toString().replace(QStringLiteral("\r\n "), QString()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        return out;
    }

    // One sync of the document, and any that follows it at once, waited for.
    static QList<SyncResult> SyncDocument(CDocumentSync &sync)
    {
        QList<SyncResult> results;
        QEventLoop loop;
        const QMetaObject::Connection c = connect(&sync, &CDocumentSync::finished, &loop, [&](const SyncResult &r) {
            results << r;
            QTimer::singleShot(0, &loop, [&] {
                if (!sync.IsRunning())
                    loop.quit();
            });
        });
        QTimer::singleShot(120000, &loop, &QEventLoop::quit);
        sync.SyncNow();
        if (sync.IsRunning())
            loop.exec();
        disconnect(c);
        return results;
    }

    static int CountContaining(const QStringList &texts, const QString &line)
    {
        int n = 0;
        for (const QString &text : texts)
            n += text.split(u'\n').contains(line) ? 1 : 0;
        return n;
    }

private slots:
    void scenario_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("Radicale") << int(CTestServer::Radicale);
        QTest::newRow("Xandikos") << int(CTestServer::Xandikos);
    }

    // Two computers and a phone on one server: a first upload, the lists
    // received, the phone's changes taken in with what it wrote kept, an
    // item changed on both sides, the server stopped mid-sync.
    void scenario();
    void documentSync();
};

void TestCalDavServers::scenario()
{
        QFETCH(int, kind);
        QTemporaryDir dir;
        CTestServer server(CTestServer::Kind(kind), dir.filePath(QStringLiteral("server")));
        if (server.Missing())
            QUILLMARK_SKIP_MISSING("the CalDAV server is not installed (scripts/packages.sh)");
        QCOMPARE(server.Start(), QString());
        m_server = &server;
        m_onRequest = nullptr;
        const bool keepsIcons = kind == CTestServer::Radicale;

        // The first upload.
        Computer a{{MakeList(QStringLiteral("a"), QStringLiteral("Shop"), 12,
                             {Item(QStringLiteral("Bread")).Price(1.5), Item(QStringLiteral("Milk")).Price(2.25).Done(),
                              Item(QStringLiteral("Salt")).Dated(Local(2024, 3, 15, 9, 30, 0))}),
                    MakeList(QStringLiteral("a"), QStringLiteral("Trip"), 20, {Item(QStringLiteral("Tickets"))})},
                   dir.filePath(QStringLiteral("a.sync"))};
        SyncResult r = Sync(a);
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(Names(Find(a.lists, QStringLiteral("Shop"))), QStringLiteral("Bread 1.50, Milk* 2.25, Salt"));
        QCOMPARE(QFileInfo(a.statePath).permissions() & 0x0077, QFileDevice::Permissions());
        QStringList shop = PhoneTodos(QStringLiteral("Shop"));
        QCOMPARE(shop.size(), 3);
        QCOMPARE(CountContaining(shop, QStringLiteral("X-QUILLMARK-PRICE:1.50")), 1);
        QCOMPARE(CountContaining(shop, QStringLiteral("DUE:20240315T093000")), 1);

        // Nothing changed: one request.
        r = Sync(a);
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.requests, 1);

        // A second computer receives the lists.
        Computer b{{}, dir.filePath(QStringLiteral("b.sync"))};
        r = Sync(b);
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(Names(Find(b.lists, QStringLiteral("Shop"))), QStringLiteral("Bread 1.50, Milk* 2.25, Salt"));
        QCOMPARE(Names(Find(b.lists, QStringLiteral("Trip"))), QStringLiteral("Tickets"));
        QCOMPARE(Find(b.lists, QStringLiteral("Shop"))->icon, keepsIcons ? 12 : CSyncEngine::DefaultListIcon());
        const SyncItem *salt = FindItem(*Find(b.lists, QStringLiteral("Shop")), QStringLiteral("Salt"));
        QVERIFY(salt && salt->item.m_bDated);
        QCOMPARE(LocalText(salt->item.m_time), QStringLiteral("2024-3-15 9:30:0"));

        // A third that held the same list before, synced for the first time:
        // matched by name and content, nothing twice.
        Computer c{{MakeList(QStringLiteral("c"), QStringLiteral("Shop"), 12,
                             {Item(QStringLiteral("Bread")).Price(1.5), Item(QStringLiteral("Eggs")),
                              Item(QStringLiteral("Milk")).Price(2.25).Done()})},
                   dir.filePath(QStringLiteral("c.sync"))};
        r = Sync(c);
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(Names(Find(c.lists, QStringLiteral("Shop"))), QStringLiteral("Bread 1.50, Eggs, Milk* 2.25, Salt"));
        QCOMPARE(PhoneTodos(QStringLiteral("Shop")).size(), 4);

        // The phone ticks, adds, renames, removes and decorates.
        Phone({QJsonArray{QStringLiteral("tick"), QStringLiteral("Shop"), QStringLiteral("Bread")},
               QJsonArray{QStringLiteral("add"), QStringLiteral("Shop"), QStringLiteral("Butter")},
               QJsonArray{QStringLiteral("rename"), QStringLiteral("Shop"), QStringLiteral("Salt"),
                          QStringLiteral("Sea salt")},
               QJsonArray{QStringLiteral("remove"), QStringLiteral("Trip"), QStringLiteral("Tickets")},
               QJsonArray{QStringLiteral("decorate"), QStringLiteral("Shop"), QStringLiteral("Milk")}});
        r = Sync(a);
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(Names(Find(a.lists, QStringLiteral("Shop"))),
                 QStringLiteral("Bread* 1.50, Butter, Eggs, Milk* 2.25, Sea salt"));
        QCOMPARE(Names(Find(a.lists, QStringLiteral("Trip"))), QString());
        QCOMPARE(FindItem(*Find(a.lists, QStringLiteral("Shop")), QStringLiteral("Sea salt"))->uid,
                 QStringLiteral("a-Shop-3"));

        // One change here: a fixed handful of requests, and the phone's
        // recurrence, categories and own property stay on the server.
        FindItem(*Find(a.lists, QStringLiteral("Shop")), QStringLiteral("Milk"))->item.m_dPrice = 3;
        r = Sync(a);
        QVERIFY2(r.ok, qPrintable(r.error));
        QVERIFY2(r.requests <= 4, qPrintable(QString::number(r.requests)));
        shop = PhoneTodos(QStringLiteral("Shop"));
        QString milk;
        for (const QString &text : shop) {
            if (text.contains(QStringLiteral("SUMMARY:Milk")))
                milk = text;
        }
        for (const char *line : {"RRULE:FREQ=WEEKLY;BYDAY=SA", "PRIORITY:2", "X-PHONE-COLOUR;X-SHADE=dark:green",
                                 "X-QUILLMARK-PRICE:3.00", "STATUS:COMPLETED"})
            QVERIFY2(milk.split(u'\n').contains(QLatin1String(line)), line);
        QVERIFY2(milk.contains(QStringLiteral("Food")) && milk.contains(QStringLiteral("Weekly")), qPrintable(milk));

        // The same item changed on both sides while this computer took the
        // list for unchanged: its write is refused (412), the item read
        // again and merged; the two names are both kept, and told.
        Phone({QJsonArray{QStringLiteral("rename"), QStringLiteral("Shop"), QStringLiteral("Bread"),
                          QStringLiteral("Brown bread")}});
        {
            Computer side{a.lists, dir.filePath(QStringLiteral("side.sync"))};
            QFile::copy(a.statePath, side.statePath);
            QVERIFY(Sync(side).ok);
            SyncState stale = SyncState::Load(a.statePath);
            const SyncState fresh = SyncState::Load(side.statePath);
            for (SyncStateList &list : stale.lists) {
                if (const SyncStateList *now = fresh.List(list.id)) {
                    list.syncToken = now->syncToken;
                    list.ctag = now->ctag;
                }
            }
            QVERIFY(stale.Save(a.statePath));
        }
        FindItem(*Find(a.lists, QStringLiteral("Shop")), QStringLiteral("Bread"))->item.SetName(QStringLiteral("Rye bread"));
        r = Sync(a);
        QVERIFY2(r.ok, qPrintable(r.error));
        // The home, the refused write, the item read again, the two writes,
        // the token after them.
        QCOMPARE(r.requests, 6);
        QCOMPARE(r.keptTwice.size(), 1);
        QCOMPARE(r.keptTwice.first().item, QStringLiteral("Brown bread"));
        QCOMPARE(Names(Find(a.lists, QStringLiteral("Shop"))),
                 QStringLiteral("Brown bread* 1.50, Rye bread* 1.50, Butter, Eggs, Milk* 3.00, Sea salt"));
        shop = PhoneTodos(QStringLiteral("Shop"));
        QCOMPARE(shop.size(), 6);
        QCOMPARE(CountContaining(shop, QStringLiteral("SUMMARY:Rye bread")), 1);
        QCOMPARE(CountContaining(shop, QStringLiteral("SUMMARY:Brown bread")), 1);

        // The server stopped in the middle of an upload: the sync fails with
        // a reason, and the next one finishes with nothing twice.
        for (int i = 0; i < 30; ++i)
            Find(a.lists, QStringLiteral("Trip"))->items << SyncItem{QStringLiteral("trip-%1").arg(i),
                                                                      Item(QStringLiteral("Item %1").arg(i, 2, 10, QLatin1Char('0')))};
        m_onRequest = [&server](int count) {
            if (count == 5)
                server.Kill();
        };
        r = Sync(a);
        m_onRequest = nullptr;
        QVERIFY(!r.ok);
        QVERIFY(!r.error.isEmpty());
        QCOMPARE(server.Start(), QString());
        r = Sync(a);
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(Find(a.lists, QStringLiteral("Trip"))->items.size(), 30);
        const QStringList trip = PhoneTodos(QStringLiteral("Trip"));
        QCOMPARE(trip.size(), 30);
        for (int i = 0; i < 30; ++i)
            QCOMPARE(CountContaining(trip, QStringLiteral("SUMMARY:Item %1").arg(i, 2, 10, QLatin1Char('0'))), 1);

        // Everyone ends with the same lists (each keeps its own order).
        QVERIFY(Sync(b).ok);
        QVERIFY(Sync(c).ok);
        QString shopAtC = Names(Find(c.lists, QStringLiteral("Shop")));
        for (const QString &name : {QStringLiteral("Shop"), QStringLiteral("Trip")}) {
            QCOMPARE(Sorted(Names(Find(b.lists, name))), Sorted(Names(Find(a.lists, name))));
            QCOMPARE(Sorted(Names(Find(c.lists, name))), Sorted(Names(Find(a.lists, name))));
        }

        // A lost state file loses and doubles nothing: lists matched by
        // name, items by content.
        QVERIFY(QFile::resize(b.statePath, QFileInfo(b.statePath).size() / 2));
        const QString shopBefore = Names(Find(b.lists, QStringLiteral("Shop")));
        r = Sync(b);
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(Names(Find(b.lists, QStringLiteral("Shop"))), shopBefore);
        QCOMPARE(PhoneTodos(QStringLiteral("Shop")).size(), 6);
        r = Sync(b);
        QCOMPARE(r.requests, 1);

        // A home that moved on the server is found again from the address;
        // the lists of the old one are matched by content there, none is
        // taken for removed and none doubled.
        {
            SyncState moved = SyncState::Load(b.statePath);
            const QUrl gone = QUrl(moved.home).resolved(QUrl(QStringLiteral("moved-away/")));
            for (SyncStateList &list : moved.lists)
                list.href = gone.path() + QUrl(list.href).path().section(u'/', -2);
            moved.home = gone.toString();
            QVERIFY(moved.Save(b.statePath));
        }
        r = Sync(b);
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(Names(Find(b.lists, QStringLiteral("Shop"))), shopBefore);
        QCOMPARE(Find(b.lists, QStringLiteral("Trip"))->items.size(), 30);
        QCOMPARE(PhoneTodos(QStringLiteral("Shop")).size(), 6);
        QCOMPARE(SyncState::Load(b.statePath).home, SyncState::Load(a.statePath).home);

        // A rename is taken to the server and from there to the others; a
        // list removed here goes from the server, and from a computer
        // that left it untouched.
        Find(a.lists, QStringLiteral("Trip"))->name = QStringLiteral("Holiday");
        a.lists.removeIf([](const SyncList &l) { return l.name == u"Shop"; });
        QVERIFY(Sync(a).ok);
        QCOMPARE(PhoneTodos(QStringLiteral("Holiday")).size(), 30);
        QVERIFY(Phone({QJsonArray{QStringLiteral("dump"), QStringLiteral("Shop")}}).at(0).isNull());
        QVERIFY(Sync(b).ok);
        QVERIFY(!Find(b.lists, QStringLiteral("Shop")));
        QCOMPARE(Find(b.lists, QStringLiteral("Holiday"))->items.size(), 30);

        // A list removed on the server while changed here is made again,
        // whole; where it was not changed it goes.
        FindItem(*Find(c.lists, QStringLiteral("Shop")), QStringLiteral("Eggs"))->item.m_bDone = true;
        Phone({QJsonArray{QStringLiteral("add"), QStringLiteral("Holiday"), QStringLiteral("Map")}});
        Phone({QJsonArray{QStringLiteral("drop"), QStringLiteral("Holiday")}});
        r = Sync(c);
        QVERIFY2(r.ok, qPrintable(r.error));
        QVERIFY(!Find(c.lists, QStringLiteral("Holiday")));
        QCOMPARE(Names(Find(c.lists, QStringLiteral("Shop"))), shopAtC.replace(QStringLiteral("Eggs"), QStringLiteral("Eggs*")));
        QCOMPARE(PhoneTodos(QStringLiteral("Shop")).size(), 6);
}

// The document synced: what the server brings is one step of the history,
// saved at once; a change made while a sync runs is kept and sent by the
// sync that follows; a change made while the server is down goes with the
// next sync after a restart, as an update of the server's to-do.
void TestCalDavServers::documentSync()
{
    QTemporaryDir dir;
    CTestServer server(CTestServer::Radicale, dir.filePath(QStringLiteral("server")));
    if (server.Missing())
        QUILLMARK_SKIP_MISSING("the CalDAV server is not installed (scripts/packages.sh)");
    QCOMPARE(server.Start(), QString());
    m_server = &server;
    m_onRequest = nullptr;
    const QString path = dir.filePath(QStringLiteral("Quillmark.dat"));
    QVERIFY(WriteFileBytes(path, WriteToBytes({List(QStringLiteral("Shop"), {Item(QStringLiteral("Bread")), Item(QStringLiteral("Milk")),
                                                                             Item(QStringLiteral("Salt"))})})));
    const SyncAccount account{server.Url(), server.User(), server.Password()};
    {
        CQuillmarkDoc doc;
        doc.SetPath(path);
        doc.Load();
        CDocumentSync sync(doc);
        sync.SetAccount(account);
        sync.SetLimits({5000, 16 * 1024 * 1024});
        QList<SyncResult> r = SyncDocument(sync);
        QCOMPARE(r.size(), 1);
        QVERIFY2(r.at(0).ok, qPrintable(r.at(0).error));
        QCOMPARE(doc.UndoStack()->count(), 0); // nothing came in

        // The user's own step stays undoable under the server's.
        QVERIFY(doc.ReplaceItem(0, 2, Item(QStringLiteral("Sea salt"))));
        Phone({QJsonArray{QStringLiteral("tick"), QStringLiteral("Shop"), QStringLiteral("Bread")},
               QJsonArray{QStringLiteral("decorate"), QStringLiteral("Shop"), QStringLiteral("Milk")}});
        // A tick while the sync runs: merged with what it brings, and sent
        // by the next.
        connect(&sync, &CDocumentSync::started, &doc, [&doc] { doc.SetDone(0, 1, true); }, Qt::SingleShotConnection);
        r = SyncDocument(sync);
        QCOMPARE(r.size(), 2);
        QVERIFY2(r.at(0).ok && r.at(1).ok, qPrintable(r.at(0).error + r.at(1).error));
        QStringList names;
        for (const CListItem &item : doc.Lists().at(0).m_items)
            names << QString(item.m_strName) + (item.m_bDone ? QStringLiteral("*") : QString());
        QCOMPARE(names.join(u','), QStringLiteral("Bread*,Milk*,Sea salt"));
        QCOMPARE(doc.UndoStack()->undoText(), QStringLiteral("Changes from the Server"));
        QCOMPARE(FileBytes(path), WriteToBytes(doc.Lists()));
        QStringList shop = PhoneTodos(QStringLiteral("Shop"));
        QCOMPARE(shop.size(), 3);
        QCOMPARE(CountContaining(shop, QStringLiteral("STATUS:COMPLETED")), 2);
        QCOMPARE(CountContaining(shop, QStringLiteral("SUMMARY:Sea salt")), 1);
        doc.Undo();
        QCOMPARE(doc.Lists().at(0).m_items.at(0).m_bDone, false);
        doc.Undo();
        doc.Undo();
        QCOMPARE(doc.Lists().at(0).m_items.at(2).m_strName, QStringLiteral("Salt"));
        for (int i = 0; i < 3; ++i)
            doc.Redo();
        QCOMPARE(doc.Lists().at(0).m_items.at(0).m_bDone, true);

        // The server down: the rename stays pending through a restart.
        server.Kill();
        QVERIFY(doc.ReplaceItem(0, 1, Item(QStringLiteral("Oat milk")).Done()));
        r = SyncDocument(sync);
        QCOMPARE(r.size(), 1);
        QVERIFY(!r.at(0).ok);
    }
    QCOMPARE(server.Start(), QString());
    CQuillmarkDoc doc;
    doc.SetPath(path);
    doc.Load();
    CDocumentSync sync(doc);
    sync.SetAccount(account);
    const QList<SyncResult> r = SyncDocument(sync);
    QCOMPARE(r.size(), 1);
    QVERIFY2(r.at(0).ok, qPrintable(r.at(0).error));
    const QStringList shop = PhoneTodos(QStringLiteral("Shop"));
    QCOMPARE(shop.size(), 3);
    QString milk;
    for (const QString &text : shop) {
        if (text.contains(QStringLiteral("SUMMARY:Oat milk")))
            milk = text;
    }
    // The phone's recurrence is still on it: the to-do was updated, not
    // removed and made again.
    QVERIFY2(milk.split(u'\n').contains(QStringLiteral("RRULE:FREQ=WEEKLY;BYDAY=SA")), qPrintable(milk));
}

QUILLMARK_GUILESS_TEST_MAIN(TestCalDavServers)
#include "tst_caldavservers.moc"
