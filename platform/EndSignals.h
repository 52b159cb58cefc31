#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGHUP and SIGINT into a Qt signal delivered by the event
// loop, so that the program can save and end as its window's close button
// would. The handler itself only writes the signal's number to a socket.
// One watcher at a time; the previous handlers come back when it goes.
class EndSignals : public QObject
{
    Q_OBJECT

public:
    explicit EndSignals(QObject *parent = nullptr);
    ~EndSignals() override;

signals:
    // Once per signal that arrived.
    void received(int signalNumber);

private:
    void ReadPending();

    QSocketNotifier *m_notifier = nullptr;
};
