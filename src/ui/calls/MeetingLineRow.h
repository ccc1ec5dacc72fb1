#pragma once

#include "meetings/MeetingLine.h"

#include <QWidget>

class MeetingStore;
struct Meeting;

// One line of a call's transcript: when, who, and what was said. `editable` is false while the
// call is live or a tool rewrites it; the speaker is then plain text and there is no menu.
class MeetingLineRow : public QWidget {
    Q_OBJECT
  public:
    MeetingLineRow(MeetingStore& store, const Meeting& m, const MeetingLine& line, bool live,
                   bool editable, QWidget* parent = nullptr);
    // The line as the row shows it.
    const MeetingLine& line() const { return shown; }

  signals:
    // The user wants to name this speaker everywhere in the call.
    void renameRequested(const SpeakerKey& key);
    void editRequested();
    void removeRequested();

  private:
    MeetingLine shown;
};
