#include "app/Tray.h"

#include "core/DebugLog.h"
#include "history/History.h"
#include "settings/Settings.h"
#include "ui/widgets/Brand.h"

#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QTextBoundaryFinder>

namespace {

QPixmap canvas(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// The 18-unit square of the menu-bar artwork, scaled to the pixmap.
void paint(QPainter& p, IconState state, const QColor& ink, bool callActive, int size) {
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 18.0, size / 18.0);
    QPen pen(ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    const QColor red = Brand::recording();
    switch (state) {
    case IconState::idle:
        if (callActive) {
            // A call is being recorded: a red ring round a red dot.
            p.setPen(QPen(red, 1.6));
            p.drawEllipse(QRectF(1.5, 1.5, 15, 15));
            p.setPen(Qt::NoPen);
            p.setBrush(red);
            p.drawEllipse(QRectF(5.5, 5.5, 7, 7));
            break;
        }
        p.setPen(pen);
        p.drawPath(Brand::mark(QRectF(0, 0, 18, 18).adjusted(0.5, 0.5, -0.5, -0.5)));
        break;
    case IconState::recording:
        p.setPen(Qt::NoPen);
        p.setBrush(red);
        p.drawEllipse(QRectF(1, 1, 16, 16));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(5.5, 5.5, 7, 7));
        break;
    case IconState::busy:
        p.setPen(pen);
        p.drawEllipse(QRectF(1.5, 1.5, 15, 15));
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        for (double x : {5.5, 9.0, 12.5})
            p.drawEllipse(QPointF(x, 9), 1.2, 1.2);
        break;
    }
}

QColor textColour() {
    return QGuiApplication::palette().color(QPalette::WindowText);
}

} // namespace

Tray::Tray(Settings& settings, History& history, std::function<bool()> callActive)
    : settings(settings), history(history), callActive_(std::move(callActive)) {
    statusItem.setToolTip("Voxmere");
    applyIcon();
    // Linux trays don't recolour a monochrome icon, so the idle mark follows the palette.
    connect(qGuiApp, &QGuiApplication::paletteChanged, this, [this] { applyIcon(); });
    connect(&history, &History::changed, this, [this] { buildMenu(); });
    connect(&statusItem, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger)
                    emit windowRequested();
            });
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        debugLog("no system tray; Voxmere runs without its tray item");
    statusItem.show();
}

Tray::~Tray() {
    delete menu_;
}

void Tray::setIcon(IconState next) {
    QMetaObject::invokeMethod(this, [this, next] {
        state = next;
        applyIcon();
    });
}

void Tray::applyIcon() {
    statusItem.setIcon(iconFor(state, textColour(), callActive()));
}

bool Tray::callActive() const {
    return callActive_ && callActive_();
}

QIcon Tray::iconFor(IconState state, const QColor& ink, bool callActive) {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64}) {
        QPixmap pixmap = canvas(size);
        QPainter p(&pixmap);
        paint(p, state, ink, callActive, size);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

void Tray::buildMenu() {
    auto* next = new QMenu;
    next->addAction(tr("Hold or tap %1 to dictate").arg(settings.hotkeyDisplay()))
        ->setEnabled(false);
    if (const auto handsFree = settings.handsFreeDisplay())
        next->addAction(tr("Press %1 to start / stop hands-free").arg(*handsFree))
            ->setEnabled(false);
    next->addSeparator();
    next->addAction(tr("Open Voxmere"), QKeySequence("Ctrl+O"), this, &Tray::windowRequested);
    next->addAction(callActive() ? tr("Stop recording call") : tr("Record a call"), this,
                    &Tray::meetingToggleRequested);
    fillRecent(*next->addMenu(tr("Recent")));
    next->addAction(tr("Reset overlay position"), this, &Tray::overlayResetRequested);
    next->addAction(tr("Restart engine"), this, &Tray::engineRestartRequested);
    next->addSeparator();
    next->addAction(tr("Quit Voxmere"), QKeySequence("Ctrl+Q"), this, &Tray::quitRequested);
    statusItem.setContextMenu(next);
    // The old menu may be the one whose action is running right now.
    if (menu_)
        menu_->deleteLater();
    menu_ = next;
}

void Tray::fillRecent(QMenu& recent) {
    const QList<Snippet>& items = history.items();
    if (items.isEmpty()) {
        recent.addAction(tr("Nothing yet"))->setEnabled(false);
        return;
    }
    for (qsizetype i = 0; i < std::min<qsizetype>(items.size(), recentCount); ++i) {
        QAction* action = recent.addAction(recentTitle(items[i].text));
        action->setToolTip(tr("Click to copy"));
        action->setData(items[i].text);
        connect(action, &QAction::triggered, this,
                [this, action] { emit recentChosen(action->data()); });
    }
    recent.setToolTipsVisible(true);
}

QString Tray::recentTitle(const QString& text) {
    QString flat = text;
    flat.replace('\t', ' ').replace('\n', ' ').replace('\r', ' ');
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, flat);
    int count = 0;
    qsizetype cut = -1;
    while (graphemes.toNextBoundary() != -1) {
        if (++count == recentTitleLength)
            cut = graphemes.position();
    }
    if (count > recentTitleLength)
        flat = flat.left(cut) + "…";
    return flat.replace('&', "&&");
}
