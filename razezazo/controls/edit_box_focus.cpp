// The edit box's focus: while it has the focus its caret blinks on a 500 ms
// timer whose id is the box's handle and, in the read-only, password, integer
// and decimal modes, the window's input method is switched off (nothing it
// composes would be welcome there). Losing the focus collapses the selection.
#include "razezazo/controls/edit_box.h"
#include "razezazo/widgets/host_surface.h"

namespace razezazo {
namespace {

constexpr std::uint32_t kBlinkMs = 500;

bool RefusesInputMethod(InputMode mode) { return mode != InputMode::kNormal; }

}  // namespace

void EditBox::StartBlinking() {
  if (drag_scroll_point_) return;  // the timer scrolls the drag now; the blink comes back after it
  winsys::Current().SetTimer(host_window(), self(), kBlinkMs);  // a running one is replaced: the blink starts afresh
}

void EditBox::FocusGained() {
  winsys::WindowSystem& system = winsys::Current();
  StartBlinking();
  Paint();
  if (RefusesInputMethod(input_mode_) && !input_method_detached_) {
    system.EnableInputMethod(host_window(), false);
    input_method_detached_ = true;
  }
  // The caret shows at once rather than after the first blink.
  RefreshCaret(true, true);
}

void EditBox::FocusLost() {
  LeaveFocusState();
  anchor_at_.line = caret_at_.line;
  anchor_at_.column = caret_at_.column;
  RefreshCaret(false, false);
  Paint();
}

void EditBox::WindowActivation(bool active) {
  if (!HasFocus()) return;
  if (active) {
    StartBlinking();
    RefreshCaret(true, true);
  } else {
    winsys::Current().KillTimer(host_window(), self());
    RefreshCaret(false, false);
  }
}

// The input method comes back exactly when this box took it away, whatever
// the mode is now.
void EditBox::LeaveFocusState() {
  winsys::WindowSystem& system = winsys::Current();
  if (input_method_detached_) {
    system.EnableInputMethod(host_window(), true);
    input_method_detached_ = false;
  }
  system.KillTimer(host_window(), self());
}

}  // namespace razezazo
