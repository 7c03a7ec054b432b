#include "platform/window/window_system.h"

#include <cstdlib>
#include <string_view>

#include "platform/window/backend/gtk/gtk_start.h"
#include "platform/window/backend/headless/headless_system.h"

namespace winsys {

namespace {

std::unique_ptr<WindowSystem>& Active() {
  static std::unique_ptr<WindowSystem> active;
  return active;
}

bool WantsGtk() {
  const char* choice = std::getenv("BRIVO_PLATFORM");
  if (choice && *choice) return std::string_view(choice) == "gtk";
  const char* display = std::getenv("DISPLAY");
  return display && *display;
}

}  // namespace

void Install(std::unique_ptr<WindowSystem> system) {
  // The old system goes first: a GTK system and a headless one never overlap.
  Active().reset();
  Active() = std::move(system);
}

bool Start() {
  if (!WantsGtk()) {
    Install(std::make_unique<HeadlessSystem>());
    return true;
  }
  auto gtk = StartGtkSystem();
  if (!gtk) return false;
  Install(std::move(gtk));
  return true;
}

// Code that runs before anyone called Start() (a test of a single control, a
// tool) gets the system the environment asks for, or a headless one.
WindowSystem& Current() {
  if (!Active() && !Start()) Install(std::make_unique<HeadlessSystem>());
  return *Active();
}

}  // namespace winsys
