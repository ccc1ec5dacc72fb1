#pragma once

#include "meetings/SpeakerKey.h"

#include <QToolButton>

class MeetingStore;
struct Meeting;
struct MeetingLine;

// The speaker's name at the start of a line: who said it, renaming that speaker, and the line's
// own edit and delete.
class SpeakerMenu : public QToolButton {
    Q_OBJECT
  public:
    SpeakerMenu(MeetingStore& store, const Meeting& m, const MeetingLine& line,
                QWidget* parent = nullptr);
    // The name as shown: a guess carries "?".
    static QString label(const Meeting& m, const SpeakerKey& key);
    // A menu would read "&" as a shortcut marker.
    static QString escaped(const QString& text);

  signals:
    // The user wants to name this speaker everywhere in the call.
    void renameRequested(const SpeakerKey& key);
    void editRequested();
};
