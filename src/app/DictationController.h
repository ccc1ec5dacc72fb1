#pragma once

#include "app/DictationFinisher.h"
#include "app/DictationRecording.h"
#include "app/DictationServices.h"
#include "app/IconState.h"

#include <QObject>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

// Turns hotkey presses into recordings and recordings into text. The main key works in one of
// three styles (hold or tap, press to start and stop, hold only), the hands-free key always
// toggles, and a modifier key combined with another key cancels. Long recordings go to the
// engine in pieces of up to 24 s cut at the quietest moment, so only the last piece is left to
// wait for at release. Every operation runs on the GUI thread; engine replies hop back there.
class DictationController : public QObject {
    Q_OBJECT
  public:
    static constexpr double tapThreshold = 0.4;
    static constexpr double releaseGrace = 0.25;
    static constexpr qsizetype minimumSamples = 6400; // 0.4 s
    static constexpr double pieceCheck = 1.0;
    static constexpr qsizetype pieceTrigger = 384000; // 24 s
    static constexpr int firstCutWindow = 160, lastCutWindow = 239, cutWindow = 1600;
    static constexpr qsizetype tailThreshold = 8000; // 0.5 s
    static constexpr double modifierFeedbackDelay = 0.06;

    explicit DictationController(DictationServices services);
    ~DictationController() override;

    void keyDown();
    void keyUp();
    void handsFreeDown();
    void handsFreeUp();
    void cancelIfHolding(int slot);
    void startRecording();
    void stopAndTranscribe();
    void stopAfterGrace();
    void sendPieceIfLong();

    // The next recording to stop goes to `recipient` instead of being delivered.
    void sendNextTo(DictationFinisher::Recipient recipient) {
        nextRecipient = std::move(recipient);
    }

    bool isRecording() const { return recording; }
    bool isToggleMode() const { return toggleMode; }
    const std::optional<QString>& target() const { return targetApp; }
    DictationFinisher& finisher() { return finish; }

  signals:
    // What the tray icon shows of dictation.
    void iconChanged(IconState state);

  private:
    void sendPiece(const std::shared_ptr<DictationRecording>& take, int index);
    void startPieceTimer();
    void scheduleTick(quint64 generation);
    void giveFeedback(quint64 forSession);
    // The rest of a stop, once the recording's samples are in.
    void transcribe(const std::shared_ptr<DictationRecording>& take, qsizetype sent,
                    const std::vector<int16_t>& all, const std::optional<QString>& app,
                    const DictationFinisher::Recipient& recipient, quint64 started);
    void resendFailed(const std::shared_ptr<DictationRecording>& take);
    void discard();
    void waiterRan(const std::shared_ptr<DictationRecording>& take, double seconds,
                   const QStringList& words, const std::optional<QString>& app,
                   const DictationFinisher::Recipient& recipient, quint64 started);
    std::optional<QString> frontmostName() const;

    DictationServices s;
    DictationFinisher finish;

    bool recording = false;
    double pressedAt = 0;
    bool toggleMode = false;
    bool handsFreePressed = false;
    std::optional<QString> targetApp;
    quint64 releaseToken = 0;
    quint64 session = 0;
    quint64 pieceSession = 0;
    qsizetype piecesSent = 0;
    quint64 pieceTimer = 0; // a tick whose generation has moved on does nothing
    std::shared_ptr<DictationRecording> current;
    DictationFinisher::Recipient nextRecipient;
};
