#pragma once
// A framework window of the main window's size on a fresh headless window
// system of the given screen scale, shown and settled, for benchmarks of
// controls and menus.
#include <cstdint>
#include <memory>

#include "platform/window/backend/headless/headless_system.h"
#include "razezazo/core/framework.h"
#include "razezazo/core/host.h"
#include "razezazo/popups/framework_startup.h"
#include "runtime/gbk.h"

namespace bench {

struct HeadlessBenchWindow {
  explicit HeadlessBenchWindow(const razezazo::HostOptions& options, float scale = 1.0f) {
    auto owned = std::make_unique<winsys::HeadlessSystem>();
    owned->SetScale(scale);
    system = owned.get();
    winsys::Install(std::move(owned));
    razezazo::FrameworkStartup();
    window = razezazo::CreateFrameworkWindow({.title = runtime::Gbk("bench"), .width = 380, .height = 338});
    host.Create(window, options);
    host.Show();
    system->RunPending();
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
