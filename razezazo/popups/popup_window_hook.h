#pragma once
// The message hook that framework popups (menus, self-closing popups) and
// message boxes install on their hosts: it closes them when the user activates
// something else or presses Escape, and clears their window properties when
// they go. The window's kind is its Ex_Wnd_Flags property.
#include "platform/window/window_system.h"

namespace razezazo {

enum PopupKind : int { kPopupMenu = 1, kPopupSelfClosing = 2, kPopupMessageBox = 3 };

// A MessageHook: -1 for every message, so the host's own handling goes on.
winsys::LResult PopupWindowHook(winsys::WindowId window, unsigned message, winsys::WParam wparam,
                                winsys::LParam lparam);

}  // namespace razezazo
