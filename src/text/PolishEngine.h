#pragma once

#include "text/LanguageModel.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <mutex>

// Polishes a dictation with a language model, keeping one prepared session so that the next
// request starts quickly. A session serves one request only.
class PolishEngine {
  public:
    explicit PolishEngine(std::shared_ptr<LanguageModel> model);
    PolishEngine(const PolishEngine&) = delete;
    PolishEngine& operator=(const PolishEngine&) = delete;

    bool available() const;
    // Prepares a session for the next request, replacing any earlier one.
    void prewarm();
    // The model's clean-up of `text`, or `text` itself when the request fails or the answer
    // fails the sanity checks. Blocks until the model answers: call it off the main thread.
    QString clean(const QString& text, const QStringList& vocab);

    static const QString& instructions();
    static QString prompt(const QString& text, const QStringList& vocab);
    // The answer without stray transcript tags, or `text` when it is empty or its length is
    // out of proportion to the input.
    static QString checked(const QString& answer, const QString& text);

  private:
    std::unique_ptr<LanguageModelSession> take();
    std::unique_ptr<LanguageModelSession> prepared();

    std::shared_ptr<LanguageModel> model;
    std::mutex lock;
    std::unique_ptr<LanguageModelSession> session;
};
