#include "settings/Settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A file as the earlier versions wrote it: every key set away from its fallback.
const QByteArray earlierFile = R"ini([General]
aiPolish=false
appearance=dark
bytesUploaded=1234567
callAudioDays=-1
callPillMini=true
callPillRight=996
callPillTall=true
callPillTop=34
echoCancel=false
findSpeakers=false
hk2KeyCode=0
hk2KeyLabel=
hk2ModKeyCode=54
hk2Mode=modifier
hk2Modifiers=0
hotkeyMode=combo
keyCode=40
keyLabel=K
language=auto
launchAtLogin=false
micDevice=alsa_input.usb-Mic
micMode=warm
modKeyCode=0
modifiers=4352
offerCallRecording=false
overlayX=725.5
overlayY=740
playSounds=false
recogniseVoices=false
recordMode=toggle
removeFillers=false
saveHistory=false
showCallPill=false
showInDock=false
showOverlay=false
vocab="@ByteArray([{\"id\":\"6F1A2B3C-0000-4000-8000-000000000001\",\"soundsLike\":\"vox mere, box mere\",\"word\":\"Voxmere\"}])"
)ini";

const KeyBinding controlCommandK{HotkeyKind::combo, 0, 40, 4096 + 256, "K"};
const KeyBinding rightShift{HotkeyKind::modifier, 54, 0, 0, ""};
const VocabEntry voxmere{QUuid("{6f1a2b3c-0000-4000-8000-000000000001}"), "Voxmere",
                         "vox mere, box mere"};

class SettingsTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString file = dir.filePath("settings.ini");

    std::unique_ptr<QSettings> store() {
        return std::make_unique<QSettings>(file, QSettings::IniFormat);
    }
    std::unique_ptr<Settings> open() { return std::make_unique<Settings>(store()); }
    void storeRaw(const QString& key, const QVariant& value) {
        auto s = store();
        s->setValue(key, value);
    }
    void writeFile(const QByteArray& text) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    QByteArray fileText() {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

} // namespace

TEST_F(SettingsTest, FirstLaunchHasEveryDefaultAndInstallsTheLoginItemWithoutWritingDefaults) {
    auto s = open();
    EXPECT_EQ(s->hotkeyDisplay(), "Right ⌥");
    EXPECT_FALSE(s->handsFreeDisplay().has_value());
    EXPECT_EQ(s->language(), "en");
    EXPECT_EQ(s->micMode(), MicMode::always);
    EXPECT_EQ(s->recordMode(), RecordMode::smart);
    EXPECT_EQ(s->appearance(), Theme::system);
    EXPECT_EQ(s->callAudioDays(), 30);
    EXPECT_EQ(s->binding(0), (KeyBinding{HotkeyKind::modifier, 61, 49, 2048, "Space"}));
    for (bool b : {s->removeFillers(), s->aiPolish(), s->showOverlay(), s->showInDock(),
                   s->offerCallRecording(), s->echoCancel(), s->showCallPill(), s->findSpeakers(),
                   s->recogniseVoices(), s->playSounds(), s->saveHistory(), s->launchAtLogin()})
        EXPECT_TRUE(b);
    ASSERT_EQ(s->vocab().size(), 5);
    EXPECT_EQ(s->vocab()[0].word, "GitHub");
    EXPECT_EQ(s->vocab()[2].soundsLike, "cooper netties, kuber net ease");
    EXPECT_EQ(s->bytesUploaded(), 0);
    EXPECT_FALSE(s->overlayPosition().has_value());
    EXPECT_FALSE(s->callPillCorner().has_value());
    EXPECT_FALSE(s->callPillMini() || s->callPillTall());
    EXPECT_TRUE(s->firstRun());
    EXPECT_TRUE(store()->allKeys().isEmpty());
}

TEST_F(SettingsTest, ReadsEveryValueOfAFileEarlierVersionsWrote) {
    writeFile(earlierFile);
    auto s = open();
    EXPECT_FALSE(s->firstRun());
    EXPECT_EQ(s->binding(0), controlCommandK);
    EXPECT_EQ(s->binding(1), rightShift);
    EXPECT_EQ(s->language(), "auto");
    EXPECT_EQ(s->micDevice(), "alsa_input.usb-Mic");
    EXPECT_EQ(s->micMode(), MicMode::warm);
    EXPECT_EQ(s->recordMode(), RecordMode::toggle);
    EXPECT_EQ(s->appearance(), Theme::dark);
    EXPECT_EQ(s->callAudioDays(), -1);
    for (bool b : {s->removeFillers(), s->aiPolish(), s->showOverlay(), s->showInDock(),
                   s->offerCallRecording(), s->echoCancel(), s->showCallPill(), s->findSpeakers(),
                   s->recogniseVoices(), s->playSounds(), s->saveHistory(), s->launchAtLogin()})
        EXPECT_FALSE(b);
    EXPECT_EQ(s->vocab(), QList<VocabEntry>{voxmere});
    EXPECT_EQ(s->bytesUploaded(), 1234567);
    EXPECT_EQ(s->overlayPosition(), QPointF(725.5, 740));
    EXPECT_EQ(s->callPillCorner(), QPoint(996, 34));
    EXPECT_TRUE(s->callPillMini() && s->callPillTall());
}

// Byte for byte what the earlier versions wrote for the same choices, and nothing else.
TEST_F(SettingsTest, SettingEveryKeyWritesTheFileEarlierVersionsWrote) {
    {
        auto s = open();
        s->setBinding(0, controlCommandK);
        s->setBinding(1, rightShift);
        s->setLanguage("auto");
        s->setRemoveFillers(false);
        s->setAiPolish(false);
        s->setShowOverlay(false);
        s->setMicDevice("alsa_input.usb-Mic");
        s->setMicMode(MicMode::warm);
        s->setRecordMode(RecordMode::toggle);
        s->setAppearance(Theme::dark);
        s->setShowInDock(false);
        s->setOfferCallRecording(false);
        s->setEchoCancel(false);
        s->setShowCallPill(false);
        s->setCallAudioDays(-1);
        s->setFindSpeakers(false);
        s->setRecogniseVoices(false);
        s->setPlaySounds(false);
        s->setSaveHistory(false);
        s->setLaunchAtLogin(false);
        s->setVocab({voxmere});
        s->setOverlayPosition(QPointF(725.5, 740));
        s->setCallPillMini(true);
        s->setCallPillTall(true);
        s->setCallPillCorner(QPoint(996, 34));
        s->setBytesUploaded(1234567);
    }
    EXPECT_EQ(fileText(), earlierFile);

    open()->forgetOverlayPosition();
    QByteArray withoutOverlay = earlierFile;
    withoutOverlay.replace("overlayX=725.5\noverlayY=740\n", "");
    EXPECT_EQ(fileText(), withoutOverlay);
}

TEST_F(SettingsTest, OnlyAStoreWithoutALoginChoiceIsAFirstRun) {
    storeRaw("launchAtLogin", false);
    auto s = open();
    EXPECT_FALSE(s->firstRun());
    EXPECT_FALSE(s->launchAtLogin());
}

TEST_F(SettingsTest, ValuesSurviveAReload) {
    {
        auto s = open();
        s->setMicMode(MicMode::off);
        s->setCallAudioDays(0);
        s->setPlaySounds(false);
        s->setBinding(0, controlCommandK);
        s->setVocab({{QUuid::createUuid(), "Voxmere", "vox mere"}});
    }
    auto s = open();
    EXPECT_EQ(s->micMode(), MicMode::off);
    EXPECT_EQ(s->callAudioDays(), 0);
    EXPECT_FALSE(s->playSounds());
    EXPECT_EQ(s->binding(0), controlCommandK);
    ASSERT_EQ(s->vocab().size(), 1);
    EXPECT_EQ(s->vocab()[0].soundsLike, "vox mere");
}

// Whoever applies a setting (the microphone, the login item) sees it stored; the same value
// again is announced too, so choosing it again puts right a device or mode that went astray.
TEST_F(SettingsTest, ASetIsStoredThenAnnouncedEvenWhenTheValueIsTheSame) {
    auto s = open();
    QStringList events;
    QObject::connect(s.get(), &Settings::changed, [&](SettingKey key) {
        events << QStringLiteral("changed %1 stored=%2")
                      .arg(int(key))
                      .arg(store()->value("micMode").toString());
    });
    s->setMicMode(MicMode::off);
    s->setMicMode(MicMode::off);
    const QString expected =
        QStringLiteral("changed %1 stored=off").arg(int(SettingKey::micMode));
    EXPECT_EQ(events, (QStringList{expected, expected}));
}

TEST_F(SettingsTest, SetBindingWritesLabelModifiersCodesThenModeAndTheLastSeesTheWhole) {
    auto s = open();
    QList<SettingKey> keys;
    QList<KeyBinding> seen;
    QObject::connect(s.get(), &Settings::changed, [&](SettingKey key) {
        keys << key;
        seen << s->binding(1);
    });
    const KeyBinding combo{HotkeyKind::combo, 0, 40, 4096 + 2048, "K"};
    s->setBinding(1, combo);
    EXPECT_EQ(keys, (QList<SettingKey>{SettingKey::hk2KeyLabel, SettingKey::hk2Modifiers,
                                       SettingKey::hk2KeyCode, SettingKey::hk2ModKeyCode,
                                       SettingKey::hk2Mode}));
    EXPECT_NE(seen[3], combo);
    EXPECT_EQ(seen[4], combo);
    EXPECT_EQ(s->binding(2), combo);
    EXPECT_EQ(s->handsFreeDisplay(), std::optional<QString>("⌃⌥K"));
    // Only the codes and modes move a key; a label changes how it is shown.
    EXPECT_FALSE(s->movesAGlobalKey(SettingKey::hk2KeyLabel));
    EXPECT_TRUE(s->movesAGlobalKey(SettingKey::hk2Modifiers));
    EXPECT_TRUE(s->movesAGlobalKey(SettingKey::hotkeyMode));

    s->setBinding(1, KeyBinding{});
    EXPECT_FALSE(s->handsFreeDisplay().has_value());
    EXPECT_EQ(s->binding(1).mode, HotkeyKind::none);
    EXPECT_EQ(store()->value("hk2Mode").toString(), "");
}

// Values no version of this program wrote read as the fallback (a word that names no key reads
// as no key, as it always has) and the file keeps them until the user chooses.
TEST_F(SettingsTest, ForeignStoredValuesFallBackSafelyAndStayInTheFile) {
    storeRaw("keyCode", qint64(1) << 33);
    storeRaw("modifiers", -5);
    storeRaw("hk2Mode", "Modifier");
    storeRaw("vocab", QByteArray(R"({"not":"an array"})"));
    storeRaw("playSounds", "maybe");
    storeRaw("micMode", "sometimes");
    storeRaw("recordMode", "Hold");
    storeRaw("appearance", "sepia");
    storeRaw("overlayX", "left");
    storeRaw("overlayY", 300.0);
    const QByteArray before = fileText();
    auto s = open();
    EXPECT_EQ(s->binding(0).keyCode, 49u);
    EXPECT_EQ(s->binding(0).modifiers, 2048u);
    EXPECT_EQ(s->binding(1).mode, HotkeyKind::none);
    EXPECT_EQ(s->vocab().size(), 5);
    EXPECT_TRUE(s->playSounds());
    EXPECT_EQ(s->micMode(), MicMode::always);
    EXPECT_EQ(s->recordMode(), RecordMode::smart);
    EXPECT_EQ(s->appearance(), Theme::system);
    EXPECT_FALSE(s->overlayPosition().has_value());
    s.reset();
    EXPECT_EQ(fileText(), before);
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
