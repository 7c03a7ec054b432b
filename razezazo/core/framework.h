#pragma once
// The process-wide framework state: the window classes, the window properties
// of framework windows and the creation of top-level framework windows (the
// start-up that brings it up is FrameworkStartup, in popups/).
#include <cstdint>
#include <optional>

#include "platform/gfx/bitmap.h"
#include "platform/window/window_system.h"
#include "razezazo/widgets/host_surface.h"
#include "razezazo/widgets/scratch_canvas.h"
#include "runtime/text.h"

namespace razezazo {

inline constexpr char kFrameworkClass[] = "Ex_RazezaZO";

// Window properties of framework windows (the host handle's, kControl, is
// declared with HostSurface).
namespace property {
inline constexpr char kFlags[] = "Ex_Wnd_Flags";  // 1 popup menu, 2 self-closing popup, 3 message box
inline constexpr char kHost[] = "Ex_RazezaZO_Host";
inline constexpr char kSub[] = "Ex_RazezaZO_Sub";
inline constexpr char kAct[] = "Ex_RazezaZO_Act";
inline constexpr char kEvent[] = "Ex_RazezaZO_Event";
inline constexpr char kMessageBox[] = "Ex_RazezaZO_MsgBox";
}  // namespace property

// The operating system's major version as the platform reports it; 6 would
// enable desktop-composition blur, which Linux does not have (0).
int OsMajorVersion();

struct WindowClass {
  std::uint32_t style = 8;  // CS_DBLCLKS
  winsys::WindowProc proc;  // empty: DefWindowProc
  winsys::Cursor cursor = winsys::Cursor::Arrow;
};

// False when the name is taken already.
bool RegisterWindowClass(const runtime::Text& name, const WindowClass& window_class);

struct FrameworkWindowOptions {
  winsys::WindowId parent = 0;
  runtime::Text title;  // GBK
  std::optional<int> x, y, width, height;
  std::optional<runtime::Text> class_name;
  std::optional<std::uint32_t> style;
  std::uint32_t ex_style = 0;
  bool show = false;
};

// A top-level framework window: 380 x 250 and centred in the work area unless
// told otherwise; 0 when it could not be created.
winsys::WindowId CreateFrameworkWindow(const FrameworkWindowOptions& options = {});

}  // namespace razezazo
