#include "app/DictationController.h"

#include "audio/Mic.h"
#include "core/Clock.h"
#include "core/DebugLog.h"
#include "core/Scheduler.h"
#include "delivery/Overlay.h"
#include "engine/DictationGate.h"
#include "platform/Windows.h"
#include "settings/Settings.h"
#include "text/Vocabulary.h"

namespace {

// Sum of squared samples over each 0.1 s window between 16 s and 24 s: the cut goes in the
// middle of the quietest, the earliest on a tie, so it falls in a pause rather than a word.
qsizetype quietestCut(const std::vector<int16_t>& rest) {
    using C = DictationController;
    int best = C::firstCutWindow;
    double bestEnergy = -1;
    for (int w = C::firstCutWindow; w <= C::lastCutWindow; ++w) {
        double energy = 0;
        const size_t from = size_t(C::cutWindow) * size_t(w);
        for (size_t i = from; i < from + C::cutWindow; ++i) {
            const double x = rest[i] / 32768.0;
            energy += x * x;
        }
        if (bestEnergy < 0 || energy < bestEnergy) {
            best = w;
            bestEnergy = energy;
        }
    }
    return qsizetype(C::cutWindow) * best + C::cutWindow / 2;
}

} // namespace

DictationController::DictationController(DictationServices services)
    : s(std::move(services)), finish(s) {
    connect(&finish, &DictationFinisher::iconChanged, this, &DictationController::iconChanged);
}

DictationController::~DictationController() = default;

void DictationController::keyDown() {
    if (!recording) {
        pressedAt = s.clock.now();
        toggleMode = false;
        targetApp = frontmostName();
        startRecording();
    } else if (toggleMode) {
        stopAndTranscribe();
    } else {
        ++releaseToken; // a re-press within the grace: the pending stop won't run
    }
}

void DictationController::keyUp() {
    if (!recording || toggleMode)
        return;
    const RecordMode mode = s.settings.recordMode();
    if (mode == RecordMode::toggle)
        toggleMode = true;
    else if (mode == RecordMode::hold)
        stopAfterGrace();
    else if (s.clock.now() - pressedAt < tapThreshold)
        toggleMode = true;
    else
        stopAfterGrace();
}

void DictationController::handsFreeDown() {
    if (recording) {
        stopAndTranscribe();
        return;
    }
    pressedAt = s.clock.now();
    toggleMode = true;
    handsFreePressed = true;
    targetApp = frontmostName();
    startRecording();
}

void DictationController::handsFreeUp() {
    handsFreePressed = false;
}

void DictationController::cancelIfHolding(int slot) {
    if (!recording)
        return;
    if (slot != 0 && !handsFreePressed)
        return;
    if (slot == 0 && toggleMode)
        return;
    handsFreePressed = false;
    s.mic.stopSamples();
    ++pieceTimer;
    discard();
    recording = false;
    emit iconChanged(IconState::idle);
    s.overlay.hide(0);
}

void DictationController::stopAfterGrace() {
    const quint64 token = ++releaseToken;
    s.main.after(this, releaseGrace, [this, token] {
        if (recording && !toggleMode && releaseToken == token)
            stopAndTranscribe();
    });
}

void DictationController::startRecording() {
    s.mic.start();
    // An earlier dictation still at the engine is not pasted any more (the user has moved on),
    // but its pieces keep their own bookkeeping so what comes back can still be kept.
    if (current && !current->discarded && !current->waited())
        current->abandoned = true;
    current = std::make_shared<DictationRecording>(++pieceSession);
    piecesSent = 0;
    startPieceTimer();
    recording = true;
    // A delayed stop from before this press must not end the new recording.
    ++releaseToken;
    s.prewarmAccessibility();
    const quint64 started = ++session;
    const int slot = toggleMode && handsFreePressed ? 1 : 0;
    if (s.settings.binding(slot).mode == HotkeyKind::modifier)
        s.main.after(this, modifierFeedbackDelay, [this, started] { giveFeedback(started); });
    else
        giveFeedback(started);
}

void DictationController::giveFeedback(quint64 forSession) {
    if (!recording || session != forSession)
        return;
    emit iconChanged(IconState::recording);
    if (s.settings.playSounds() && s.playStartSound)
        s.playStartSound();
    s.overlay.show(OverlayModel::Phase::recording());
}

void DictationController::startPieceTimer() {
    scheduleTick(++pieceTimer);
}

void DictationController::scheduleTick(quint64 generation) {
    s.main.after(this, pieceCheck, [this, generation] {
        if (generation != pieceTimer)
            return;
        sendPieceIfLong();
        scheduleTick(generation);
    });
}

void DictationController::sendPieceIfLong() {
    if (!recording)
        return;
    std::vector<int16_t> rest = s.mic.recorded(piecesSent);
    if (qsizetype(rest.size()) < pieceTrigger)
        return;
    const qsizetype cut = quietestCut(rest);
    rest.resize(size_t(cut));
    sendPiece(current, current->add(std::move(rest)));
    piecesSent += cut;
}

void DictationController::sendPiece(const std::shared_ptr<DictationRecording>& take, int index) {
    const QString prompt = Vocabulary::prompt(s.settings.vocab(), take->context(index));
    s.gate.begin();
    s.transcribe(Mic::wav(take->piece(index).samples), prompt,
                 [self = QPointer<QObject>(this), &gate = s.gate, &main = s.main, take,
                  index](std::optional<QString> reply) {
                     gate.end();
                     main.after(self, 0, [take, index, reply] {
                         if (!take->discarded)
                             take->answer(index, reply);
                     });
                 });
}

void DictationController::stopAndTranscribe() {
    ++pieceTimer;
    recording = false;
    const DictationFinisher::Recipient recipient = std::exchange(nextRecipient, nullptr);
    // The last words may still be on their way from the sound server: the samples come when
    // they are all in, and a newer recording may have started by then.
    s.mic.stopSamples([this, self = QPointer<QObject>(this), take = current, sent = piecesSent,
                       app = targetApp, recipient, started = session](std::vector<int16_t> all) {
        if (self)
            transcribe(take, sent, all, app, recipient, started);
    });
}

void DictationController::transcribe(const std::shared_ptr<DictationRecording>& take,
                                     qsizetype sent, const std::vector<int16_t>& all,
                                     const std::optional<QString>& app,
                                     const DictationFinisher::Recipient& recipient,
                                     quint64 started) {
    if (take->discarded)
        return;
    const bool shown = take == current;
    if (qsizetype(all.size()) <= minimumSamples) {
        if (shown) {
            discard();
            emit iconChanged(IconState::idle);
            s.overlay.hide(0);
        } else {
            take->discarded = true;
        }
        return;
    }
    if (shown) {
        emit iconChanged(IconState::busy);
        s.overlay.show(OverlayModel::Phase::transcribing());
    }
    const QStringList words = Vocabulary::words(s.settings.vocab());
    resendFailed(take);
    const qsizetype tail = qsizetype(all.size()) - sent;
    if (tail > tailThreshold || take->count() == 0)
        sendPiece(take, take->add({all.begin() + std::max<qsizetype>(sent, 0), all.end()}));
    const double seconds = double(all.size()) / Mic::sampleRate;
    std::weak_ptr<DictationRecording> weak = take;
    take->wait([this, weak, seconds, words, app, recipient, started] {
        if (const auto recording = weak.lock())
            waiterRan(recording, seconds, words, app, recipient, started);
    });
}

// Pieces the engine failed on before the stop are sent once more: by now it has usually been
// restarted, and without them the dictation would be pasted with a hole in it.
void DictationController::resendFailed(const std::shared_ptr<DictationRecording>& take) {
    for (const int index : take->failedPieces()) {
        take->resend(index);
        sendPiece(take, index);
    }
}

void DictationController::discard() {
    ++pieceSession;
    if (current)
        current->discarded = true;
}

void DictationController::waiterRan(const std::shared_ptr<DictationRecording>& take,
                                    double seconds, const QStringList& words,
                                    const std::optional<QString>& app,
                                    const DictationFinisher::Recipient& recipient,
                                    quint64 started) {
    if (take->discarded)
        return;
    const QString text = take->joined();
    const int count = take->count();
    if (count > 1)
        debugLog(QStringLiteral("dictation %1s in %2 pieces").arg(int(seconds)).arg(count));
    const std::vector<int> failed = take->failedPieces();
    for (const int index : failed)
        debugLog(QStringLiteral("dictation piece failed %1 of %2").arg(index + 1).arg(count));
    if (take->abandoned) {
        if (!text.isEmpty()) {
            debugLog("dictation abandoned, kept in history");
            finish.keep(text, seconds, app);
        }
        return;
    }
    DictationFinisher::Request request;
    request.text = failed.empty() || !text.isEmpty() ? std::optional<QString>(text) : std::nullopt;
    request.dur = seconds;
    request.vocabWords = words;
    request.app = app;
    request.recipient = recipient;
    request.partLost = !failed.empty() && !text.isEmpty();
    // The finisher is this controller's own, so it never asks after the controller is gone.
    request.superseded = [this, started] { return recording || session != started; };
    finish.finishDictation(std::move(request));
}

std::optional<QString> DictationController::frontmostName() const {
    const auto window = s.windows.frontmost();
    if (!window || window->name.isEmpty())
        return std::nullopt;
    return window->name;
}
