#include "ui/pages/HotkeyRecorder.h"

#include "platform/KeyWatcher.h"
#include "settings/ModifierKeys.h"
#include "settings/Settings.h"
#include "system/HotKey.h"
#include "system/KeyTables.h"
#include "system/X11KeyCodes.h"
#include "ui/widgets/Brand.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

namespace {

QPixmap redDot() {
    QPixmap dot(20, 20);
    dot.setDevicePixelRatio(2);
    dot.fill(Qt::transparent);
    QPainter p(&dot);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Brand::recording());
    p.drawEllipse(QRectF(1, 1, 8, 8));
    return dot;
}

quint64 macFlags(Qt::KeyboardModifiers modifiers) {
    quint64 flags = 0;
    if (modifiers & Qt::ShiftModifier)
        flags |= MacFlags::shift;
    if (modifiers & Qt::ControlModifier)
        flags |= MacFlags::control;
    if (modifiers & Qt::AltModifier)
        flags |= MacFlags::option;
    if (modifiers & Qt::MetaModifier)
        flags |= MacFlags::command;
    return flags;
}

} // namespace

HotkeyRecorder::HotkeyRecorder(int slot, Settings& settings, HotKey& hotKey, KeyWatcher& keys,
                               QWidget* parent)
    : QWidget(parent), beep([] { QApplication::beep(); }), slot(slot), settings(settings),
      hotKey(hotKey), keys(keys), button(new QPushButton(this)), remove(new QToolButton(this)),
      dot(new QLabel), cap(new QLabel), caption(new QLabel) {
    dot->setPixmap(redDot());
    cap->setStyleSheet("QLabel { border: 1px solid palette(mid); border-radius: 4px; "
                       "background: palette(base); padding: 1px 7px; font-weight: 600; }");
    auto* inside = new QHBoxLayout(button);
    inside->setContentsMargins(10, 4, 12, 4);
    inside->setSpacing(8);
    inside->addWidget(dot);
    inside->addWidget(cap);
    inside->addWidget(caption);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(button);
    row->addWidget(remove);
    remove->setText(QStringLiteral("✕"));
    remove->setToolTip(tr("Remove this key"));
    connect(button, &QPushButton::clicked, this, [this] { listen.listening() ? stop() : start(); });
    connect(remove, &QToolButton::clicked, this, [this] { this->settings.setBinding(1, {}); });
    connect(&settings, &Settings::changed, this, &HotkeyRecorder::refresh);
    connect(&listen, &HotkeyListenState::listeningChanged, this, &HotkeyRecorder::refresh);
    refresh();
}

HotkeyRecorder::~HotkeyRecorder() {
    if (listen.listening())
        stop();
}

void HotkeyRecorder::refresh() {
    const KeyBinding b = settings.binding(slot);
    const bool listening = listen.listening();
    dot->setVisible(listening);
    cap->setVisible(!listening && b.isSet());
    cap->setText(b.display());
    if (listening)
        caption->setText(tr("Press a key…"));
    else
        caption->setText(b.isSet() ? tr("Change") : tr("+  Set a key"));
    button->setMinimumSize(button->layout()->sizeHint());
    remove->setVisible(slot == 1 && b.isSet() && !listening);
}

void HotkeyRecorder::start() {
    listen.candidate.reset();
    listen.setListening(true);
    // The current keys must not fire while the new one is pressed.
    hotKey.unregister();
    if (!filtering)
        qApp->installEventFilter(this);
    filtering = true;
}

void HotkeyRecorder::stop() {
    listen.setListening(false);
    if (filtering)
        qApp->removeEventFilter(this);
    filtering = false;
    hotKey.registerKeys();
}

void HotkeyRecorder::commit(const KeyBinding& binding) {
    store(binding, binding.sameKey(settings.binding(1 - slot)));
    stop();
}

void HotkeyRecorder::store(const KeyBinding& binding, bool duplicate) {
    if (duplicate) {
        beep();
        return;
    }
    settings.setBinding(slot, binding);
}

void HotkeyRecorder::keyDown(const KeyEvent& event) {
    if (!listen.listening())
        return;
    listen.candidate.reset();
    const quint32 mods = carbonMods(event.modifierFlags);
    if (event.keyCode == 53 && mods == 0) {
        stop();
        return;
    }
    if (mods == 0 && !fKeys().contains(event.keyCode)) {
        beep();
        return;
    }
    const KeyBinding binding{HotkeyKind::combo, 0, event.keyCode, mods, keyName(event)};
    const KeyBinding other = settings.binding(1 - slot);
    store(binding, other.mode == HotkeyKind::combo && other.keyCode == binding.keyCode &&
                       other.modifiers == binding.modifiers);
    stop();
}

void HotkeyRecorder::flagsChanged(quint16 keyCode, bool pressed) {
    if (!listen.listening() || !ModifierKeys::find(keyCode))
        return;
    if (pressed) {
        listen.candidate = keyCode;
        return;
    }
    if (listen.candidate != keyCode)
        return;
    const KeyBinding binding{HotkeyKind::modifier, keyCode, 0, 0, {}};
    const KeyBinding other = settings.binding(1 - slot);
    store(binding, other.mode == HotkeyKind::modifier && other.modKeyCode == binding.modKeyCode);
    stop();
}

bool HotkeyRecorder::eventFilter(QObject* watched, QEvent* event) {
    if (!listen.listening())
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::ShortcutOverride) {
        // Keep the application's own shortcuts from acting on the key being captured.
        event->accept();
        return true;
    }
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool pressed = event->type() == QEvent::KeyPress;
    unsigned long keysym = keys.keysymAt(int(key->nativeScanCode()));
    if (!keysym)
        keysym = key->nativeVirtualKey();
    const auto code = X11KeyCodes::macKeyCode(keysym);
    if (X11KeyCodes::isModifier(keysym)) {
        if (code && !key->isAutoRepeat())
            flagsChanged(*code, pressed);
        return false;
    }
    if (pressed) {
        if (code)
            keyDown({*code, macFlags(key->modifiers()), X11KeyCodes::characters(keysym)});
        else
            beep(); // a key no binding can name
    }
    return true;
}

void HotkeyRecorder::hideEvent(QHideEvent* event) {
    if (listen.listening())
        stop();
    QWidget::hideEvent(event);
}
