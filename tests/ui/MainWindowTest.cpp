#include "support/WindowFixture.h"
#include "ui/pages/HistoryPage.h"
#include "ui/window/MainWindow.h"
#include "ui/window/Sidebar.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class MainWindowTest : public ::testing::Test, public WindowFixture {
  protected:
    int quits = 0;
    MainWindow window{{settings,
                       history,
                       state,
                       scheduler,
                       hotKey,
                       keys,
                       {},
                       {},
                       {},
                       "~/.local/share/Voxmere",
                       true,
                       false}};

    MainWindowTest() {
        QObject::connect(&window, &MainWindow::quitRequested, [this] { ++quits; });
    }
};

} // namespace

TEST_F(MainWindowTest, ClosingOnlyHidesTheWindow) {
    window.show();
    EXPECT_EQ(window.windowTitle(), "Voxmere");
    EXPECT_GE(window.minimumWidth(), 880);
    EXPECT_GE(window.minimumHeight(), 600);
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.testAttribute(Qt::WA_DeleteOnClose));
    EXPECT_EQ(quits, 0);
}

TEST_F(MainWindowTest, TheSearchIsStillThereAfterVisitingAnotherPage) {
    window.show();
    window.sidebar()->button(Tab::history)->click();
    auto* page = static_cast<HistoryPage*>(window.page(Tab::history));
    page->searchField()->setText("meeting");
    window.sidebar()->button(Tab::settings)->click();
    window.sidebar()->button(Tab::history)->click();
    EXPECT_EQ(page->searchField()->text(), "meeting");
    EXPECT_EQ(state.search(), "meeting");
}

TEST_F(MainWindowTest, ShortcutsOpenSettingsAndQuit) {
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_Comma, Qt::ControlModifier);
    EXPECT_EQ(state.tab(), Tab::settings);
    QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(quits, 1);
}

TEST_F(MainWindowTest, TheSidebarCountsHistoryEntries) {
    add("one");
    add("two");
    EXPECT_EQ(window.sidebar()->historyCount(), "2");
}
