#include "ui/pages/SnippetRow.h"

#include "core/Scheduler.h"
#include "delivery/Paste.h"
#include "history/History.h"
#include "ui/widgets/Brand.h"
#include "ui/widgets/IconButton.h"
#include "ui/widgets/RowText.h"
#include "uistate/UIState.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace {
// Hour and minute as the locale writes them, without the seconds its short format may add.
QString timeOfDay(const QDateTime& date) {
    static const QRegularExpression seconds(QStringLiteral("[:.]ss"));
    QString format = QLocale().timeFormat(QLocale::ShortFormat);
    format.remove(seconds);
    return QLocale().toString(date.toLocalTime().time(), format);
}

QWidget* timeColumn(const Snippet& s) {
    auto* column = new QWidget;
    column->setFixedWidth(84);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 2, 0, 0);
    layout->setSpacing(4);
    auto* time = new QLabel(timeOfDay(s.date));
    time->setFont(Brand::mono());
    time->setProperty("secondary", true);
    layout->addWidget(time);
    if (s.app) {
        auto* app = new QLabel(*s.app);
        app->setTextFormat(Qt::PlainText);
        app->setProperty("capsule", true);
        QFont f = app->font();
        f.setPixelSize(10);
        app->setFont(f);
        app->setMaximumWidth(84);
        layout->addWidget(app, 0, Qt::AlignLeft);
    }
    layout->addStretch();
    return column;
}
} // namespace

SnippetRow::SnippetRow(const Snippet& snippet, History& history, UIState& state,
                       Scheduler& scheduler, QWidget* parent)
    : QWidget(parent), entry(snippet), history(history), state(state), scheduler(scheduler),
      copy(new IconButton(QStringLiteral("doc.on.doc"), tr("Copy"))),
      trash(new IconButton(QStringLiteral("trash"), tr("Delete"))) {
    setProperty("card", true);
    setAttribute(Qt::WA_StyledBackground);
    // As tall as its text, however much room the list has.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    auto* text = new RowText(entry.text);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(14, 10, 10, 10);
    row->setSpacing(10);
    row->addWidget(timeColumn(entry));
    row->addWidget(text, 1);
    row->addWidget(copy, 0, Qt::AlignTop);
    row->addWidget(trash, 0, Qt::AlignTop);
    connect(copy, &IconButton::clicked, this, &SnippetRow::copyText);
    connect(trash, &IconButton::clicked, this, [this] { this->history.remove(entry.id); });
    connect(&state, &UIState::copiedIDChanged, this, &SnippetRow::showTick);
    showTick();
}

void SnippetRow::copyText() {
    Paste::copyToClipboard(entry.text);
    state.setCopiedID(entry.id);
    // Another copy in the meantime owns the tick; this timer must leave it alone.
    const QUuid id = entry.id;
    scheduler.after(&state, tickSeconds, [&state = state, id] {
        if (state.copiedID() == id)
            state.setCopiedID(std::nullopt);
    });
}

void SnippetRow::showTick() {
    copy->setSymbol(state.copiedID() == entry.id ? QStringLiteral("checkmark")
                                                 : QStringLiteral("doc.on.doc"));
}
