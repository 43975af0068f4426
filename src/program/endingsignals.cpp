#include "endingsignals.h"

#include <QSocketNotifier>

#include <csignal>

#include <sys/socket.h>
#include <unistd.h>

namespace {

int ends[2] = { -1, -1 };

void handle(int)
{
    const char byte = 1;
    // Nothing to do when the socket is full: a byte waits there already.
    [[maybe_unused]] const ssize_t written = ::write(ends[0], &byte, 1);
}

} // namespace

EndingSignals::EndingSignals(QObject *parent)
    : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, ends) != 0)
        return;
    notifier = new QSocketNotifier(ends[1], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &EndingSignals::read);
    struct sigaction action {};
    action.sa_handler = handle;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int ending : { SIGTERM, SIGHUP, SIGINT })
        ::sigaction(ending, &action, nullptr);
}

void EndingSignals::read()
{
    char bytes[16];
    while (::read(ends[1], bytes, sizeof bytes) > 0) {
    }
    emit received();
}
