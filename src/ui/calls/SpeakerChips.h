#pragma once

#include <QScrollArea>

#include <functional>

class SpeakerKey;
struct Meeting;

// One chip per speaker of a call, in order of first appearance; pressing one renames that
// speaker.
class SpeakerChips : public QScrollArea {
    Q_OBJECT
  public:
    SpeakerChips(const Meeting& m, std::function<void(const SpeakerKey& key)> rename,
                 QWidget* parent = nullptr);
};
