#pragma once

#include <QFrame>

class QLabel;

// One statistic of the Home page: its icon, a large value and what it counts.
class StatCard : public QFrame {
    Q_OBJECT
  public:
    StatCard(const QString& symbol, const QString& label, QWidget* parent = nullptr);
    void setValue(const QString& value);
    QString value() const;

  protected:
    void changeEvent(QEvent* event) override;

  private:
    QString symbol;
    QLabel* icon;
    QLabel* valueLabel;
};
