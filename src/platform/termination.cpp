#include "platform/termination.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace pelquin {

namespace {

int g_pipe[2] = {-1, -1};

void onSignal(int)
{
    // Armed here, in the handler itself, so that even a program whose event loop is stuck
    // ends; a second signal ends it at once.
    static volatile sig_atomic_t signalled = 0;
    if (signalled)
        ::_exit(128 + SIGTERM);
    signalled = 1;
    ::alarm(TerminationWatcher::kGraceSeconds);
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(g_pipe[0], &byte, 1);
}

}  // namespace

TerminationWatcher::TerminationWatcher(QObject *parent) : QObject(parent)
{
    if (g_pipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, g_pipe) != 0)
        return;
    m_notifier = new QSocketNotifier(g_pipe[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationWatcher::onReadable);
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int sig : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(sig, &action, nullptr);
}

TerminationWatcher::~TerminationWatcher()
{
    for (const int sig : {SIGTERM, SIGINT, SIGHUP})
        ::signal(sig, SIG_DFL);
}

void TerminationWatcher::onReadable()
{
    char byte = 0;
    [[maybe_unused]] const auto got = ::read(g_pipe[1], &byte, 1);
    if (m_requested)
        return;
    m_requested = true;
    emit terminationRequested();
}

}  // namespace pelquin
