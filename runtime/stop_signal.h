#pragma once
// A one-way "stop now" flag that another thread, or a signal handler, raises and
// that a waiting poll() wakes up for.
#include <atomic>

namespace runtime {

class StopSignal {
 public:
  StopSignal();
  ~StopSignal();
  StopSignal(const StopSignal&) = delete;
  StopSignal& operator=(const StopSignal&) = delete;

  // Raises the flag for good. Safe from any thread and from a signal handler.
  void Request();
  bool Requested() const { return requested_.load(std::memory_order_acquire); }

  // Becomes readable once the flag is raised and stays readable: it can go into
  // a poll() set beside the descriptors a waiter watches. -1 if none could be made,
  // in which case a waiter has to look at Requested() now and then.
  int WakeDescriptor() const { return wake_fd_; }

 private:
  std::atomic<bool> requested_{false};
  int wake_fd_ = -1;
};

// Waits until either flag is raised. Where a flag has no wake descriptor (none
// could be made, or on Windows) the flags are looked at every tenth of a second.
void WaitForEither(const StopSignal& first, const StopSignal& second);

}  // namespace runtime
