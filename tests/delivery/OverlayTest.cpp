#include "delivery/Overlay.h"
#include "support/FakeEscapeWatch.h"
#include "delivery/OverlayPanel.h"
#include "delivery/ResultCard.h"
#include "support/TempSettings.h"
#include "support/ManualScheduler.h"
#include "support/FakeEscapeWatch.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <thread>

namespace {

class OverlayTest : public ::testing::Test {
  protected:
    TempSettings temp;
    Settings& settings = temp.settings;
    ManualScheduler time;
    FakeEscapeWatch escape;
    QStringList copies;
    Overlay overlay{{settings, time, escape, [this](QString t) { copies << t; }}};
};

using Phase = OverlayModel::Phase;

} // namespace

TEST_F(OverlayTest, ALaterShowCancelsAPendingHide) {
    overlay.show(Phase::recording());
    overlay.hide(2);
    time.advance(1);
    overlay.show(Phase::transcribing());
    time.advance(5);
    EXPECT_TRUE(overlay.isShowing());
    EXPECT_EQ(overlay.model.phase(), Phase::transcribing());

    overlay.hide(4);
    time.advance(3.9);
    EXPECT_TRUE(overlay.isShowing());
    time.advance(0.2);
    EXPECT_FALSE(overlay.isShowing());
}

TEST_F(OverlayTest, ShowAndHideFromAnotherThreadKeepTheirOrder) {
    std::thread worker([this] {
        overlay.show(Phase::transcribing());
        overlay.hide(4);
    });
    worker.join();
    // A call made on the GUI thread meanwhile waits behind them.
    overlay.show(Phase::polishing());
    QCoreApplication::processEvents();
    EXPECT_EQ(overlay.model.phase(), Phase::polishing());
    time.advance(5);
    EXPECT_TRUE(overlay.isShowing()) << "the later show cancelled the hide";

    std::thread again([this] {
        overlay.show(Phase::transcribing());
        overlay.hide(4);
    });
    again.join();
    QCoreApplication::processEvents();
    time.advance(3.9);
    EXPECT_TRUE(overlay.isShowing());
    time.advance(0.2);
    EXPECT_FALSE(overlay.isShowing()) << "the hide counted from after its show";
}

TEST_F(OverlayTest, AResultCardExpiresAndListensForEscapeOnlyWhileShown) {
    overlay.show(Phase::recording());
    EXPECT_FALSE(escape.watching()) << "no Escape watch for the recording pill";
    overlay.show(Phase::result("hello"));
    EXPECT_TRUE(escape.watching());
    time.advance(44.9);
    EXPECT_TRUE(overlay.isShowing());
    time.advance(0.2);
    EXPECT_FALSE(overlay.isShowing());
    EXPECT_FALSE(escape.watching());

    overlay.show(Phase::result("hello"));
    time.advance(10);
    overlay.show(Phase::recording());
    EXPECT_FALSE(escape.watching());
    time.advance(40);
    EXPECT_TRUE(overlay.isShowing()) << "the card's limit doesn't end the recording pill";

    overlay.show(Phase::result("again"));
    escape.press();
    EXPECT_FALSE(overlay.isShowing());
}

TEST_F(OverlayTest, WithTheOverlayOffOnlyMessagesAndResultsAppear) {
    settings.setShowOverlay(false);
    overlay.show(Phase::recording());
    EXPECT_FALSE(overlay.isShowing());
    EXPECT_EQ(overlay.model.phase(), Phase::recording()) << "the model still follows";
    overlay.show(Phase::transcribing());
    EXPECT_FALSE(overlay.isShowing());
    overlay.show(Phase::message("Engine not ready — try again"));
    EXPECT_TRUE(overlay.isShowing());
    overlay.hide(0);
    time.advance(0);
    overlay.show(Phase::result("text"));
    EXPECT_TRUE(overlay.isShowing());
}

TEST_F(OverlayTest, RecordingStartsFromAQuietWaveform) {
    overlay.model.push(0.9);
    EXPECT_EQ(overlay.model.levels().size(), OverlayModel::levelCount);
    EXPECT_EQ(overlay.model.levels().last(), 0.9);
    EXPECT_EQ(overlay.model.levels().first(), OverlayModel::quietLevel);
    overlay.show(Phase::recording());
    EXPECT_EQ(overlay.model.levels(), QList<double>(32, 0.04));
}

TEST_F(OverlayTest, CopyCopiesAndClosesTheCardShortlyAfter) {
    overlay.show(Phase::result("the text"));
    overlay.card()->copyButton()->click();
    EXPECT_EQ(copies, QStringList{"the text"});
    EXPECT_TRUE(overlay.model.copied());
    EXPECT_EQ(overlay.card()->copyButton()->text(), "Copied");
    time.advance(0.8);
    EXPECT_TRUE(overlay.isShowing());
    time.advance(0.2);
    EXPECT_FALSE(overlay.isShowing());
}

TEST_F(OverlayTest, ACopiedCardClosingLaterDoesNotHideWhatCameNext) {
    overlay.show(Phase::result("the text"));
    overlay.card()->copyButton()->click();
    overlay.show(Phase::recording());
    time.advance(1);
    EXPECT_TRUE(overlay.isShowing());
}

TEST_F(OverlayTest, TheCardShowsDictatedTextAsItIsNeverAsMarkup) {
    const QString dictated = QStringLiteral("wrap it in <b>bold</b> &amp; add a <br> tag");
    overlay.show(Phase::result(dictated));
    QLabel* shown = nullptr;
    for (QLabel* label : overlay.card()->findChildren<QLabel*>())
        if (label->text() == dictated)
            shown = label;
    ASSERT_NE(shown, nullptr);
    // What the label presents (its accessible name is the text as displayed).
    EXPECT_EQ(QAccessible::queryAccessibleInterface(shown)->text(QAccessible::Name), dictated);
}

TEST_F(OverlayTest, TheCloseButtonHidesAndThePermissionCardOffersSettings) {
    overlay.model.setNeedsPermission(false);
    overlay.show(Phase::result("x"));
    EXPECT_TRUE(overlay.card()->allowButton()->isHidden());
    overlay.model.setNeedsPermission(true);
    EXPECT_FALSE(overlay.card()->allowButton()->isHidden());
    overlay.card()->closeButton()->click();
    time.advance(0);
    EXPECT_FALSE(overlay.isShowing());
}

TEST_F(OverlayTest, DraggingSavesCentreAndBottomAndTheNextShowUsesThem) {
    overlay.show(Phase::transcribing());
    OverlayPanel* panel = overlay.panel();
    const QRect before = panel->geometry();
    QTest::mousePress(panel, Qt::LeftButton, {}, QPoint(30, 20));
    QMouseEvent move(QEvent::MouseMove, QPointF(30, 20),
                     panel->mapToGlobal(QPointF(30, 20)) + QPointF(-200, -300), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(panel, &move);
    QTest::mouseRelease(panel, Qt::LeftButton, {}, QPoint(30, 20));
    const QRect after = panel->geometry();
    EXPECT_EQ(after.topLeft(), before.topLeft() + QPoint(-200, -300));
    const auto saved = settings.overlayPosition();
    ASSERT_TRUE(saved.has_value());
    EXPECT_DOUBLE_EQ(saved->x(), after.x() + after.width() / 2.0);
    EXPECT_DOUBLE_EQ(saved->y(), after.y() + after.height());

    overlay.show(Phase::polishing());
    const QRect polishing = panel->geometry();
    EXPECT_EQ(polishing.center().x(), after.center().x());
    EXPECT_EQ(polishing.y() + polishing.height(), after.y() + after.height());
}

TEST_F(OverlayTest, AResetForgetsThePositionAndSaysSo) {
    settings.setOverlayPosition(QPointF(5000, 5000));
    overlay.resetOverlay();
    EXPECT_FALSE(settings.overlayPosition().has_value());
    EXPECT_EQ(overlay.model.phase(), Phase::message("Drag me anywhere"));
    time.advance(1.9);
    EXPECT_TRUE(overlay.isShowing());
    time.advance(0.2);
    EXPECT_FALSE(overlay.isShowing());
}

TEST_F(OverlayTest, APositionOffEveryScreenIsClampedOntoThePrimaryScreen) {
    settings.setOverlayPosition(QPointF(-4000, 9000));
    overlay.show(Phase::transcribing());
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(area.contains(overlay.panel()->geometry()))
        << "panel must lie inside the available area";
    EXPECT_EQ(overlay.panel()->geometry().left(), area.left());
    EXPECT_EQ(overlay.panel()->geometry().bottom(), area.bottom());
}

// Every look the overlay has, written to overlay-screenshots/ in the test's working folder.
TEST_F(OverlayTest, ScreenshotsOfEveryPhase) {
    const QString folder = QDir::current().filePath("overlay-screenshots");
    QDir().mkpath(folder);
    auto shoot = [&](const Phase& phase, const QString& name) {
        overlay.show(phase);
        if (phase.kind == OverlayModel::Kind::recording)
            for (int i = 0; i < OverlayModel::levelCount; ++i)
                overlay.model.push(std::max(0.04, 0.5 + 0.45 * std::sin(i * 0.45)) *
                                   (i % 3 == 0 ? 0.6 : 1.0));
        QImage shot = overlay.panel()->grab().toImage();
        EXPECT_FALSE(shot.isNull());
        EXPECT_TRUE(shot.save(folder + "/" + name + ".png"));
    };
    shoot(Phase::recording(), "recording");
    shoot(Phase::transcribing(), "transcribing");
    shoot(Phase::polishing(), "polishing");
    shoot(Phase::message("Engine not ready — try again"), "message");
    shoot(Phase::result("Let's meet on Thursday at ten to go through the budget, and bring the "
                        "numbers from the last quarter."),
          "result");
    overlay.model.setNeedsPermission(true);
    shoot(Phase::result("Short text."), "result-permission");
    overlay.card()->copyButton()->click();
    EXPECT_TRUE(overlay.panel()->grab().save(folder + "/result-copied.png"));
}
