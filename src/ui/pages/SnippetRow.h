#pragma once

#include "history/Snippet.h"

#include <QWidget>

class History;
class IconButton;
class Scheduler;
class UIState;

// One history entry: its time and application, its text (selectable, never read as markup), and
// buttons to copy it and to delete it.
class SnippetRow : public QWidget {
    Q_OBJECT
  public:
    static constexpr double tickSeconds = 1.2;

    SnippetRow(const Snippet& snippet, History& history, UIState& state, Scheduler& scheduler,
               QWidget* parent = nullptr);
    const Snippet& snippet() const { return entry; }
    IconButton* copyButton() const { return copy; }
    IconButton* deleteButton() const { return trash; }

  private:
    void copyText();
    void showTick();

    Snippet entry;
    History& history;
    UIState& state;
    Scheduler& scheduler;
    IconButton* copy;
    IconButton* trash;
};
