#include "ui/window/MainWindow.h"

#include "settings/Settings.h"
#include "ui/widgets/AppIcon.h"
#include "ui/widgets/Brand.h"
#include "ui/window/EngineStatus.h"
#include "ui/pages/HistoryPage.h"
#include "ui/pages/HomePage.h"
#include "ui/pages/SettingsPage.h"
#include "ui/window/Sidebar.h"
#include "ui/pages/VocabularyPage.h"
#include "uistate/UIState.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPixmap>
#include <QShortcut>
#include <QStackedWidget>

namespace {
QColor faded(QColor c, double alpha) {
    c.setAlphaF(alpha);
    return c;
}

// One sheet for the whole window, made from the palette of the current appearance.
QString windowSheet() {
    QString sheet = QStringLiteral(
        "#sidebar { background: @sidebar; }"
        "#divider { background: @edge; }"
        "#canvas, #canvas QScrollArea, #canvas QScrollArea > QWidget > QWidget "
        "{ background: @canvas; }"
        "*[card=\"true\"] { background: @card; border: 1px solid @edge; border-radius: 10px; }"
        "*[card=\"true\"] QLabel { background: transparent; border: none; }"
        "*[divider=\"true\"] { background: @edge; border: none; margin: 0 14px; }"
        "*[banner=\"true\"] { background: @banner; border: 1px solid @orange; "
        "border-radius: 10px; }"
        "*[banner=\"true\"] QLabel { background: transparent; border: none; }"
        "QLabel[secondary=\"true\"] { color: @secondary; }"
        "QLabel[groupLabel=\"true\"] { font-weight: 600; padding-top: 8px; }"
        "QLabel[capsule=\"true\"] { background: @capsule; color: @accent; border-radius: 7px; "
        "padding: 1px 6px; }"
        "QLabel[keycap=\"true\"] { border: 1px solid @edge; border-bottom-width: 2px; "
        "border-radius: 5px; background: @card; padding: 2px 8px; font-weight: 600; "
        "color: @text; }"
        "QPushButton[tabRow=\"true\"] { border: none; border-radius: 7px; "
        "background: transparent; }"
        "QPushButton[tabRow=\"true\"]:checked { background: @selected; }"
        "QPushButton[tabRow=\"true\"] QLabel { background: transparent; }"
        "QPushButton[link=\"true\"] { color: @accent; border: none; padding: 2px 4px; }"
        "QPushButton[segment=\"true\"] { padding: 4px 10px; }"
        "QPushButton[segment=\"true\"]:checked { background: @accent; color: white; }");
    const QList<std::pair<QString, QColor>> colours = {
        {"@sidebar", Brand::sidebar()},
        {"@canvas", Brand::canvas()},
        {"@card", Brand::card()},
        {"@edge", Brand::cardEdge()},
        {"@banner", faded(Brand::orange(), 0.14)},
        {"@orange", Brand::orange()},
        {"@secondary", Brand::secondaryText()},
        {"@capsule", faded(Brand::accent(), 0.14)},
        {"@accent", Brand::accent()},
        {"@selected", faded(Brand::accent(), 0.16)},
        {"@text", QGuiApplication::palette().color(QPalette::WindowText)},
    };
    for (const auto& [name, colour] : colours)
        sheet.replace(name, Brand::css(colour));
    return sheet;
}
} // namespace

MainWindow::MainWindow(Services services, QWidget* parent)
    : QWidget(parent), s(std::move(services)), stack(new QStackedWidget) {
    setWindowTitle(QStringLiteral("Voxmere"));
    setWindowIcon(QIcon(QPixmap::fromImage(AppIcon::render(256))));
    setMinimumSize(smallestWidth, smallestHeight);
    resize(smallestWidth, smallestHeight);
    auto* status = new EngineStatus(s.state, s.settings);
    connect(status, &EngineStatus::retryRequested, this, &MainWindow::engineRetryRequested);
    side = new Sidebar(s.state, s.history, status);
    auto* divider = new QWidget;
    divider->setFixedWidth(1);
    divider->setObjectName("divider");
    stack->setObjectName("canvas");
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(side);
    row->addWidget(divider);
    row->addWidget(stack, 1);
    addPages();
    addShortcuts();
    connect(&s.state, &UIState::tabChanged, this, &MainWindow::showTab);
    showTab();
    restyle();
}

void MainWindow::addPages() {
    auto* home =
        new HomePage(s.history, s.settings, s.state, s.scheduler, {s.trayAvailable, s.animated});
    connect(home, &HomePage::desktopSettingsRequested, this, &MainWindow::desktopSettingsRequested);
    pages.insert(Tab::home, home);
    pages.insert(Tab::history, new HistoryPage(s.history, s.settings, s.state, s.scheduler));
    pages.insert(Tab::meetings, s.makeCallsPage ? s.makeCallsPage() : new QWidget);
    pages.insert(Tab::vocabulary, new VocabularyPage(s.settings));
    auto* settings = new SettingsPage({s.settings, s.hotKey, s.keys, s.inputDevices,
                                       s.polishAvailable, s.voicesLearned, s.dataFolder});
    connect(settings, &SettingsPage::forgetVoicesRequested, this,
            &MainWindow::forgetVoicesRequested);
    connect(settings, &SettingsPage::aboutRequested, this, &MainWindow::showAbout);
    pages.insert(Tab::settings, settings);
    for (Tab tab : Tabs::allCases())
        stack->addWidget(pages.value(tab));
}

void MainWindow::addShortcuts() {
    const auto shortcut = [this](const char* keys, auto action) {
        connect(new QShortcut(QKeySequence(QString::fromLatin1(keys)), this),
                &QShortcut::activated, this, action);
    };
    shortcut("Ctrl+,", [this] { s.state.setTab(Tab::settings); });
    shortcut("Ctrl+Q", [this] { emit quitRequested(); });
    shortcut("Ctrl+W", [this] { hide(); });
    shortcut("Ctrl+M", [this] { showMinimized(); });
}

void MainWindow::showTab() {
    stack->setCurrentWidget(pages.value(s.state.tab()));
}

void MainWindow::restyle() {
    const QString wanted = windowSheet();
    if (wanted == sheet)
        return;
    sheet = wanted;
    setStyleSheet(sheet);
}

void MainWindow::applyTaskbar() {
    if (!s.skipTaskbar || QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    s.skipTaskbar(winId(), !s.settings.showInDock());
}

void MainWindow::showAbout() {
    QMessageBox box(this);
    box.setWindowTitle(tr("About Voxmere"));
    box.setIconPixmap(QPixmap::fromImage(AppIcon::render(96)));
    box.setTextFormat(Qt::PlainText);
    box.setText(QStringLiteral("Voxmere %1").arg(QCoreApplication::applicationVersion()).trimmed());
    box.setInformativeText(tr("Dictation and call notes, on this computer."));
    box.exec();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
}

void MainWindow::showEvent(QShowEvent* event) {
    applyTaskbar();
    QWidget::showEvent(event);
}

void MainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange)
        restyle();
    QWidget::changeEvent(event);
}
