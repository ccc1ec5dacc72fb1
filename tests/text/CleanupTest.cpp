#include "text/Cleanup.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

QString basic(const QString& text, const QList<VocabEntry>& vocab = {}, bool fillers = false) {
    return Cleanup::basic(text, vocab, fillers);
}

VocabEntry entry(const QString& word, const QString& soundsLike) {
    return VocabEntry{QUuid::createUuid(), word, soundsLike};
}

} // namespace

TEST(CleanupRepeats, DropsARepeatOfEitherOfTheLastTwoKeptSentences) {
    EXPECT_EQ(Cleanup::dropRepeats("I went home. I went home. I went home."), "I went home.");
    EXPECT_EQ(Cleanup::dropRepeats("A b c. X y z. A b c."), "A b c. X y z.");
    EXPECT_EQ(Cleanup::dropRepeats("A b c. X y z. P q r. A b c."), "A b c. X y z. P q r. A b c.");
}

TEST(CleanupRepeats, ComparesAgainstKeptSentencesNotInputSentences) {
    // The second "A b c." is dropped, so "A b c." and "X y z." stay the last two kept.
    EXPECT_EQ(Cleanup::dropRepeats("A b c. X y z. A b c. A b c."), "A b c. X y z.");
}

TEST(CleanupRepeats, IgnoresCasePunctuationAndSpacingWhenComparing) {
    EXPECT_EQ(Cleanup::dropRepeats("We ship it today! we, ship it today?"), "We ship it today!");
}

TEST(CleanupRepeats, KeepsShortSentencesAndJoinsLinesWithoutSeparator) {
    EXPECT_EQ(Cleanup::dropRepeats("Yes. Yes. Yes."), "Yes. Yes. Yes.");
    EXPECT_EQ(Cleanup::dropRepeats("... !!"), "... !!");
    EXPECT_EQ(Cleanup::dropRepeats("One two three.\nFour five six."),
              "One two three.Four five six.");
    EXPECT_EQ(Cleanup::dropRepeats("\n\n  hello there  \t\n"), "hello there");
    EXPECT_EQ(Cleanup::dropRepeats(""), "");
}

TEST(CleanupCredits, DropsCreditSentencesOnly) {
    EXPECT_EQ(Cleanup::dropCredits("Thanks for watching."), "");
    EXPECT_EQ(Cleanup::dropCredits("Hello there. Subtitles by someone."), "Hello there.");
    EXPECT_EQ(Cleanup::dropCredits("Sous-titres réalisés par la communauté d'Amara.org"), "");
    EXPECT_EQ(Cleanup::dropCredits("Okay. ご視聴ありがとうございました。"), "Okay.");
}

TEST(CleanupCredits, LeavesTextWithoutCreditsUntouched) {
    EXPECT_EQ(Cleanup::dropCredits("  no credits here \n"), "  no credits here \n");
}

TEST(CleanupCredits, ListHasTheTwentySevenLowerCasePhrases) {
    const auto& phrases = Cleanup::credits();
    ASSERT_EQ(phrases.size(), 27);
    EXPECT_EQ(phrases[1], "amara.org");
    for (const auto& p : phrases)
        EXPECT_EQ(p, p.toLower());
}

TEST(CleanupVocabulary, ReplacesWholeWordFormsCaseInsensitively) {
    const QList<VocabEntry> vocab = {entry("GitHub", "git hub, get hub")};
    EXPECT_EQ(basic("push it to get hub", vocab), "Push it to GitHub");
    EXPECT_EQ(basic("Git Hub is down", vocab), "GitHub is down");
    EXPECT_EQ(basic("gethub stays", vocab), "Gethub stays");
    EXPECT_EQ(basic("forget hubris", vocab), "Forget hubris");
    EXPECT_EQ(basic("get  hub", vocab), "Get hub");
}

TEST(CleanupVocabulary, FormsAndWordsAreLiteral) {
    EXPECT_EQ(basic("cost is a.b today", {entry("$1 \\1", "a.b")}), "Cost is $1 \\1 today");
    EXPECT_EQ(basic("cost is axb today", {entry("X", "a.b")}), "Cost is axb today");
    EXPECT_EQ(basic("learn c++ now", {entry("C++", "c++")}), "Learn c++ now");
    EXPECT_EQ(basic("learn c++ now", {entry("C++", "learn c")}), "C++++ now");
}

TEST(CleanupVocabulary, AppliesEntriesInOrderAndSkipsEmptyOnes) {
    const QList<VocabEntry> vocab = {entry("", "hello"), entry("kube", "cube"),
                                     entry("Kubernetes", "kube"), entry("X", " , ,\t,")};
    EXPECT_EQ(basic("hello cube", vocab), "Hello Kubernetes");
}

TEST(CleanupVocabulary, MatchesAtUnicodeWordBoundaries) {
    EXPECT_EQ(basic("café olé", {entry("Cafe", "café")}), "Cafe olé");
    EXPECT_EQ(basic("écafé", {entry("Cafe", "café")}), "Écafé");
}

TEST(CleanupFillers, RemovedOnlyWhenAsked) {
    EXPECT_EQ(basic("um, so uh I think", {}, true), "So I think");
    EXPECT_EQ(basic("um, so uh I think", {}, false), "Um, so uh I think");
    EXPECT_EQ(basic("Ummm. Hmm mhm we erm go. Mmm", {}, true), "We go.");
    EXPECT_EQ(basic("the umbrella and the hummus", {}, true), "The umbrella and the hummus");
}

TEST(CleanupSpacing, RepairsSpacingAndCapitalisesTheFirstLetterOnly) {
    EXPECT_EQ(basic("hello , world !"), "Hello, world!");
    EXPECT_EQ(basic("  a\n\n b \t c ?  "), "A b c?");
    EXPECT_EQ(basic("élan vital"), "Élan vital");
    EXPECT_EQ(basic("iPhone"), "IPhone");
    EXPECT_EQ(basic("123 go"), "123 go");
    EXPECT_EQ(basic(""), "");
    EXPECT_EQ(basic("  Thanks for watching!  "), "");
}

TEST(CleanupBasic, RunsRepeatsCreditsAndVocabularyInOrder) {
    const QList<VocabEntry> vocab = {entry("Postgres", "post grass")};
    EXPECT_EQ(basic("we use post grass. We use post grass. Please subscribe.", vocab),
              "We use Postgres.");
}

TEST(CleanupBasic, GivesTheSameAnswerOnManyThreadsAtOnce) {
    const QList<VocabEntry> vocab = {entry("GitHub", "get hub"), entry("Kubernetes", "cube")};
    const QString text = "um so get hub is down . Um so get hub is down. cube , cube";
    const QString expected = Cleanup::basic(text, vocab, true);
    std::atomic<int> wrong = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 200; ++i)
                if (Cleanup::basic(text, vocab, true) != expected)
                    ++wrong;
        });
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(expected, "So GitHub is down. Kubernetes, Kubernetes");
}
