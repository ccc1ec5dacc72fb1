#include "calls/CallRecovery.h"

#include "core/DebugLog.h"
#include "core/Scheduler.h"
#include "meetings/CallAudio.h"
#include "meetings/MeetingStore.h"
#include "settings/Settings.h"

#include <QFile>

std::optional<QUuid> CallRecovery::choose(const MeetingStore& store) {
    std::optional<QUuid> chosen;
    std::optional<QDateTime> latest;
    for (const QUuid& id : store.cutOff()) {
        const Meeting* m = store.find(id);
        const QDateTime start = m ? m->start : QDateTime::fromMSecsSinceEpoch(0);
        if (!latest || start > *latest) {
            chosen = id;
            latest = start;
        }
    }
    return chosen;
}

void CallRecovery::start(const Services& s) {
    const auto chosen = choose(s.store);
    s.audio.tidy(s.settings.callAudioDays(), chosen);
    if (!chosen || s.audio.files(*chosen).isEmpty())
        return;
    // The end found at load goes to disk now, so a recovery that fails is not tried again at
    // every launch.
    if (const Meeting* m = s.store.find(*chosen))
        s.store.save(*m);
    for (const SpeakerKey& side : CallAudio::sides()) {
        const QString wav = s.audio.url(*chosen, side, "wav");
        if (QFile::exists(wav))
            CallAudio::repair(wav);
    }
    const QUuid id = *chosen;
    s.main.after(&s.store, delaySeconds, [s, id] {
        debugLog("cut-off call, transcribing again");
        s.retranscribe(id, [s, id](bool ok) {
            if (!ok)
                debugLog("cut-off call could not be transcribed again; its audio is kept");
            // As after a call: audio that may hold words missing from the transcript stays.
            if (s.settings.callAudioDays() != 0 || !ok)
                s.audio.pack(id);
            else
                s.audio.remove(id);
        });
    });
}
