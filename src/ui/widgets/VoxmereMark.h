#pragma once

#include <QWidget>

// The brand mark beside the name in the sidebar: the application icon at a small size.
class VoxmereMark : public QWidget {
    Q_OBJECT
  public:
    explicit VoxmereMark(int size, QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
};
