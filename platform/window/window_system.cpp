#include "platform/window/window_system.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "platform/window/backend/headless/headless_system.h"
#include "platform/window/native_start.h"

namespace winsys {

namespace {

std::unique_ptr<WindowSystem>& Active() {
  static std::unique_ptr<WindowSystem> active;
  return active;
}

// The headless system is for tests: only a program that asks for it gets it.
bool WantsHeadless() {
  const char* choice = std::getenv("BRIVO_PLATFORM");
  return choice && std::string_view(choice) == "headless";
}

}  // namespace

void Install(std::unique_ptr<WindowSystem> system) {
  // The old system goes first: a GTK system and a headless one never overlap.
  Active().reset();
  Active() = std::move(system);
}

bool Start() {
  if (WantsHeadless()) {
    Install(std::make_unique<HeadlessSystem>());
    return true;
  }
  auto native = StartNativeSystem();
  if (!native) return false;
  Install(std::move(native));
  return true;
}

// Code that runs before anyone called Start() (a test of a single control, a
// tool) gets the system the environment asks for; with none to be had there is
// nothing it could do.
WindowSystem& Current() {
  if (!Active() && !Start()) {
    std::fputs("no window system: no display, and BRIVO_PLATFORM=headless was not asked for\n", stderr);
    std::abort();
  }
  return *Active();
}

}  // namespace winsys
