#pragma once

#include <QTimer>
#include <QWidget>

class QLabel;
class SpeakerKey;
struct Meeting;

// "listening…" rows for the sides of a recorded call that are talking but have no text yet,
// the dots cycling while they wait.
class TalkingRows : public QWidget {
    Q_OBJECT
  public:
    struct Look {
        bool onDark;
        int indent;    // room left of the name, to line up with rows that start with a time
        int nameWidth; // the width of the rows' name column
        int pixelSize;
    };
    explicit TalkingRows(Look look, QWidget* parent = nullptr);

    // A side waits for its text while the call is recorded, the side is talking and its newest
    // line (if any) is not a draft still being written.
    static bool waiting(const Meeting* m, const SpeakerKey& who, bool recording, bool talking);
    void setWaiting(bool you, bool them);
    bool youWaiting() const;
    bool themWaiting() const;

  private:
    QWidget* row(const SpeakerKey& who, QLabel*& text);
    void cycle();

    Look look;
    QWidget* youRow;
    QWidget* themRow;
    QLabel* youText;
    QLabel* themText;
    QTimer dots;
    int phase = 0;
};
