#include "settings/Settings.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
class SettingsTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString file = dir.filePath("settings.ini");
    QList<bool> loginItemCalls;

    std::unique_ptr<QSettings> store() {
        return std::make_unique<QSettings>(file, QSettings::IniFormat);
    }
    std::unique_ptr<Settings> open() {
        auto settings = std::make_unique<Settings>(store());
        settings->onLaunchAtLoginChange = [this](bool on) { loginItemCalls.append(on); };
        return settings;
    }
    void storeRaw(const QString& key, const QVariant& value) {
        auto s = store();
        s->setValue(key, value);
    }
    void TearDown() override { Settings::snapshotMode = false; }
};
} // namespace

TEST_F(SettingsTest, FirstLaunchHasEveryDefaultAndInstallsTheLoginItemWithoutWritingDefaults) {
    auto s = open();
    EXPECT_EQ(s->hotkeyDisplay(), "Right ⌥");
    EXPECT_FALSE(s->handsFreeDisplay().has_value());
    EXPECT_EQ(s->language(), "en");
    EXPECT_EQ(s->micMode(), "always");
    EXPECT_EQ(s->recordMode(), "smart");
    EXPECT_EQ(s->appearance(), "system");
    EXPECT_EQ(s->callAudioDays(), 30);
    EXPECT_EQ(s->keyCode(), 49u);
    EXPECT_EQ(s->modifiers(), 2048u);
    EXPECT_EQ(s->keyLabel(), "Space");
    for (bool b : {s->removeFillers(), s->aiPolish(), s->showOverlay(), s->showInDock(),
                   s->offerCallRecording(), s->echoCancel(), s->showCallPill(), s->findSpeakers(),
                   s->recogniseVoices(), s->playSounds(), s->saveHistory(), s->launchAtLogin()})
        EXPECT_TRUE(b);
    ASSERT_EQ(s->vocab().size(), 5);
    EXPECT_EQ(s->vocab()[0].word, "GitHub");
    EXPECT_EQ(s->vocab()[2].soundsLike, "cooper netties, kuber net ease");
    EXPECT_TRUE(s->firstRun());
    EXPECT_TRUE(store()->allKeys().isEmpty());
}

TEST_F(SettingsTest, LoginItemIsTouchedOnFirstRunOnlyAndOnEverySet) {
    storeRaw("launchAtLogin", false);
    auto s = open();
    EXPECT_FALSE(s->firstRun());
    EXPECT_FALSE(s->launchAtLogin());
    s->setLaunchAtLogin(true);
    s->setLaunchAtLogin(false);
    EXPECT_EQ(loginItemCalls, (QList<bool>{true, false}));
}

TEST_F(SettingsTest, ValuesSurviveAReload) {
    {
        auto s = open();
        s->setMicMode("warm");
        s->setCallAudioDays(-1);
        s->setPlaySounds(false);
        s->setModifiers(4096 + 256);
        s->setVocab({{QUuid::createUuid(), "Voxmere", "vox mere"}});
    }
    auto s = open();
    EXPECT_EQ(s->micMode(), "warm");
    EXPECT_EQ(s->callAudioDays(), -1);
    EXPECT_FALSE(s->playSounds());
    EXPECT_EQ(s->modifiers(), 4096u + 256u);
    ASSERT_EQ(s->vocab().size(), 1);
    EXPECT_EQ(s->vocab()[0].soundsLike, "vox mere");
}

TEST_F(SettingsTest, SetterNotifiesARealChangeThenWritesThenRunsItsEffect) {
    auto s = open();
    QStringList events;
    QObject::connect(s.get(), &Settings::changed, [&](const QString& key) {
        events << "changed " + key + " stored=" + store()->value(key).toString();
    });
    s->onMicModeChange = [&] { events << "effect stored=" + store()->value("micMode").toString(); };
    s->setMicMode("off");
    EXPECT_EQ(events, (QStringList{"changed micMode stored=", "effect stored=off"}));
    events.clear();
    s->setMicMode("off");
    EXPECT_EQ(events, QStringList{"effect stored=off"}) << "the same value again is no change";
}

TEST_F(SettingsTest, SetBindingWritesLabelModifiersCodesThenModeAndRunsTheHookFourTimes) {
    auto s = open();
    QStringList keys;
    QObject::connect(s.get(), &Settings::changed, [&](const QString& key) { keys << key; });
    QList<KeyBinding> seenByHook;
    s->onHotkeyChange = [&] { seenByHook << s->binding(1); };
    const KeyBinding combo{"combo", 0, 40, 4096 + 2048, "K"};
    s->setBinding(1, combo);
    // The modifier-key code stays 0 for a combo, so only the other four change.
    EXPECT_EQ(keys, (QStringList{"hk2KeyLabel", "hk2Modifiers", "hk2KeyCode", "hk2Mode"}));
    ASSERT_EQ(seenByHook.size(), 4);
    EXPECT_NE(seenByHook[2], combo);
    EXPECT_EQ(seenByHook[3], combo);
    EXPECT_EQ(s->binding(2), combo);
    EXPECT_EQ(s->handsFreeDisplay(), std::optional<QString>("⌃⌥K"));

    s->setBinding(1, KeyBinding{});
    EXPECT_FALSE(s->handsFreeDisplay().has_value());
    EXPECT_EQ(s->hk2Mode(), "");
}

TEST_F(SettingsTest, SnapshotModeKeepsVocabularyAndAppearanceInMemoryOnly) {
    auto s = open();
    QString applied;
    s->appearanceApplier = [&](const QString& a) { applied = a; };
    Settings::snapshotMode = true;
    s->setVocab({});
    s->setAppearance("dark");
    EXPECT_TRUE(s->vocab().isEmpty());
    EXPECT_EQ(s->appearance(), "dark");
    EXPECT_EQ(applied, "dark");
    EXPECT_FALSE(store()->contains("vocab"));
    EXPECT_FALSE(store()->contains("appearance"));
}

TEST_F(SettingsTest, ForeignStoredValuesFallBackSafely) {
    storeRaw("keyCode", qint64(1) << 33);
    storeRaw("modifiers", -5);
    storeRaw("vocab", QByteArray(R"({"not":"an array"})"));
    storeRaw("playSounds", "maybe");
    auto s = open();
    EXPECT_EQ(s->keyCode(), 49u);
    EXPECT_EQ(s->modifiers(), 2048u);
    EXPECT_EQ(s->vocab().size(), 5);
    EXPECT_TRUE(s->playSounds());
}

TEST_F(SettingsTest, AStoredListWithOneIncompleteEntryIsIgnoredWhole) {
    storeRaw("vocab",
             QByteArray(R"([{"id":"6F1A2B3C-0000-4000-8000-000000000001","word":"A",)"
                        R"("soundsLike":"a"},{"id":"6F1A2B3C-0000-4000-8000-000000000002",)"
                        R"("word":"B"}])"));
    auto s = open();
    EXPECT_EQ(s->vocab()[0].word, "GitHub");
    EXPECT_TRUE(store()->contains("vocab"));
}
