#pragma once
// The windows of an open menu chain and the properties that link them:
//   Ex_RazezaZO_Host   on every menu window: the chain's root (popup) window
//   Ex_RazezaZO_Sub    on a menu window: its open sub-menu window, or 0
//   Ex_RazezaZO_Act    on a menu window: the element whose sub-menu is open
//   Ex_RazezaZO_Event  on the root: the owner's control that was under the
//                      mouse when the chain opened
#include "platform/window/window_system.h"
#include "razezazo/widgets/framework_object.h"

namespace razezazo {

// The menu window's open sub-menu window; 0 when none is open.
winsys::WindowId OpenSubMenuWindow(winsys::WindowId menu);
// The element whose sub-menu is open (its handle); 0 when none.
Handle ActiveElement(winsys::WindowId menu);
// True when the pointer is over the open sub-menu or a menu opened from it.
bool PointerOverSubMenu(winsys::WindowId menu);
// Closes the open sub-menu (and the menus opened from it): the menu window
// takes the activation back, forgets the sub-menu and posts it WM_CLOSE.
void CloseSubMenu(winsys::WindowId menu);
// The root of the chain `menu` belongs to.
winsys::WindowId ChainRoot(winsys::WindowId menu);

}  // namespace razezazo
