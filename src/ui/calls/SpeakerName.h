#pragma once

#include <QString>

class SpeakerKey;
struct Meeting;

// The name the window shows for a speaker: the name the user gave, else the one their voice
// suggested, else the speaker's own name in the user's language ("You", "Them", "Speaker 2").
QString speakerName(const Meeting& m, const SpeakerKey& key);
// A speaker's own name, for the places that show a side before any name is given.
QString speakerName(const SpeakerKey& key);
