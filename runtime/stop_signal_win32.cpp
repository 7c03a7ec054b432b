// On Windows no waiter polls descriptors: WakeDescriptor() stays -1 and
// waiters look at Requested() now and then.
#include "runtime/stop_signal.h"

#include <windows.h>

namespace runtime {

StopSignal::StopSignal() = default;

StopSignal::~StopSignal() = default;

void StopSignal::Request() { requested_.store(true, std::memory_order_release); }

void WaitForEither(const StopSignal& first, const StopSignal& second) {
  while (!first.Requested() && !second.Requested()) Sleep(100);
}

}  // namespace runtime
