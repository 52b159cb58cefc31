#include "tests/caldav/SyncRun.h"
#include "tests/caldav/TestServer.h"
#include "tests/testlib/QuillmarkTest.h"

#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>

namespace {

// A list as a person compares it: its items' names, marks and prices, in
// name order.
QStringList Content(const SyncList &list)
{
    QStringList out;
    for (const SyncItem &item : list.items)
        out << QStringLiteral("%1%2 %3").arg(item.item.m_strName.ToString(), item.item.m_bDone ? QStringLiteral("*") : QString())
                        .arg(item.item.m_dPrice, 0, 'f', 2);
    out.sort();
    return out;
}

QMap<QString, QStringList> Content(const QList<SyncList> &lists)
{
    QMap<QString, QStringList> out;
    for (const SyncList &list : lists)
        out.insert(list.name, Content(list));
    return out;
}

} // namespace

class TestCalDavSoak : public QObject
{
    Q_OBJECT

private slots:
    void soak()
    {
        QTemporaryDir dir;
        CTestServer server(CTestServer::Radicale, dir.filePath(QStringLiteral("server")));
        if (server.Missing())
            QUILLMARK_SKIP_MISSING("Radicale is not installed (scripts/packages.sh)");
        QCOMPARE(server.Start(), QString());

        const quint32 seed = qEnvironmentVariableIsSet("QUILLMARK_SOAK_SEED")
                ? quint32(qEnvironmentVariableIntValue("QUILLMARK_SOAK_SEED"))
                : QRandomGenerator::global()->generate();
        qInfo("seed %u (QUILLMARK_SOAK_SEED repeats a run)", seed);
        QRandomGenerator random(seed);

        QList<Computer> computers(3);
        for (int k = 0; k < 3; ++k)
            computers[k].statePath = dir.filePath(QStringLiteral("%1.sync").arg(k));
        for (const QString &name : {QStringLiteral("Shop"), QStringLiteral("Home")})
            computers[0].lists << SyncList{QStringLiteral("0-") + name, name, 12, {}};

        // Names added and never renamed or removed by anyone: each must be
        // on every computer in the end.
        QSet<QString> kept;
        int next = 0;
        int syncs = 0, stopped = 0, killed = 0, changes = 0;
        for (int round = 0; round < 200; ++round) {
            const int k = random.bounded(3);
            Computer &c = computers[k];
            for (int n = random.bounded(3); n > 0 && !c.lists.isEmpty(); --n) {
                SyncList &list = c.lists[random.bounded(int(c.lists.size()))];
                const int op = list.items.isEmpty() ? 0 : random.bounded(5);
                ++changes;
                if (op == 0) {
                    const QString name = QStringLiteral("i%1").arg(++next);
                    CListItem item;
                    item.SetName(name);
                    list.items << SyncItem{QStringLiteral("%1-%2").arg(k).arg(next), item};
                    kept.insert(name);
                    continue;
                }
                SyncItem &item = list.items[random.bounded(int(list.items.size()))];
                if (op == 1) {
                    item.item.m_bDone = !item.item.m_bDone;
                } else if (op == 2) {
                    kept.remove(item.item.m_strName);
                    item.item.SetName(QStringLiteral("r%1").arg(++next));
                } else if (op == 3) {
                    item.item.m_dPrice = random.bounded(1000) / 100.0;
                } else {
                    kept.remove(item.item.m_strName);
                    list.items.removeIf([&](const SyncItem &i) { return i.uid == item.uid; });
                }
            }

            // Most syncs run through; some are stopped, a few lose the
            // server, after a random number of requests.
            const int cut = random.bounded(100);
            const int at = 1 + random.bounded(6);
            bool serverLost = false;
            const SyncResult r = SyncComputer(server, c, [&](CSyncEngine &engine, int count) {
                if (count != at)
                    return;
                if (cut < 15) {
                    QTimer::singleShot(0, &engine, &CSyncEngine::Stop);
                } else if (cut < 19 && !serverLost) {
                    serverLost = true;
                    server.Kill();
                }
            });
            ++syncs;
            if (serverLost) {
                ++killed;
                QCOMPARE(server.Start(), QString());
            } else if (!r.ok && cut < 15) {
                ++stopped;
            } else {
                QVERIFY2(r.ok, qPrintable(QStringLiteral("round %1: %2").arg(round).arg(r.error)));
            }
        }
        // Everyone syncs until all agree.
        for (int pass = 0; pass < 2; ++pass) {
            for (Computer &c : computers) {
                const SyncResult r = SyncComputer(server, c);
                QVERIFY2(r.ok, qPrintable(r.error));
            }
        }
        qInfo("%d changes, %d syncs, %d stopped, %d with the server lost", changes, syncs, stopped, killed);
        const QMap<QString, QStringList> first = Content(computers[0].lists);
        QCOMPARE(Content(computers[1].lists), first);
        QCOMPARE(Content(computers[2].lists), first);
        QSet<QString> present;
        for (const SyncList &list : computers[0].lists) {
            for (const SyncItem &item : list.items)
                present.insert(item.item.m_strName);
        }
        for (const QString &name : kept)
            QVERIFY2(present.contains(name), qPrintable(name));
        QVERIFY(stopped + killed > 10);
    }
};

QUILLMARK_GUILESS_TEST_MAIN(TestCalDavSoak)
#include "tst_caldavsoak.moc"
