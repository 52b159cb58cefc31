#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;

// One running program per data file. Two windows on one file would each save
// their own lists over the other's, so a later start on the same file brings
// the running window to the front and ends. Another data file (the portable
// one beside the executable) is another program.
//
// Who runs is decided by a lock file: taking it is atomic, and QLockFile
// knows the process that holds it, so a lock left by a crashed run is taken
// over at once. The running program also listens on a local socket, through
// which a later start asks it to come to the front. Both live in the user's
// runtime folder, else in a folder of the user's own (under the cache
// folder), never beside the data file: that folder may be synced to other
// computers, or read-only. A lock or socket there that another user owns is
// never used, nor a lock of one's own that does not say who holds it.
class CSingleInstance : public QObject
{
    Q_OBJECT

public:
    enum class Outcome {
        First,      // this program runs on the data file
        HandedOver, // the running one was asked to come to the front: end
        NoAnswer,   // another program holds the file but did not answer: end
        // The lock names another computer (a shared home folder, a disk
        // moved over), which no program here can ask, and nothing here
        // holds it: LockComputer() says which; StartAnyway() may follow.
        OtherComputer,
    };

    explicit CSingleInstance(const QString &dataFilePath, QObject *parent = nullptr);
    ~CSingleInstance() override;

    // Takes the data file, or asks its running program to come to the front.
    // A running program that is just starting gets up to `waitMs` to answer.
    Outcome Claim(int waitMs = 5000);

    // The computer the lock names, after Claim() gave OtherComputer.
    QString LockComputer() const { return m_lockComputer; }
    // Takes the lock over from the other computer's run, once the user has
    // said that it is not running: true when this program now runs on the
    // data file.
    bool StartAnyway();

    // The name that the lock and the socket are made from: the same for
    // every path to the same file.
    static QString KeyFor(const QString &dataFilePath);
    // Where the lock and the socket of this data file live.
    QString LockPath() const;
    QString SocketName() const;

signals:
    // In the first program: a later start asked it to come to the front.
    void anotherStartKnocked();

private:
    void DropUntrusted();
    bool HeldByOtherComputerOnly();
    bool Knock(int waitMs);
    void Listen();
    void OnNewConnection();

    QString m_key;
    QString m_folder;
    QLockFile m_lock;
    std::unique_ptr<QLocalServer> m_server;
    QString m_lockComputer;
};
