#pragma once

#include "text/VocabEntry.h"

#include <QWidget>

class QLineEdit;

// One editable vocabulary entry. Edits go out as signals; `show` puts a stored
// entry's text back without touching a field that already holds it, so typing keeps its cursor.
class VocabRow : public QWidget {
    Q_OBJECT
  public:
    explicit VocabRow(const VocabEntry& entry, QWidget* parent = nullptr);
    QUuid id() const { return id_; }
    void show(const VocabEntry& entry);
    QLineEdit* wordField() const { return word; }
    QLineEdit* soundsLikeField() const { return soundsLike; }

  signals:
    void entryEdited(const QUuid& id, const QString& word, const QString& soundsLike);
    void removeRequested(const QUuid& id);

  private:
    void edited();

    QUuid id_;
    QLineEdit* word;
    QLineEdit* soundsLike;
};
