#pragma once

#include <QString>

#include <memory>
#include <optional>

class Clock;
struct _AtspiAccessible;
struct _AtspiEvent;

// What the accessibility bus knows of one focused element.
struct AtspiElement {
    qint64 pid = 0;
    QString role; // the role's name as AT-SPI spells it: "text", "entry", "push button" …
    bool editable = false;
    bool editableAncestor = false;
};

// Follows keyboard focus across applications through AT-SPI: a listener on focus changes,
// served by the GUI thread's glib main loop, remembers the element that took focus last.
// Queries are synchronous calls to the application that owns the element. GUI thread only.
class AtspiFocus {
  public:
    enum class Lookup { focused, nothingFocused, noAnswer };
    struct Result {
        Lookup lookup = Lookup::noAnswer;
        AtspiElement element;
    };

    // The clock bounds how long a search may take.
    explicit AtspiFocus(const Clock& clock);
    ~AtspiFocus();
    AtspiFocus(const AtspiFocus&) = delete;
    AtspiFocus& operator=(const AtspiFocus&) = delete;

    // Asks applications to publish their accessibility trees and starts listening; false when
    // there is no accessibility bus. Starting again is harmless.
    bool start();
    bool isRunning() const { return running; }

    // The focused element of the application with this process id: the one the listener saw
    // last, or the one found in that application's tree; `nothingFocused` when the application
    // answers but has no focus, `noAnswer` when it isn't on the bus or doesn't answer.
    Result focusedIn(qint64 pid);
    // The same question answered from that application's tree alone, as when the listener
    // hasn't seen its focus change. The walk is bounded in nodes and in time; `noAnswer` when
    // it had to stop before finding the focus.
    Result searchIn(qint64 pid);

    // How long a search may ask before it gives up.
    static constexpr double searchSeconds = 0.25;

  private:
    static void onFocus(_AtspiEvent* event, void* self);
    void remember(_AtspiAccessible* element);

    const Clock& clock;
    bool running = false;
    // The glib objects, kept out of this header: glib's use `signals` as a name.
    struct Held;
    std::unique_ptr<Held> held;
};
