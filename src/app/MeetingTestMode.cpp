#include "app/MeetingTestMode.h"

#include "calls/MeetingRecorder.h"

#include <QCoreApplication>
#include <QTimer>

#include <optional>

namespace {
constexpr int startDelayMs = 4000;
constexpr int retryMs = 200;

std::optional<double> seconds(const QStringList& args) {
    const qsizetype at = args.indexOf("--meeting-test");
    if (at < 0 || at + 1 >= args.size())
        return std::nullopt;
    bool ok = false;
    const double value = args[at + 1].toDouble(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

int ms(double seconds) {
    return int(seconds * 1000);
}

void stopAfter(double length, bool again);

void record(double length, bool again) {
    MeetingRecorder::shared().start(QStringLiteral("Test"));
    stopAfter(length, again);
}

// The first call is still being written up: a new one can't start until it is.
void repeat(double length) {
    if (MeetingRecorder::shared().finishing()) {
        QTimer::singleShot(retryMs, qApp, [length] { repeat(length); });
        return;
    }
    record(length, false);
}

void stopAfter(double length, bool again) {
    QTimer::singleShot(ms(length), qApp, [length, again] {
        MeetingRecorder::shared().stop();
        if (again)
            repeat(length);
    });
}
} // namespace

namespace MeetingTestMode {

bool wanted(const QStringList& args) {
    return seconds(args).has_value();
}

void run(const QStringList& args) {
    const std::optional<double> length = seconds(args);
    if (!length)
        return;
    const bool again = args.contains("--again");
    QTimer::singleShot(startDelayMs, qApp, [length = *length, again] { record(length, again); });
}

} // namespace MeetingTestMode
