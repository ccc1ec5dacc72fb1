#pragma once

#include <QWidget>

class QHBoxLayout;
class QLabel;

// A page's title and the line under it, with room on the right for the page's own buttons.
class PageHeader : public QWidget {
    Q_OBJECT
  public:
    PageHeader(const QString& title, const QString& subtitle, QWidget* parent = nullptr);
    void setSubtitle(const QString& subtitle);
    QString subtitle() const;
    void addTrailing(QWidget* widget);

  private:
    QLabel* subtitleLabel;
    QHBoxLayout* row;
};
