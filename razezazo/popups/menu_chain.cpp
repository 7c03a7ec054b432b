#include "razezazo/popups/menu_chain.h"

#include "razezazo/core/framework.h"
#include "razezazo/widgets/control_base.h"

namespace razezazo {
namespace {

winsys::WindowSystem& System() { return winsys::Current(); }

winsys::WindowId WindowProp(winsys::WindowId window, const char* name) {
  return static_cast<winsys::WindowId>(System().GetProp(window, name));
}

}  // namespace

winsys::WindowId OpenSubMenuWindow(winsys::WindowId menu) {
  winsys::WindowId sub = WindowProp(menu, property::kSub);
  return System().IsWindow(sub) ? sub : 0;
}

Handle ActiveElement(winsys::WindowId menu) { return static_cast<Handle>(System().GetProp(menu, property::kAct)); }

bool PointerOverSubMenu(winsys::WindowId menu) {
  winsys::WindowSystem& system = System();
  const winsys::WindowId sub = OpenSubMenuWindow(menu);
  if (!sub) return false;
  const gfx::PointF cursor = system.CursorPos();
  // Menus opened from the sub-menu are owned by it, directly or further down.
  for (winsys::WindowId w = system.WindowFromPoint(cursor); w; w = system.Owner(w))
    if (w == sub) return true;
  return false;
}

void CloseSubMenu(winsys::WindowId menu) {
  winsys::WindowSystem& system = System();
  const winsys::WindowId sub = OpenSubMenuWindow(menu);
  const Handle active = ActiveElement(menu);
  system.SetProp(menu, property::kSub, 0);
  system.SetProp(menu, property::kAct, 0);
  if (!sub) return;
  system.SetForeground(menu);
  system.Post(sub, winsys::WM_CLOSE, 0, 0);
  // Its element no longer owns an open sub-menu: it loses the lit look unless
  // the mouse is on it.
  if (auto* element = Lookup<ControlBase>(active)) element->RepaintNow();
}

winsys::WindowId ChainRoot(winsys::WindowId menu) {
  winsys::WindowId root = WindowProp(menu, property::kHost);
  return root ? root : menu;
}

}  // namespace razezazo
