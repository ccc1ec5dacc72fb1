#include "support/DictationRig.h"

#include <gtest/gtest.h>

namespace {

using Phase = OverlayModel::Phase;

class DictationFinisherTest : public ::testing::Test {
  protected:
    DictationRig rig;
    DictationFinisher& f = rig.controller.finisher();

    void finish(std::optional<QString> text, std::function<bool()> superseded = [] {
        return false;
    }) {
        DictationFinisher::Request request;
        request.text = std::move(text);
        request.dur = 2;
        request.app = "Focusapp";
        request.superseded = std::move(superseded);
        f.finishDictation(request);
    }
};

} // namespace

TEST_F(DictationFinisherTest, EachFocusTakesItsOwnDeliveryPath) {
    rig.focus = {FocusState::unknown};
    finish("one");
    EXPECT_EQ(rig.pastes, QStringList{"One"});
    EXPECT_FALSE(rig.overlay.isShowing());

    rig.focus = {FocusState::notEditable, FocusState::editable};
    finish("two");
    rig.time.advance(0.3);
    EXPECT_EQ(rig.pastes.last(), "Two") << "the second look found the field";
    EXPECT_FALSE(rig.overlay.isShowing());

    rig.focus = {FocusState::notEditable};
    finish("three");
    rig.time.advance(0.3);
    EXPECT_EQ(rig.pastes.last(), "Three") << "pasted anyway";
    EXPECT_FALSE(rig.overlay.isShowing());
    rig.time.advance(0.2);
    EXPECT_EQ(rig.phase(), Phase::result("Three"));
    EXPECT_FALSE(rig.overlay.model.needsPermission());

    rig.trusted = false;
    finish("four");
    EXPECT_EQ(rig.pastes.size(), 3);
    EXPECT_EQ(rig.copies.last(), "Four");
    EXPECT_EQ(rig.phase(), Phase::result("Four"));
    EXPECT_TRUE(rig.overlay.model.needsPermission());
    EXPECT_EQ(rig.history.items().size(), 4);
    EXPECT_EQ(rig.history.items()[0].app, "Focusapp");
    EXPECT_EQ(rig.menus, 4);
}

TEST_F(DictationFinisherTest, NothingUsableIsDroppedSilently) {
    rig.overlay.show(Phase::transcribing());
    finish("  [BLANK_AUDIO]  ");
    finish("");
    rig.time.advance(0);
    EXPECT_FALSE(rig.overlay.isShowing());
    rig.settings.setSaveHistory(false);
    finish("not kept");
    EXPECT_EQ(rig.pastes, QStringList{"Not kept"});
    EXPECT_TRUE(rig.history.items().isEmpty());
    EXPECT_EQ(rig.menus, 0);
}

TEST_F(DictationFinisherTest, OnlyThreeWordsOrMoreArePolishedOffTheGuiThread) {
    rig.polishable = true;
    finish("two words");
    EXPECT_EQ(rig.pastes, QStringList{"Two words"});
    finish("now three words");
    EXPECT_EQ(rig.phase(), Phase::polishing());
    EXPECT_EQ(rig.pastes.size(), 1) << "waits for the model";
    rig.pool.advance(0);
    rig.time.advance(0);
    EXPECT_EQ(rig.pastes.last(), "Polished: Now three words");
}

TEST_F(DictationFinisherTest, ALateFinishLeavesANewerRecordingsIconAndOverlayAlone) {
    rig.polishable = true;
    bool newer = false;
    finish("now three words", [&] { return newer; });
    newer = true;
    rig.overlay.show(Phase::recording());
    rig.icons.clear();
    rig.pool.advance(0);
    rig.time.advance(0);
    EXPECT_EQ(rig.pastes, QStringList{"Polished: Now three words"}) << "still delivered";
    EXPECT_TRUE(rig.icons.empty());
    EXPECT_EQ(rig.phase(), Phase::recording());
    EXPECT_TRUE(rig.overlay.isShowing());
}

TEST_F(DictationFinisherTest, ARecipientTakesRawAndFinalInsteadOfDelivery) {
    DictationFinisher::Request request;
    request.text = " um hello there ";
    QStringList taken;
    request.recipient = [&](const QString& raw, const QString& final) { taken << raw << final; };
    f.finishDictation(request);
    EXPECT_EQ(taken, (QStringList{"um hello there", "Hello there"}));
    EXPECT_TRUE(rig.pastes.isEmpty());
    EXPECT_TRUE(rig.history.items().isEmpty());
}

TEST_F(DictationFinisherTest, CopyRecentCopiesOnlyText) {
    f.copyRecent(QVariant(QString("all of it")));
    f.copyRecent(QVariant(3));
    EXPECT_EQ(rig.copies, QStringList{"all of it"});
}
