#pragma once

#include <QWidget>

class QLabel;

// One setting: its title, an optional detail line under it and its control on the right.
class SettingRow : public QWidget {
    Q_OBJECT
  public:
    SettingRow(const QString& title, const QString& detail, QWidget* control,
               QWidget* parent = nullptr);
    void setDetail(const QString& detail);
    QString detail() const;
    QString title() const;
    QWidget* control() const { return control_; }

  private:
    QLabel* titleLabel;
    QLabel* detailLabel;
    QWidget* control_;
};
