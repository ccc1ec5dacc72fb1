#pragma once

#include <QToolButton>

class MeetingStore;
class SpeakerKey;
struct Meeting;
struct MeetingLine;

// The speaker's name at the start of a line: who said it, renaming that speaker, and the line's
// own edit and delete.
class SpeakerMenu : public QToolButton {
    Q_OBJECT
  public:
    SpeakerMenu(MeetingStore& store, const Meeting& m, const MeetingLine& line,
                std::function<void(const SpeakerKey& key)> rename, std::function<void()> editLine,
                QWidget* parent = nullptr);
    // The name as shown: a guess carries "?".
    static QString label(const Meeting& m, const SpeakerKey& key);
    // A menu would read "&" as a shortcut marker.
    static QString escaped(const QString& text);
};
