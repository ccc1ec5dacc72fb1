#include "ui/pages/HomePage.h"

#include "history/History.h"
#include "settings/Settings.h"
#include "ui/widgets/Brand.h"
#include "ui/pages/EmptyHistoryPanel.h"
#include "ui/pages/HeroWave.h"
#include "ui/widgets/Keycap.h"
#include "ui/widgets/PageHeader.h"
#include "ui/widgets/PageScroll.h"
#include "ui/widgets/RefreshWhenSeen.h"
#include "ui/pages/SnippetRow.h"
#include "ui/pages/StatCard.h"
#include "ui/widgets/Symbols.h"
#include "uistate/UIState.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QLabel* wrapped(const QString& text = {}) {
    auto* label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}
} // namespace

HomePage::HomePage(History& history, Settings& settings, UIState& state, Scheduler& scheduler,
                   Options options, QWidget* parent)
    : QWidget(parent), history(history), settings(settings), state(state), scheduler(scheduler),
      options(std::move(options)), seen(new RefreshWhenSeen(this, [this] { refreshHistory(); })) {
    auto* content = new QWidget;
    auto* page = new QVBoxLayout(content);
    page->setContentsMargins(32, 28, 32, 24);
    page->setSpacing(18);
    page->addWidget(banner());
    page->addWidget(new PageHeader(tr("Dictate anywhere"),
                                   tr("Talk into any text box. It never leaves this computer.")));
    if (!this->options.trayAvailable) {
        auto* noTray = wrapped(
            tr("No tray here: this window is the way in, and closing it keeps Voxmere running."));
        noTray->setProperty("secondary", true);
        page->addWidget(noTray);
    }
    page->addWidget(hero());
    page->addWidget(stats());
    page->addWidget(recent());
    page->addStretch();
    PageScroll::fill(this, content);
    connect(&settings, &Settings::changed, this, &HomePage::refreshHero);
    connect(&history, &History::changed, seen, &RefreshWhenSeen::changed);
    connect(&state, &UIState::axTrustedChanged, this,
            [this] { bannerCard->setVisible(!this->state.axTrusted()); });
    bannerCard->setVisible(!state.axTrusted());
    refreshHero();
}

QWidget* HomePage::banner() {
    bannerCard = new QFrame;
    bannerCard->setProperty("banner", true);
    auto* icon = new QLabel;
    icon->setPixmap(Symbols::icon(QStringLiteral("exclamationmark.triangle"), Brand::orange(), 22)
                        .pixmap(22, 22));
    auto* title = wrapped(tr("Voxmere can't paste yet"));
    QFont bold = title->font();
    bold.setWeight(QFont::DemiBold);
    title->setFont(bold);
    auto* texts = new QVBoxLayout;
    texts->addWidget(title);
    texts->addWidget(wrapped(tr("Pasting needs an X11 session (or a key injector on Wayland).")));
    auto* open = new QPushButton(tr("Open Settings"));
    connect(open, &QPushButton::clicked, this, &HomePage::desktopSettingsRequested);
    auto* row = new QHBoxLayout(bannerCard);
    row->setContentsMargins(14, 12, 14, 12);
    row->setSpacing(12);
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addLayout(texts, 1);
    row->addWidget(open, 0, Qt::AlignVCenter);
    return bannerCard;
}

QWidget* HomePage::hero() {
    auto* card = new QFrame;
    card->setProperty("card", true);
    verbLabel = new QLabel;
    verbLabel->setFont(Brand::serif(20));
    key = new Keycap;
    auto* toTalk = new QLabel(tr("to talk"));
    toTalk->setFont(Brand::serif(20));
    auto* line = new QHBoxLayout;
    line->setSpacing(8);
    line->addStretch();
    line->addWidget(verbLabel);
    line->addWidget(key);
    line->addWidget(toTalk);
    line->addStretch();
    howToLabel = wrapped();
    howToLabel->setAlignment(Qt::AlignHCenter);
    howToLabel->setProperty("secondary", true);
    handsFreeLabel = wrapped();
    handsFreeLabel->setAlignment(Qt::AlignHCenter);
    handsFreeLabel->setProperty("secondary", true);
    auto* column = new QVBoxLayout(card);
    column->setContentsMargins(20, 18, 20, 18);
    column->setSpacing(8);
    column->addWidget(new HeroWave(options.animated));
    column->addLayout(line);
    column->addWidget(howToLabel);
    column->addWidget(handsFreeLabel);
    return card;
}

QWidget* HomePage::stats() {
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(12);
    words = new StatCard(QStringLiteral("text.word.spacing"), tr("Words today"));
    snippets = new StatCard(QStringLiteral("text.bubble"), tr("Snippets today"));
    saved = new StatCard(QStringLiteral("bolt"), tr("Time saved vs typing"));
    for (StatCard* card : {words, snippets, saved})
        row->addWidget(card, 1);
    return box;
}

QWidget* HomePage::recent() {
    auto* box = new QWidget;
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    auto* title = new QLabel(tr("Recent"));
    title->setFont(Brand::serif(18));
    viewAll = new QPushButton(tr("View all"));
    viewAll->setFlat(true);
    viewAll->setProperty("link", true);
    connect(viewAll, &QPushButton::clicked, this, [this] { state.setTab(Tab::history); });
    auto* heading = new QHBoxLayout;
    heading->addWidget(title);
    heading->addStretch();
    heading->addWidget(viewAll);
    recentRows = new QVBoxLayout;
    recentRows->setSpacing(6);
    empty = new EmptyHistoryPanel(settings);
    column->addLayout(heading);
    column->addLayout(recentRows);
    column->addWidget(empty);
    return box;
}

QString HomePage::verb(RecordMode recordMode) {
    return recordMode == RecordMode::toggle ? tr("Press") : tr("Hold");
}

QString HomePage::howTo(RecordMode recordMode) {
    switch (recordMode) {
    case RecordMode::toggle:
        return tr("Press once to start, press again to stop and paste.");
    case RecordMode::hold:
        return tr("Release to paste.");
    case RecordMode::smart:
        break;
    }
    return tr("Release to paste. Tap once to go hands-free, tap again to stop.");
}

void HomePage::refreshHero() {
    verbLabel->setText(verb(settings.recordMode()));
    key->setText(settings.hotkeyDisplay());
    howToLabel->setText(howTo(settings.recordMode()));
    const auto handsFree = settings.handsFreeDisplay();
    handsFreeLabel->setVisible(handsFree.has_value());
    if (handsFree)
        handsFreeLabel->setText(
            tr("Or press %1 to start and stop without holding.").arg(*handsFree));
}

void HomePage::refreshHistory() {
    words->setValue(QString::number(history.wordsToday()));
    snippets->setValue(QString::number(history.today().size()));
    saved->setValue(tr("%1 min").arg(history.minutesSaved()));
    while (QLayoutItem* item = recentRows->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const QList<Snippet>& items = history.items();
    for (qsizetype i = 0; i < std::min<qsizetype>(3, items.size()); ++i) {
        auto* row = new SnippetRow(items[i], history, state, scheduler);
        recentRows->addWidget(row);
    }
    viewAll->setVisible(!items.isEmpty());
    empty->setVisible(items.isEmpty());
}

QString HomePage::heroText() const {
    QStringList parts{verbLabel->text(), key->text(), tr("to talk"), howToLabel->text()};
    if (!handsFreeLabel->isHidden())
        parts << handsFreeLabel->text();
    return parts.join(' ');
}

bool HomePage::showsEmptyPanel() const {
    return !empty->isHidden();
}
