#pragma once
// The one way a GUI test waits for the X server, a program or a file: it asks
// a condition again and again until it holds or a deadline passes. A fixed
// sleep is either longer than needed or, on a busy machine, too short.
#include <chrono>
#include <functional>
#include <thread>

namespace winsys::testing {

// True as soon as `done` holds; false when it still does not after
// `timeout_ms`. `done` is asked every `poll_ms` and once more at the deadline.
inline bool WaitUntil(const std::function<bool()>& done, int timeout_ms = 5000, int poll_ms = 50) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  while (!done()) {
    if (std::chrono::steady_clock::now() >= deadline) return done();
    std::this_thread::sleep_for(std::chrono::milliseconds(poll_ms));
  }
  return true;
}

// For the one kind of wait no condition can end: a test that checks that
// something does NOT happen gives it this long to happen first.
inline void LetTimePass(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace winsys::testing
