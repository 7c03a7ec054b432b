// On Windows no waiter polls descriptors: WakeDescriptor() stays -1 and
// waiters look at Requested() now and then.
#include "runtime/stop_signal.h"

namespace runtime {

StopSignal::StopSignal() = default;

StopSignal::~StopSignal() = default;

void StopSignal::Request() { requested_.store(true, std::memory_order_release); }

}  // namespace runtime
