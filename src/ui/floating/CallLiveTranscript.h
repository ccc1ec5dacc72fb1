#pragma once

#include <QScrollArea>

#include <vector>

class QLabel;
class RowColumn;
class TalkingRows;
struct CallActivity;
struct Meeting;
struct MeetingLine;

// The enlarged strip's transcript: every line of the call so far, then who is being heard
// without text yet; at most 260 pixels high, following the newest text.
class CallLiveTranscript : public QScrollArea {
    Q_OBJECT
  public:
    static constexpr int maxHeight = 260;
    static constexpr int nameWidth = 38;

    explicit CallLiveTranscript(int width, QWidget* parent = nullptr);
    // Every line of the call, then who is being heard.
    void follow(const Meeting* m, const CallActivity& a, bool youTalking, bool themTalking);
    // One line of `m` is new, changed or gone; the other rows stay as they are.
    void lineAdded(const Meeting& m, int index);
    void lineChanged(const Meeting& m, int index);
    void lineRemoved(const Meeting& m, int index);
    // Who is being heard without text yet, or that nothing was said; the newest text in view.
    void showWaiting(const Meeting* m, const CallActivity& a, bool youTalking, bool themTalking);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    TalkingRows* talkingRows() const { return talking; }
    QLabel* note() const { return empty; }
    int rowCount() const { return int(rows.size()); }
    QString rowText(int index) const;

  private:
    struct Row {
        QWidget* box;
        QLabel* name;
        QLabel* text;
    };
    void showLines(const Meeting* m);
    void addRow(size_t index);
    void dropRow(size_t index);
    static void fill(const Row& row, const MeetingLine& line);
    void followEnd();

    int width;
    RowColumn* column;
    std::vector<Row> rows;
    TalkingRows* talking;
    QLabel* empty;
    qsizetype shownCharacters = -1;
};
