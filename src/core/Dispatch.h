#pragma once

#include <functional>

// Posting work to the GUI thread and to the shared thread pool (the "global queues").
void onMain(std::function<void()> work);
void onMain(double afterSeconds, std::function<void()> work);
void onGlobal(std::function<void()> work);
void onGlobal(double afterSeconds, std::function<void()> work);
bool isMainThread();
