#pragma once

#include "meetings/MeetingLine.h"

#include <QWidget>

#include <functional>

class MeetingStore;
class SpeakerKey;
struct Meeting;

// One line of a call's transcript: when, who, and what was said. `editable` is false while the
// call is live or a tool rewrites it; the speaker is then plain text and there is no menu.
class MeetingLineRow : public QWidget {
    Q_OBJECT
  public:
    struct Actions {
        std::function<void(const SpeakerKey& key)> rename;
        std::function<void()> edit;
        std::function<void()> remove;
    };
    MeetingLineRow(MeetingStore& store, const Meeting& m, const MeetingLine& line, bool live,
                   bool editable, Actions actions, QWidget* parent = nullptr);
    // The line as the row shows it.
    const MeetingLine& line() const { return shown; }

  private:
    MeetingLine shown;
};
