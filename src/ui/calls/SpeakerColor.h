#pragma once

#include <QColor>

class SpeakerKey;

// The colour of a speaker everywhere on the calls pages: the user's own, then eight colours that
// cycle through the numbered speakers S1, S2, …; every other key is drawn as the far side.
QColor speakerColor(const SpeakerKey& key);
