#include "core/JsonUuid.h"
#include "core/Wav.h"
#include "meetings/CallAudio.h"
#include "meetings/CallAudioWriter.h"
#include "meetings/MeetingStore.h"
#include "support/ManualScheduler.h"
#include "support/MeetingSamples.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray noise(QRandomGenerator& random, int size) {
    QByteArray bytes(size, Qt::Uninitialized);
    for (auto& b : bytes)
        b = char(random.bounded(256));
    return bytes;
}

TEST(BadInput, DamagedMeetingFilesAreSkippedAndNeverWrittenOver) {
    QTemporaryDir dir;
    QRandomGenerator random(12);
    Meeting good = MeetingSamples::meeting({MeetingSamples::line("Them", 1, "hello")});
    const QByteArray encoded = good.encode();
    QMap<QString, QByteArray> damaged;
    for (int i = 0; i < 200; ++i) {
        const QByteArray bytes = i % 2 ? noise(random, random.bounded(1, 400))
                                       : encoded.left(random.bounded(encoded.size() - 1));
        damaged.insert(dir.filePath(QString("bad%1.json").arg(i)), bytes);
    }
    // The good record under another name, and garbage under the name it will be saved to.
    damaged.insert(dir.filePath(JsonUuid::text(good.id) + ".json"), "garbage");
    for (auto it = damaged.begin(); it != damaged.end(); ++it)
        MeetingSamples::write(it.key(), it.value());
    MeetingSamples::write(dir.filePath("copy.json"), encoded);

    ManualScheduler clock;
    MeetingStore store(dir.path(), clock);
    ASSERT_EQ(store.meetings().size(), 1);
    store.update(good.id, [](Meeting& m) { m.title = "Renamed"; });
    store.flush();
    const QString json = dir.filePath(JsonUuid::text(good.id) + ".json");
    EXPECT_EQ(Meeting::decode(MeetingSamples::read(json))->title, "Renamed");
    EXPECT_EQ(MeetingSamples::read(json + ".unreadable"), "garbage");
    damaged.remove(json);
    for (auto it = damaged.begin(); it != damaged.end(); ++it)
        EXPECT_EQ(MeetingSamples::read(it.key()), it.value());
}

TEST(BadInput, DamagedWavFilesNeitherCrashNorGrowWhenLoadedAndRepaired) {
    QTemporaryDir dir;
    CallAudio audio(dir.path());
    QRandomGenerator random(34);
    const QByteArray sound = Wav::bytes(CallAudio::Samples(4000, 100));
    for (int i = 0; i < 200; ++i) {
        const QUuid id = QUuid::createUuid();
        QByteArray bytes = i % 2 ? noise(random, random.bounded(1, 5000))
                                 : sound.left(random.bounded(sound.size()));
        if (i % 4 == 0 && bytes.size() > 12)
            bytes.replace(12, 4, noise(random, 4)); // a chunk that leads anywhere
        MeetingSamples::write(audio.url(id, SpeakerKey::you(), "wav"), bytes);
        MeetingSamples::write(audio.url(id, SpeakerKey::you(), "m4a"), noise(random, 300));
        audio.load(id, SpeakerKey::you(), {{0, 2}}, 60);
        audio.load(id, SpeakerKey::you());
        EXPECT_EQ(MeetingSamples::read(audio.url(id, SpeakerKey::you(), "wav")).size(),
                  bytes.size());
    }
}

// A call cut off by a crash: the writer never closed its file, so the header still says 0.
TEST(BadInput, AWavLeftByAKilledRecorderIsRepairedAndPacked) {
    QTemporaryDir dir;
    CallAudio audio(dir.path());
    const QUuid id = QUuid::createUuid();
    const QString wav = audio.url(id, SpeakerKey::them(), "wav");
    constexpr qint64 samples = 7 * 16000 + 123;
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    if (child == 0) {
        auto writer = CallAudioWriter::create(wav, QDateTime::currentDateTimeUtc());
        for (qint64 left = samples; left > 0; left -= 1000)
            writer->write(CallAudio::Samples(size_t(std::min<qint64>(left, 1000)), 500));
        (void)!write(ready[1], "x", 1);
        pause();
    }
    char done = 0;
    ASSERT_EQ(read(ready[0], &done, 1), 1);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);

    const auto loaded = audio.load(id, SpeakerKey::them());
    ASSERT_TRUE(loaded);
    EXPECT_EQ(qint64(loaded->size()), samples);
    audio.pack(id);
    audio.flush();
    EXPECT_EQ(audio.files(id), QStringList{audio.url(id, SpeakerKey::them(), "m4a")});
    const auto packed = audio.load(id, SpeakerKey::them());
    ASSERT_TRUE(packed);
    EXPECT_NEAR(double(packed->size()), double(samples), 1024);
}

} // namespace
