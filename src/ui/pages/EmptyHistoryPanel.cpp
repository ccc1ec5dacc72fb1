#include "ui/pages/EmptyHistoryPanel.h"

#include "settings/Settings.h"
#include "ui/widgets/Brand.h"
#include "ui/widgets/Keycap.h"
#include "ui/widgets/Symbols.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

EmptyHistoryPanel::EmptyHistoryPanel(Settings& settings, QWidget* parent)
    : QFrame(parent), settings(settings), icon(new QLabel), key(new Keycap) {
    setProperty("card", true);
    auto* title = new QLabel(tr("Nothing yet"));
    title->setFont(Brand::serif(18));
    auto* line = new QHBoxLayout;
    line->setSpacing(6);
    line->addStretch();
    line->addWidget(new QLabel(tr("Hold")));
    line->addWidget(key);
    line->addWidget(new QLabel(tr("in any app and start talking. Your snippets show up here.")));
    line->addStretch();
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(24, 28, 24, 28);
    column->setSpacing(10);
    column->addWidget(icon, 0, Qt::AlignHCenter);
    column->addWidget(title, 0, Qt::AlignHCenter);
    column->addLayout(line);
    key->setText(settings.hotkeyDisplay());
    connect(&settings, &Settings::changed, this,
            [this] { key->setText(this->settings.hotkeyDisplay()); });
    drawIcon();
}

void EmptyHistoryPanel::drawIcon() {
    icon->setPixmap(Symbols::icon(QStringLiteral("waveform.badge.mic"), Brand::accent(), 32)
                        .pixmap(32, 32));
}

void EmptyHistoryPanel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange)
        drawIcon();
    QFrame::changeEvent(event);
}
