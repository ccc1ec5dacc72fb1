#include "settings/Settings.h"

#include <array>
#include <limits>
#include <type_traits>

namespace {

// The words a choice is stored as; the files users have hold exactly these.
template <typename E> struct StoredName {
    E value;
    const char* name;
};

constexpr std::array<StoredName<HotkeyKind>, 3> storedNames(HotkeyKind) {
    return {{{HotkeyKind::none, ""},
             {HotkeyKind::modifier, "modifier"},
             {HotkeyKind::combo, "combo"}}};
}

constexpr std::array<StoredName<RecordMode>, 3> storedNames(RecordMode) {
    return {{{RecordMode::smart, "smart"},
             {RecordMode::toggle, "toggle"},
             {RecordMode::hold, "hold"}}};
}

constexpr std::array<StoredName<MicMode>, 3> storedNames(MicMode) {
    return {{{MicMode::always, "always"}, {MicMode::warm, "warm"}, {MicMode::off, "off"}}};
}

constexpr std::array<StoredName<Theme>, 3> storedNames(Theme) {
    return {{{Theme::system, "system"}, {Theme::light, "light"}, {Theme::dark, "dark"}}};
}

template <typename T> struct IsOptional : std::false_type {};
template <typename T> struct IsOptional<std::optional<T>> : std::true_type {};

// A word no version of this program wrote: no key at all for a binding, as it always was; the
// fallback for every other choice, rather than some other choice by accident.
HotkeyKind unknownWord(const Setting<HotkeyKind>&) {
    return HotkeyKind::none;
}

template <typename E> E unknownWord(const Setting<E>& setting) {
    return setting.fallback;
}

QString decode(const QVariant& stored, const Setting<QString>&) {
    return stored.toString();
}

qint64 decode(const QVariant& stored, const Setting<qint64>& setting) {
    bool ok = false;
    const qint64 value = stored.toLongLong(&ok);
    return ok ? value : setting.fallback;
}

// A value another program wrote may not fit a key code or mask; the fallback keeps the key usable.
quint32 decode(const QVariant& stored, const Setting<quint32>& setting) {
    bool ok = false;
    const qint64 value = stored.toLongLong(&ok);
    const bool fits = ok && value >= 0 && value <= std::numeric_limits<quint32>::max();
    return fits ? quint32(value) : setting.fallback;
}

bool decode(const QVariant& stored, const Setting<bool>& setting) {
    const QString text = stored.toString().toLower();
    if (text == "true" || text == "1")
        return true;
    if (text == "false" || text == "0")
        return false;
    return setting.fallback;
}

std::optional<double> decode(const QVariant& stored, const Setting<std::optional<double>>& setting) {
    bool ok = false;
    const double value = stored.toDouble(&ok);
    return ok ? std::optional<double>(value) : setting.fallback;
}

QList<VocabEntry> decode(const QVariant& stored, const Setting<QList<VocabEntry>>& setting) {
    return VocabEntry::decode(stored.toByteArray()).value_or(setting.fallback);
}

template <typename E>
    requires std::is_enum_v<E>
E decode(const QVariant& stored, const Setting<E>& setting) {
    const QString word = stored.toString();
    for (const auto& [value, name] : storedNames(E{}))
        if (word == QLatin1String(name))
            return value;
    return unknownWord(setting);
}

// An invalid value removes the key.
template <typename T> QVariant encode(const T& value) {
    if constexpr (std::is_enum_v<T>) {
        for (const auto& [choice, name] : storedNames(T{}))
            if (choice == value)
                return QString::fromLatin1(name);
        return {};
    } else if constexpr (IsOptional<T>::value) {
        return value ? QVariant::fromValue(*value) : QVariant();
    } else {
        return QVariant::fromValue(value);
    }
}

QVariant encode(const QList<VocabEntry>& entries) {
    return VocabEntry::encode(entries);
}

} // namespace

Settings::Settings(std::unique_ptr<QSettings> store) : store_(std::move(store)) {
    load();
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
    firstRun_ = !store_->contains(launchAtLogin_.name);
    for (BindingSettings* slot : {&dictationKey, &handsFreeKey})
        read(slot->keyLabel, slot->modifiers, slot->keyCode, slot->modKeyCode, slot->mode);
    read(language_, removeFillers_, aiPolish_, showOverlay_, micDevice_, micMode_, recordMode_,
         appearance_, showInDock_, offerCallRecording_, echoCancel_, showCallPill_,
         callAudioDays_, findSpeakers_, recogniseVoices_, playSounds_, saveHistory_,
         launchAtLogin_, vocab_, bytesUploaded_, overlayX_, overlayY_, callPillMini_,
         callPillTall_, callPillRight_, callPillTop_);
}

template <typename... T> void Settings::read(Setting<T>&... settings) {
    const auto readOne = [this](auto& setting) {
        const QVariant stored = store_->value(setting.name);
        setting.value = stored.isValid() ? decode(stored, setting) : setting.fallback;
    };
    (readOne(settings), ...);
}

// Written (and announced) even when the value is the same, so a login item or device that went
// astray is put right by choosing the same value again.
template <typename T> void Settings::set(Setting<T>& setting, const T& value) {
    setting.value = value;
    const QVariant stored = encode(value);
    if (stored.isValid())
        store_->setValue(setting.name, stored);
    else
        store_->remove(setting.name);
    emit changed(setting.key);
}

void Settings::setLanguage(const QString& language) {
    set(language_, language);
}
void Settings::setRemoveFillers(bool on) {
    set(removeFillers_, on);
}
void Settings::setAiPolish(bool on) {
    set(aiPolish_, on);
}
void Settings::setShowOverlay(bool on) {
    set(showOverlay_, on);
}
void Settings::setMicDevice(const QString& uid) {
    set(micDevice_, uid);
}
void Settings::setMicMode(MicMode mode) {
    set(micMode_, mode);
}
void Settings::setRecordMode(RecordMode mode) {
    set(recordMode_, mode);
}
void Settings::setAppearance(Theme theme) {
    set(appearance_, theme);
}
void Settings::setShowInDock(bool on) {
    set(showInDock_, on);
}
void Settings::setOfferCallRecording(bool on) {
    set(offerCallRecording_, on);
}
void Settings::setEchoCancel(bool on) {
    set(echoCancel_, on);
}
void Settings::setShowCallPill(bool on) {
    set(showCallPill_, on);
}
void Settings::setCallAudioDays(qint64 days) {
    set(callAudioDays_, days);
}
void Settings::setFindSpeakers(bool on) {
    set(findSpeakers_, on);
}
void Settings::setRecogniseVoices(bool on) {
    set(recogniseVoices_, on);
}
void Settings::setPlaySounds(bool on) {
    set(playSounds_, on);
}
void Settings::setSaveHistory(bool on) {
    set(saveHistory_, on);
}
void Settings::setLaunchAtLogin(bool on) {
    set(launchAtLogin_, on);
}
void Settings::setVocab(const QList<VocabEntry>& entries) {
    set(vocab_, entries);
}
void Settings::setBytesUploaded(qint64 bytes) {
    set(bytesUploaded_, bytes);
}
void Settings::setCallPillMini(bool on) {
    set(callPillMini_, on);
}
void Settings::setCallPillTall(bool on) {
    set(callPillTall_, on);
}

// A position is only whole with both coordinates; a file holding one reads as none.
std::optional<QPointF> Settings::overlayPosition() const {
    if (!overlayX_.value || !overlayY_.value)
        return std::nullopt;
    return QPointF(*overlayX_.value, *overlayY_.value);
}

void Settings::setOverlayPosition(QPointF bottomCentre) {
    set(overlayX_, std::optional<double>(bottomCentre.x()));
    set(overlayY_, std::optional<double>(bottomCentre.y()));
}

void Settings::forgetOverlayPosition() {
    set(overlayX_, std::optional<double>());
    set(overlayY_, std::optional<double>());
}

std::optional<QPoint> Settings::callPillCorner() const {
    if (!callPillRight_.value || !callPillTop_.value)
        return std::nullopt;
    return QPoint(qRound(*callPillRight_.value), qRound(*callPillTop_.value));
}

void Settings::setCallPillCorner(QPoint topRight) {
    set(callPillRight_, std::optional<double>(topRight.x()));
    set(callPillTop_, std::optional<double>(topRight.y()));
}

Settings::BindingSettings& Settings::slotSettings(int slot) {
    return slot == 0 ? dictationKey : handsFreeKey;
}

const Settings::BindingSettings& Settings::slotSettings(int slot) const {
    return slot == 0 ? dictationKey : handsFreeKey;
}

KeyBinding Settings::binding(int slot) const {
    const BindingSettings& s = slotSettings(slot);
    return {s.mode.value, s.modKeyCode.value, s.keyCode.value, s.modifiers.value,
            s.keyLabel.value};
}

// Label first and mode last: whoever re-registers the keys on each announcement sees the whole
// new binding at the last one.
void Settings::setBinding(int slot, const KeyBinding& b) {
    BindingSettings& s = slotSettings(slot);
    set(s.keyLabel, b.keyLabel);
    set(s.modifiers, b.modifiers);
    set(s.keyCode, b.keyCode);
    set(s.modKeyCode, b.modKeyCode);
    set(s.mode, b.mode);
}

bool Settings::movesAGlobalKey(SettingKey key) const {
    for (const BindingSettings* s : {&dictationKey, &handsFreeKey})
        for (SettingKey moving : {s->modifiers.key, s->keyCode.key, s->modKeyCode.key, s->mode.key})
            if (key == moving)
                return true;
    return false;
}

QString Settings::hotkeyDisplay() const {
    return binding(0).display();
}

std::optional<QString> Settings::handsFreeDisplay() const {
    const KeyBinding b = binding(1);
    return b.isSet() ? std::optional<QString>(b.display()) : std::nullopt;
}
