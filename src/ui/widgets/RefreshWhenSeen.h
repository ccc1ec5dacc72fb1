#pragma once

#include <QObject>

#include <functional>

class QWidget;

// Keeps a view in step with data that changes while nobody looks at it: a change refreshes the
// view at once while it is on screen, otherwise when it is next shown. A dictation landing in a
// long history then costs the hidden window nothing on the way to the paste.
class RefreshWhenSeen : public QObject {
  public:
    RefreshWhenSeen(QWidget* view, std::function<void()> refresh);

    void changed();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* view;
    std::function<void()> refresh;
    bool stale = true;
};
