#pragma once
// A framework window of the main window's size on a fresh headless window
// system, shown and settled, for benchmarks of controls and menus.
#include <memory>

#include "platform/window/backend/headless/headless_system.h"
#include "razezazo/core/framework.h"
#include "razezazo/core/host.h"
#include "razezazo/popups/framework_startup.h"
#include "runtime/gbk.h"
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
