#pragma once
// A framework window of the main window's size on a fresh headless window
// system of the given screen scale, shown and settled, for benchmarks of the
// host, controls and menus.
#include "tests/support/headless_host.h"

namespace bench {

struct HeadlessBenchWindow {
  explicit HeadlessBenchWindow(const razezazo::HostOptions& options, float scale = 1.0f) {
    system = &testing_support::StartHeadless(scale);
    window = testing_support::OpenHostWindow(*system, host, options);
  }
  HeadlessBenchWindow(const HeadlessBenchWindow&) = delete;
  HeadlessBenchWindow& operator=(const HeadlessBenchWindow&) = delete;
  ~HeadlessBenchWindow() { system->DestroyWindow(window); }

  winsys::HeadlessSystem* system = nullptr;
  winsys::WindowId window = 0;
  razezazo::RazezaZOHost host;
};

// A benchmark's scale argument: the screen's scale in per cent (100, 200).
inline float ScaleOf(std::int64_t percent) { return static_cast<float>(percent) / 100.0f; }

}  // namespace bench
