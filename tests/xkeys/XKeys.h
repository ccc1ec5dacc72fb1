#pragma once

#include <QStringList>

// Runs the xkeys helper: "+Alt_R" presses, "-Alt_R" releases, "Tab" taps. True when it ran.
bool sendKeys(const QStringList& keys);
