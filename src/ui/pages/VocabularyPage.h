#pragma once

#include <QList>
#include <QWidget>

class QVBoxLayout;
class Settings;
class VocabRow;

// The user's list of words the engine mishears. Every edit stores the whole list at once; rows
// stay the same widgets while their entries do, so the field being typed in keeps the focus.
class VocabularyPage : public QWidget {
    Q_OBJECT
  public:
    explicit VocabularyPage(Settings& settings, QWidget* parent = nullptr);
    const QList<VocabRow*>& rows() const { return rowWidgets; }
    void addWord();

  private:
    void sync();
    void rebuildRows();
    void edit(const QUuid& id, const QString& word, const QString& soundsLike);
    void remove(const QUuid& id);

    Settings& settings;
    QVBoxLayout* rowsLayout;
    QList<VocabRow*> rowWidgets;
};
