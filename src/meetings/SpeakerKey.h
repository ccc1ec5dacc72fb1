#pragma once

#include <QString>

#include <compare>
#include <cstddef>
#include <optional>

// Who spoke a line of a call: the user, the far side as one voice, or one numbered person of the
// far side. A record may also hold a key this version doesn't know (a hand-edited file, a later
// version); it is carried through untouched.
//
// The stored spelling is the key's identity, so that S007 and S7 stay two keys as they were in
// the file, and a record rewritten keeps every key byte for byte.
class SpeakerKey {
  public:
    // The empty key, until a line is given its side.
    SpeakerKey() = default;

    static SpeakerKey you();
    static SpeakerKey them();
    static SpeakerKey numbered(qlonglong n);
    // The key as records and command lines spell it.
    static SpeakerKey fromStored(const QString& text);
    const QString& stored() const { return text; }

    bool isYou() const { return kind == Kind::You; }
    bool isThem() const { return kind == Kind::Them; }
    // n of a numbered person; S0 and negative numbers only come from hand-edited files.
    std::optional<qlonglong> number() const;

    bool operator==(const SpeakerKey& other) const { return text == other.text; }
    std::strong_ordering operator<=>(const SpeakerKey& other) const {
        return text.compare(other.text) <=> 0;
    }

  private:
    enum class Kind { You, Them, Numbered, Other };

    SpeakerKey(Kind kind, QString text, qlonglong n = 0);

    Kind kind = Kind::Other;
    QString text;
    qlonglong n = 0;
};

size_t qHash(const SpeakerKey& key, size_t seed = 0);
