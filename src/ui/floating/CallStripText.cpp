#include "ui/floating/CallStripText.h"

#include "meetings/Meeting.h"
#include "ui/widgets/Brand.h"
#include "ui/calls/CallServices.h"
#include "ui/widgets/WrapLabel.h"
#include "ui/calls/SpeakerName.h"

#include <QCoreApplication>
#include <QLabel>

namespace CallStripText {

std::optional<Latest> latest(const Meeting* m, const CallActivity& a, bool youTalking,
                             bool themTalking) {
    const MeetingLine* newest = nullptr;
    if (m)
        for (const MeetingLine& line : m->lines)
            if (!newest || line.last() > newest->last())
                newest = &line;
    const std::optional<SpeakerKey> talking = themTalking  ? std::optional(SpeakerKey::them())
                                              : youTalking ? std::optional(SpeakerKey::you())
                                                           : std::nullopt;
    if (a.isRecording && talking && !(newest && newest->draft.value_or(false)))
        return Latest{*talking, QCoreApplication::translate("CallStripText", "listening…"), true};
    if (newest)
        return Latest{newest->who, newest->text, false};
    return std::nullopt;
}

QString nothingYet(bool systemAudioOK) {
    return systemAudioOK ? QCoreApplication::translate("CallStripText", "Listening for speech…")
                         : QCoreApplication::translate("CallStripText",
                                                       "Only your side is being heard. Computer "
                                                       "audio can't be captured right now.");
}

QString engineTrouble(int callAudioDays) {
    return callAudioDays != 0
               ? QCoreApplication::translate("CallStripText",
                                             "Speech engine isn't responding. The audio is saved, "
                                             "so you can transcribe it again after the call.")
               : QCoreApplication::translate("CallStripText",
                                             "Speech engine isn't responding. Trying to restart "
                                             "it…");
}

QLabel* name(int pixelSize) {
    auto* label = new QLabel;
    label->setTextFormat(Qt::PlainText);
    QFont f = label->font();
    f.setPixelSize(pixelSize);
    f.setBold(true);
    label->setFont(f);
    return label;
}

namespace {
QLabel* white(QLabel* label, int pixelSize) {
    label->setTextFormat(Qt::PlainText);
    QFont f = label->font();
    f.setPixelSize(pixelSize);
    label->setFont(f);
    label->setStyleSheet(QStringLiteral("color: white;"));
    return label;
}
} // namespace

QLabel* text(int pixelSize) {
    return white(new QLabel, pixelSize);
}

QLabel* lineText(int pixelSize) {
    return white(new WrapLabel, pixelSize);
}

QLabel* note() {
    auto* label = text(11);
    label->setWordWrap(true);
    label->setStyleSheet(QStringLiteral("color: rgba(255, 255, 255, 140);"));
    return label;
}

void showSide(QLabel* label, const SpeakerKey& who) {
    label->setText(speakerName(who));
    restyle(label, "color: " +
                       Brand::css(who.isYou() ? Brand::youOnDark() : Brand::themOnDark()) + ";");
}

void restyle(QLabel* label, const QString& sheet) {
    if (label->styleSheet() != sheet)
        label->setStyleSheet(sheet);
}

} // namespace CallStripText
