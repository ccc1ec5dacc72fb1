#pragma once

#include <QStringList>

#include <optional>

class MeetingStore;
class QWidget;
class SpeakerKey;
struct Meeting;
struct MeetingLine;

// The questions the call page asks before it changes a meeting. Each is an application-modal
// alert; "Cancel" changes nothing.
namespace MeetingDialogs {

// Renames a speaker everywhere in the call; a name another speaker has merges the two.
void askRename(QWidget* parent, MeetingStore& store, const Meeting& m, const SpeakerKey& key,
               const QStringList& names);
void askEditLine(QWidget* parent, MeetingStore& store, const Meeting& m, const MeetingLine& line);
// The number of people on the far side: none for "let Voxmere decide", or no answer at all when
// the user cancelled.
std::optional<std::optional<int>> askSpeakerCount(QWidget* parent);
bool confirmRetranscribe(QWidget* parent);

} // namespace MeetingDialogs
