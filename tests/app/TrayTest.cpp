#include "app/Tray.h"
#include "history/History.h"
#include "support/ManualScheduler.h"
#include "support/TempSettings.h"

#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class TrayTest : public ::testing::Test {
  protected:
    TempSettings temp;
    QTemporaryDir dir;
    ManualScheduler time;
    History history{dir.filePath("history.json"), time};
    QList<QVariant> copied;
    bool calling = false;
    Tray tray{temp.settings, history, [this] { return calling; }};

    void SetUp() override {
        history.waitForLoad();
        QObject::connect(&tray, &Tray::recentChosen,
                         [this](const QVariant& data) { copied << data; });
        QObject::connect(&tray, &Tray::meetingToggleRequested, [this] { calling = !calling; });
    }

    QStringList titles(QMenu* menu) const {
        QStringList list;
        for (QAction* action : menu->actions())
            list << (action->isSeparator() ? "-" : action->text());
        return list;
    }
    QMenu* recent() const {
        for (QAction* action : tray.menu()->actions())
            if (action->menu())
                return action->menu();
        return nullptr;
    }
    void add(const QString& text) {
        Snippet s;
        s.text = text;
        history.add(s);
    }
};

} // namespace

TEST_F(TrayTest, TheMenuStatesTheKeysAndOffersEveryAction) {
    tray.buildMenu();
    const QString key = temp.settings.hotkeyDisplay();
    EXPECT_EQ(titles(tray.menu()),
              (QStringList{"Hold or tap " + key + " to dictate", "-", "Open Voxmere",
                           "Record a call", "Recent", "Reset overlay position", "Restart engine",
                           "-", "Quit Voxmere"}));
    tray.menu()->actions()[3]->trigger();
    tray.buildMenu();
    EXPECT_EQ(titles(tray.menu())[3], "Stop recording call") << "the item follows the recorder";
    EXPECT_FALSE(tray.menu()->actions()[0]->isEnabled());
    EXPECT_EQ(titles(recent()), QStringList{"Nothing yet"});
    EXPECT_FALSE(recent()->actions()[0]->isEnabled());

    temp.settings.setBinding(1, {HotkeyKind::modifier, 54, 0, 0, ""});
    tray.buildMenu();
    EXPECT_EQ(titles(tray.menu())[1],
              "Press " + *temp.settings.handsFreeDisplay() + " to start / stop hands-free");
}

TEST_F(TrayTest, RecentFollowsTheHistoryWithTheEightNewestCutShort) {
    tray.buildMenu();
    for (int i = 1; i <= 8; ++i)
        add(QString("entry %1").arg(i));
    const QString long61 = "Tom & Jerry\tsay " + QString(61 - 16, 'x');
    add(long61);
    QMenu* menu = recent();
    ASSERT_EQ(menu->actions().size(), 8) << "rebuilt as the history changed";
    EXPECT_EQ(menu->actions()[0]->text(), "Tom && Jerry say " + QString(60 - 16, 'x') + "…");
    EXPECT_EQ(menu->actions()[0]->toolTip(), "Click to copy");
    EXPECT_EQ(menu->actions()[7]->text(), "entry 2");

    // Copying may change the history, which rebuilds the menu from inside its own action.
    QPointer<QMenu> old = tray.menu();
    QObject::connect(menu->actions()[0], &QAction::triggered, [this] { add("added while open"); });
    menu->actions()[0]->trigger();
    EXPECT_EQ(copied, QList<QVariant>{long61});
    EXPECT_TRUE(old) << "released later, not under its own signal";
    QTest::qWait(0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(old);
    EXPECT_EQ(recent()->actions()[0]->text(), "added while open");
}

TEST_F(TrayTest, TitlesAreCutByCharacterAsPeopleSeeThem) {
    const QString flag = QString::fromUtf8("🇳🇴"); // two code points, four UTF-16 units, one flag
    EXPECT_EQ(Tray::recentTitle(QString(59, 'a') + flag + "b"), QString(59, 'a') + flag + "…");
    EXPECT_EQ(Tray::recentTitle(QString(59, 'a') + flag), QString(59, 'a') + flag);
    EXPECT_EQ(Tray::recentTitle("line\none"), "line one");
}
