#pragma once

#include <QToolButton>

// A borderless button showing one symbol, with its help as a tooltip.
class IconButton : public QToolButton {
    Q_OBJECT
  public:
    IconButton(const QString& symbol, const QString& help, QWidget* parent = nullptr);
    void setSymbol(const QString& symbol);
    QString symbol() const { return symbol_; }

  protected:
    void changeEvent(QEvent* event) override;

  private:
    QString symbol_;
};
