#pragma once

#include "text/LanguageModel.h"

// Stands in where no local model is installed: never available, and a request made anyway
// fails the ordinary way, leaving the text as it was.
class NoLanguageModel : public LanguageModel {
  public:
    bool available() const override { return false; }
    std::unique_ptr<LanguageModelSession> session(const QString& instructions) override;
};
