#include "platform/KeyWatcher.h"

KeyWatcher::~KeyWatcher() = default;
