#include "platform/end_signals.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace orvane {

namespace {
int pipeEnds[2] = {-1, -1};
constexpr int Signals[] = {SIGTERM, SIGHUP, SIGINT};

void onSignalArrived(int number)
{
    // Only what is safe in a signal handler: one byte into the pipe.
    const unsigned char byte = static_cast<unsigned char>(number);
    const int saved = errno;
    (void)!::write(pipeEnds[0], &byte, 1);
    errno = saved;
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
        if (::read(pipeEnds[1], &byte, 1) == 1 && this->onSignal)
            this->onSignal(byte);
    });
    struct sigaction action {};
    action.sa_handler = onSignalArrived;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int s : Signals)
        ::sigaction(s, &action, nullptr);
}

EndSignals::~EndSignals()
{
    for (const int s : Signals)
        std::signal(s, SIG_DFL);
    if (pipeEnds[0] >= 0) {
        ::close(pipeEnds[0]);
        ::close(pipeEnds[1]);
        pipeEnds[0] = pipeEnds[1] = -1;
    }
}

} // namespace orvane
