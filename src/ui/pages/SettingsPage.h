#pragma once

#include "audio/MicDevice.h"
#include "settings/RecordMode.h"
#include "settings/SettingKey.h"

#include <QHash>
#include <QWidget>

#include <functional>
#include <vector>

class HotKey;
class KeyWatcher;
class QComboBox;
class QVBoxLayout;
class SettingRow;
class SettingsGroup;
class Settings;

// Every preference, in five groups. Each control writes its setting as soon as it is changed and
// follows the setting when something else changes it.
class SettingsPage : public QWidget {
    Q_OBJECT
  public:
    struct Services {
        Settings& settings;
        HotKey& hotKey;
        KeyWatcher& keys;
        std::function<std::vector<MicDevice>()> inputDevices;
        std::function<bool()> polishAvailable;
        // The people store's learned voices; absent until there is one.
        std::function<int()> voicesLearned;
        // Where history is kept, as the user would write it ("~/.local/share/Voxmere").
        QString dataFolder;
    };
    explicit SettingsPage(Services services, QWidget* parent = nullptr);

    // The row with this title (for checking the page).
    SettingRow* row(const QString& title) const;
    // Lists the input devices again (they come and go while the window is closed).
    void refreshDevices();

    static QString recordModeDetail(RecordMode recordMode);

  signals:
    // Confirmed by the user; the count of learned voices is read again right after.
    void forgetVoicesRequested();
    void aboutRequested();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QWidget* shortcutGroup();
    QWidget* cleanupGroup();
    QWidget* generalGroup();
    QWidget* callsGroup();
    QWidget* historyGroup();
    QWidget* aboutButton();
    SettingRow* add(SettingsGroup* group, const char* title, const QString& detail,
                    QWidget* control);
    QWidget* switchFor(SettingKey key, std::function<bool()> get, std::function<void(bool)> set);
    QWidget* pickerFor(SettingKey key, const QList<std::pair<const char*, QVariant>>& choices,
                       std::function<QVariant()> get, std::function<void(const QVariant&)> set);
    QWidget* recordModePicker();
    QWidget* voicesControl();
    void confirmForgetVoices();
    void follow(SettingKey key, std::function<void()> refresh);
    void refreshVoices();

    Services s;
    QHash<QString, SettingRow*> rows;
    QMultiHash<SettingKey, std::function<void()>> followers;
    QComboBox* microphone = nullptr;
};
