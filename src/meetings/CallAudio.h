#pragma once

#include "core/Clock.h"
#include "core/SerialQueue.h"
#include "meetings/Meeting.h"

#include <QString>
#include <QStringList>
#include <QUuid>

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

// Where each side of a recorded call is kept: a WAV file per side while the call runs, packed
// to .m4a afterwards, aged out after the days the user chose. Packing, ageing and deleting run
// one at a time on the audio queue, so a meeting deleted while it is packed keeps no audio.
class CallAudio {
  public:
    using Samples = std::vector<int16_t>;
    using Range = std::pair<double, double>;

    explicit CallAudio(QString dir, Clock& clock = Clock::system());
    ~CallAudio();
    CallAudio(const CallAudio&) = delete;
    CallAudio& operator=(const CallAudio&) = delete;

    const QString& dir() const { return folder; }
    static QList<SpeakerKey> sides() { return {SpeakerKey::you(), SpeakerKey::them()}; }
    QString url(const QUuid& id, const SpeakerKey& side, const QString& ext) const;
    // The existing ones of: you m4a, you wav, them m4a, them wav.
    QStringList files(const QUuid& id) const;
    void remove(const QUuid& id);
    // Fixes the sizes in the header of a WAV file that was never closed.
    static void repair(const QString& path);
    void pack(const QUuid& id);
    std::optional<Samples> load(const QUuid& id, const SpeakerKey& side) const;
    // The longest ranges (in seconds on the meeting clock) first, until `limit` seconds.
    std::optional<Samples> load(const QUuid& id, const SpeakerKey& side, const QList<Range>& ranges,
                                double limit) const;
    // Removes files older than `days` (never for −1), and packs WAV files left behind.
    void tidy(qint64 days, const std::optional<QUuid>& except);
    QString audioKeptText(const Meeting& m, qint64 days) const;
    // Blocks until the audio queue has done what was asked of it.
    void flush();

  private:
    class Side;

    void packNow(const QUuid& id);
    bool convert(const QString& wav, const QString& m4a);
    void tidyNow(qint64 days, const std::optional<QUuid>& except);
    std::optional<Side> open(const QUuid& id, const SpeakerKey& side) const;

    QString folder;
    Clock& clock;
    // Declared last so its worker stops before the members it uses go away.
    SerialQueue q{"voxmere.audio"};
};
