#pragma once

#include "text/VocabEntry.h"

#include <QWidget>

#include <functional>

class QLineEdit;

// One editable vocabulary entry. Edits go out through the callbacks; `show` puts a stored
// entry's text back without touching a field that already holds it, so typing keeps its cursor.
class VocabRow : public QWidget {
    Q_OBJECT
  public:
    explicit VocabRow(const VocabEntry& entry, QWidget* parent = nullptr);
    QUuid id() const { return id_; }
    void show(const VocabEntry& entry);
    QLineEdit* wordField() const { return word; }
    QLineEdit* soundsLikeField() const { return soundsLike; }

    std::function<void(const QUuid&, const QString& word, const QString& soundsLike)> onEdit;
    std::function<void(const QUuid&)> onRemove;

  private:
    void edited();

    QUuid id_;
    QLineEdit* word;
    QLineEdit* soundsLike;
};
