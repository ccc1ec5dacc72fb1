#pragma once

#include "settings/KeyBinding.h"
#include "system/HotkeyListenState.h"
#include "system/KeyEvent.h"

#include <QWidget>

#include <functional>

class HotKey;
class QLabel;
class QPushButton;
class QToolButton;
class Settings;
class KeyWatcher;

// The settings control that captures a new global key for one slot. While it listens the global
// keys are suspended and every key pressed in this application is read here and consumed; a
// modifier key pressed and released alone is kept as a modifier binding. Hiding the control or
// closing its window ends the capture and brings the global keys back.
class HotkeyRecorder : public QWidget {
    Q_OBJECT
  public:
    HotkeyRecorder(int slot, Settings& settings, HotKey& hotKey, KeyWatcher& keys,
                   QWidget* parent = nullptr);
    ~HotkeyRecorder() override;

    void start();
    void stop();
    void commit(const KeyBinding& binding);

    // The capture rules, fed by this control's event filter (and directly by tests).
    void keyDown(const KeyEvent& event);
    void flagsChanged(quint16 keyCode, bool pressed);

    const HotkeyListenState& state() const { return listen; }
    // Refusing a key: the desktop's bell unless replaced.
    std::function<void()> beep;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void store(const KeyBinding& binding, bool duplicate);
    void refresh();

    const int slot;
    Settings& settings;
    HotKey& hotKey;
    KeyWatcher& keys;
    HotkeyListenState listen;
    QPushButton* button;
    QToolButton* remove;
    QLabel* dot;
    QLabel* cap;
    QLabel* caption;
    bool filtering = false;
};
