#pragma once

#include <QObject>
#include <QSocketNotifier>

// Turns SIGTERM and SIGINT (what a desktop logout or Ctrl+C sends) into an orderly quit of the
// event loop, so the engine is stopped and pending saves are flushed. The handler only writes a
// byte to a pipe; the quit happens on the main thread.
class SignalQuit : public QObject {
    Q_OBJECT
  public:
    static void install();

  private:
    SignalQuit();
    static void handle(int signal);
    QSocketNotifier* notifier = nullptr;
};
