#pragma once

#include <QHash>
#include <QLabel>

// Plain text wrapped at the label's width, measured once for each width it is asked about until
// its text or look change: a layout pass over a long list asks every row for its height, at more
// than one width, and laying out the words is what that costs.
class WrapLabel : public QLabel {
  public:
    explicit WrapLabel(const QString& text = QString(), QWidget* parent = nullptr);
    int heightForWidth(int width) const override;

  protected:
    void changeEvent(QEvent* event) override;

  private:
    mutable QString measured;
    mutable QHash<int, int> heights;
};
