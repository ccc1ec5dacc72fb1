#include "platform/PulseOperation.h"

PulseOperation::~PulseOperation() {
    if (op)
        pa_operation_unref(op);
}

PulseOperation& PulseOperation::operator=(PulseOperation&& other) noexcept {
    if (this != &other) {
        if (op)
            pa_operation_unref(op);
        op = std::exchange(other.op, nullptr);
    }
    return *this;
}

bool PulseOperation::running() const {
    return op && pa_operation_get_state(op) == PA_OPERATION_RUNNING;
}

void PulseOperation::cancel() {
    if (running())
        pa_operation_cancel(op);
    *this = PulseOperation();
}
