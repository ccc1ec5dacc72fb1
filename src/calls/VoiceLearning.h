#pragma once

#include "core/SerialQueue.h"
#include "meetings/Speakers.h"

#include <QObject>

class CallAudio;
class MeetingStore;
class People;
class Settings;

// Learns a voice when the user names a speaker of a call: the name is remembered at once, and
// a voiceprint of what that speaker said (at most a minute of it) joins the person's voice when
// voices are recognised. Fills the store's rename hooks.
class VoiceLearning : public QObject {
    Q_OBJECT
  public:
    struct Services {
        MeetingStore& store;
        CallAudio& audio;
        Speakers& speakers;
        Settings& settings;
        People& people;
        Speakers::PrintOf printOf;
    };
    explicit VoiceLearning(Services services, QObject* parent = nullptr);
    ~VoiceLearning() override;
    // Blocks until the voices asked for so far have been printed.
    void sync();

  private:
    Services s;
    // Last, so its worker stops before the members its work uses go away.
    SerialQueue q{"voxmere.voices"};
};
