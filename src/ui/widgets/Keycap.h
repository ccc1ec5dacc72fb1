#pragma once

#include <QLabel>

// A key's label drawn as a key cap, for showing the dictation keys.
class Keycap : public QLabel {
    Q_OBJECT
  public:
    explicit Keycap(const QString& key = {}, QWidget* parent = nullptr);
};
