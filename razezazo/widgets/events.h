#pragma once
// Event codes of the framework and the messages controls send their host. Codes
// below 10240 are window message numbers passed through to controls.
#include <cstdint>
#include <functional>

namespace razezazo {

class ControlBase;

namespace event {
inline constexpr int kCreated = 1, kDestroyed = 2, kRepaint = 15, kTimer = 275;
inline constexpr int kFocusGained = 10240, kFocusLost = 10241, kMouseEnter = 10242, kMouseLeave = 10243, kClick = 10244,
                     kBoundsChanged = 10245, kHidden = 10246, kShown = 10247, kTransitionFrame = 10248,
                     kPressQuery = 10250, kDisabledLookQuery = 10254, kPlacementChanged = 10257, kFocusQuery = 10260,
                     kOpacityChanged = 10261, kRepaintBroadcast = 10262, kTransitionStarts = 10263,
                     kTransitionFinished = 10264;
// To the focused control when its window gains (argument 1: 1) or loses (0) activation.
inline constexpr int kWindowActivation = 10265;
// Double clicks reach controls as a second WM_LBUTTONDOWN whose first argument is this.
inline constexpr std::intptr_t kDoubleClickMark = 10086;
}  // namespace event

// Messages to a host window. A control reports its new place with the code of
// the event it then hears, event::kPlacementChanged (10257).
namespace host_message {
inline constexpr unsigned kSetFocus = 10240, kSetAccelerator = 10251, kPushBackBuffer = 10253, kRedrawRect = 10256,
                          kDeliverEvent = 10258;
}  // namespace host_message

// What a bound handler receives. `parent` is null for a top-level control.
struct Event {
  ControlBase* parent = nullptr;
  ControlBase* control = nullptr;
  int code = 0;
  std::intptr_t argument1 = 0;
  std::intptr_t argument2 = 0;
};

using EventHandler = std::function<void(const Event&)>;

// A handler's answer when it did not handle an event.
inline constexpr std::intptr_t kNotHandled = -1;

}  // namespace razezazo
