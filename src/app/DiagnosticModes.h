#pragma once

#include <QStringList>

#include <optional>

// The command-line modes for diagnosing a machine; they run beside a normal Voxmere.
namespace DiagnosticModes {
bool isListing(const QStringList& args);
// The listing modes print and exit: their exit status, or none when no listing was asked for.
std::optional<int> runListing(const QStringList& args);
} // namespace DiagnosticModes
