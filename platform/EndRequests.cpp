#include "platform/EndRequests.h"

#include "platform/QuitRequest.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace EndRequests {

namespace {

int s_pipe[2] = {-1, -1};

void OnSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(s_pipe[1], &byte, 1);
    errno = saved;
}

void Drain()
{
    char bytes[64];
    while (::read(s_pipe[0], bytes, sizeof bytes) > 0) { }
}

} // namespace

void Install()
{
    auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    if (s_pipe[0] >= 0 || !app || ::pipe2(s_pipe, O_NONBLOCK | O_CLOEXEC) != 0)
        return;
    auto *notifier = new QSocketNotifier(s_pipe[0], QSocketNotifier::Read, app);
    QObject::connect(notifier, &QSocketNotifier::activated, app, [] {
        Drain();
        QuitRequest::PostFromOutside();
    });
    QObject::connect(app, &QGuiApplication::commitDataRequest, app,
                     [](QSessionManager &) { QuitRequest::PostFromOutside(); });
    struct sigaction action = {};
    action.sa_handler = &OnSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGHUP, SIGINT})
        ::sigaction(signal, &action, nullptr);
}

} // namespace EndRequests
