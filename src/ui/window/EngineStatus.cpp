#include "ui/window/EngineStatus.h"

#include "settings/Settings.h"
#include "system/Net.h"
#include "ui/widgets/Brand.h"
#include "uistate/UIState.h"

#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace {
QLabel* small(const QString& text = {}) {
    auto* label = new QLabel(text);
    QFont f = label->font();
    f.setPixelSize(11);
    label->setFont(f);
    label->setWordWrap(true);
    return label;
}

QVBoxLayout* column(QWidget* widget) {
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    return layout;
}
} // namespace

EngineStatus::EngineStatus(UIState& state, const Settings& settings, QWidget* parent)
    : QWidget(parent), state(state), settings(settings), download(downloadView()),
      failed(failedView()), engine(engineView()) {
    auto* layout = column(this);
    for (QWidget* view : {download, failed, engine})
        layout->addWidget(view);
    for (auto signal : {&UIState::modelProgressChanged, &UIState::modelFailedChanged,
                        &UIState::engineReadyChanged})
        connect(&state, signal, this, &EngineStatus::refresh);
    refresh();
}

QString EngineStatus::progressText(double fraction) {
    // A little slack so a fraction like 0.29, stored as 0.28999…, still reads 29.
    const int whole = int(std::floor(fraction * 100 + 1e-9));
    return tr("Downloading speech model… %1%").arg(whole);
}

QWidget* EngineStatus::downloadView() {
    auto* view = new QWidget;
    auto* layout = column(view);
    progressLabel = small();
    bar = new QProgressBar;
    bar->setFixedSize(150, 6);
    bar->setTextVisible(false);
    bar->setRange(0, 1000);
    auto* caption = small(tr("574 MB, once. Then everything runs on this computer."));
    caption->setProperty("secondary", true);
    layout->addWidget(progressLabel);
    layout->addWidget(bar);
    layout->addWidget(caption);
    return view;
}

QWidget* EngineStatus::failedView() {
    auto* view = new QWidget;
    auto* layout = column(view);
    failedLabel = small(tr("Couldn't download the speech model"));
    auto* retry = new QPushButton(tr("Try again"));
    retry->setProperty("small", true);
    connect(retry, &QPushButton::clicked, this, &EngineStatus::retryRequested);
    layout->addWidget(failedLabel);
    layout->addWidget(retry, 0, Qt::AlignLeft);
    return view;
}

QWidget* EngineStatus::engineView() {
    auto* view = new QWidget;
    auto* layout = column(view);
    auto* line = new QHBoxLayout;
    line->setSpacing(6);
    dot = new QLabel;
    dot->setFixedSize(8, 8);
    engineLabel = small();
    line->addWidget(dot);
    line->addWidget(engineLabel, 1);
    uploadedLabel = small();
    uploadedLabel->setProperty("secondary", true);
    uploadedLabel->setToolTip(tr("Bytes Voxmere has sent to anything outside this computer. The "
                                 "speech model download only receives."));
    layout->addLayout(line);
    layout->addWidget(uploadedLabel);
    return view;
}

void EngineStatus::refresh() {
    if (const auto progress = state.modelProgress()) {
        progressLabel->setText(progressText(*progress));
        bar->setValue(int(std::clamp(*progress, 0.0, 1.0) * 1000));
        showOnly(download);
        return;
    }
    failedLabel->setStyleSheet(QStringLiteral("color: %1;").arg(Brand::css(Brand::orange())));
    if (state.modelFailed()) {
        showOnly(failed);
        return;
    }
    const bool ready = state.engineReady();
    dot->setStyleSheet(QStringLiteral("background: %1; border-radius: 4px;")
                           .arg(Brand::css(ready ? Brand::accent() : Brand::orange())));
    engineLabel->setText(ready ? tr("Whisper turbo · on this computer") : tr("Engine starting…"));
    uploadedLabel->setText(
        tr("Uploaded, ever: %1").arg(Net::uploadedText(settings.bytesUploaded())));
    showOnly(engine);
}

// Hidden views take no room, so the line is as tall as what it shows.
void EngineStatus::showOnly(QWidget* view) {
    for (QWidget* each : {download, failed, engine})
        each->setVisible(each == view);
}

// The count has no signal of its own; it only grows while a download runs, after which the
// window is opened or its state changes, so these moments are enough.
void EngineStatus::showEvent(QShowEvent* event) {
    refresh();
    QWidget::showEvent(event);
}

void EngineStatus::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange)
        refresh();
    QWidget::changeEvent(event);
}
