#include "tests/caldav/SyncRun.h"

#include "tests/caldav/TestServer.h"

#include <QEventLoop>
#include <QTimer>

SyncResult SyncComputer(const CTestServer &server, Computer &computer,
                        const std::function<void(CSyncEngine &, int)> &onRequest)
{
    CSyncEngine engine;
    engine.SetLimits({5000, 16 * 1024 * 1024});
    SyncResult result;
    result.error = QStringLiteral("no answer in time");
    QEventLoop loop;
    QObject::connect(&engine, &CSyncEngine::finished, &loop, [&](const SyncResult &r) {
        result = r;
        loop.quit();
    });
    if (onRequest)
        QObject::connect(&engine, &CSyncEngine::requestSent, &loop, [&](int count) { onRequest(engine, count); });
    QTimer::singleShot(120000, &loop, &QEventLoop::quit);
    const SyncAccount account{server.Url(), server.User(), server.Password()};
    if (!engine.Start(account, computer.lists, SyncState::Load(computer.statePath)))
        return result;
    loop.exec();
    QString why;
    if (!result.state.Save(computer.statePath, &why))
        qWarning("state not saved: %s", qPrintable(why));
    if (result.ok)
        computer.lists = result.lists;
    return result;
}
