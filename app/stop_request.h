#pragma once
// A request to stop the running download at once: the window closes, or the
// console user pressed Ctrl+C. Raised from any thread (or a signal handler) and
// never lowered; a job that sees it ends its tool and reports nothing.
#include "runtime/stop_signal.h"

namespace app {

using StopRequest = runtime::StopSignal;

}  // namespace app
