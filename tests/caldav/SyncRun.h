#pragma once

#include "sync/SyncEngine.h"

#include <functional>

class CTestServer;

// One computer's side in the server tests: its lists with their
// identities, and its state file.
struct Computer
{
    QList<SyncList> lists;
    QString statePath;
};

// One sync of the computer through its state file, waited for; the
// result's lists replace the computer's own when it ended well. onRequest
// sees each request as it is sent, with the engine, to stop it or the
// server midway.
SyncResult SyncComputer(const CTestServer &server, Computer &computer,
                        const std::function<void(CSyncEngine &, int)> &onRequest = {});
