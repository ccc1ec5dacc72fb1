#pragma once

#include "settings/KeyBinding.h"
#include "text/VocabEntry.h"

#include <QList>
#include <QObject>
#include <QSettings>

#include <functional>
#include <memory>
#include <optional>

// Every stored preference with its key and fallback. A setter makes the value current (observers
// are told through `changed`), writes it to the store, then runs its effect. Fallbacks live in
// code and are never written, so a later version can change a default for everyone who never
// chose. Effects on other subsystems are hooks that start-up connects, so this store depends on
// nothing above it. Used on the main thread.
class Settings : public QObject {
    Q_OBJECT
  public:
    explicit Settings(std::unique_ptr<QSettings> store);
    // The one the application builds at launch; set by start-up, cleared when it goes.
    static Settings& shared();
    static void setShared(Settings* settings);

    // No "launchAtLogin" was stored when this store was opened: start-up installs the login item.
    bool firstRun() const { return firstRun_; }

    // Start-up connects these; each runs after the matching setter has written its value.
    std::function<void()> onHotkeyChange;
    std::function<void()> onMicDeviceChange;
    std::function<void()> onMicModeChange;
    std::function<void()> onShowInDockChange;
    std::function<void()> onShowCallPillChange;
    std::function<void(const QString&)> appearanceApplier;
    std::function<void(bool)> onLaunchAtLoginChange;

    static bool snapshotMode;
    static QList<VocabEntry> sampleVocab();

    QString hotkeyMode() const { return hotkeyMode_; }
    qint64 modKeyCode() const { return modKeyCode_; }
    quint32 keyCode() const { return keyCode_; }
    quint32 modifiers() const { return modifiers_; }
    QString keyLabel() const { return keyLabel_; }
    QString hk2Mode() const { return hk2Mode_; }
    qint64 hk2ModKeyCode() const { return hk2ModKeyCode_; }
    quint32 hk2KeyCode() const { return hk2KeyCode_; }
    quint32 hk2Modifiers() const { return hk2Modifiers_; }
    QString hk2KeyLabel() const { return hk2KeyLabel_; }
    QString language() const { return language_; }
    bool removeFillers() const { return removeFillers_; }
    bool aiPolish() const { return aiPolish_; }
    bool showOverlay() const { return showOverlay_; }
    QString micDevice() const { return micDevice_; }
    QString micMode() const { return micMode_; }
    QString recordMode() const { return recordMode_; }
    QString appearance() const { return appearance_; }
    bool showInDock() const { return showInDock_; }
    bool offerCallRecording() const { return offerCallRecording_; }
    bool echoCancel() const { return echoCancel_; }
    bool showCallPill() const { return showCallPill_; }
    qint64 callAudioDays() const { return callAudioDays_; }
    bool findSpeakers() const { return findSpeakers_; }
    bool recogniseVoices() const { return recogniseVoices_; }
    bool playSounds() const { return playSounds_; }
    bool saveHistory() const { return saveHistory_; }
    bool launchAtLogin() const { return launchAtLogin_; }
    QList<VocabEntry> vocab() const { return vocab_; }

    void setHotkeyMode(const QString& v);
    void setModKeyCode(qint64 v);
    void setKeyCode(quint32 v);
    void setModifiers(quint32 v);
    void setKeyLabel(const QString& v);
    void setHk2Mode(const QString& v);
    void setHk2ModKeyCode(qint64 v);
    void setHk2KeyCode(quint32 v);
    void setHk2Modifiers(quint32 v);
    void setHk2KeyLabel(const QString& v);
    void setLanguage(const QString& v);
    void setRemoveFillers(bool v);
    void setAiPolish(bool v);
    void setShowOverlay(bool v);
    void setMicDevice(const QString& v);
    void setMicMode(const QString& v);
    void setRecordMode(const QString& v);
    void setAppearance(const QString& v);
    void setShowInDock(bool v);
    void setOfferCallRecording(bool v);
    void setEchoCancel(bool v);
    void setShowCallPill(bool v);
    void setCallAudioDays(qint64 v);
    void setFindSpeakers(bool v);
    void setRecogniseVoices(bool v);
    void setPlaySounds(bool v);
    void setSaveHistory(bool v);
    void setLaunchAtLogin(bool v);
    void setVocab(const QList<VocabEntry>& v);

    // Slot 0 is the dictation key; every other slot reads and writes the hands-free key.
    KeyBinding binding(int slot) const;
    void setBinding(int slot, const KeyBinding& b);
    QString hotkeyDisplay() const;
    std::optional<QString> handsFreeDisplay() const;
    void applyAppearance();

    // The keys other parts read and write directly ("overlayX", "bytesUploaded", …).
    QSettings& store() { return *store_; }

  signals:
    void changed(const QString& key);

  private:
    void load();
    QString readText(const char* key, const QString& fallback) const;
    qint64 readInteger(const char* key, qint64 fallback) const;
    quint32 readUnsigned(const char* key, quint32 fallback) const;
    bool readBool(const char* key, bool fallback) const;
    template <typename T> void assign(T& field, const T& value, const char* key);
    void runHook(const std::function<void()>& hook);

    std::unique_ptr<QSettings> store_;
    bool firstRun_ = false;

    QString hotkeyMode_, keyLabel_, hk2Mode_, hk2KeyLabel_, language_, micDevice_, micMode_,
        recordMode_, appearance_;
    qint64 modKeyCode_ = 0, hk2ModKeyCode_ = 0, callAudioDays_ = 0;
    quint32 keyCode_ = 0, modifiers_ = 0, hk2KeyCode_ = 0, hk2Modifiers_ = 0;
    bool removeFillers_ = true, aiPolish_ = true, showOverlay_ = true, showInDock_ = true,
         offerCallRecording_ = true, echoCancel_ = true, showCallPill_ = true, findSpeakers_ = true,
         recogniseVoices_ = true, playSounds_ = true, saveHistory_ = true, launchAtLogin_ = true;
    QList<VocabEntry> vocab_;
};
