#include "app/quitsignals.h"

#include <QObject>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace quornet::app {

namespace {
int g_pipe[2] = {-1, -1};

void handler(int)
{
    // Only async-signal-safe work here: wake the event loop through the socket pair.
    const char byte = 1;
    [[maybe_unused]] const auto n = ::write(g_pipe[0], &byte, 1);
}
} // namespace

void quitOnSignals(QObject* context, void (*onQuit)())
{
    if (g_pipe[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM, 0, g_pipe) != 0) return;
    auto* notifier = new QSocketNotifier(qintptr(g_pipe[1]), QSocketNotifier::Read, context);
    QObject::connect(notifier, &QSocketNotifier::activated, context, [onQuit] {
        char byte = 0;
        [[maybe_unused]] const auto n = ::read(g_pipe[1], &byte, 1);
        onQuit();
    });
    struct sigaction sa = {};
    sa.sa_handler = handler;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
}

} // namespace quornet::app
