#pragma once

#include <QString>

class QWidget;

// A question that must be answered before anything else: an application-modal alert with the
// confirming button and "Cancel". True when the user confirmed.
namespace Alert {
bool confirm(QWidget* parent, const QString& text, const QString& detail,
             const QString& confirmLabel);
}
