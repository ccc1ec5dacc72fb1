#include "app/MeetingTestMode.h"

#include "calls/MeetingRecorder.h"

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

void stopAfter(MeetingRecorder& recorder, double length, bool again);

void record(MeetingRecorder& recorder, double length, bool again) {
    recorder.start(QStringLiteral("Test"));
    stopAfter(recorder, length, again);
}

// The first call is still being written up: a new one can't start until it is.
void repeat(MeetingRecorder& recorder, double length) {
    if (recorder.finishing()) {
        QTimer::singleShot(retryMs, &recorder, [&recorder, length] { repeat(recorder, length); });
        return;
    }
    record(recorder, length, false);
}

void stopAfter(MeetingRecorder& recorder, double length, bool again) {
    QTimer::singleShot(ms(length), &recorder, [&recorder, length, again] {
        recorder.stop();
        if (again)
            repeat(recorder, length);
    });
}
} // namespace

namespace MeetingTestMode {

bool wanted(const QStringList& args) {
    return seconds(args).has_value();
}

void run(const QStringList& args, MeetingRecorder& recorder) {
    const std::optional<double> length = seconds(args);
    if (!length)
        return;
    const bool again = args.contains("--again");
    QTimer::singleShot(startDelayMs, &recorder,
                       [&recorder, length = *length, again] { record(recorder, length, again); });
}

} // namespace MeetingTestMode
