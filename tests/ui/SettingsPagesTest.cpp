#include "support/WindowFixture.h"
#include "ui/window/EngineStatus.h"
#include "ui/pages/SettingRow.h"
#include "ui/pages/SettingsPage.h"
#include "ui/widgets/Switch.h"
#include "ui/pages/VocabRow.h"
#include "ui/pages/VocabularyPage.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class SettingsPages : public ::testing::Test, public WindowFixture {
  protected:
    std::vector<MicDevice> devices{{1, "usb-mic", "USB Microphone"}};
    bool polish = false;

    std::unique_ptr<SettingsPage> page() {
        return std::make_unique<SettingsPage>(SettingsPage::Services{settings,
                                                                     hotKey,
                                                                     keys,
                                                                     [this] { return devices; },
                                                                     [this] { return polish; },
                                                                     {},
                                                                     "~/.local/share/Voxmere"});
    }
    template <typename T> T* control(SettingsPage& p, const QString& title) {
        SettingRow* row = p.row(title);
        EXPECT_NE(row, nullptr) << title.toStdString();
        return row ? qobject_cast<T*>(row->control()) : nullptr;
    }
    static void choose(QComboBox* box, const QString& label) {
        box->setCurrentIndex(box->findText(label));
        emit box->activated(box->currentIndex());
    }
};

} // namespace

TEST_F(SettingsPages, ControlsWriteTheirKeysToTheStore) {
    auto p = page();
    control<Switch>(*p, "Remove filler words")->click();
    control<Switch>(*p, "Show in taskbar")->click();
    choose(control<QComboBox>(*p, "Keep microphone ready"), "5 min after use");
    choose(control<QComboBox>(*p, "Keep call audio"), "Forever");
    const auto store = temp.file();
    EXPECT_EQ(store->value("removeFillers").toString(), "false");
    EXPECT_EQ(store->value("showInDock").toString(), "false");
    EXPECT_EQ(store->value("micMode").toString(), "warm");
    EXPECT_EQ(store->value("callAudioDays").toLongLong(), -1);
}

TEST_F(SettingsPages, ControlsFollowChangesMadeElsewhere) {
    auto p = page();
    settings.setPlaySounds(false);
    settings.setRecordMode(RecordMode::hold);
    EXPECT_FALSE(control<Switch>(*p, "Sounds")->isChecked());
    EXPECT_EQ(p->row("How the dictation key works")->detail(),
              "Records only while the key is held down.");
}

TEST_F(SettingsPages, ASavedMicrophoneThatIsGoneStaysChosenAndSaysSo) {
    settings.setMicDevice("unplugged-mic");
    auto p = page();
    p->refreshDevices();
    auto* box = control<QComboBox>(*p, "Microphone");
    EXPECT_EQ(box->currentText(), "Saved mic (not connected)");
    choose(box, "USB Microphone");
    EXPECT_EQ(settings.micDevice(), "usb-mic");
    p->refreshDevices();
    EXPECT_EQ(box->findText("Saved mic (not connected)"), -1);
}

TEST_F(SettingsPages, PolishWithoutAModelIsShownOffAndCannotBeTurnedOn) {
    auto p = page();
    auto* polishSwitch = control<Switch>(*p, "AI polish");
    EXPECT_FALSE(polishSwitch->isEnabled());
    EXPECT_FALSE(polishSwitch->isChecked());
    EXPECT_EQ(p->row("AI polish")->detail(), "Needs a local language model.");
}

// Every keystroke stores the whole list; the row being typed in must survive it.
TEST_F(SettingsPages, TypingAVocabularyWordKeepsItsRowAndStoresTheList) {
    VocabularyPage vocab(settings);
    VocabRow* first = vocab.rows().first();
    QLineEdit* field = first->wordField();
    field->setCursorPosition(field->text().size());
    QTest::keyClicks(field, "s");
    EXPECT_EQ(settings.vocab().first().word, "GitHubs");
    EXPECT_EQ(vocab.rows().first(), first);
    EXPECT_EQ(field->cursorPosition(), 7);
    EXPECT_TRUE(VocabEntry::decode(temp.file()->value("vocab").toByteArray()).has_value());
}

TEST_F(SettingsPages, VocabularyAddAndRemoveChangeOnlyTheirRows) {
    VocabularyPage vocab(settings);
    const qsizetype before = vocab.rows().size();
    vocab.addWord();
    ASSERT_EQ(vocab.rows().size(), before + 1);
    EXPECT_EQ(vocab.rows().last()->id(), settings.vocab().last().id);
    const QUuid removed = vocab.rows().first()->id();
    vocab.rows().first()->findChild<QPushButton*>()->click();
    EXPECT_EQ(settings.vocab().size(), before);
    for (VocabRow* row : vocab.rows())
        EXPECT_NE(row->id(), removed);
}

TEST(EngineStatusText, TheDownloadPercentageIsTruncatedNeverRounded) {
    EXPECT_EQ(EngineStatus::progressText(0.456), "Downloading speech model… 45%");
    EXPECT_EQ(EngineStatus::progressText(0.999), "Downloading speech model… 99%");
    // 0.29 * 100 is 28.999… in floating point.
    EXPECT_EQ(EngineStatus::progressText(0.29), "Downloading speech model… 29%");
}

TEST_F(SettingsPages, AFailedDownloadOffersTryAgain) {
    int retries = 0;
    EngineStatus status(state, settings);
    QObject::connect(&status, &EngineStatus::retryRequested, [&] { ++retries; });
    state.setModelFailed(true);
    QPushButton* retry = nullptr;
    for (QPushButton* b : status.findChildren<QPushButton*>())
        if (b->text() == "Try again")
            retry = b;
    ASSERT_NE(retry, nullptr);
    EXPECT_FALSE(retry->isHidden());
    retry->click();
    EXPECT_EQ(retries, 1);
}
