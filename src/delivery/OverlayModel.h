#pragma once

#include <QList>
#include <QObject>
#include <QString>

// What the overlay shows. Views follow `changed`. GUI thread.
class OverlayModel : public QObject {
    Q_OBJECT
  public:
    enum class Kind { message, result, recording, transcribing, polishing };
    struct Phase {
        Kind kind = Kind::recording;
        QString text; // the message or the result; empty otherwise

        static Phase message(const QString& text) { return {Kind::message, text}; }
        static Phase result(const QString& text) { return {Kind::result, text}; }
        static Phase recording() { return {Kind::recording, {}}; }
        static Phase transcribing() { return {Kind::transcribing, {}}; }
        static Phase polishing() { return {Kind::polishing, {}}; }
        bool operator==(const Phase&) const = default;
    };

    static constexpr int levelCount = 32;
    static constexpr double quietLevel = 0.04;

    using QObject::QObject;

    Phase phase() const { return phase_; }
    void setPhase(const Phase& phase);
    // The waveform, oldest first; always `levelCount` entries.
    const QList<double>& levels() const { return levels_; }
    void resetLevels();
    void push(double level);
    bool copied() const { return copied_; }
    void setCopied(bool value);
    // The result card explains that pasting isn't possible here.
    bool needsPermission() const { return needsPermission_; }
    void setNeedsPermission(bool value);

  signals:
    void changed();
    // Only the waveform moved: many times a second while recording, so views just repaint.
    void levelsChanged();

  private:
    Phase phase_;
    QList<double> levels_ = QList<double>(levelCount, quietLevel);
    bool copied_ = false;
    bool needsPermission_ = false;
};
