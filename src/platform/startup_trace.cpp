#include "platform/startup_trace.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QSet>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <unistd.h>

namespace pelquin {

namespace {

// Seconds from the process's start (as the kernel tells it, to a clock tick) to now: the
// time the loader spent before main is part of start-up too.
double secondsSinceProcessStart()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    // Field 22 of the file, the start time in clock ticks after boot; 20 after the name.
    if (fields.size() < 20)
        return 0;
    const double started = fields.at(19).toDouble() / double(::sysconf(_SC_CLK_TCK));
    timespec now{};
    ::clock_gettime(CLOCK_BOOTTIME, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9 - started;
}

struct Trace {
    bool on = std::getenv("PELQUIN_TRACE_STARTUP") != nullptr;
    double offset = 0;
    QElapsedTimer clock;
    QSet<QByteArray> seen;
};

}  // namespace

void traceStartup(const char *mark)
{
    static Trace trace;
    if (!trace.on || trace.seen.contains(mark))
        return;
    if (!trace.clock.isValid()) {
        trace.offset = secondsSinceProcessStart();
        trace.clock.start();
    }
    trace.seen.insert(mark);
    std::fprintf(stderr, "pelquin: start-up %7.3f s  %s\n",
                 trace.offset + double(trace.clock.nsecsElapsed()) / 1e9, mark);
}

}  // namespace pelquin
