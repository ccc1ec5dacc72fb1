#include "calls/CallRecovery.h"

#include "core/JsonUuid.h"
#include "core/Wav.h"
#include "meetings/CallAudio.h"
#include "meetings/MeetingStore.h"
#include "support/ManualScheduler.h"
#include "support/MeetingSamples.h"
#include "support/TempSettings.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(CallRecovery, TranscribesTheNewestCutOffCallAgainAndRemembersItWasTried) {
    QTemporaryDir dir;
    const QString meetings = dir.filePath("meetings");
    QDir().mkpath(meetings + "/audio");
    Meeting older = MeetingSamples::meeting({MeetingSamples::line("Them", 1, "hello", 3)});
    Meeting newer = older;
    newer.id = QUuid::createUuid();
    newer.start = older.start.addSecs(3600);
    for (Meeting* m : {&older, &newer}) {
        m->end.reset();
        MeetingSamples::write(meetings + "/" + JsonUuid::text(m->id) + ".json", m->encode());
    }
    CallAudio audio(meetings + "/audio");
    // Left as a killed recorder leaves it: the header's sizes never filled in.
    QByteArray wav = Wav::bytes(std::vector<int16_t>(16000, 500));
    wav.replace(0, Wav::headerSize, Wav::header(0, 0));
    MeetingSamples::write(audio.url(newer.id, SpeakerKey::them(), "wav"), wav);

    MeetingStore store(meetings, Clock::system(), &audio);
    EXPECT_EQ(CallRecovery::choose(store), newer.id);
    TempSettings temp;
    ManualScheduler main;
    std::optional<QUuid> asked;
    std::function<void(bool)> then;
    CallRecovery::start({store, audio, temp.settings, main,
                         [&](const QUuid& id, std::function<void(bool)> done) {
                             asked = id;
                             then = std::move(done);
                         }});
    audio.flush();
    store.flush();
    EXPECT_TRUE(Meeting::decode(MeetingSamples::read(meetings + "/" + JsonUuid::text(newer.id) + ".json"))->end);
    EXPECT_EQ(audio.load(newer.id, SpeakerKey::them())->size(), 16000u);

    main.advance(4.9);
    EXPECT_FALSE(asked);
    main.advance(0.1);
    ASSERT_EQ(asked, newer.id);
    then(false);
    audio.flush();
    EXPECT_EQ(audio.files(newer.id), QStringList{audio.url(newer.id, SpeakerKey::them(), "m4a")});
}
