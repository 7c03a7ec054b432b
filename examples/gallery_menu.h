#pragma once
// The gallery's popup menu: a right click anywhere in the window opens a menu
// with commands, a disabled item, a handler item and a sub-menu. It prints
// "menu opened", "menu command <id>", "menu handler" and "menu closed".
#include "razezazo/core/host.h"
#include "razezazo/popups/popup_menu.h"

namespace gallery {

class MenuExample {
 public:
  explicit MenuExample(razezazo::RazezaZOHost& host);

 private:
  void Open(winsys::WindowId window);

  razezazo::PopupMenu menu_;
  razezazo::PopupMenu export_menu_;
};

}  // namespace gallery
