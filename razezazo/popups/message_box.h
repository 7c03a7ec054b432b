#pragma once
// The framework's modal message box: a framework window with an icon, a text
// and one to three buttons, run in a message loop of its own until a button
// answers or the box is closed (Escape, the close button, WM_CLOSE: result 1).
// While it runs, the program's other windows get no keyboard or mouse input
// but keep painting and running their timers.
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "platform/window/window_system.h"
#include "razezazo/core/host_options.h"
#include "razezazo/popups/message_box_buttons.h"
#include "runtime/text.h"

namespace razezazo {

// Icon kinds; they are also the beep's kind.
enum MessageBoxIcon : int {
  kIconNone = 0,
  kIconError = 16,
  kIconQuestion = 32,
  kIconWarning = 48,
  kIconInformation = 64,
  kIconDone = 128
};

struct MessageBoxOptions {
  winsys::WindowId parent = 0;  // owner; the look's source when it is a host
  runtime::Text text;           // GBK
  MessageBoxType type = kBoxOk;
  std::optional<runtime::Text> caption;  // GBK; none: "提示："
  MessageBoxIcon icon = kIconNone;
  bool centre_over_parent = false;  // else centred in the work area
  bool sound = true;
  std::uint32_t caption_flags = kCaptionTitle | kCaptionClose;
  // Replace the type's texts, right to left; missing ones keep the type's text.
  std::vector<runtime::Text> button_texts;
  // The box's own look; none: a copy of the parent host's look, or orange.
  std::optional<HostOptions> look;
  ::razezazo::show_animation::Kind show_animation = ::razezazo::show_animation::kNone;
  ::razezazo::close_animation::Kind close_animation = ::razezazo::close_animation::kNone;
  int default_button = 1;        // position, 1 = rightmost
  bool skinned_buttons = false;  // SkinButton 70 x 26 instead of PushButton 70 x 24
  // Called once the box is built and before it shows: box window, width, height.
  std::function<void(winsys::WindowId, int width, int height)> on_built;
};

// The code of the button that answered, 1 when the box was closed otherwise or
// could not be created.
int ShowMessageBox(const MessageBoxOptions& options);

// The box's background: its skin in three stretched bands and, in a message
// box window, the icon cell of its kind at (30, 40). A PaintBackgroundHook.
void PaintMessageBoxBackground(winsys::WindowId window, gfx::Graphics& g, int width, int height);

}  // namespace razezazo
