#pragma once

#include "ui/calls/CallServices.h"

#include <QUuid>
#include <QWidget>

class IconButton;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QVBoxLayout;
class TalkingRows;
struct Meeting;

// The open call: its toolbar, what it is, the tools' progress and the transcript. While the call
// is being recorded it is a viewer that follows the newest text; once the call is over the same
// page becomes the editor.
class MeetingDetail : public QWidget {
    Q_OBJECT
  public:
    MeetingDetail(CallServices& services, QWidget* parent = nullptr);
    // Shows this meeting as the store has it now.
    void show(const Meeting& m);
    QUuid meetingID() const { return id; }
    void copyTranscript();
    // The running call's time on the stop button, between other changes.
    void showElapsed();
    void askFindSpeakers();

  private:
    void buildToolbar();
    void showTools(const Meeting& m, const CallActivity& a);
    void showElapsed(const Meeting& m, const CallActivity& a);
    void fillBody(const Meeting& m, const CallActivity& a);
    void addStatus(const Meeting& m, const CallActivity& a);
    void addTranscript(const Meeting& m, const CallActivity& a, bool editable);
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
    QScrollArea* transcript = nullptr;
    // Present while the call on the page is being recorded.
    TalkingRows* talking = nullptr;
    qsizetype shownCharacters = -1;
};
