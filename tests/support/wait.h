#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <functional>

namespace pelquin::test {

// Runs the event loop until `done` holds or `ms` milliseconds have passed; true if it held.
inline bool waitFor(const std::function<bool()> &done, int ms = 10000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return true;
}

// Lets the event loop run for `ms` milliseconds, for events that must NOT come.
inline void spin(int ms)
{
    waitFor([] { return false; }, ms);
}

}  // namespace pelquin::test
