#include "meetings/CallAudio.h"

#include "core/Paths.h"
#include "core/Wav.h"
#include "meetings/CallAudioWriter.h"
#include "support/ManualScheduler.h"
#include "support/MeetingSamples.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <utime.h>

namespace {

using Samples = CallAudio::Samples;

quint32 at32(const QByteArray& bytes, qint64 offset) {
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

// One second of quiet with a single full-scale click at `click` seconds.
Samples withClick(double seconds, double click) {
    Samples s(size_t(seconds * 16000), 0);
    s[size_t(click * 16000)] = 30000;
    return s;
}

qint64 loudest(const Samples& s) {
    return std::max_element(s.begin(), s.end(),
                            [](int16_t a, int16_t b) { return std::abs(a) < std::abs(b); }) -
           s.begin();
}

class CallAudioTest : public testing::Test {
  protected:
    QString wav(const SpeakerKey& side = SpeakerKey::you()) const {
        return audio.url(id, side, "wav");
    }
    QString m4a(const SpeakerKey& side = SpeakerKey::you()) const {
        return audio.url(id, side, "m4a");
    }

    void record(const SpeakerKey& side, const Samples& samples) {
        auto writer = CallAudioWriter::create(audio.url(id, side, "wav"), start, clock);
        ASSERT_TRUE(writer);
        writer->write(samples);
    }

    void age(const QString& path, double days) const {
        const auto when = time_t(clock.now() - days * 86400);
        const utimbuf times{when, when};
        utime(QFile::encodeName(path).constData(), &times);
    }

    QTemporaryDir dir;
    // Near the real time: tidy compares it with the dates the file system gives.
    ManualScheduler clock{double(QDateTime::currentSecsSinceEpoch())};
    QDateTime start = QDateTime::fromSecsSinceEpoch(qint64(clock.now()));
    CallAudio audio{dir.filePath("meetings/audio"), clock};
    QUuid id = QUuid::createUuid();
};

TEST_F(CallAudioTest, NamesFollowTheIdAndSideAndFilesKeepTheirOrder) {
    EXPECT_EQ(QFileInfo(wav()).fileName(),
              id.toString(QUuid::WithoutBraces).toUpper() + "-you.wav");
    QDir().mkpath(audio.dir());
    MeetingSamples::write(wav(SpeakerKey::them()), "x");
    MeetingSamples::write(m4a(SpeakerKey::you()), "x");
    EXPECT_EQ(audio.files(id), (QStringList{m4a(SpeakerKey::you()), wav(SpeakerKey::them())}));
    EXPECT_EQ(audio.audioKeptText(MeetingSamples::meeting(), 30), "Audio deleted");
    Meeting m = MeetingSamples::meeting();
    m.id = id;
    EXPECT_EQ(audio.audioKeptText(m, 30), "Audio kept 30 days");
    EXPECT_EQ(audio.audioKeptText(m, 0), "Audio kept until written up");
    audio.remove(id);
    audio.flush();
    EXPECT_TRUE(audio.files(id).isEmpty());
}

TEST_F(CallAudioTest, TheWriterPadsLateSamplesOnlyPastHalfASecond) {
    auto writer = CallAudioWriter::create(wav(), start, clock);
    ASSERT_TRUE(writer);
    EXPECT_EQ(MeetingSamples::read(wav()), Wav::header(0, 0)) << "sizes stay 0 until closed";
    clock.advance(0.4);
    writer->write(Samples(1600, 7));
    EXPECT_EQ(writer->written(), 1600);
    clock.advance(1.6);
    writer->write(Samples(1600, 7));
    EXPECT_EQ(writer->written(), 1600 + 1600 + 28800);
    writer->write({});
    writer->close();
    writer->write(Samples(1600, 7));

    const QByteArray bytes = MeetingSamples::read(wav());
    EXPECT_EQ(bytes.size(), 44 + 32000 * 2);
    EXPECT_EQ(at32(bytes, 4), 36u + 64000);
    EXPECT_EQ(at32(bytes, 40), 64000u);
    struct stat info {};
    stat(QFile::encodeName(wav()).constData(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    stat(QFile::encodeName(audio.dir()).constData(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0700u);

    auto fresh = CallAudioWriter::create(wav(SpeakerKey::them()),
                                         QDateTime::fromSecsSinceEpoch(qint64(clock.now())), clock);
    clock.advance(2.0);
    fresh->write(Samples(1600, 7));
    EXPECT_EQ(fresh->written(), 32000) << "2 s late pads 30,400 zeros first";
    MeetingSamples::write(dir.filePath("file"), "x");
    EXPECT_FALSE(CallAudioWriter::create(dir.filePath("file/x.wav"), start, clock));
}

TEST_F(CallAudioTest, RepairFixesStaleSizesAfterWalkingTheChunks) {
    QDir().mkpath(audio.dir());
    Paths::ensureDataDir();
    MeetingSamples::write(wav(), Wav::header(0, 0) + QByteArray(32000, '\1'));
    CallAudio::repair(wav());
    QByteArray bytes = MeetingSamples::read(wav());
    EXPECT_EQ(at32(bytes, 40), 32000u);
    EXPECT_EQ(at32(bytes, 4), 32036u);
    EXPECT_TRUE(MeetingSamples::read(Paths::dataFile("debug.log"))
                    .contains("repaired " + QFileInfo(wav()).fileName().toUtf8() + ": 1 s"));

    // An odd-sized chunk before the data is padded to even length; odd payloads round down.
    QByteArray odd = Wav::header(0, 0).left(36) + "LIST" + QByteArray("\x03\0\0\0abc\0", 8) +
                     "data" + QByteArray(4, '\0') + QByteArray(101, '\2');
    MeetingSamples::write(wav(SpeakerKey::them()), odd);
    CallAudio::repair(wav(SpeakerKey::them()));
    bytes = MeetingSamples::read(wav(SpeakerKey::them()));
    EXPECT_EQ(at32(bytes, 52), 100u);
    EXPECT_EQ(at32(bytes, 4), quint32(bytes.size() - 8));

    MeetingSamples::write(wav(), Wav::header(0, 0));
    CallAudio::repair(wav());
    EXPECT_EQ(MeetingSamples::read(wav()), Wav::header(0, 0)) << "44 bytes are left alone";
}

TEST_F(CallAudioTest, LoadsPreferTheWavAndReadRangesLongestFirst) {
    record(SpeakerKey::you(), withClick(8, 2));
    Samples full = *audio.load(id, SpeakerKey::you());
    EXPECT_EQ(full.size(), 8u * 16000);
    const auto ranged = audio.load(id, SpeakerKey::you(), {{0, 0.5}, {1, 4}, {5, 7}}, 4);
    ASSERT_TRUE(ranged);
    ASSERT_EQ(ranged->size(), 5u * 16000);
    EXPECT_EQ(Samples(ranged->begin(), ranged->begin() + 48000),
              Samples(full.begin() + 16000, full.begin() + 64000));
    EXPECT_EQ(Samples(ranged->begin() + 48000, ranged->end()),
              Samples(full.begin() + 80000, full.begin() + 112000));

    MeetingSamples::write(m4a(), "not audio");
    EXPECT_EQ(audio.load(id, SpeakerKey::you()), full);
    QByteArray other = Wav::bytes(Samples(100, 1));
    qToLittleEndian<quint32>(44100, other.data() + 24);
    MeetingSamples::write(wav(SpeakerKey::them()), other);
    EXPECT_FALSE(audio.load(id, SpeakerKey::them()));
}

TEST_F(CallAudioTest, PackingKeepsTheTimelineAndOnlyDropsTheWavOnceTheM4aIsWhole) {
    record(SpeakerKey::you(), withClick(5, 2));
    record(SpeakerKey::them(), {});
    audio.pack(id);
    audio.flush();
    EXPECT_EQ(audio.files(id), QStringList{m4a()}) << "an empty side gets no .m4a";
    const auto packed = audio.load(id, SpeakerKey::you());
    ASSERT_TRUE(packed);
    EXPECT_NEAR(double(packed->size()), 5.0 * 16000, 1024);
    EXPECT_NEAR(double(loudest(*packed)) / 16000, 2.0, 0.001);
    EXPECT_EQ(QDir(audio.dir()).entryList(QDir::Files).size(), 1);

    // The finished file can't take its place: the WAV stays and no partial output is left.
    id = QUuid::createUuid();
    record(SpeakerKey::you(), withClick(1, 0.5));
    QDir().mkpath(m4a() + "/blocked");
    audio.pack(id);
    audio.flush();
    EXPECT_TRUE(QFile::exists(wav()));
    EXPECT_EQ(QDir(audio.dir()).entryList({"*.packing"}, QDir::Files), QStringList());
}

TEST_F(CallAudioTest, TidyAgesOutByDaysAndPacksWhatSurvives) {
    const QUuid spared = QUuid::createUuid();
    auto prepare = [&] {
        record(SpeakerKey::you(), withClick(1, 0.5));
        age(wav(), 10);
        MeetingSamples::write(audio.url(spared, SpeakerKey::you(), "wav"), "old");
        age(audio.url(spared, SpeakerKey::you(), "wav"), 10);
        MeetingSamples::write(m4a(SpeakerKey::them()) + ".packing", "interrupted");
        MeetingSamples::write(audio.dir() + "/notes.txt", "mine");
        age(audio.dir() + "/notes.txt", 100);
    };
    prepare();
    audio.tidy(-1, spared);
    audio.flush();
    EXPECT_EQ(audio.files(id), QStringList{m4a()});
    EXPECT_FALSE(QFile::exists(m4a(SpeakerKey::them()) + ".packing"));

    prepare();
    age(m4a(), 10);
    audio.tidy(30, spared);
    audio.flush();
    EXPECT_EQ(audio.files(id), QStringList{m4a()});

    prepare();
    clock.advance(10);
    audio.tidy(0, spared);
    audio.flush();
    EXPECT_TRUE(audio.files(id).isEmpty());
    EXPECT_EQ(QDir(audio.dir()).entryList(QDir::Files),
              (QStringList{QFileInfo(audio.url(spared, SpeakerKey::you(), "wav")).fileName(),
                           "notes.txt"}));
}

} // namespace
