#include "support/CallSession.h"
#include "support/SpeakerFolder.h"
#include "support/Speech.h"

#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>
#include <iostream>

// The far side of calls recorded by the real executable holds two voices: a man's, low, and
// Ann's, a woman's. The stand-in engine answers each by its pitch, so a line's words tell whose
// it is; the stand-in diarization program and the real sherpa-onnx library, with the generated
// model, tell the voices apart after the call.
namespace {
const QString lowWords = "our budget looks healthy";
const QString annWords = "can we review quarterly numbers";

std::vector<int16_t> man(const QString& text) {
    return speech(text, 5);
}
std::vector<int16_t> ann(const QString& text) {
    return speech(text, 60, "en+f3");
}

// One voice after the other with a pause long enough to end the first one's turn.
QByteArray farSide(std::vector<int16_t> first, const std::vector<int16_t>& second) {
    first.resize(first.size() + 24000);
    first.insert(first.end(), second.begin(), second.end());
    return pcm(first);
}

// Records one call whose far side plays `audio`, and waits for the work after it, which ends
// with packing the audio. The meeting's id; empty when the call never started.
QString recordCall(const CallSession& s, const QByteArray& audio) {
    auto app = s.launch({"--background", "--meeting-test", "18"});
    const QString id = s.waitForNewMeeting(s.meetingIDs());
    if (!id.isEmpty()) {
        play("speakers", audio);
        EXPECT_TRUE(waitFor([&] { return s.packed(id); }, 60000)) << "the call was never finished";
    }
    CallSession::quit(*app);
    return id;
}

// The speaker keys of the far-side lines that hold `words`, "" for a line without one.
QSet<QString> keysOf(const QJsonObject& meeting, const QString& words) {
    QSet<QString> keys;
    for (const QString& line : lines(meeting))
        if (line.startsWith("Them|") && line.contains(words))
            keys.insert(line.section('|', 1, 1));
    return keys;
}

QSet<QString> lineIDs(const QJsonObject& meeting) {
    QSet<QString> ids;
    for (const auto& l : meeting.value("lines").toArray())
        ids.insert(l.toObject().value("id").toString());
    return ids;
}

QJsonObject person(const CallSession& s, const QString& name) {
    const auto all = QJsonDocument::fromJson(CallSession::read(s.data("people.json"))).array();
    for (const auto& p : all)
        if (p.toObject().value("name").toString() == name)
            return p.toObject();
    return {};
}
} // namespace

TEST(SpeakersProcess, ANamedVoiceIsSuggestedInTheNextCallAndKeepsItsNameThroughTranscribingAgain) {
    // About 5 s each: a voiceprint needs 2 s of turns of at least 1 s, and the turns found are
    // shorter than the speech.
    const auto man1 = man("I think our budget looks healthy for the next quarter, and the new "
                          "office opens in March.");
    const auto ann1 = ann("Can we review the quarterly numbers before Friday, please, and send "
                          "them to the whole team?");
    ASSERT_FALSE(man1.empty() || ann1.empty()) << "espeak-ng and sox are needed";
    CallSession s("140 " + lowWords.toUtf8() + "\n1000 " + annWords.toUtf8() + "\n");
    ASSERT_TRUE(makeSpeakerFolder(s.data("speakers"))) << "python3-onnx is needed";

    const QString first = recordCall(s, farSide(man1, ann1));
    ASSERT_FALSE(first.isEmpty());
    const QJsonObject found = s.meeting(first);
    const QString all = lines(found).join('\n');
    EXPECT_EQ(keysOf(found, lowWords), QSet<QString>{"S1"}) << all.toStdString();
    EXPECT_EQ(keysOf(found, annWords), QSet<QString>{"S2"}) << all.toStdString();

    auto rename = s.launch({"--background", "--rename", first, "S2", "Ann"});
    ASSERT_TRUE(rename->waitForFinished(30000));
    EXPECT_EQ(s.meeting(first).value("names").toObject(), (QJsonObject{{"S2", "Ann"}}));
    EXPECT_EQ(person(s, "Ann").value("heard").toInt(), 1) << "her voice was learnt";

    // She speaks first this time, other words, and the man after her.
    const QString second = recordCall(
        s, farSide(ann("Let us go through the numbers for this quarter, one line at a time, "
                       "before we decide."),
                   man("Thanks everyone for joining the call today, it is good to hear all of "
                       "you again.")));
    ASSERT_FALSE(second.isEmpty());
    const QJsonObject next = s.meeting(second);
    EXPECT_EQ(keysOf(next, annWords), QSet<QString>{"S1"}) << lines(next).join('\n').toStdString();
    EXPECT_EQ(next.value("guesses").toObject(), (QJsonObject{{"S1", "Ann"}}));

    // Transcribing the first call again replaces its lines; the speakers are found again after
    // it, and her learnt voice gives S2 her name back.
    const QSet<QString> before = lineIDs(s.meeting(first));
    const QString speakersFound = "speakers " + first.left(8) + " found=";
    auto again = s.launch({"--background", "--retranscribe", first});
    EXPECT_TRUE(waitFor([&] { return s.logCount(speakersFound) == 2; }, 60000));
    CallSession::quit(*again);
    const QJsonObject redone = s.meeting(first);
    EXPECT_FALSE(lineIDs(redone).intersects(before)) << "every line is new";
    EXPECT_EQ(keysOf(redone, lowWords), QSet<QString>{"S1"});
    EXPECT_EQ(keysOf(redone, annWords), QSet<QString>{"S2"});
    const QString markdown = s.markdown(first);
    static const QRegularExpression annLine("^\\*\\*Ann\\*\\* \\(\\d\\d:\\d\\d\\): Can we review",
                                            QRegularExpression::MultilineOption);
    EXPECT_TRUE(markdown.contains(annLine)) << markdown.toStdString();
    if (HasFailure())
        std::cerr << CallSession::read(s.data("debug.log")).toStdString();
}
