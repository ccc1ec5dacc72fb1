#pragma once

#include "delivery/FocusState.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class Clock;
class DictationGate;
class History;
class Mic;
class Overlay;
class Scheduler;
class Settings;
class Windows;

// What dictation needs of the rest of the application. Start-up passes the real services;
// tests pass fakes at the edges (the engine, the focus query, the paste key, the sounds).
struct DictationServices {
    using Reply = std::function<void(std::optional<QString>)>;

    Settings& settings;
    Mic& mic;
    // One piece to the engine, as a dictation sends it; the reply may come on any thread.
    std::function<void(const QByteArray& wav, const QString& prompt, Reply done)> transcribe;
    DictationGate& gate;
    Overlay& overlay;
    History& history;
    Windows& windows;
    Clock& clock;
    // Runs work on the GUI thread, later.
    Scheduler& main;
    // Runs blocking work (polishing) off the GUI thread.
    Scheduler& work;

    std::function<bool()> trusted;
    std::function<FocusState()> focusedFieldState;
    std::function<void()> prewarmAccessibility;
    std::function<void(const QString&)> paste;
    std::function<void(const QString&)> copyToClipboard;
    std::function<bool()> polishAvailable;
    std::function<QString(const QString&, const QStringList&)> polish;
    std::function<void()> playStartSound;
};
