#include "support/WindowFixture.h"
#include "ui/pages/HistoryPage.h"
#include "ui/pages/HomePage.h"
#include "ui/widgets/IconButton.h"
#include "ui/widgets/PageScroll.h"
#include "ui/pages/SnippetRow.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class HistoryPages : public ::testing::Test, public WindowFixture {
  protected:
    // Answers the next alert with the button labelled `answer`, noting what it asked.
    void answerNextAlert(const QString& answer) {
        auto* poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, [this, poll, answer] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            asked = box->text() + " / " + box->informativeText();
            for (QAbstractButton* b : box->buttons())
                if (b->text() == answer)
                    b->click();
            poll->deleteLater();
        });
        poll->start(5);
    }
    QString asked;
};

} // namespace

TEST_F(HistoryPages, ClearAllAsksFirstAndOnlyDeleteAllEmptiesTheHistory) {
    add("one");
    add("two");
    HistoryPage page(history, settings, state, scheduler);
    page.show();

    answerNextAlert("Cancel");
    page.clearAllButton()->click();
    EXPECT_EQ(asked, "Delete all 2 snippets? / This can't be undone.");
    EXPECT_EQ(history.items().size(), 2);

    answerNextAlert("Delete all");
    page.clearAllButton()->click();
    EXPECT_TRUE(history.items().isEmpty());
    EXPECT_TRUE(page.clearAllButton()->isHidden());
}

// The field writes the shared state and reads it back, so a page made later (or shown again)
// starts with the same search and the same rows.
TEST_F(HistoryPages, SearchLivesInTheSharedStateAndFiltersRows) {
    add("hello world");
    add("goodbye");
    {
        HistoryPage first(history, settings, state, scheduler);
        first.show();
        first.searchField()->setText("HELLO");
        EXPECT_EQ(first.rowCount(), 1);
    }
    HistoryPage again(history, settings, state, scheduler);
    again.show();
    EXPECT_EQ(again.searchField()->text(), "HELLO");
    EXPECT_EQ(again.rowCount(), 1);
    state.setSearch("  ");
    EXPECT_EQ(again.rowCount(), 2);
}

// A hidden page leaves its rows alone while the history changes (a dictation must not wait for
// them) and catches up when it is shown.
TEST_F(HistoryPages, AFullHistoryMakesRowsABatchAtATimeWhenSeen) {
    HistoryPage page(history, settings, state, scheduler);
    for (int i = 0; i < PageScroll::batch * 2 + 5; ++i)
        add(QString("entry %1").arg(i));
    EXPECT_EQ(page.rowCount(), 0);
    page.show();
    EXPECT_EQ(page.rowCount(), PageScroll::batch);
    EXPECT_EQ(page.groupLabels(), QStringList({"Today"}));
}

// Rows outlive a rebuild for the snippets still shown: what is added, deleted or no longer in the
// first batch must still come out right.
TEST_F(HistoryPages, AnOpenPageFollowsAddsAndDeletesInOrder) {
    for (int i = 0; i < PageScroll::batch; ++i)
        add(QString("entry %1").arg(i));
    HistoryPage page(history, settings, state, scheduler);
    page.show();
    const Snippet newest = add("newest");
    ASSERT_EQ(page.rowCount(), PageScroll::batch);
    EXPECT_EQ(page.rowTexts().first(), "newest");
    EXPECT_EQ(page.rowTexts().last(), "entry 1");

    history.remove(newest.id);
    history.remove(history.items()[1].id);
    const QStringList texts = page.rowTexts();
    ASSERT_EQ(texts.size(), PageScroll::batch - 1);
    EXPECT_EQ(texts.mid(0, 3), QStringList({"entry 59", "entry 57", "entry 56"}));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(page.findChildren<SnippetRow*>().size(), PageScroll::batch - 1);
}

// A second copy inside the first one's 1.2 s owns the tick: the first timer must not clear it.
TEST_F(HistoryPages, ALaterCopyKeepsItsTickWhenTheEarlierTimerFires) {
    SnippetRow first(add("first"), history, state, scheduler);
    SnippetRow second(add("second"), history, state, scheduler);

    first.copyButton()->click();
    scheduler.advance(0.6);
    second.copyButton()->click();
    scheduler.advance(0.7);
    EXPECT_EQ(state.copiedID(), second.snippet().id);
    EXPECT_EQ(first.copyButton()->symbol(), "doc.on.doc");
    EXPECT_EQ(second.copyButton()->symbol(), "checkmark");
    scheduler.advance(0.6);
    EXPECT_FALSE(state.copiedID().has_value());
    EXPECT_EQ(second.copyButton()->symbol(), "doc.on.doc");
}

TEST_F(HistoryPages, CopyReplacesEverythingOnTheClipboardWithPlainText) {
    auto* before = new QMimeData;
    before->setText("old");
    before->setImageData(QImage(4, 4, QImage::Format_RGB32));
    QGuiApplication::clipboard()->setMimeData(before);
    SnippetRow row(add("<b>new</b>"), history, state, scheduler);

    row.copyButton()->click();
    const QMimeData* now = QGuiApplication::clipboard()->mimeData();
    EXPECT_EQ(now->text(), "<b>new</b>");
    EXPECT_FALSE(now->hasImage());
    EXPECT_FALSE(now->hasHtml());
}

// Dictated text and application names are the user's words, never markup.
TEST_F(HistoryPages, RowsShowMarkupAsTyped) {
    Snippet s = add("<b>x</b><img src=\"/etc/passwd\">");
    s.app = "<i>app</i>";
    SnippetRow row(s, history, state, scheduler);
    int shown = 0;
    for (QLabel* label : row.findChildren<QLabel*>())
        if (label->text() == s.text || label->text() == *s.app) {
            EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->text().toStdString();
            ++shown;
        }
    EXPECT_EQ(shown, 2);
}

TEST_F(HistoryPages, HomeFollowsTheKeyModeAndTheHistory) {
    HomePage home(history, settings, state, scheduler, {});
    home.show();
    EXPECT_TRUE(home.showsEmptyPanel());
    EXPECT_TRUE(home.viewAllButton()->isHidden());

    settings.setRecordMode(RecordMode::hold);
    EXPECT_TRUE(home.heroText().startsWith("Hold Right ⌥ to talk Release to paste."));
    settings.setRecordMode(RecordMode::toggle);
    EXPECT_TRUE(home.heroText().startsWith("Press "));

    add("hello there");
    EXPECT_FALSE(home.showsEmptyPanel());
    home.viewAllButton()->click();
    EXPECT_EQ(state.tab(), Tab::history);
}
