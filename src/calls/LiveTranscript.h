#pragma once

#include "calls/CallJob.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QUuid>

#include <functional>
#include <memory>
#include <optional>

class MeetingStore;
class Scheduler;
class Settings;

// Turns a call's jobs into transcript lines, on the main thread: each piece's text joins the
// draft line of its turn, and a turn's whole text then replaces it. Each request is primed with
// the end of the line it continues; texts the engine invents for silence or noise are dropped.
class LiveTranscript : public QObject {
    Q_OBJECT
  public:
    using Done = std::function<void(std::optional<QString>)>;
    // The engine client's transcribe: `done` runs once, on any thread.
    using Transcribe = std::function<void(const QByteArray& wav, const QString& prompt,
                                          int attempt, bool background, Done done)>;

    LiveTranscript(MeetingStore& store, Settings& settings, Scheduler& main,
                   Transcribe transcribe);
    ~LiveTranscript() override;

    // A new call: no open lines, no failures.
    void reset();
    // Transcribes the job into meeting `id` and calls `release` once it is handled.
    void handle(const CallJob& job, const std::optional<QUuid>& id, std::function<void()> release);
    // True when the text is real speech rather than something invented for noise.
    static bool keep(const QString& text, double seconds);
    // The text of at least 3 tokens is already in the context it was primed with: the engine
    // repeating its prompt back.
    static bool repeats(const QString& context, const QString& text);
    QString context(const CallJob& job, const QUuid& id) const;

    // Two or more requests in a row came back without text.
    bool engineTrouble() const { return trouble; }
    // Some request of this call failed, so some words are missing from the transcript.
    bool lostWords() const { return lost; }

  signals:
    void troubleChanged(bool trouble);

  private:
    struct Result {
        CallJob job;
        QUuid id;
        QString context;
        std::optional<QString> text;
    };
    void handleResult(const Result& r);
    void addDraft(const CallJob& job, const QString& text, const QUuid& id);
    void finish(const CallJob& job, const std::optional<QString>& text, const QUuid& id);
    static QString continuing(const QString& line, const QString& text);

    MeetingStore& store;
    Settings& settings;
    Scheduler& main;
    Transcribe transcribe;
    QHash<QUuid, QUuid> lineFor;
    int failStreak = 0;
    bool trouble = false;
    bool lost = false;
};
