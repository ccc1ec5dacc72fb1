#pragma once

#include "app/DictationController.h"
#include "audio/Mic.h"
#include "delivery/Overlay.h"
#include "engine/DictationGate.h"
#include "history/History.h"
#include "platform/Windows.h"
#include "support/FakeEscapeWatch.h"
#include "support/FakeMicCapture.h"
#include "support/ManualScheduler.h"
#include "support/TempSettings.h"

#include <QTemporaryDir>

#include <deque>

// A dictation controller on manual time, with a microphone fed by the test, an engine whose
// replies the test gives, and the focus, paste and tray recorded instead of done.
struct DictationRig {
    struct Request {
        QByteArray wav;
        QString prompt;
        DictationServices::Reply done;
        qsizetype samples() const { return (wav.size() - 44) / 2; }
    };

    class FakeWindows : public Windows {
      public:
        std::optional<WindowInfo> front = WindowInfo{"focusapp", "Focusapp", 42, "focusapp"};
        std::optional<WindowInfo> frontmost() override { return front; }
        QList<WindowInfo> all() override { return front ? QList{*front} : QList<WindowInfo>{}; }
    };

    TempSettings temp;
    Settings& settings = temp.settings;
    ManualScheduler time;
    ManualScheduler pool;
    FakeMicCapture* capture = new FakeMicCapture;
    Mic mic{time, std::unique_ptr<MicCapture>(capture), MicMode::off, ""};
    DictationGate gate;
    FakeEscapeWatch escape;
    QStringList copies;
    Overlay overlay{{settings, time, escape, [this](QString t) { copies << t; }}};
    QTemporaryDir dir;
    History history{dir.filePath("history.json"), time};
    FakeWindows windows;

    std::vector<Request> requests;
    std::vector<IconState> icons;
    QStringList pastes;
    int sounds = 0;
    int menus = 0;
    bool trusted = true;
    // Answers of the focus query, in turn; the last one repeats.
    std::deque<FocusState> focus{FocusState::editable};
    bool polishable = false;

    DictationServices services() {
        return {
            settings,
            mic,
            [this](const QByteArray& wav, const QString& prompt, DictationServices::Reply done) {
                requests.push_back({wav, prompt, std::move(done)});
            },
            gate,
            overlay,
            history,
            windows,
            time,
            time,
            pool,
            [this] { return trusted; },
            [this] {
                const FocusState state = focus.front();
                if (focus.size() > 1)
                    focus.pop_front();
                return state;
            },
            [] {},
            [this](const QString& text) { pastes << text; },
            [this](const QString& text) { copies << text; },
            [this] { return polishable; },
            [](const QString& text, const QStringList&) { return "Polished: " + text; },
            [this] { ++sounds; }};
    }

    DictationController controller{services()};

    DictationRig() {
        history.waitForLoad();
        mic.setTestFeed(true);
        QObject::connect(&controller, &DictationController::iconChanged,
                         [this](IconState state) { icons.push_back(state); });
        // The tray's menu follows the history.
        QObject::connect(&history, &History::changed, [this] { ++menus; });
    }

    // Audio arriving while recording: a steady tone loud enough to count as speech.
    void speak(qsizetype samples, int16_t amplitude = 8000) {
        std::vector<int16_t> chunk(static_cast<size_t>(samples));
        for (size_t i = 0; i < chunk.size(); ++i)
            chunk[i] = int16_t(i % 2 ? amplitude : -amplitude);
        mic.injectForTest(std::move(chunk));
    }

    // The engine answers request `n`; the reply reaches the GUI thread.
    void answer(size_t n, std::optional<QString> text) {
        requests.at(n).done(std::move(text));
        time.advance(0);
    }

    OverlayModel::Phase phase() const { return overlay.model.phase(); }
};
