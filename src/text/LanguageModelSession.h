#pragma once

#include <QString>

#include <optional>

// One conversation with a language model.
class LanguageModelSession {
  public:
    struct Reply {
        std::optional<QString> content; // none when the request failed
        QString error;                  // the failure's description
    };

    virtual ~LanguageModelSession() = default;
    // Loads what the model needs so that the first answer comes quickly.
    virtual void prewarm() = 0;
    // One text prompt, one text answer, with the model's default options. Blocks.
    virtual Reply respond(const QString& prompt) = 0;
};
