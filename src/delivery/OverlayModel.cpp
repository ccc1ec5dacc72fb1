#include "delivery/OverlayModel.h"

void OverlayModel::setPhase(const Phase& phase) {
    phase_ = phase;
    emit changed();
}

void OverlayModel::resetLevels() {
    levels_ = QList<double>(levelCount, quietLevel);
    emit levelsChanged();
}

void OverlayModel::push(double level) {
    levels_.removeFirst();
    levels_.append(level);
    emit levelsChanged();
}

void OverlayModel::setCopied(bool value) {
    copied_ = value;
    emit changed();
}

void OverlayModel::setNeedsPermission(bool value) {
    needsPermission_ = value;
    emit changed();
}
