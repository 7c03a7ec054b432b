#pragma once
// The start every headless ui test, benchmark and fuzz input shares: a fresh
// headless window system with the framework brought up on it, and a framework
// window that a host takes over, shown and settled. Header-only: the
// benchmarks and fuzz targets build without GoogleTest.
#include <memory>
#include <optional>

#include "platform/window/backend/headless/headless_system.h"
#include "razezazo/core/framework.h"
#include "razezazo/core/host.h"
#include "razezazo/popups/framework_startup.h"

namespace testing_support {

// Installs a new headless window system in place of the current one and
// starts the framework on it; its screen scale is `scale` if given, else
// BRIVO_SCALE's or 1.
inline winsys::HeadlessSystem& StartHeadless(std::optional<float> scale = std::nullopt) {
  auto owned = std::make_unique<winsys::HeadlessSystem>();
  if (scale) owned->SetScale(*scale);
  winsys::HeadlessSystem& system = *owned;
  winsys::Install(std::move(owned));
  razezazo::FrameworkStartup();
  return system;
}

// A framework window (the main window's size unless told) that `host` takes
// over with `options`, shown once the pending messages have run; 0 when the
// window or the host could not be made.
inline winsys::WindowId OpenHostWindow(winsys::HeadlessSystem& system, razezazo::RazezaZOHost& host,
                                       const razezazo::HostOptions& options,
                                       const razezazo::FrameworkWindowOptions& window = {.width = 380, .height = 338}) {
  const winsys::WindowId id = razezazo::CreateFrameworkWindow(window);
  if (!id || !host.Create(id, options)) return 0;
  host.Show();
  system.RunPending();
  return id;
}

}  // namespace testing_support
