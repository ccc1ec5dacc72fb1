#pragma once

#include "text/LanguageModelSession.h"

#include <QString>

#include <memory>

// A local language model that can clean up text. None ships by default, so polishing stays
// off unless one is present.
class LanguageModel {
  public:
    virtual ~LanguageModel() = default;
    // Whether the model can answer now.
    virtual bool available() const = 0;
    // A fresh conversation that follows the given instructions.
    virtual std::unique_ptr<LanguageModelSession> session(const QString& instructions) = 0;
};
