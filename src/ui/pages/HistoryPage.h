#pragma once

#include "history/Snippet.h"

#include <QHash>
#include <QUuid>
#include <QWidget>

#include <optional>

class EmptyHistoryPanel;
class History;
class PageHeader;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QVBoxLayout;
class RefreshWhenSeen;
class SnippetRow;
class Scheduler;
class Settings;
class UIState;

// Every dictation, newest first, grouped by day, searchable. The search lives in the interface
// state, so it is still there when the user comes back from another page.
class HistoryPage : public QWidget {
    Q_OBJECT
  public:
    HistoryPage(History& history, Settings& settings, UIState& state, Scheduler& scheduler,
                QWidget* parent = nullptr);

    QLineEdit* searchField() const { return search; }
    QPushButton* clearAllButton() const { return clearAll; }
    // The group labels and rows now shown, top to bottom (for checking the page).
    QStringList groupLabels() const;
    QStringList rowTexts() const;
    int rowCount() const;

  private:
    void rebuild();
    void showMore();
    void confirmClearAll();
    void takeRows();

    History& history;
    Settings& settings;
    UIState& state;
    Scheduler& scheduler;
    PageHeader* header;
    QPushButton* clearAll;
    QLineEdit* search;
    EmptyHistoryPanel* empty;
    RefreshWhenSeen* seen;
    QScrollArea* scroll;
    QVBoxLayout* rows;
    // What the filtered groups put on the page, in order: a heading (no snippet) or a row.
    struct Line {
        QString heading;
        std::optional<Snippet> snippet;
    };
    QList<Line> lines;
    qsizetype next = 0;
    // Rows taken out of the page for the rebuild under way.
    QHash<QUuid, SnippetRow*> spare;
    int made = 0;
};
