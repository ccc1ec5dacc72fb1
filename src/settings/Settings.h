#pragma once

#include "core/MicMode.h"
#include "settings/KeyBinding.h"
#include "settings/RecordMode.h"
#include "settings/Setting.h"
#include "settings/SettingKey.h"
#include "settings/Theme.h"
#include "text/VocabEntry.h"

#include <QList>
#include <QObject>
#include <QPoint>
#include <QPointF>
#include <QSettings>

#include <memory>
#include <optional>

// Every stored preference, each declared once below with its name in the file and its fallback.
// A setter makes the value current, writes it to the store, then announces it through `changed`;
// what a setting does elsewhere (the microphone, the hotkeys, the login item…) is connected by
// start-up to that signal, so this store depends on nothing above it. Used on the main thread.
class Settings : public QObject {
    Q_OBJECT
  public:
    explicit Settings(std::unique_ptr<QSettings> store);

    // No "launchAtLogin" was stored when this store was opened: start-up installs the login item.
    bool firstRun() const { return firstRun_; }

    static QList<VocabEntry> sampleVocab();

    QString language() const { return language_.value; }
    bool removeFillers() const { return removeFillers_.value; }
    bool aiPolish() const { return aiPolish_.value; }
    bool showOverlay() const { return showOverlay_.value; }
    QString micDevice() const { return micDevice_.value; }
    MicMode micMode() const { return micMode_.value; }
    RecordMode recordMode() const { return recordMode_.value; }
    Theme appearance() const { return appearance_.value; }
    bool showInDock() const { return showInDock_.value; }
    bool offerCallRecording() const { return offerCallRecording_.value; }
    bool echoCancel() const { return echoCancel_.value; }
    bool showCallPill() const { return showCallPill_.value; }
    qint64 callAudioDays() const { return callAudioDays_.value; }
    bool findSpeakers() const { return findSpeakers_.value; }
    bool recogniseVoices() const { return recogniseVoices_.value; }
    bool playSounds() const { return playSounds_.value; }
    bool saveHistory() const { return saveHistory_.value; }
    bool launchAtLogin() const { return launchAtLogin_.value; }
    QList<VocabEntry> vocab() const { return vocab_.value; }
    // Bytes ever sent to anything outside this computer.
    qint64 bytesUploaded() const { return bytesUploaded_.value; }
    bool callPillMini() const { return callPillMini_.value; }
    bool callPillTall() const { return callPillTall_.value; }
    // Where the dictation overlay was dragged to: the middle of its bottom edge.
    std::optional<QPointF> overlayPosition() const;
    // Where the call strip was left: its top-right corner.
    std::optional<QPoint> callPillCorner() const;

    void setLanguage(const QString& language);
    void setRemoveFillers(bool on);
    void setAiPolish(bool on);
    void setShowOverlay(bool on);
    void setMicDevice(const QString& uid);
    void setMicMode(MicMode mode);
    void setRecordMode(RecordMode mode);
    void setAppearance(Theme theme);
    void setShowInDock(bool on);
    void setOfferCallRecording(bool on);
    void setEchoCancel(bool on);
    void setShowCallPill(bool on);
    void setCallAudioDays(qint64 days);
    void setFindSpeakers(bool on);
    void setRecogniseVoices(bool on);
    void setPlaySounds(bool on);
    void setSaveHistory(bool on);
    void setLaunchAtLogin(bool on);
    void setVocab(const QList<VocabEntry>& entries);
    void setBytesUploaded(qint64 bytes);
    void setCallPillMini(bool on);
    void setCallPillTall(bool on);
    void setOverlayPosition(QPointF bottomCentre);
    void forgetOverlayPosition();
    void setCallPillCorner(QPoint topRight);

    // Slot 0 is the dictation key; every other slot reads and writes the hands-free key.
    KeyBinding binding(int slot) const;
    void setBinding(int slot, const KeyBinding& b);
    QString hotkeyDisplay() const;
    std::optional<QString> handsFreeDisplay() const;
    // Whether a change of `key` moves a global key (a label only changes how it is shown).
    bool movesAGlobalKey(SettingKey key) const;

  signals:
    // After every set, once the value is stored; also when the value is the same, so choosing
    // a device or mode again puts right one that went astray.
    void changed(SettingKey key);

  private:
    // The keys of one binding, in the order `setBinding` writes them.
    struct BindingSettings {
        Setting<QString> keyLabel;
        Setting<quint32> modifiers;
        Setting<quint32> keyCode;
        Setting<qint64> modKeyCode;
        Setting<HotkeyKind> mode;
    };

    void load();
    template <typename... T> void read(Setting<T>&... settings);
    template <typename T> void set(Setting<T>& setting, const T& value);
    BindingSettings& slotSettings(int slot);
    const BindingSettings& slotSettings(int slot) const;

    std::unique_ptr<QSettings> store_;
    bool firstRun_ = false;

    BindingSettings dictationKey{
        {SettingKey::keyLabel, "keyLabel", QStringLiteral("Space")},
        {SettingKey::modifiers, "modifiers", 2048}, // option
        {SettingKey::keyCode, "keyCode", 49},       // Space
        {SettingKey::modKeyCode, "modKeyCode", 61}, // Right Option
        {SettingKey::hotkeyMode, "hotkeyMode", HotkeyKind::modifier}};
    BindingSettings handsFreeKey{{SettingKey::hk2KeyLabel, "hk2KeyLabel", QString()},
                                 {SettingKey::hk2Modifiers, "hk2Modifiers", 0},
                                 {SettingKey::hk2KeyCode, "hk2KeyCode", 0},
                                 {SettingKey::hk2ModKeyCode, "hk2ModKeyCode", 0},
                                 {SettingKey::hk2Mode, "hk2Mode", HotkeyKind::none}};
    Setting<QString> language_{SettingKey::language, "language", QStringLiteral("en")};
    Setting<bool> removeFillers_{SettingKey::removeFillers, "removeFillers", true};
    Setting<bool> aiPolish_{SettingKey::aiPolish, "aiPolish", true};
    Setting<bool> showOverlay_{SettingKey::showOverlay, "showOverlay", true};
    Setting<QString> micDevice_{SettingKey::micDevice, "micDevice", QString()};
    Setting<MicMode> micMode_{SettingKey::micMode, "micMode", MicMode::always};
    Setting<RecordMode> recordMode_{SettingKey::recordMode, "recordMode", RecordMode::smart};
    Setting<Theme> appearance_{SettingKey::appearance, "appearance", Theme::system};
    Setting<bool> showInDock_{SettingKey::showInDock, "showInDock", true};
    Setting<bool> offerCallRecording_{SettingKey::offerCallRecording, "offerCallRecording", true};
    Setting<bool> echoCancel_{SettingKey::echoCancel, "echoCancel", true};
    Setting<bool> showCallPill_{SettingKey::showCallPill, "showCallPill", true};
    Setting<qint64> callAudioDays_{SettingKey::callAudioDays, "callAudioDays", 30};
    Setting<bool> findSpeakers_{SettingKey::findSpeakers, "findSpeakers", true};
    Setting<bool> recogniseVoices_{SettingKey::recogniseVoices, "recogniseVoices", true};
    Setting<bool> playSounds_{SettingKey::playSounds, "playSounds", true};
    Setting<bool> saveHistory_{SettingKey::saveHistory, "saveHistory", true};
    Setting<bool> launchAtLogin_{SettingKey::launchAtLogin, "launchAtLogin", true};
    // Stored the first time the list is set, not before.
    Setting<QList<VocabEntry>> vocab_{SettingKey::vocab, "vocab", sampleVocab()};
    Setting<qint64> bytesUploaded_{SettingKey::bytesUploaded, "bytesUploaded", 0};
    Setting<std::optional<double>> overlayX_{SettingKey::overlayX, "overlayX", std::nullopt};
    Setting<std::optional<double>> overlayY_{SettingKey::overlayY, "overlayY", std::nullopt};
    Setting<bool> callPillMini_{SettingKey::callPillMini, "callPillMini", false};
    Setting<bool> callPillTall_{SettingKey::callPillTall, "callPillTall", false};
    Setting<std::optional<double>> callPillRight_{SettingKey::callPillRight, "callPillRight",
                                                  std::nullopt};
    Setting<std::optional<double>> callPillTop_{SettingKey::callPillTop, "callPillTop",
                                                std::nullopt};
};
