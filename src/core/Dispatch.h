#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

// Posting work to the GUI thread and to the shared thread pool (the "global queues").
void onMain(std::function<void()> work);
void onMain(double afterSeconds, std::function<void()> work);
// Work for `receiver`, dropped if the receiver is destroyed before it runs. Take the QPointer
// while the receiver is certainly alive (on its own thread, or before handing work to a thread
// it may not outlive); it can then be passed on from any thread.
void onMain(QPointer<QObject> receiver, std::function<void()> work);
void onMain(QPointer<QObject> receiver, double afterSeconds, std::function<void()> work);
void onGlobal(std::function<void()> work);
void onGlobal(double afterSeconds, std::function<void()> work);
bool isMainThread();
