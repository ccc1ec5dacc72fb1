#include "history/History.h"

#include "support/ManualScheduler.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QTimer>
#include <gtest/gtest.h>

#include <limits>

#include <sys/stat.h>

namespace {

class HistoryTest : public testing::Test {
  protected:
    QString file() const { return dir.filePath("history.json"); }

    QByteArray contents() const {
        QFile f(file());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    void store(const QByteArray& bytes) const {
        QFile f(file());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    std::unique_ptr<History> open() {
        auto h = std::make_unique<History>(file(), clock);
        h->waitForLoad();
        return h;
    }

    QStringList asideFiles() const {
        return QDir(dir.path()).entryList({"history.json.unreadable-*"}, QDir::Files);
    }

    static Snippet snippet(const QString& text, double seconds = 0,
                           const QDateTime& date = QDateTime(QDate(2025, 3, 1), QTime(9, 0),
                                                             QTimeZone::utc())) {
        return Snippet{QUuid::createUuid(), date, text, text.toLower(), seconds, std::nullopt};
    }

    QTemporaryDir dir;
    ManualScheduler clock{double(QDateTime(QDate(2025, 3, 1), QTime(12, 0)).toSecsSinceEpoch())};
};

TEST_F(HistoryTest, KeepsNewestFirstAndRoundTripsThroughTheFile) {
    auto h = open();
    Snippet withApp = snippet("First one.", 1.5);
    withApp.app = "Firefox";
    h->add(withApp);
    h->add(snippet("Second one.", 2));
    h->flush();
    struct stat info {};
    ASSERT_EQ(stat(QFile::encodeName(file()).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    auto again = open();
    ASSERT_EQ(again->items().size(), 2);
    EXPECT_EQ(again->items(), h->items());
    EXPECT_EQ(again->items()[0].text, "Second one.");
    EXPECT_FALSE(again->items()[0].app.has_value());
    EXPECT_EQ(again->items()[1].app, "Firefox");
}

TEST_F(HistoryTest, TheAbsentFileGivesAnEmptyHistoryAndIsOnlyCreatedBySaving) {
    auto h = open();
    EXPECT_TRUE(h->items().isEmpty());
    h->flush();
    EXPECT_FALSE(QFile::exists(file()));
}

TEST_F(HistoryTest, CreatesAMissingFolderForItsOwnerOnly) {
    const QString nested = dir.filePath("Voxmere/history.json");
    History h(nested, clock);
    h.add(snippet("First."));
    h.flush();
    struct stat info {};
    ASSERT_EQ(stat(QFile::encodeName(dir.filePath("Voxmere")).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_TRUE(QFile::exists(nested));
}

TEST_F(HistoryTest, LoadsInTheBackgroundAndSignalsWhenTheEntriesArrive) {
    store(Snippet::encode({snippet("Kept.")}));
    History h(file(), clock);
    QSignalSpy spy(&h, &History::changed);
    EXPECT_TRUE(spy.wait(5000));
    ASSERT_EQ(h.items().size(), 1);
    EXPECT_EQ(h.items()[0].text, "Kept.");
}

TEST_F(HistoryTest, ChangesSignalAndTheLastOneIsWhatStaysOnDisk) {
    auto h = open();
    QSignalSpy spy(h.get(), &History::changed);
    for (int i = 0; i < 50; ++i)
        h->add(snippet(QString("Entry %1.").arg(i)));
    h->remove(h->items()[3].id);
    h->flush();
    EXPECT_EQ(spy.count(), 51);
    EXPECT_EQ(Snippet::decode(contents()), h->items());
    h->clear();
    h->flush();
    EXPECT_EQ(contents(), "[]");
}

// A rewrite reuses what it wrote of an entry before only when the entry is the same.
TEST_F(HistoryTest, AnEntryChangedUnderItsIdentifierIsWrittenAnew) {
    auto h = open();
    Snippet changed = snippet("Before.");
    h->add(changed);
    h->flush();
    h->remove(changed.id);
    changed.text = "After.";
    h->add(changed);
    Snippet twin = snippet("One.");
    h->add(twin);
    twin.text = "Two.";
    h->add(twin);
    h->flush();
    EXPECT_EQ(Snippet::decode(contents()), h->items());
}

TEST_F(HistoryTest, RemoveDropsEveryEntryWithTheIdentifier) {
    auto h = open();
    Snippet twin = snippet("Twin.");
    h->add(twin);
    h->add(snippet("Other."));
    h->add(twin);
    h->remove(twin.id);
    ASSERT_EQ(h->items().size(), 1);
    EXPECT_EQ(h->items()[0].text, "Other.");
}

TEST_F(HistoryTest, KeepsAtMostFiveThousandDroppingTheOldest) {
    QList<Snippet> full;
    for (int i = 0; i < History::limit; ++i)
        full.append(snippet(QString::number(i)));
    store(Snippet::encode(full));
    auto h = open();
    ASSERT_EQ(h->items().size(), 5000);
    h->add(snippet("newest"));
    ASSERT_EQ(h->items().size(), 5000);
    EXPECT_EQ(h->items().front().text, "newest");
    EXPECT_EQ(h->items().back().text, "4998");
}

TEST_F(HistoryTest, MinutesSavedRoundsHalvesAwayFromZeroAndNeverGoesNegative) {
    auto words = [](int n) { return QStringList(n, "w").join(' '); };
    struct Case {
        int words;
        double seconds;
        int minutes;
    };
    for (const Case c : {Case{400, 120, 8}, Case{10, 600, 0}, Case{20, 9, 0}, Case{30, 0, 1},
                         Case{20, 0, 1}, Case{0, 0, 0}}) {
        auto h = std::make_unique<History>(dir.filePath("stats.json"), clock);
        h->setReadOnly(true);
        h->add(snippet(words(c.words), c.seconds));
        EXPECT_EQ(h->minutesSaved(), c.minutes) << c.words << " words in " << c.seconds << " s";
        EXPECT_EQ(h->totalWords(), c.words);
    }
}

TEST_F(HistoryTest, MinutesSavedStaysInRangeForALengthFromADamagedFile) {
    store(R"([{"id":"6F9619FF-8B86-D011-B42D-00C04FC964FF","date":"2025-03-01T14:05:09Z",)"
          R"("text":"a b","raw":"a b","seconds":-1e300}])");
    auto h = open();
    ASSERT_EQ(h->items().size(), 1);
    EXPECT_EQ(h->minutesSaved(), std::numeric_limits<int>::max());
}

TEST_F(HistoryTest, TodayStartsAtLocalMidnight) {
    auto h = open();
    const QDate day = QDateTime::fromSecsSinceEpoch(qint64(clock.now())).date();
    h->add(snippet("late last night", 0, QDateTime(day.addDays(-1), QTime(23, 59, 59))));
    h->add(snippet("at the stroke of midnight", 0, QDateTime(day, QTime(0, 0))));
    h->add(snippet("just before the next day", 0, QDateTime(day, QTime(23, 59, 59))));
    h->add(snippet("tomorrow", 0, QDateTime(day.addDays(1), QTime(0, 0))));
    const auto today = h->today();
    ASSERT_EQ(today.size(), 2);
    EXPECT_EQ(today[0].text, "just before the next day");
    EXPECT_EQ(today[1].text, "at the stroke of midnight");
    EXPECT_EQ(h->wordsToday(), 10);
    EXPECT_EQ(h->totalWords(), 14);
}

TEST_F(HistoryTest, ReadOnlyChangesMemoryButNotTheFile) {
    store(Snippet::encode({snippet("On disk.")}));
    const QByteArray before = contents();
    auto h = open();
    h->setReadOnly(true);
    h->add(snippet("Only in memory."));
    h->clear();
    h->flush();
    EXPECT_TRUE(h->items().isEmpty());
    EXPECT_EQ(contents(), before);
}

TEST_F(HistoryTest, AnUnreadableFileLoadsEmptyAndIsMovedAsideBeforeTheFirstSave) {
    QByteArray damaged = Snippet::encode({snippet("Precious."), snippet("Also precious.")});
    damaged.replace("\"raw\"", "\"rav\"");
    store(damaged);
    auto h = open();
    EXPECT_TRUE(h->items().isEmpty());
    h->flush();
    EXPECT_EQ(contents(), damaged);
    EXPECT_TRUE(asideFiles().isEmpty());

    h->add(snippet("New."));
    h->flush();
    const QStringList aside = asideFiles();
    ASSERT_EQ(aside.size(), 1);
    EXPECT_EQ(aside[0], "history.json.unreadable-" +
                            QDateTime::fromSecsSinceEpoch(qint64(clock.now()), QTimeZone::utc())
                                .toString("yyyyMMdd-HHmmss"));
    QFile kept(dir.filePath(aside[0]));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), damaged);
    ASSERT_EQ(Snippet::decode(contents())->size(), 1);

    h->add(snippet("Newer."));
    h->flush();
    EXPECT_EQ(asideFiles().size(), 1);
}

TEST_F(HistoryTest, SecondDamagedFileInTheSameSecondGetsItsOwnName) {
    for (int round = 0; round < 2; ++round) {
        store("not json");
        auto h = open();
        h->add(snippet("x"));
    }
    EXPECT_EQ(asideFiles().size(), 2);
}

TEST_F(HistoryTest, RandomAndTruncatedFilesNeverCrashAndStayUntilASave) {
    QList<Snippet> some;
    for (int i = 0; i < 5; ++i)
        some.append(snippet(QString("Entry %1.").arg(i)));
    const QByteArray valid = Snippet::encode(some);
    QRandomGenerator random(11);
    for (int i = 0; i < 40; ++i) {
        QByteArray bytes = i % 2 ? valid.left(random.bounded(valid.size()))
                                 : QByteArray(random.bounded(1, 300), 0);
        if (i % 2 == 0)
            for (auto& b : bytes)
                b = char(random.bounded(256));
        store(bytes);
        auto h = open();
        h->flush();
        EXPECT_TRUE(h->items().isEmpty());
        EXPECT_EQ(contents(), bytes);
    }
    EXPECT_TRUE(asideFiles().isEmpty());
}

TEST(History, FinishesItsLastSaveWhenTheApplicationQuitsAndTearsItDown) {
    QTemporaryDir dir;
    auto history = std::make_unique<History>(dir.filePath("history.json"));
    History& h = *history;
    h.waitForLoad();
    // Long texts make the last write take long enough for a quit to cut it off.
    const auto add = [&h] {
        h.add({QUuid::createUuid(),
               QDateTime::currentDateTimeUtc(),
               QString(100000, 'w'),
               "w",
               1,
               {}});
    };
    for (int i = 0; i < 99; ++i)
        add();
    h.flush();
    add();
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
    const auto items = h.items();
    const QString url = h.url();
    history.reset();
    QFile file(url);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const auto saved = Snippet::decode(file.readAll());
    ASSERT_TRUE(saved.has_value());
    ASSERT_EQ(saved->size(), items.size());
    EXPECT_EQ(saved->front().id, items.front().id);
}

} // namespace
