#include "ui/pages/SettingsPage.h"

#include "settings/Settings.h"
#include "ui/widgets/Alert.h"
#include "ui/pages/HotkeyRecorder.h"
#include "ui/widgets/PageHeader.h"
#include "ui/widgets/PageScroll.h"
#include "ui/pages/SettingRow.h"
#include "ui/pages/SettingsGroup.h"
#include "ui/widgets/Switch.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {
using Choices = QList<std::pair<const char*, QVariant>>;

const QList<std::pair<const char*, RecordMode>> recordModes = {
    {QT_TRANSLATE_NOOP("SettingsPage", "Hold or tap"), RecordMode::smart},
    {QT_TRANSLATE_NOOP("SettingsPage", "Press to start / stop"), RecordMode::toggle},
    {QT_TRANSLATE_NOOP("SettingsPage", "Hold only"), RecordMode::hold}};

QString voicesDetail(int count) {
    return SettingsPage::tr("When you name someone, Voxmere learns their voice and suggests their "
                            "name in later calls (shown with a ?). Voiceprints stay on this "
                            "computer. %n voices learned.",
                            nullptr, count);
}
} // namespace

SettingsPage::SettingsPage(Services services, QWidget* parent)
    : QWidget(parent), s(std::move(services)) {
    auto* content = new QWidget;
    auto* page = new QVBoxLayout(content);
    page->setContentsMargins(32, 28, 32, 28);
    page->setSpacing(20);
    page->addWidget(new PageHeader(tr("Settings"), tr("Shortcut, cleanup and privacy.")));
    for (QWidget* group :
         {shortcutGroup(), cleanupGroup(), generalGroup(), callsGroup(), historyGroup()})
        page->addWidget(group);
    page->addWidget(aboutButton(), 0, Qt::AlignLeft);
    page->addStretch();
    PageScroll::fill(this, content);
    connect(&s.settings, &Settings::changed, this, [this](SettingKey key) {
        for (const auto& refresh : followers.values(key))
            refresh();
    });
}

// Rows are found by their English title, whatever the language they are shown in.
SettingRow* SettingsPage::add(SettingsGroup* group, const char* title, const QString& detail,
                              QWidget* control) {
    auto* row = group->addRow(new SettingRow(tr(title), detail, control));
    rows.insert(QString::fromUtf8(title), row);
    return row;
}

void SettingsPage::follow(SettingKey key, std::function<void()> refresh) {
    followers.insert(key, refresh);
    refresh();
}

QWidget* SettingsPage::switchFor(SettingKey key, std::function<bool()> get,
                                 std::function<void(bool)> set) {
    auto* control = new Switch;
    connect(control, &Switch::toggled, this, [set](bool on) { set(on); });
    follow(key, [control, get] {
        const QSignalBlocker quiet(control);
        control->setChecked(get());
    });
    return control;
}

QWidget* SettingsPage::pickerFor(SettingKey key, const Choices& choices,
                                 std::function<QVariant()> get,
                                 std::function<void(const QVariant&)> set) {
    auto* control = new QComboBox;
    for (const auto& [label, value] : choices)
        control->addItem(tr(label), value);
    connect(control, &QComboBox::activated, this,
            [control, set](int index) { set(control->itemData(index)); });
    follow(key, [control, get] {
        const QSignalBlocker quiet(control);
        control->setCurrentIndex(control->findData(get()));
    });
    return control;
}

QWidget* SettingsPage::recordModePicker() {
    auto* box = new QWidget;
    box->setMinimumWidth(170);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    auto* group = new QButtonGroup(box);
    for (const auto& [label, value] : recordModes) {
        auto* button = new QPushButton(tr(label));
        button->setCheckable(true);
        button->setProperty("segment", true);
        button->setProperty("value", QVariant::fromValue(value));
        group->addButton(button);
        row->addWidget(button);
    }
    connect(group, &QButtonGroup::buttonClicked, this, [this](QAbstractButton* button) {
        s.settings.setRecordMode(button->property("value").value<RecordMode>());
    });
    follow(SettingKey::recordMode, [this, group] {
        for (QAbstractButton* button : group->buttons())
            button->setChecked(button->property("value").value<RecordMode>() ==
                               s.settings.recordMode());
        if (SettingRow* r = rows.value(QStringLiteral("How the dictation key works")))
            r->setDetail(recordModeDetail(s.settings.recordMode()));
    });
    return box;
}

QString SettingsPage::recordModeDetail(RecordMode recordMode) {
    switch (recordMode) {
    case RecordMode::smart:
        return tr("Hold to talk and release to stop, or tap quickly to go hands-free.");
    case RecordMode::hold:
        return tr("Records only while the key is held down.");
    case RecordMode::toggle:
        return tr("Press once to start, press again to stop. No holding.");
    }
    return {};
}

// fn can't be a key here, so the note about the fn key never applies.
QWidget* SettingsPage::shortcutGroup() {
    auto* group = new SettingsGroup(tr("Shortcut"));
    add(group, QT_TR_NOOP("Dictation key"),
        tr("Click, then press one key (like Right ⌥ or fn) or a combo."),
        new HotkeyRecorder(0, s.settings, s.hotKey, s.keys));
    add(group, QT_TR_NOOP("Hands-free key (optional)"),
        tr("A second key that never needs holding: press once to start, press again to stop and "
           "paste."),
        new HotkeyRecorder(1, s.settings, s.hotKey, s.keys));
    add(group, QT_TR_NOOP("How the dictation key works"), recordModeDetail(s.settings.recordMode()),
        recordModePicker());
    return group;
}

QWidget* SettingsPage::cleanupGroup() {
    Settings& st = s.settings;
    auto* group = new SettingsGroup(tr("Cleanup"));
    add(group, QT_TR_NOOP("Remove filler words"), {},
        switchFor(SettingKey::removeFillers, [&st] { return st.removeFillers(); },
                  [&st](bool on) { st.setRemoveFillers(on); }));
    const bool polish = s.polishAvailable && s.polishAvailable();
    // Without a model the switch reads off, whatever was chosen, so it never promises polish.
    QWidget* polishSwitch = switchFor(SettingKey::aiPolish, [&st, polish] { return polish && st.aiPolish(); },
                                      [&st](bool on) { st.setAiPolish(on); });
    polishSwitch->setEnabled(polish);
    add(group, QT_TR_NOOP("AI polish"),
        polish ? tr("Fixes spelling, grammar and false starts with a local language model. Free, "
                    "offline.")
               : tr("Needs a local language model."),
        polishSwitch);
    add(group, QT_TR_NOOP("Language"), tr("Auto-detect is slightly slower"),
        pickerFor(SettingKey::language,
                  {{QT_TR_NOOP("English"), "en"}, {QT_TR_NOOP("Auto-detect"), "auto"}},
                  [&st] { return st.language(); },
                  [&st](const QVariant& v) { st.setLanguage(v.toString()); }));
    return group;
}

QWidget* SettingsPage::generalGroup() {
    Settings& st = s.settings;
    auto* group = new SettingsGroup(tr("General"));
    add(group, QT_TR_NOOP("Appearance"), {},
        pickerFor(SettingKey::appearance,
                  {{QT_TR_NOOP("System"), QVariant::fromValue(Theme::system)},
                   {QT_TR_NOOP("Light"), QVariant::fromValue(Theme::light)},
                   {QT_TR_NOOP("Dark"), QVariant::fromValue(Theme::dark)}},
                  [&st] { return QVariant::fromValue(st.appearance()); },
                  [&st](const QVariant& v) { st.setAppearance(v.value<Theme>()); }));
    add(group, QT_TR_NOOP("Show in taskbar"), tr("Off = tray only"),
        switchFor(SettingKey::showInDock, [&st] { return st.showInDock(); },
                  [&st](bool on) { st.setShowInDock(on); }));
    add(group, QT_TR_NOOP("Launch at login"), {},
        switchFor(SettingKey::launchAtLogin, [&st] { return st.launchAtLogin(); },
                  [&st](bool on) { st.setLaunchAtLogin(on); }));
    add(group, QT_TR_NOOP("Show waveform while recording"),
        tr("Drag it anywhere on screen; it remembers the spot"),
        switchFor(SettingKey::showOverlay, [&st] { return st.showOverlay(); },
                  [&st](bool on) { st.setShowOverlay(on); }));
    microphone = new QComboBox;
    microphone->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    microphone->setMaximumWidth(260);
    connect(microphone, &QComboBox::activated, this, [this](int index) {
        s.settings.setMicDevice(microphone->itemData(index).toString());
    });
    followers.insert(SettingKey::micDevice, [this] { refreshDevices(); });
    add(group, QT_TR_NOOP("Microphone"),
        tr("System default follows the input chosen in your sound settings"), microphone);
    add(group, QT_TR_NOOP("Keep microphone ready"),
        tr("Some mics (USB webcams, Bluetooth) take about 1s to wake. Keeping it ready makes "
           "recording start instantly. Only the last 0.3s is held in memory until you press the "
           "key."),
        pickerFor(SettingKey::micMode,
                  {{QT_TR_NOOP("Always"), QVariant::fromValue(MicMode::always)},
                   {QT_TR_NOOP("5 min after use"), QVariant::fromValue(MicMode::warm)},
                   {QT_TR_NOOP("Off"), QVariant::fromValue(MicMode::off)}},
                  [&st] { return QVariant::fromValue(st.micMode()); },
                  [&st](const QVariant& v) { st.setMicMode(v.value<MicMode>()); }));
    add(group, QT_TR_NOOP("Sounds"), tr("A soft tick when recording starts"),
        switchFor(SettingKey::playSounds, [&st] { return st.playSounds(); },
                  [&st](bool on) { st.setPlaySounds(on); }));
    return group;
}

QWidget* SettingsPage::callsGroup() {
    Settings& st = s.settings;
    auto* group = new SettingsGroup(tr("Calls"));
    add(group, QT_TR_NOOP("Offer to record calls"),
        tr("Shows a prompt when Zoom, Meet, Teams, WhatsApp, FaceTime, Slack or Discord starts "
           "using the microphone. Nothing is recorded until you press Record."),
        switchFor(SettingKey::offerCallRecording, [&st] { return st.offerCallRecording(); },
                  [&st](bool on) { st.setOfferCallRecording(on); }));
    add(group, QT_TR_NOOP("Floating call strip"),
        tr("While a call is recorded, a small strip shows the timer, who is being heard and the "
           "latest line. Drag it anywhere."),
        switchFor(SettingKey::showCallPill, [&st] { return st.showCallPill(); },
                  [&st](bool on) { st.setShowCallPill(on); }));
    add(group, QT_TR_NOOP("Remove speaker echo"),
        tr("When you're on speakers, stops the other side showing up again as your words. Turn it "
           "off if your own words go missing while someone else is talking."),
        switchFor(SettingKey::echoCancel, [&st] { return st.echoCancel(); },
                  [&st](bool on) { st.setEchoCancel(on); }));
    add(group, QT_TR_NOOP("Keep call audio"),
        tr("Saved on this computer, one file for you and one for the other side, about 30 MB per "
           "hour of call. Lets you transcribe a call again if something went wrong."),
        pickerFor(SettingKey::callAudioDays,
                  {{QT_TR_NOOP("Until transcribed"), qint64(0)},
                   {QT_TR_NOOP("30 days"), qint64(30)},
                   {QT_TR_NOOP("Forever"), qint64(-1)}},
                  [&st] { return QVariant(st.callAudioDays()); },
                  [&st](const QVariant& v) { st.setCallAudioDays(v.toLongLong()); }));
    add(group, QT_TR_NOOP("Tell speakers apart"),
        tr("After a call, labels the people on the other side Speaker 1, Speaker 2 and so on. "
           "Click a name in the transcript to rename them."),
        switchFor(SettingKey::findSpeakers, [&st] { return st.findSpeakers(); },
                  [&st](bool on) { st.setFindSpeakers(on); }));
    add(group, QT_TR_NOOP("Recognise voices"), voicesDetail(0), voicesControl());
    refreshVoices();
    return group;
}

QWidget* SettingsPage::voicesControl() {
    Settings& st = s.settings;
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    auto* forget = new QPushButton(tr("Forget voices"));
    connect(forget, &QPushButton::clicked, this, &SettingsPage::confirmForgetVoices);
    row->addWidget(forget);
    row->addWidget(switchFor(SettingKey::recogniseVoices, [&st] { return st.recogniseVoices(); },
                             [&st](bool on) { st.setRecogniseVoices(on); }));
    return box;
}

void SettingsPage::confirmForgetVoices() {
    if (!Alert::confirm(this, tr("Forget every learned voice?"),
                        tr("Names stay in the list. Voxmere stops recognising anyone until you "
                           "name them again."),
                        tr("Forget")))
        return;
    emit forgetVoicesRequested();
    refreshVoices();
}

void SettingsPage::refreshVoices() {
    if (SettingRow* r = rows.value(QStringLiteral("Recognise voices")))
        r->setDetail(voicesDetail(s.voicesLearned ? s.voicesLearned() : 0));
}

QWidget* SettingsPage::historyGroup() {
    Settings& st = s.settings;
    auto* group = new SettingsGroup(tr("History"));
    add(group, QT_TR_NOOP("Keep history"),
        tr("Saved only on this computer, in %1").arg(s.dataFolder),
        switchFor(SettingKey::saveHistory, [&st] { return st.saveHistory(); },
                  [&st](bool on) { st.setSaveHistory(on); }));
    return group;
}

QWidget* SettingsPage::aboutButton() {
    auto* about = new QPushButton(tr("About Voxmere"));
    connect(about, &QPushButton::clicked, this, &SettingsPage::aboutRequested);
    return about;
}

void SettingsPage::refreshDevices() {
    const QString saved = s.settings.micDevice();
    const QSignalBlocker quiet(microphone);
    microphone->clear();
    microphone->addItem(tr("System default"), QString());
    bool found = saved.isEmpty();
    for (const MicDevice& device : s.inputDevices ? s.inputDevices() : std::vector<MicDevice>{}) {
        microphone->addItem(device.name, device.uid);
        found = found || device.uid == saved;
    }
    if (!found)
        microphone->addItem(tr("Saved mic (not connected)"), saved);
    microphone->setCurrentIndex(microphone->findData(saved));
}

void SettingsPage::showEvent(QShowEvent* event) {
    refreshDevices();
    refreshVoices();
    QWidget::showEvent(event);
}

SettingRow* SettingsPage::row(const QString& title) const {
    return rows.value(title);
}
