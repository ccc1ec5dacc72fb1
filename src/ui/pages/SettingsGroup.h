#pragma once

#include <QWidget>

class QVBoxLayout;
class SettingRow;

// A titled card of settings rows with thin dividers between them.
class SettingsGroup : public QWidget {
    Q_OBJECT
  public:
    explicit SettingsGroup(const QString& title, QWidget* parent = nullptr);
    SettingRow* addRow(SettingRow* row);

  private:
    QVBoxLayout* rows;
};
