#include "delivery/FocusState.h"

QString focusStateName(FocusState state) {
    switch (state) {
    case FocusState::editable:
        return QStringLiteral("editable");
    case FocusState::notEditable:
        return QStringLiteral("notEditable");
    case FocusState::unknown:
        break;
    }
    return QStringLiteral("unknown");
}
