#include "ui/calls/SpeakerName.h"

#include "meetings/Meeting.h"

#include <QCoreApplication>

QString speakerName(const Meeting& m, const SpeakerKey& key) {
    return m.givenName(key).value_or(speakerName(key));
}

QString speakerName(const SpeakerKey& key) {
    if (key.isYou())
        return QCoreApplication::translate("SpeakerName", "You");
    if (key.isThem())
        return QCoreApplication::translate("SpeakerName", "Them");
    if (const auto n = key.number())
        return QCoreApplication::translate("SpeakerName", "Speaker %1").arg(*n);
    // A key this version doesn't know is shown as the record spells it.
    return key.stored();
}
