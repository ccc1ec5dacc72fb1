#include "ui/window/Sidebar.h"

#include "history/History.h"
#include "ui/widgets/Brand.h"
#include "ui/window/EngineStatus.h"
#include "ui/widgets/Symbols.h"
#include "ui/widgets/VoxmereMark.h"
#include "uistate/UIState.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QWidget* brand() {
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(4, 0, 0, 0);
    row->setSpacing(10);
    auto* name = new QLabel(QStringLiteral("Voxmere"));
    name->setFont(Brand::serif(18));
    auto* line = new QLabel(Sidebar::tr("Dictation and call notes"));
    QFont f = line->font();
    f.setPixelSize(11);
    line->setFont(f);
    line->setProperty("secondary", true);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(0);
    texts->addWidget(name);
    texts->addWidget(line);
    row->addWidget(new VoxmereMark(34));
    row->addLayout(texts, 1);
    return box;
}
} // namespace

Sidebar::Sidebar(UIState& state, History& history, EngineStatus* status, QWidget* parent)
    : QWidget(parent), state(state), history(history) {
    setObjectName("sidebar");
    setAttribute(Qt::WA_StyledBackground);
    setFixedWidth(width);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(14, 20, 14, 16);
    column->setSpacing(2);
    column->addWidget(brand());
    column->addSpacing(20);
    for (Tab tab : Tabs::allCases())
        column->addWidget(tabButton(tab));
    column->addStretch();
    column->addWidget(status);
    connect(&state, &UIState::tabChanged, this, &Sidebar::select);
    connect(&history, &History::changed, this,
            [this] { count->setText(QString::number(this->history.items().size())); });
    count->setText(QString::number(history.items().size()));
    select();
    drawIcons();
}

QPushButton* Sidebar::tabButton(Tab tab) {
    auto* button = new QPushButton;
    button->setProperty("tabRow", true);
    button->setCheckable(true);
    button->setFocusPolicy(Qt::NoFocus);
    auto* row = new QHBoxLayout(button);
    row->setContentsMargins(10, 6, 10, 6);
    row->setSpacing(10);
    auto* icon = new QLabel;
    icon->setObjectName("icon");
    row->addWidget(icon);
    row->addWidget(new QLabel(Tabs::title(tab)), 1);
    if (tab == Tab::history) {
        count = new QLabel;
        count->setFont(Brand::mono());
        count->setProperty("secondary", true);
        row->addWidget(count);
    }
    button->setMinimumHeight(row->sizeHint().height());
    connect(button, &QPushButton::clicked, this, [this, tab] {
        state.setTab(tab);
        select();
    });
    buttons.insert(tab, button);
    return button;
}

void Sidebar::select() {
    for (auto it = buttons.cbegin(); it != buttons.cend(); ++it)
        it.value()->setChecked(it.key() == state.tab());
}

void Sidebar::drawIcons() {
    for (auto it = buttons.cbegin(); it != buttons.cend(); ++it)
        it.value()->findChild<QLabel*>("icon")->setPixmap(
            Symbols::icon(Tabs::icon(it.key()), Brand::accent()).pixmap(16, 16));
}

QString Sidebar::historyCount() const {
    return count->text();
}

void Sidebar::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange)
        drawIcons();
    QWidget::changeEvent(event);
}
