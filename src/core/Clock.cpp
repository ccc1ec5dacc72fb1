#include "core/Clock.h"

#include <QDateTime>

namespace {
class SystemClock : public Clock {
  public:
    double now() const override { return QDateTime::currentMSecsSinceEpoch() / 1000.0; }
};
} // namespace

Clock& Clock::system() {
    static SystemClock clock;
    return clock;
}
