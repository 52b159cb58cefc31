#include "platform/EndSignals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr std::array<int, 3> kSignals{SIGTERM, SIGHUP, SIGINT};

int g_fds[2] = {-1, -1}; // [0] written by the handler, [1] read by the event loop
struct sigaction g_previous[kSignals.size()];

extern "C" void OnEndSignal(int signalNumber)
{
    // Only what is safe in a signal handler: one write, errno kept.
    const int savedErrno = errno;
    const unsigned char number = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(g_fds[0], &number, 1);
    errno = savedErrno;
}

} // namespace

EndSignals::EndSignals(QObject *parent)
    : QObject(parent)
{
    Q_ASSERT(g_fds[0] < 0);
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_fds) != 0) {
        qWarning("The end signals cannot be watched: %s", strerror(errno));
        g_fds[0] = g_fds[1] = -1;
        return;
    }
    // A full socket must not block the handler: the signals already in it
    // are enough to end the program.
    ::fcntl(g_fds[0], F_SETFL, ::fcntl(g_fds[0], F_GETFL) | O_NONBLOCK);
    ::fcntl(g_fds[1], F_SETFL, ::fcntl(g_fds[1], F_GETFL) | O_NONBLOCK);
    m_notifier = new QSocketNotifier(g_fds[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &EndSignals::ReadPending);

    struct sigaction action = {};
    action.sa_handler = OnEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < kSignals.size(); ++i)
        ::sigaction(kSignals[i], &action, &g_previous[i]);
}

EndSignals::~EndSignals()
{
    if (g_fds[0] < 0)
        return;
    for (size_t i = 0; i < kSignals.size(); ++i)
        ::sigaction(kSignals[i], &g_previous[i], nullptr);
    delete m_notifier;
    ::close(g_fds[0]);
    ::close(g_fds[1]);
    g_fds[0] = g_fds[1] = -1;
}

void EndSignals::ReadPending()
{
    unsigned char numbers[16];
    ssize_t got;
    while ((got = ::read(g_fds[1], numbers, sizeof numbers)) > 0) {
        for (ssize_t i = 0; i < got; ++i)
            emit received(numbers[i]);
    }
}
