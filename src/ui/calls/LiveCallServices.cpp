#include "ui/calls/LiveCallServices.h"

#include "calls/MeetingLevels.h"
#include "calls/MeetingRecorder.h"
#include "calls/Retranscriber.h"
#include "calls/SpeakerFinder.h"
#include "meetings/CallAudio.h"
#include "meetings/MeetingStore.h"
#include "meetings/People.h"
#include "meetings/Speakers.h"
#include "settings/Settings.h"
#include "ui/calls/CallsPage.h"
#include "ui/widgets/FileReveal.h"

namespace LiveCallServices {

CallActivity activity() {
    const MeetingRecorder& r = MeetingRecorder::shared();
    const Retranscriber& rerun = Retranscriber::shared();
    const SpeakerFinder& finder = SpeakerFinder::shared();
    return {r.isRecording(), r.finishing(), r.engineTrouble(), r.systemAudioOK(), r.meetingID(),
            rerun.rerunID(), rerun.rerunProgress(), finder.speakersID(), finder.splittingID()};
}

CallServices make(UIState& state, Scheduler& scheduler) {
    return {MeetingStore::shared(),
            state,
            scheduler,
            &activity,
            [] { return People::shared().names(); },
            [](const QUuid& id) { return CallAudio::shared().files(id); },
            [](const Meeting& m) {
                return CallAudio::shared().audioKeptText(m, Settings::shared().callAudioDays());
            },
            [] { return Speakers::shared().available(); },
            [](const QUuid& id, std::optional<int> count) {
                SpeakerFinder::shared().findSpeakers(id, count, [] {});
            },
            [](const QUuid& id) { Retranscriber::shared().retranscribe(id); },
            [] { MeetingRecorder::shared().start(); },
            [] { MeetingRecorder::shared().stop(); },
            &FileReveal::show,
            &MeetingLevels::shared()};
}

void follow(CallsPage* page) {
    QObject::connect(&MeetingRecorder::shared(), &MeetingRecorder::stateChanged, page,
                     &CallsPage::refresh);
    QObject::connect(&Retranscriber::shared(), &Retranscriber::stateChanged, page,
                     &CallsPage::refresh);
    QObject::connect(&SpeakerFinder::shared(), &SpeakerFinder::stateChanged, page,
                     &CallsPage::refresh);
}

} // namespace LiveCallServices
