#pragma once

#include "app/DictationServices.h"
#include "app/IconState.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <optional>

// Turns a dictation's engine text into delivered text: clean-up, the nothing-usable rule,
// polishing, the history, and the paste or the result card. A sequence on
// the GUI thread that never sleeps there: its short waits are timers and polishing runs on
// another thread, so a newer recording may start meanwhile; the sequence then still delivers
// its own text but leaves the icon and the overlay to the newer recording.
class DictationFinisher : public QObject {
    Q_OBJECT
  public:
    // Takes a dictation's engine text and its clean result instead of the user.
    using Recipient = std::function<void(const QString& raw, const QString& final)>;

    struct Request {
        // None when the engine gave nothing and a piece failed.
        std::optional<QString> text;
        double dur = 0;
        QStringList vocabWords;
        std::optional<QString> app;
        // When set, gets the text instead of the history, the paste and the card.
        Recipient recipient;
        // Some piece got no text: said once the rest is delivered.
        bool partLost = false;
        // True once a newer recording owns the icon and the overlay.
        std::function<bool()> superseded = [] { return false; };
    };

    static constexpr double engineMessageSeconds = 2.5;
    static constexpr double lostMessageSeconds = 3.0;
    static constexpr double recheckDelay = 0.3;
    static constexpr double cardDelay = 0.2;

    explicit DictationFinisher(const DictationServices& services);
    ~DictationFinisher() override;

    // Returns at once; the rest follows on the GUI thread.
    void finishDictation(Request request);
    // True when the focus is confirmed, twice 0.3 s apart, not to take text.
    void nothingToPasteInto(std::function<void(bool)> answer);
    // A recent dictation chosen in the menu: its full text, from the item's data.
    void copyRecent(const QVariant& data);
    // A dictation given up for a newer one: kept in the history, never pasted.
    void keep(const QString& text, double dur, const std::optional<QString>& app);

  signals:
    void iconChanged(IconState state);

  private:
    void deliver(const Request& request, const QString& raw, const QString& final);
    void decide(const Request& request, const QString& final, FocusState state);
    void save(const QString& raw, const QString& final, double dur,
              const std::optional<QString>& app);
    void afterConfirm(FocusState first, std::function<void(bool)> answer);

    const DictationServices& s;
};
