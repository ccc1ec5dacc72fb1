#pragma once

#include <QObject>

// The two sides' latest frame levels and whether each side is talking, shown by the call strip
// while recording. Changed on the main thread only; the recorder posts its updates there.
class MeetingLevels : public QObject {
    Q_OBJECT
    Q_PROPERTY(float you READ you WRITE setYou NOTIFY youChanged)
    Q_PROPERTY(float them READ them WRITE setThem NOTIFY themChanged)
    Q_PROPERTY(bool youTalking READ youTalking WRITE setYouTalking NOTIFY youTalkingChanged)
    Q_PROPERTY(bool themTalking READ themTalking WRITE setThemTalking NOTIFY themTalkingChanged)
  public:
    using QObject::QObject;

    float you() const { return you_; }
    float them() const { return them_; }
    bool youTalking() const { return youTalking_; }
    bool themTalking() const { return themTalking_; }

    void setYou(float level);
    void setThem(float level);
    void setYouTalking(bool talking);
    void setThemTalking(bool talking);
    // Back to silent and not talking, after a call.
    void reset();

  signals:
    void youChanged();
    void themChanged();
    void youTalkingChanged();
    void themTalkingChanged();

  private:
    float you_ = 0;
    float them_ = 0;
    bool youTalking_ = false;
    bool themTalking_ = false;
};
