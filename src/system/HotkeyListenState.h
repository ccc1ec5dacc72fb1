#pragma once

#include <QObject>

#include <optional>

// The capture state of one key recorder. `candidate` is the modifier key pressed last while
// nothing else was: released alone, it becomes a modifier-only binding.
class HotkeyListenState : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

    bool listening() const { return listening_; }
    void setListening(bool value);

    std::optional<quint16> candidate;

  signals:
    void listeningChanged(bool listening);

  private:
    bool listening_ = false;
};
