#pragma once

#include <QString>
#include <QStringList>
#include <QUuid>

#include <functional>
#include <optional>

class MeetingLevels;
class MeetingStore;
class Scheduler;
class UIState;
struct Meeting;

// What the recorder and the after-call tools are doing right now, read fresh on every change.
struct CallActivity {
    bool isRecording = false;
    bool finishing = false;
    bool engineTrouble = false;
    bool systemAudioOK = true;
    std::optional<QUuid> meetingID;
    std::optional<QUuid> rerunID;
    double rerunProgress = 0;
    std::optional<QUuid> speakersID;
    std::optional<QUuid> splittingID;

    bool recordingOrFinishing() const { return isRecording || finishing; }
    // The after-call tools start only when nothing else works on any meeting.
    bool idle() const {
        return !rerunID && !speakersID && !splittingID && !recordingOrFinishing();
    }
    bool live(const QUuid& id) const { return meetingID == id && recordingOrFinishing(); }
    bool busy(const QUuid& id) const { return rerunID == id || speakersID == id; }
};

// Everything the calls pages read beyond the store, given by whoever builds them, so the pages
// work the same over the real recorder, demo data and a test's stand-ins. What the user asks of
// the recorder and the tools goes out as the page's signals.
struct CallServices {
    MeetingStore& store;
    UIState& state;
    Scheduler& scheduler;
    std::function<CallActivity()> activity;
    std::function<QStringList()> names;
    std::function<QStringList(const QUuid&)> files;
    std::function<QString(const Meeting&)> audioKeptText;
    std::function<bool()> speakersAvailable;
    // Who is talking during a call; without it the page shows no "listening" rows.
    MeetingLevels* levels = nullptr;
};
