#pragma once

#include "core/Paths.h"
#include "meetings/CallAudio.h"
#include "meetings/MeetingStore.h"
#include "meetings/People.h"
#include "meetings/Speakers.h"
#include "support/FakeTranscriber.h"
#include "support/TempSettings.h"

#include <QDir>
#include <QTemporaryDir>

// What the after-call work runs on, in a folder of its own: the settings, the call audio, the
// meeting store, the people, a speaker folder (empty until a test fills it) and an engine that
// answers when the test says.
struct CallWork {
    QTemporaryDir dir;
    TempSettings temp;
    CallAudio audio{dir.filePath("audio")};
    MeetingStore store{dir.filePath("meetings"), Clock::system(), &audio};
    People people{dir.filePath("people.json"), temp.settings, {}};
    Speakers speakers{dir.filePath("speakers")};
    FakeTranscriber engine;

    CallWork() {
        Paths::ensureDataDir();
        QDir().mkpath(dir.filePath("audio"));
        QDir().mkpath(dir.filePath("speakers/bin"));
    }
};
