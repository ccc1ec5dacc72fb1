#pragma once

#include <QList>
#include <QString>

#include <optional>

// The pages of the main window, in sidebar order. The title is also the identifier.
enum class Tab { home, history, meetings, vocabulary, settings };

namespace Tabs {
const QList<Tab>& allCases();
QString rawValue(Tab tab);
// The identifier in the user's language, for showing.
QString title(Tab tab);
// The name of the symbol shown beside the title.
QString icon(Tab tab);
std::optional<Tab> fromRawValue(const QString& raw);
} // namespace Tabs
