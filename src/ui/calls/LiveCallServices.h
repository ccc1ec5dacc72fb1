#pragma once

#include "ui/calls/CallServices.h"

class CallsPage;

// The calls pages over the application's own recorder, tools, people and call audio.
namespace LiveCallServices {
// What the recorder and the after-call tools are doing now.
CallActivity activity();
CallServices make(UIState& state, Scheduler& scheduler);
// The page follows the recorder and the tools as they change.
void follow(CallsPage* page);
} // namespace LiveCallServices
