#include "app/SignalQuit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <csignal>

namespace {
class RefusesToClose : public QWidget {
  protected:
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};
} // namespace

// A logout's SIGTERM must end the event loop, so the engine is stopped and the stores flushed,
// whatever the windows on screen say to being closed.
TEST(SignalQuit, TermEndsTheEventLoopWhileAWindowRefusesToClose) {
    RefusesToClose window;
    window.show();
    SignalQuit::install();
    QTimer giveUp;
    giveUp.setSingleShot(true);
    QObject::connect(&giveUp, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    giveUp.start(5000);
    QTimer::singleShot(0, &window, [] { std::raise(SIGTERM); });
    EXPECT_EQ(QApplication::exec(), 0);
}
