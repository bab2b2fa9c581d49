#include "platform/end_signals.h"

#include "platform/atomic_file.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace orvane {

namespace {
int pipeEnds[2] = {-1, -1};
volatile std::sig_atomic_t arrived = 0;
constexpr int Signals[] = {SIGTERM, SIGHUP, SIGINT};
// How long the event loop has to take a signal before the program ends without it: a
// window busy for minutes (laying out a huge paragraph) must still end when asked.
constexpr unsigned GraceSeconds = 1;

void onSignalArrived(int number)
{
    // Only what is safe in a signal handler: one byte into the pipe, and the alarm.
    arrived = number;
    const unsigned char byte = static_cast<unsigned char>(number);
    const int saved = errno;
    (void)!::write(pipeEnds[0], &byte, 1);
    ::alarm(GraceSeconds);
    errno = saved;
}

// The event loop did not answer in time: the recovery file of the last autosave stays, and
// no temporary file of a save under way is left behind.
void onGraceOver(int)
{
    removeTemporaries();
    ::_exit(128 + arrived);
}
} // namespace

EndSignals::EndSignals(std::function<void(int)> onSignal, QObject* parent)
    : QObject(parent), onSignal(std::move(onSignal))
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pipeEnds) != 0)
        return;
    ::fcntl(pipeEnds[0], F_SETFL, O_NONBLOCK);
    notifier = new QSocketNotifier(pipeEnds[1], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        unsigned char byte = 0;
        if (::read(pipeEnds[1], &byte, 1) != 1)
            return;
        ::alarm(0);  // taken in time: the work is kept as it should be
        if (this->onSignal)
            this->onSignal(byte);
    });
    struct sigaction action {};
    action.sa_handler = onSignalArrived;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int s : Signals)
        ::sigaction(s, &action, nullptr);
    struct sigaction grace {};
    grace.sa_handler = onGraceOver;
    sigemptyset(&grace.sa_mask);
    ::sigaction(SIGALRM, &grace, nullptr);
}

EndSignals::~EndSignals()
{
    ::alarm(0);
    for (const int s : Signals)
        std::signal(s, SIG_DFL);
    std::signal(SIGALRM, SIG_DFL);
    if (pipeEnds[0] >= 0) {
        ::close(pipeEnds[0]);
        ::close(pipeEnds[1]);
        pipeEnds[0] = pipeEnds[1] = -1;
    }
}

void endNow(int status)
{
    removeTemporaries();
    waitForRemovals();
    ::_exit(status);
}

} // namespace orvane
