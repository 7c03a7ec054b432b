#include "runtime/stop_signal.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace runtime {

static_assert(std::atomic<bool>::is_always_lock_free, "Request() must stay async-signal-safe");

StopSignal::StopSignal() : wake_fd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

StopSignal::~StopSignal() {
  if (wake_fd_ >= 0) close(wake_fd_);
}

void StopSignal::Request() {
  requested_.store(true, std::memory_order_release);
  if (wake_fd_ < 0) return;
  // Nobody reads the counter, so the descriptor stays readable for every waiter.
  const uint64_t one = 1;
  [[maybe_unused]] ssize_t written = write(wake_fd_, &one, sizeof one);
}

void WaitForEither(const StopSignal& first, const StopSignal& second) {
  pollfd waits[2] = {{.fd = first.WakeDescriptor(), .events = POLLIN, .revents = 0},
                     {.fd = second.WakeDescriptor(), .events = POLLIN, .revents = 0}};
  const int timeout_ms = waits[0].fd < 0 || waits[1].fd < 0 ? 100 : -1;
  while (!first.Requested() && !second.Requested()) poll(waits, 2, timeout_ms);
}

}  // namespace runtime
