#include "settings/Settings.h"

#include "core/ChangeField.h"
#include "core/Shared.h"

#include <limits>

bool Settings::snapshotMode = false;

Settings::Settings(std::unique_ptr<QSettings> store) : store_(std::move(store)) {
    load();
}

Settings& Settings::shared() {
    return Shared<Settings>::get();
}

void Settings::setShared(Settings* settings) {
    Shared<Settings>::set(settings);
}

QList<VocabEntry> Settings::sampleVocab() {
    return {
        {QUuid::createUuid(), "GitHub", "git hub, get hub"},
        {QUuid::createUuid(), "PostgreSQL", "post gres, postgres q l"},
        {QUuid::createUuid(), "Kubernetes", "cooper netties, kuber net ease"},
        {QUuid::createUuid(), "Vercel", "ver sell, for sell, versel"},
        {QUuid::createUuid(), "Netlify", "net lify, net liffy, nettle fy"},
    };
}

void Settings::load() {
    firstRun_ = !store_->contains("launchAtLogin");
    hotkeyMode_ = readText("hotkeyMode", "modifier");
    modKeyCode_ = readInteger("modKeyCode", 61);
    keyCode_ = readUnsigned("keyCode", 49);
    modifiers_ = readUnsigned("modifiers", 2048);
    keyLabel_ = readText("keyLabel", "Space");
    hk2Mode_ = readText("hk2Mode", "");
    hk2ModKeyCode_ = readInteger("hk2ModKeyCode", 0);
    hk2KeyCode_ = readUnsigned("hk2KeyCode", 0);
    hk2Modifiers_ = readUnsigned("hk2Modifiers", 0);
    hk2KeyLabel_ = readText("hk2KeyLabel", "");
    language_ = readText("language", "en");
    removeFillers_ = readBool("removeFillers", true);
    aiPolish_ = readBool("aiPolish", true);
    showOverlay_ = readBool("showOverlay", true);
    micDevice_ = readText("micDevice", "");
    micMode_ = readText("micMode", "always");
    recordMode_ = readText("recordMode", "smart");
    appearance_ = readText("appearance", "system");
    showInDock_ = readBool("showInDock", true);
    offerCallRecording_ = readBool("offerCallRecording", true);
    echoCancel_ = readBool("echoCancel", true);
    showCallPill_ = readBool("showCallPill", true);
    callAudioDays_ = readInteger("callAudioDays", 30);
    findSpeakers_ = readBool("findSpeakers", true);
    recogniseVoices_ = readBool("recogniseVoices", true);
    playSounds_ = readBool("playSounds", true);
    saveHistory_ = readBool("saveHistory", true);
    launchAtLogin_ = readBool("launchAtLogin", true);
    const auto stored = VocabEntry::decode(store_->value("vocab").toByteArray());
    vocab_ = stored ? *stored : sampleVocab();
}

QString Settings::readText(const char* key, const QString& fallback) const {
    const QVariant v = store_->value(key);
    return v.isValid() ? v.toString() : fallback;
}

qint64 Settings::readInteger(const char* key, qint64 fallback) const {
    bool ok = false;
    const qint64 value = store_->value(key).toLongLong(&ok);
    return ok ? value : fallback;
}

// A value another program wrote may not fit a key code or mask; the fallback keeps the key usable.
quint32 Settings::readUnsigned(const char* key, quint32 fallback) const {
    const qint64 value = readInteger(key, fallback);
    return value >= 0 && value <= std::numeric_limits<quint32>::max() ? quint32(value) : fallback;
}

bool Settings::readBool(const char* key, bool fallback) const {
    const QVariant v = store_->value(key);
    if (!v.isValid())
        return fallback;
    const QString text = v.toString().toLower();
    if (text == "true" || text == "1")
        return true;
    if (text == "false" || text == "0")
        return false;
    return fallback;
}

// The value is written (and the setter's effect runs) even when it is unchanged, so a login item
// or device that went astray is put right by choosing the same value again; only the notice is
// kept for real changes.
template <typename T> void Settings::assign(T& field, const T& value, const char* key) {
    if (changeField(field, value))
        emit changed(QString::fromLatin1(key));
    store_->setValue(key, QVariant::fromValue(value));
}

void Settings::runHook(const std::function<void()>& hook) {
    if (hook)
        hook();
}

void Settings::setHotkeyMode(const QString& v) {
    assign(hotkeyMode_, v, "hotkeyMode");
    runHook(onHotkeyChange);
}
void Settings::setModKeyCode(qint64 v) {
    assign(modKeyCode_, v, "modKeyCode");
    runHook(onHotkeyChange);
}
void Settings::setKeyCode(quint32 v) {
    assign(keyCode_, v, "keyCode");
    runHook(onHotkeyChange);
}
void Settings::setModifiers(quint32 v) {
    assign(modifiers_, v, "modifiers");
    runHook(onHotkeyChange);
}
void Settings::setKeyLabel(const QString& v) {
    assign(keyLabel_, v, "keyLabel");
}
void Settings::setHk2Mode(const QString& v) {
    assign(hk2Mode_, v, "hk2Mode");
    runHook(onHotkeyChange);
}
void Settings::setHk2ModKeyCode(qint64 v) {
    assign(hk2ModKeyCode_, v, "hk2ModKeyCode");
    runHook(onHotkeyChange);
}
void Settings::setHk2KeyCode(quint32 v) {
    assign(hk2KeyCode_, v, "hk2KeyCode");
    runHook(onHotkeyChange);
}
void Settings::setHk2Modifiers(quint32 v) {
    assign(hk2Modifiers_, v, "hk2Modifiers");
    runHook(onHotkeyChange);
}
void Settings::setHk2KeyLabel(const QString& v) {
    assign(hk2KeyLabel_, v, "hk2KeyLabel");
}
void Settings::setLanguage(const QString& v) {
    assign(language_, v, "language");
}
void Settings::setRemoveFillers(bool v) {
    assign(removeFillers_, v, "removeFillers");
}
void Settings::setAiPolish(bool v) {
    assign(aiPolish_, v, "aiPolish");
}
void Settings::setShowOverlay(bool v) {
    assign(showOverlay_, v, "showOverlay");
}
void Settings::setMicDevice(const QString& v) {
    assign(micDevice_, v, "micDevice");
    runHook(onMicDeviceChange);
}
void Settings::setMicMode(const QString& v) {
    assign(micMode_, v, "micMode");
    runHook(onMicModeChange);
}
void Settings::setRecordMode(const QString& v) {
    assign(recordMode_, v, "recordMode");
}

void Settings::setAppearance(const QString& v) {
    appearance_ = v;
    emit changed(QStringLiteral("appearance"));
    if (!snapshotMode)
        store_->setValue("appearance", v);
    applyAppearance();
}

void Settings::setShowInDock(bool v) {
    assign(showInDock_, v, "showInDock");
    runHook(onShowInDockChange);
}
void Settings::setOfferCallRecording(bool v) {
    assign(offerCallRecording_, v, "offerCallRecording");
}
void Settings::setEchoCancel(bool v) {
    assign(echoCancel_, v, "echoCancel");
}
void Settings::setShowCallPill(bool v) {
    assign(showCallPill_, v, "showCallPill");
    runHook(onShowCallPillChange);
}
void Settings::setCallAudioDays(qint64 v) {
    assign(callAudioDays_, v, "callAudioDays");
}
void Settings::setFindSpeakers(bool v) {
    assign(findSpeakers_, v, "findSpeakers");
}
void Settings::setRecogniseVoices(bool v) {
    assign(recogniseVoices_, v, "recogniseVoices");
}
void Settings::setPlaySounds(bool v) {
    assign(playSounds_, v, "playSounds");
}
void Settings::setSaveHistory(bool v) {
    assign(saveHistory_, v, "saveHistory");
}

void Settings::setLaunchAtLogin(bool v) {
    assign(launchAtLogin_, v, "launchAtLogin");
    if (onLaunchAtLoginChange)
        onLaunchAtLoginChange(v);
}

void Settings::setVocab(const QList<VocabEntry>& v) {
    if (changeField(vocab_, v))
        emit changed(QStringLiteral("vocab"));
    if (!snapshotMode)
        store_->setValue("vocab", VocabEntry::encode(v));
}

KeyBinding Settings::binding(int slot) const {
    if (slot == 0)
        return {hotkeyMode_, modKeyCode_, keyCode_, modifiers_, keyLabel_};
    return {hk2Mode_, hk2ModKeyCode_, hk2KeyCode_, hk2Modifiers_, hk2KeyLabel_};
}

// Written label first and mode last: the hotkey hook runs after each code, and only the final
// run sees the whole new binding.
void Settings::setBinding(int slot, const KeyBinding& b) {
    if (slot == 0) {
        setKeyLabel(b.keyLabel);
        setModifiers(b.modifiers);
        setKeyCode(b.keyCode);
        setModKeyCode(b.modKeyCode);
        setHotkeyMode(b.mode);
        return;
    }
    setHk2KeyLabel(b.keyLabel);
    setHk2Modifiers(b.modifiers);
    setHk2KeyCode(b.keyCode);
    setHk2ModKeyCode(b.modKeyCode);
    setHk2Mode(b.mode);
}

QString Settings::hotkeyDisplay() const {
    return binding(0).display();
}

std::optional<QString> Settings::handsFreeDisplay() const {
    const KeyBinding b = binding(1);
    return b.isSet() ? std::optional<QString>(b.display()) : std::nullopt;
}

void Settings::applyAppearance() {
    if (appearanceApplier)
        appearanceApplier(appearance_);
}
