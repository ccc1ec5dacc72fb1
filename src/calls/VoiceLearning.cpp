#include "calls/VoiceLearning.h"

#include "meetings/CallAudio.h"
#include "meetings/MeetingStore.h"
#include "meetings/People.h"
#include "settings/Settings.h"

#include <QMetaObject>

namespace {
constexpr double learnSeconds = 60;
}

VoiceLearning::VoiceLearning(Services services, QObject* parent)
    : QObject(parent), s(std::move(services)) {
    s.store.onRemember = [this](const QString& name) { s.people.remember(name, std::nullopt); };
    s.store.onLearnVoice = [this](const QUuid& id, const QList<MeetingStore::Span>& spans,
                                  const QString& name) {
        if (!s.speakers.available() || !s.settings.recogniseVoices())
            return;
        q.async([this, id, spans, name] {
            const auto audio = s.audio.load(id, SpeakerKey::them(), spans, learnSeconds);
            const auto print = audio ? s.printOf(*audio) : std::nullopt;
            if (print)
                QMetaObject::invokeMethod(
                    this, [this, name, print] { s.people.remember(name, print); },
                    Qt::QueuedConnection);
        });
    };
}

VoiceLearning::~VoiceLearning() {
    s.store.onRemember = {};
    s.store.onLearnVoice = {};
}

void VoiceLearning::sync() {
    q.sync([] {});
}
