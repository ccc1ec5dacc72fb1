#pragma once

#include <QList>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

// Separates the far side of a call into speakers with the external diarization program found in
// the speaker folder, and tidies its groups with voiceprints. `find` and `merge` block for
// seconds to minutes: call them from a background thread.
class Speakers {
  public:
    struct Turn {
        double start = 0;
        double end = 0;
        int speaker = 0; // 1-based, in order of first appearance
        bool operator==(const Turn&) const = default;
    };
    using Samples = std::span<const int16_t>;
    using Print = std::vector<float>;
    using PrintOf = std::function<std::optional<Print>(Samples)>;

    // `minimumLimit`: the fewest seconds the program may take before it counts as hung.
    explicit Speakers(QString dir, double minimumLimit = 600);

    // `<executable>/../share/voxmere/speakers` when it holds the embedding model, else the data
    // folder's "speakers".
    static QString defaultDir(const QString& executableDir);

    const QString& dir() const { return folder; }
    QString tool() const;
    QString library() const;
    QString embeddingModel() const;
    // Looked at afresh every time: the user may install the program while Voxmere runs.
    bool available() const;

    // A 16 kHz mono WAV file, written 10 s at a time.
    static bool write(Samples samples, const QString& path);
    // None when the program is missing, fails, hangs or says something undecodable; a count
    // below 1 means the program clusters by threshold.
    std::optional<QList<Turn>> find(Samples samples, std::optional<int> count) const;
    // The program's turn lines, sorted by start and numbered by first appearance.
    static QList<Turn> parse(const QString& output);
    // Folds speakers without a voiceprint into the main one, merges alike voices and folds short
    // speakers that sound like another.
    static QList<Turn> merge(const QList<Turn>& turns, Samples samples, const PrintOf& printOf);
    static float sameVoice(double seconds);
    // How long the program may run on this much audio before it counts as hung.
    double timeLimit(qsizetype samples) const;

  private:
    QStringList arguments(const QString& wav, std::optional<int> count) const;

    QString folder;
    double minimumLimit;
};
