// The sync engine's side of bench/caldav_bench.sh, which starts the server,
// fills it and runs the same work with vdirsyncer beside it. Prints one line
// a sync: "<what> <milliseconds> <requests>".
//
//   quillmark_caldav_bench upload URL USER PASSWORD ITEMS
//       one new list of ITEMS items, never synced, sent to an empty account;
//   quillmark_caldav_bench steady URL USER PASSWORD RUNS
//       the lists already on the server received once ("receive"), then
//       RUNS syncs with nothing changed ("nochange"), then RUNS syncs each
//       after one item of one list was renamed here ("onechange"). Each
//       of those waits for a line on standard input first, so that the
//       script can time others' requests between them under the same load
//       (none comes: they run at once).
//
// Only to 127.0.0.1 or ::1: the sync refuses plain http anywhere else.

#include "sync/SyncEngine.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>

namespace {

struct Timed
{
    SyncResult result;
    qint64 ms = 0;
};

Timed Sync(const SyncAccount &account, const QList<SyncList> &lists, const SyncState &state)
{
    CSyncEngine engine;
    // A first read of many lists builds the server's caches: minutes.
    engine.SetLimits({600000, 512 * 1024 * 1024});
    Timed timed;
    timed.result.error = QStringLiteral("no answer within half an hour");
    QEventLoop loop;
    QObject::connect(&engine, &CSyncEngine::finished, &loop, [&](const SyncResult &r) {
        timed.result = r;
        loop.quit();
    });
    QTimer::singleShot(1800000, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    if (!engine.Start(account, lists, state))
        return timed;
    loop.exec();
    timed.ms = clock.elapsed();
    return timed;
}

// Standard input at its end, or none, lets every run go at once.
void AwaitTurn()
{
    char line[64];
    if (!std::fgets(line, sizeof line, stdin))
        clearerr(stdin);
}

bool Report(const char *what, const Timed &timed)
{
    if (!timed.result.ok) {
        std::fprintf(stderr, "%s: the sync failed: %s\n", what, qPrintable(timed.result.error));
        return false;
    }
    std::printf("%s %lld %d\n", what, static_cast<long long>(timed.ms), timed.result.requests);
    std::fflush(stdout);
    return true;
}

int Upload(const SyncAccount &account, int items)
{
    SyncList list{QStringLiteral("bench-upload"), QStringLiteral("Upload"), 0, {}};
    for (int i = 0; i < items; ++i) {
        CListItem item;
        item.SetName(QStringLiteral("Item %1 of the upload").arg(i));
        item.SetDescription(QStringLiteral("A description of about eighty characters, as a list's items often have: %1").arg(i));
        list.items << SyncItem{QStringLiteral("bench-upload-%1").arg(i), item};
    }
    return Report("upload", Sync(account, {list}, SyncState())) ? 0 : 1;
}

int Steady(const SyncAccount &account, int runs)
{
    Timed timed = Sync(account, {}, SyncState());
    if (!Report("receive", timed))
        return 1;
    for (int i = 0; i < runs; ++i) {
        AwaitTurn();
        const Timed next = Sync(account, timed.result.lists, timed.result.state);
        if (!Report("nochange", next))
            return 1;
        timed = next;
    }
    for (int i = 0; i < runs; ++i) {
        QList<SyncList> lists = timed.result.lists;
        if (lists.isEmpty() || lists.first().items.isEmpty()) {
            std::fprintf(stderr, "the server holds no items to change\n");
            return 1;
        }
        // A different list and item each run, so no run meets another's change.
        SyncList &list = lists[(i * 37) % lists.size()];
        CListItem &item = list.items[(i * 101) % list.items.size()].item;
        item.SetName(QStringLiteral("Renamed here, run %1").arg(i));
        AwaitTurn();
        const Timed next = Sync(account, lists, timed.result.state);
        if (!Report("onechange", next))
            return 1;
        timed = next;
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const char *usage = "usage: quillmark_caldav_bench upload URL USER PASSWORD ITEMS\n"
                        "       quillmark_caldav_bench steady URL USER PASSWORD RUNS\n";
    bool ok = false;
    const int count = args.size() == 6 ? args.at(5).toInt(&ok) : 0;
    if (!ok || count < 1) {
        std::fputs(usage, stderr);
        return 64;
    }
    const SyncAccount account{QUrl(args.at(2)), args.at(3), args.at(4)};
    if (args.at(1) == QLatin1String("upload"))
        return Upload(account, count);
    if (args.at(1) == QLatin1String("steady"))
        return Steady(account, count);
    std::fputs(usage, stderr);
    return 64;
}
