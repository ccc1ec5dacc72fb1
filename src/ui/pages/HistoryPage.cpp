#include "ui/pages/HistoryPage.h"

#include "history/History.h"
#include "settings/Settings.h"
#include "ui/widgets/Alert.h"
#include "ui/widgets/Brand.h"
#include "ui/pages/EmptyHistoryPanel.h"
#include "ui/pages/HistoryGroups.h"
#include "ui/widgets/PageHeader.h"
#include "ui/widgets/PageScroll.h"
#include "ui/widgets/RefreshWhenSeen.h"
#include "ui/pages/SnippetRow.h"
#include "ui/widgets/Symbols.h"
#include "uistate/UIState.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <memory>

namespace {
QLabel* groupHeading(const QString& label) {
    auto* heading = new QLabel(label);
    heading->setProperty("groupLabel", true);
    heading->setProperty("secondary", true);
    return heading;
}
} // namespace

HistoryPage::HistoryPage(History& history, Settings& settings, UIState& state, Scheduler& scheduler,
                         QWidget* parent)
    : QWidget(parent), history(history), settings(settings), state(state), scheduler(scheduler),
      header(new PageHeader(tr("History"), {})), clearAll(new QPushButton(tr("Clear all"))),
      search(new QLineEdit), empty(new EmptyHistoryPanel(settings)),
      seen(new RefreshWhenSeen(this, [this] { rebuild(); })) {
    header->addTrailing(clearAll);
    search->setPlaceholderText(tr("Search snippets"));
    search->addAction(Symbols::icon(QStringLiteral("magnifyingglass"), Brand::secondaryText()),
                      QLineEdit::LeadingPosition);
    search->setClearButtonEnabled(true);
    search->setText(state.search());
    auto* list = new QWidget;
    rows = new QVBoxLayout(list);
    rows->setContentsMargins(0, 0, 4, 0);
    rows->setSpacing(6);
    rows->addStretch();
    scroll = PageScroll::scroller(list);
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(32, 28, 32, 20);
    page->setSpacing(14);
    page->addWidget(header);
    page->addWidget(search);
    page->addWidget(empty);
    page->addWidget(scroll, 1);
    page->addStretch();
    connect(search, &QLineEdit::textChanged, &state, &UIState::setSearch);
    connect(&state, &UIState::searchChanged, this, [this] {
        if (search->text() != this->state.search())
            search->setText(this->state.search());
        seen->changed();
    });
    connect(&history, &History::changed, seen, &RefreshWhenSeen::changed);
    connect(clearAll, &QPushButton::clicked, this, &HistoryPage::confirmClearAll);
    PageScroll::whenNearEnd(scroll, this, [this] { showMore(); });
}

void HistoryPage::rebuild() {
    const QList<Snippet>& items = history.items();
    header->setSubtitle(tr("%n snippets", nullptr, int(items.size())) + QStringLiteral(" · ") +
                        tr("%n words", nullptr, history.totalWords()));
    clearAll->setVisible(!items.isEmpty());
    empty->setVisible(items.isEmpty());
    scroll->setVisible(!items.isEmpty());
    takeRows();
    lines.clear();
    const auto groups =
        HistoryGroups::group(HistoryGroups::filter(items, state.search()), QDate::currentDate());
    for (const HistoryGroup& group : groups) {
        lines.append({group.label, std::nullopt});
        for (const Snippet& s : group.items)
            lines.append({{}, s});
    }
    showMore();
    // The rows of snippets that are gone, or now further down than the first batch. The delete
    // button of one of them may be what is running now.
    for (SnippetRow* row : std::as_const(spare)) {
        row->hide();
        row->deleteLater();
    }
    spare.clear();
}

// A row shows one snippet, which never changes: rows already made are kept for the rebuild, so
// a dictation landing while the page is open makes one row instead of a page of them.
void HistoryPage::takeRows() {
    while (rows->count() > 1) {
        const std::unique_ptr<QLayoutItem> item(rows->takeAt(0));
        auto* row = qobject_cast<SnippetRow*>(item->widget());
        if (row && !spare.contains(row->snippet().id))
            spare.insert(row->snippet().id, row);
        else
            delete item->widget();
    }
    next = 0;
    made = 0;
}

void HistoryPage::showMore() {
    for (int madeNow = 0; next < lines.size() && madeNow < PageScroll::batch; ++next) {
        const Line& line = lines[next];
        if (!line.snippet) {
            rows->insertWidget(rows->count() - 1, groupHeading(line.heading));
            continue;
        }
        SnippetRow* row = spare.take(line.snippet->id);
        if (!row)
            row = new SnippetRow(*line.snippet, history, state, scheduler);
        rows->insertWidget(rows->count() - 1, row);
        ++madeNow;
        ++made;
    }
}

void HistoryPage::confirmClearAll() {
    const qsizetype n = history.items().size();
    if (Alert::confirm(this, tr("Delete all %n snippets?", nullptr, int(n)),
                       tr("This can't be undone."), tr("Delete all")))
        history.clear();
}

QStringList HistoryPage::groupLabels() const {
    QStringList labels;
    for (int i = 0; i < rows->count(); ++i)
        if (auto* label = qobject_cast<QLabel*>(rows->itemAt(i)->widget()))
            labels << label->text();
    return labels;
}

QStringList HistoryPage::rowTexts() const {
    QStringList texts;
    for (int i = 0; i < rows->count(); ++i)
        if (auto* row = qobject_cast<SnippetRow*>(rows->itemAt(i)->widget()))
            texts << row->snippet().text;
    return texts;
}

int HistoryPage::rowCount() const {
    return made;
}
