#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <functional>

// Waits in real time for work on other threads or in other processes, letting this thread's
// events run meanwhile; false when `done` still doesn't hold after `milliseconds`.
inline bool waitFor(const std::function<bool()>& done, int milliseconds = 5000) {
    QDeadlineTimer deadline(milliseconds);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents();
        QThread::msleep(2);
    }
    return true;
}
