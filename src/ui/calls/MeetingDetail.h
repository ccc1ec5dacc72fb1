#pragma once

#include "meetings/Meeting.h"
#include "ui/calls/CallServices.h"

#include <QUuid>
#include <QWidget>

#include <optional>

class IconButton;
class MeetingLineRow;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QVBoxLayout;
class RowColumn;
class SpeakerChips;
class TalkingRows;

// The open call: its toolbar, what it is, the tools' progress and the transcript. While the call
// is being recorded it is a viewer that follows the newest text; once the call is over the same
// page becomes the editor.
class MeetingDetail : public QWidget {
    Q_OBJECT
  public:
    MeetingDetail(CallServices& services, QWidget* parent = nullptr);
    // Shows this meeting as the store has it now, all of it made again.
    void show(const Meeting& m);
    // The store changed the open meeting: the lines it changed are made again, the others stay
    // as they are, unless the speakers changed too.
    void meetingChanged(const Meeting& m);
    void lineAdded(int index);
    void lineChanged(int index);
    void lineRemoved(int index);
    QUuid meetingID() const { return id; }
    void copyTranscript();
    // The running call's time on the stop button, between other changes.
    void showElapsed();
    void askFindSpeakers();

  signals:
    void stopRequested();
    // A count of at least 1 is the number of people on the far side; none lets the tool decide.
    void findSpeakersRequested(const QUuid& meeting, std::optional<int> count);
    void retranscribeRequested(const QUuid& meeting);
    // The call's files should be shown in the file manager.
    void revealRequested(const QStringList& paths);

  private:
    void buildToolbar();
    void showTools(const Meeting& m, const CallActivity& a);
    void showElapsed(const Meeting& m, const CallActivity& a);
    void showTitle(const Meeting& m);
    void fillBody(const Meeting& m, const CallActivity& a);
    void addStatus(const Meeting& m, const CallActivity& a);
    SpeakerChips* makeChips(const Meeting& m);
    void addTranscript(const Meeting& m, const CallActivity& a);
    MeetingLineRow* makeRow(const Meeting& m, const MeetingLine& line);
    MeetingLineRow* row(int index) const;
    void replaceRow(int index, const Meeting& m);
    bool keepsRows(const Meeting& m, qsizetype rowsBefore) const;
    void showCounts(const Meeting& m);
    void followNewest(const Meeting& m);
    void showTick();
    void showTalking();
    TalkingRows* talkingRows();
    void confirmDelete();
    void revealFiles();
    void retranscribeAfterAsking();
    QLabel* note(const QString& text, const QString& colour = QString());

    CallServices& s;
    QUuid id;
    QLineEdit* title;
    QPushButton* record;
    IconButton* copy;
    IconButton* folder;
    IconButton* findAgain;
    IconButton* redo;
    IconButton* trash;
    QWidget* body = nullptr;
    QVBoxLayout* bodyLayout = nullptr;
    QVBoxLayout* page;
    QLabel* info = nullptr;
    // Present when the call is over.
    QLabel* receipt = nullptr;
    // Present when the call is over and has two speakers or more.
    SpeakerChips* chips = nullptr;
    QScrollArea* transcript = nullptr;
    // One row per line, in order; present while the call has lines.
    RowColumn* lineRows = nullptr;
    // Present while the call on the page is being recorded.
    TalkingRows* talking = nullptr;
    qsizetype shownCharacters = -1;
    // What the rows were made for: a change to any of it makes the page again.
    bool shownLive = false;
    bool shownBusy = false;
    QList<SpeakerKey> shownKeys;
    std::optional<Meeting::Names> shownNames;
    std::optional<Meeting::Names> shownGuesses;
};
