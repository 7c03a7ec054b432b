#pragma once
// A framework window of the main window's size on a fresh headless window
// system, shown and settled, for benchmarks of the host, controls and menus.
#include "tests/support/headless_host.h"

namespace bench {

struct HeadlessBenchWindow {
  explicit HeadlessBenchWindow(const razezazo::HostOptions& options) {
    system = &testing_support::StartHeadless();
    window = testing_support::OpenHostWindow(*system, host, options);
  }
  HeadlessBenchWindow(const HeadlessBenchWindow&) = delete;
  HeadlessBenchWindow& operator=(const HeadlessBenchWindow&) = delete;
  ~HeadlessBenchWindow() { system->DestroyWindow(window); }

  winsys::HeadlessSystem* system = nullptr;
  winsys::WindowId window = 0;
  razezazo::RazezaZOHost host;
};

}  // namespace bench
