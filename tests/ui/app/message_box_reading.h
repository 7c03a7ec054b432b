#pragma once
// Reading and answering the framework's message boxes on the headless window
// system, as a user sees and clicks them.
#include <optional>
#include <string>

#include "platform/window/backend/headless/headless_system.h"

namespace brivo_window_test {

struct BoxContent {
  std::string title;  // UTF-8
  std::string text;   // UTF-8
};

// What `window` shows when it is an open message box; nothing otherwise.
std::optional<BoxContent> ReadMessageBox(winsys::HeadlessSystem& system, winsys::WindowId window);

// Clicks the box's button of this answer code, or its rightmost one when no
// code is given; false when it has no such button.
bool ClickBoxButton(winsys::HeadlessSystem& system, winsys::WindowId box, std::optional<int> code = std::nullopt);

}  // namespace brivo_window_test
