#pragma once

#include <QColor>
#include <QString>

// The colour of a speaker everywhere on the calls pages: "You", then eight colours that cycle
// through S1, S2, …; every other key is drawn as the far side.
QColor speakerColor(const QString& key);
