#pragma once
// A polite end from outside (Ctrl+C, a hang-up, a kill) as a stop request:
// SIGINT, SIGTERM and SIGHUP raise a StopSignal instead of ending the program,
// so that a running download can end its tool and remove its partial file.
// Each handler is reset on entry: a second such signal ends the program at once.
#include "runtime/stop_signal.h"

namespace runtime {

// For the rest of the process.
void StopOnTerminationSignals(StopSignal& stop);

// The last of those signals that raised the stop; 0 when none has.
int CaughtTerminationSignal();

}  // namespace runtime
