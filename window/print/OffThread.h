#pragma once

#include "window/print/cups/CupsQueue.h"

#include <functional>

namespace zentavo {

// Runs `work` on a helper thread while this thread's event loop goes on, and
// returns when the work has ended, rethrowing what it threw. When the event
// loop is told to quit meanwhile (the program is quitting), `stop` is
// requested and the work is awaited; it is expected to end soon after.
void RunOffThread(const std::function<void()>& work, StopFlag& stop);

}  // namespace zentavo
