#include "ui/floating/CallPromptModel.h"

#include "core/ChangeField.h"

void CallPromptModel::setApp(const QString& value) {
    if (changeField(app_, value))
        emit changed();
}

void CallPromptModel::setStarted(bool value) {
    if (changeField(started_, value))
        emit changed();
}
