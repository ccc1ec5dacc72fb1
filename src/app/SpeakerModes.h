#pragma once

#include <QStringList>
#include <QTextStream>

class Retranscriber;
class SpeakerFinder;

// The command-line modes that exercise speaker separation: on audio files beside a running
// Voxmere ("--speakers-test", "--voice-test"), and on a stored meeting as the one instance
// ("--find-speakers", "--retranscribe", 3 s after launch).
namespace SpeakerModes {
// Exit status 1 when the file can't be read.
int speakersTest(const QStringList& args, QTextStream& out);
int voiceTest(const QStringList& args, QTextStream& out);
// A well-formed meeting id follows the flag.
bool hasMeetingID(const QStringList& args, const QString& flag);
void findSpeakers(const QStringList& args, SpeakerFinder& finder);
void retranscribe(const QStringList& args, Retranscriber& retranscriber);
} // namespace SpeakerModes
