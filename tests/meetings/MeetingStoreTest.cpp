#include "meetings/MeetingStore.h"

#include "core/JsonUuid.h"
#include "meetings/MeetingEcho.h"
#include "support/ManualScheduler.h"
#include "support/MeetingSamples.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

using MeetingSamples::key;
using MeetingSamples::line;
using MeetingSamples::meeting;

namespace {

const QString seven = "we should ship the release on friday";

QString words(int matching, int total) {
    QStringList out;
    for (int i = 0; i < total; ++i)
        out << (i < matching ? QString("w%1").arg(i) : QString("x%1").arg(i));
    return out.join(' ');
}

QStringList texts(const Meeting& m) {
    QStringList out;
    for (const auto& l : m.lines)
        out << l.who.stored() + ":" + l.text;
    return out;
}

// A view of one meeting's lines that follows nothing but the store's signals.
struct LineMirror {
    QStringList shown;
    QStringList heard;

    LineMirror(MeetingStore& store, const Meeting& m) : shown(texts(m)) {
        const auto text = [&store](const QUuid& id, int index) {
            const MeetingLine& l = store.find(id)->lines.at(index);
            return l.who.stored() + ":" + l.text;
        };
        QObject::connect(&store, &MeetingStore::lineAdded, [=, this](const QUuid& id, int i) {
            shown.insert(i, text(id, i));
            heard << QString("added %1").arg(i);
        });
        QObject::connect(&store, &MeetingStore::lineChanged, [=, this](const QUuid& id, int i) {
            shown[i] = text(id, i);
            heard << QString("changed %1").arg(i);
        });
        QObject::connect(&store, &MeetingStore::lineRemoved, [this](const QUuid&, int i) {
            shown.removeAt(i);
            heard << QString("removed %1").arg(i);
        });
        QObject::connect(&store, &MeetingStore::meetingChanged, [&store, this](const QUuid& id) {
            shown = texts(*store.find(id));
            heard << "meeting";
        });
    }
};

class MeetingStoreTest : public testing::Test {
  protected:
    std::unique_ptr<MeetingStore> open() {
        return std::make_unique<MeetingStore>(dir.path(), clock);
    }
    QString json(const Meeting& m) const { return dir.filePath(JsonUuid::text(m.id) + ".json"); }
    QStringList entries() const { return QDir(dir.path()).entryList(QDir::Files); }

    QTemporaryDir dir;
    ManualScheduler clock{1740823200};
};

TEST(MeetingEcho, WindowsAreStrictAndTheYouSideIsDroppedOrRemoved) {
    Meeting m = meeting({line("Them", 8, seven, 12)});
    EXPECT_FALSE(MeetingStore::insert(line("You", 10, seven), m));
    EXPECT_FALSE(MeetingStore::insert(line("You", 2.1, seven), m));
    EXPECT_TRUE(MeetingStore::insert(line("You", 2, seven), m)) << "8 - 6 is outside";
    EXPECT_TRUE(MeetingStore::insert(line("You", 18, seven), m)) << "12 + 6 is outside";
    EXPECT_TRUE(MeetingStore::insert(line("You", 10, "ship it"), m)) << "two tokens never echo";

    Meeting far = meeting({line("Them", 20, seven, 25)});
    EXPECT_TRUE(MeetingStore::insert(line("You", 10, seven), far));

    // A new "Them" line removes the earlier "You" echo whose widened span holds its start.
    Meeting them = meeting({line("You", 30, seven, 31),
                            line("You", 31, "something else entirely here"),
                            line("You", 43, seven)});
    MeetingStore::insert(line("Them", 36.9, seven), them);
    EXPECT_EQ(texts(them), (QStringList{"You:something else entirely here", "Them:" + seven,
                                        "You:" + seven}));
}

TEST(MeetingEcho, CountsRepeatsAndHoldsTheSeventyPercentLine) {
    EXPECT_TRUE(MeetingEcho::isEcho("yes yes yes no", "yes"));
    EXPECT_TRUE(MeetingEcho::isEcho(words(7, 10), words(10, 10)));
    EXPECT_FALSE(MeetingEcho::isEcho(words(69, 100), words(100, 100)));
    EXPECT_TRUE(MeetingEcho::isEcho(words(70, 100), words(100, 100)));
    EXPECT_EQ(MeetingEcho::tokens("Größe, 3rd-Straße: ÉTÉ!"),
              (QStringList{"größe", "3rd", "straße", "été"}));
}

TEST(MeetingEcho, AnEqualTimeGoesAfterTheLinesAlreadyThere) {
    Meeting m = meeting({line("Them", 1, "a"), line("Them", 5, "b"), line("Them", 9, "d")});
    MeetingStore::insert(line("Them", 5, "c"), m);
    EXPECT_EQ(texts(m), (QStringList{"Them:a", "Them:b", "Them:c", "Them:d"}));
}

TEST_F(MeetingStoreTest, LiveLinesFollowTheEchoRulesAndSaveOnlyWhenFound) {
    auto store = open();
    Meeting m = meeting({line("Them", 8, seven, 12), line("You", 9, "hello over there")});
    m.lines[1].draft = true;
    const QUuid you = m.lines[1].id;
    store->add(m);
    store->flush();
    QFile::remove(json(m));

    EXPECT_FALSE(store->appendToLine(m.id, QUuid::createUuid(), "more", 10, key("You")));
    EXPECT_FALSE(store->appendToLine(QUuid::createUuid(), you, "more", 10, key("You")));
    store->flush();
    EXPECT_FALSE(QFile::exists(json(m)));

    EXPECT_TRUE(store->appendToLine(m.id, you, seven, 11, key("You")));
    EXPECT_EQ(store->meetings()[0].lines[1].text, "hello over there");
    EXPECT_TRUE(store->appendToLine(m.id, you, "and more", 13.5, key("You")));
    EXPECT_EQ(store->meetings()[0].lines[1].text, "hello over there and more");
    EXPECT_EQ(store->meetings()[0].lines[1].e, 13.5);

    // The "You" line turns out to be what the other side said: it removes itself.
    store->finalizeLine(m.id, you, seven);
    EXPECT_EQ(texts(store->meetings()[0]), QStringList{"Them:" + seven});
    store->finalizeLine(m.id, QUuid::createUuid(), std::nullopt);
    store->flush();
    EXPECT_TRUE(QFile::exists(json(m))) << "a missing line still saves";
}

// Each change names the lines it touched, removals first and the last of them first, so a view
// that redraws only those lines shows what the store holds.
TEST_F(MeetingStoreTest, ChangesNameTheLinesTheyTouch) {
    auto store = open();
    const QString echoed = "see you all at the review";
    Meeting m = meeting({line("You", 10, echoed, 12), line("Them", 12.5, "fine thanks", 13.5),
                         line("You", 14, echoed, 16), line("Them", 30, "bye now", 31)});
    store->add(m);
    LineMirror view(*store, m);

    // Heard from the far side, it takes both "You" echoes with it and lands between the others.
    const MeetingLine them = line("Them", 15, echoed, 17);
    store->addLine(m.id, them);
    EXPECT_EQ(view.heard, (QStringList{"removed 2", "removed 0", "added 1"}));
    store->appendToLine(m.id, them.id, "and then lunch", 18, SpeakerKey::them());
    store->setText(m.id, m.lines[3].id, " ");
    store->move(m.id, m.lines[1].id, SpeakerKey::numbered(1));
    MeetingLine draft = line("You", 40, "one more thing before we go");
    draft.draft = true;
    store->addLine(m.id, draft);
    store->clearDrafts(m.id);
    EXPECT_EQ(view.heard.mid(3), (QStringList{"changed 1", "removed 2", "changed 0", "added 2",
                                              "changed 2"}));
    store->rename(m.id, SpeakerKey::numbered(1), "Ann");
    EXPECT_EQ(view.heard.last(), "meeting");
    EXPECT_EQ(view.shown, texts(store->meetings()[0]));
}

TEST_F(MeetingStoreTest, FinalizingThemRemovesYouLinesStartingInsideItsSpan) {
    auto store = open();
    Meeting m = meeting({line("Them", 10, "draft", 20), line("You", 25.9, seven),
                         line("You", 26, seven)});
    store->add(m);
    store->finalizeLine(m.id, m.lines[0].id, seven);
    EXPECT_EQ(texts(store->meetings()[0]), (QStringList{"Them:" + seven, "You:" + seven}));
    EXPECT_EQ(store->meetings()[0].lines[1].t, 26);
}

TEST_F(MeetingStoreTest, RenamingTrimsForgetsGuessesAndMerges) {
    auto store = open();
    Meeting m = meeting({line("Them", 1, "a"), line("Them", 2, "b"), line("Them", 3, "c"),
                         line("You", 4, "d"), line("Them", 5, "e")});
    m.lines[0].speaker = key("S1");
    m.lines[1].speaker = key("S2");
    m.lines[2].speaker = key("S3");
    m.names = Meeting::Names{{key("S1"), "Ada"}};
    m.guesses = Meeting::Names{{key("S2"), "Bob"}};
    store->add(m);
    QStringList remembered;
    QList<MeetingStore::Span> spans;
    store->onRemember = [&](const QString& name) { remembered << name; };
    store->onLearnVoice = [&](const QUuid&, const QList<MeetingStore::Span>& s, const QString&) {
        spans = s;
    };

    store->rename(m.id, key("S2"), "  Grace \n");
    const Meeting* now = store->find(m.id);
    EXPECT_EQ(now->names->value(key("S2")), "Grace");
    EXPECT_FALSE(now->guesses->contains(key("S2")));
    EXPECT_EQ(remembered, QStringList{"Grace"});
    EXPECT_EQ(spans, (QList<MeetingStore::Span>{{2, 2}}));

    store->rename(m.id, key("S3"), "ADA");
    EXPECT_EQ(now->lines[2].speaker, key("S1"));
    EXPECT_EQ(now->names->value(key("S1")), "Ada") << "the target's name stays";

    store->rename(m.id, key("S2"), "them");
    EXPECT_FALSE(now->lines[1].speaker.has_value()) << "merged into the line's own side";
    EXPECT_FALSE(now->names->contains(key("S2")));
    store->rename(m.id, key("S1"), "You");
    EXPECT_EQ(now->lines[0].speaker, key("You"));
    EXPECT_EQ(now->lines[2].speaker, key("You"));

    store->update(m.id, [](Meeting& x) { x.names = Meeting::Names{{key("S1"), "Ada"}}; });
    store->rename(m.id, key("S1"), " ");
    EXPECT_FALSE(now->names.has_value());
    EXPECT_EQ(remembered.size(), 4) << "an empty name is not remembered";
}

TEST_F(MeetingStoreTest, NewSpeakerKeysCountPastTheLargest) {
    auto store = open();
    Meeting m = meeting({line("Them", 1, "a"), line("Them", 2, "b"), line("You", 3, "c"),
                         line("Them", 4, "d")});
    m.lines[0].speaker = key("S1");
    m.lines[1].speaker = key("S4");
    m.lines[3].speaker = key("Sales");
    store->add(m);
    EXPECT_EQ(store->newSpeakerKey(m.id), key("S5"));
    store->move(m.id, m.lines[3].id, key("S007"));
    EXPECT_EQ(store->newSpeakerKey(m.id), key("S8"));
    EXPECT_EQ(store->newSpeakerKey(QUuid::createUuid()), key("S1"));
    store->move(m.id, m.lines[3].id, key("Them"));
    EXPECT_FALSE(store->find(m.id)->lines[3].speaker.has_value());
    store->setText(m.id, m.lines[2].id, " \n ");
    EXPECT_EQ(store->find(m.id)->lines.size(), 3);
}

TEST_F(MeetingStoreTest, LoadingRepairsCutOffCallsAndSkipsWhatItCannotRead) {
    Meeting cut = meeting({line("You", 1, "a", 93.4), line("Them", 50, "b")});
    cut.end.reset();
    cut.lines[1].draft = true;
    Meeting older = meeting();
    older.start = cut.start.addDays(-1);
    MeetingSamples::write(json(cut), cut.encode());
    MeetingSamples::write(json(older), older.encode());
    MeetingSamples::write(dir.filePath("broken.json"), "{\"id\":");
    MeetingSamples::write(dir.filePath("notes.txt"), cut.encode());

    auto store = open();
    ASSERT_EQ(store->meetings().size(), 2);
    EXPECT_EQ(store->meetings()[0].id, cut.id);
    EXPECT_EQ(store->meetings()[0].end, cut.start.addMSecs(98400));
    EXPECT_EQ(store->cutOff(), QList<QUuid>{cut.id});
    EXPECT_FALSE(store->meetings()[0].lines[1].draft.has_value());
    EXPECT_EQ(MeetingSamples::read(dir.filePath("broken.json")), "{\"id\":");
    EXPECT_FALSE(Meeting::decode(MeetingSamples::read(json(cut)))->end) << "loading never writes";

    EXPECT_TRUE(MeetingStore(dir.filePath("missing"), clock).meetings().isEmpty());
}

TEST_F(MeetingStoreTest, ADeleteRightAfterASaveLeavesNothingAndReadOnlyTouchesNothing) {
    auto store = open();
    Meeting m = meeting({line("Them", 1, "hello")});
    store->add(m);
    store->remove(m.id);
    store->flush();
    EXPECT_TRUE(entries().isEmpty());

    Meeting kept = meeting();
    store->add(kept);
    store->flush();
    struct stat info {};
    ASSERT_EQ(stat(QFile::encodeName(json(kept)).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    const QStringList before = entries();
    store->setReadOnly(true);
    store->update(kept.id, [](Meeting& x) { x.title = "Changed"; });
    store->add(meeting());
    store->remove(kept.id);
    store->flush();
    EXPECT_EQ(entries(), before);
    EXPECT_EQ(Meeting::decode(MeetingSamples::read(json(kept)))->title, "Zoom call");
}

// The export's name comes from the file and is joined to the folder: it must never reach
// outside it, nor another meeting's files.
TEST_F(MeetingStoreTest, ExportNamesThatEscapeAreReplacedAndSharedExportsSurviveADelete) {
    QTemporaryDir outside;
    const QString inner = dir.filePath("meetings");
    QDir().mkpath(inner);
    MeetingSamples::write(outside.filePath("evil.md"), "mine");
    QList<Meeting> bad;
    for (const char* file : {"../evil.md", "sub/x.md", "", "..", "x.json"}) {
        Meeting m = meeting();
        m.file = file;
        bad << m;
        MeetingSamples::write(inner + "/" + json(m).section('/', -1), m.encode());
    }
    Meeting a = meeting(), b = meeting();
    a.file = b.file = "same.md";
    MeetingStore store(inner, clock);
    EXPECT_EQ(store.meetings().size(), 5);
    for (const Meeting& m : bad) {
        store.save(m);
        EXPECT_EQ(store.markdownURL(m), inner + "/" + JsonUuid::text(m.id) + ".md");
    }
    store.add(a);
    store.add(b);
    for (const Meeting& m : bad)
        store.remove(m.id);
    store.remove(a.id);
    store.flush();
    EXPECT_EQ(MeetingSamples::read(outside.filePath("evil.md")), "mine");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList());
    EXPECT_EQ(QDir(inner).entryList(QDir::Files),
              (QStringList{JsonUuid::text(b.id) + ".json", "same.md"}));
}

} // namespace
