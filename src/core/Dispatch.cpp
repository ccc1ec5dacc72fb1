#include "core/Dispatch.h"

#include "core/SerialQueue.h"

#include <QCoreApplication>
#include <QThread>
#include <QThreadPool>
#include <QTimer>

void onMain(std::function<void()> work) {
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(work), Qt::QueuedConnection);
}

void onMain(double afterSeconds, std::function<void()> work) {
    if (afterSeconds <= 0) {
        onMain(std::move(work));
        return;
    }
    const int ms = int(afterSeconds * 1000.0 + 0.5);
    onMain([ms, work = std::move(work)] {
        QTimer::singleShot(ms, QCoreApplication::instance(), work);
    });
}

void onMain(QPointer<QObject> receiver, std::function<void()> work) {
    onMain([receiver, work = std::move(work)] {
        if (receiver)
            work();
    });
}

void onMain(QPointer<QObject> receiver, double afterSeconds, std::function<void()> work) {
    onMain(afterSeconds, [receiver, work = std::move(work)] {
        if (receiver)
            work();
    });
}

// After the application object is gone the pool is too; late delayed work is then dropped.
void onGlobal(std::function<void()> work) {
    if (auto* pool = QThreadPool::globalInstance())
        pool->start(std::move(work));
}

void onGlobal(double afterSeconds, std::function<void()> work) {
    // One timer thread holds the delayed work so no pool thread sleeps waiting for it.
    static SerialQueue timers("voxmere.timers");
    timers.after(afterSeconds, [work = std::move(work)] { onGlobal(work); });
}

bool isMainThread() {
    auto* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}
