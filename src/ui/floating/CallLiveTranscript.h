#pragma once

#include <QScrollArea>

#include <vector>

class QLabel;
class QVBoxLayout;
class TalkingRows;
struct CallActivity;
struct Meeting;

// The enlarged strip's transcript: every line of the call so far, then who is being heard
// without text yet; at most 260 pixels high, following the newest text.
class CallLiveTranscript : public QScrollArea {
    Q_OBJECT
  public:
    static constexpr int maxHeight = 260;
    static constexpr int nameWidth = 38;

    explicit CallLiveTranscript(int width, QWidget* parent = nullptr);
    void follow(const Meeting* m, const CallActivity& a, bool youTalking, bool themTalking);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    TalkingRows* talkingRows() const { return talking; }
    QLabel* note() const { return empty; }
    int rowCount() const { return int(rows.size()); }

  private:
    struct Row {
        QWidget* box;
        QLabel* name;
        QLabel* text;
    };
    Row& row(size_t index);
    void followEnd();

    int width;
    QWidget* column;
    QVBoxLayout* lines;
    std::vector<Row> rows;
    TalkingRows* talking;
    QLabel* empty;
    qsizetype shownCharacters = -1;
};
