#pragma once

#include <QString>

namespace Words {

// Runs of non-whitespace characters (any Unicode whitespace separates words).
int count(QStringView text);

} // namespace Words
