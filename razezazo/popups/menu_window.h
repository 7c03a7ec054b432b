#pragma once
// One showing of a PopupMenu: its window, the host that draws it and one
// element per item, all made from a copy of the menu's items, and the message
// loop that runs until the window is gone.
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "razezazo/core/host.h"
#include "razezazo/popups/menu_item.h"
#include "razezazo/popups/menu_item_element.h"
#include "razezazo/popups/popup_menu.h"

namespace razezazo {

class MenuWindow {
 public:
  MenuWindow(std::vector<MenuItem> items, int width, MenuBackgroundPainter painter);
  MenuWindow(const MenuWindow&) = delete;
  MenuWindow& operator=(const MenuWindow&) = delete;
  ~MenuWindow();

  // Creates the hidden window with its properties and elements. The popup form
  // opens at (x, y), or at the pointer for (0, 0), and gives the owner's
  // control under the pointer the focus; the sub-menu form opens beside the
  // owner menu's active element. False when no window could be made.
  bool Open(winsys::WindowId owner, int x, int y, bool popup);
  // Shows the window (a sub-menu slides in from its parent's side), makes it
  // the foreground window and dispatches messages until it is gone.
  void ShowAndRun();

  winsys::WindowId window() const { return window_; }

 private:
  gfx::RectI Place(winsys::WindowId owner, int x, int y, bool popup);
  void SetChainProperties(winsys::WindowId owner, bool popup);
  void CreateHost();
  void CreateElements();
  // Up and Down light the next enabled item (wrapping), Enter or Right choose
  // it (Right only opens a sub-menu), Left and Escape close a sub-menu. True
  // when the key was the menu's.
  bool NavigationKey(unsigned key);
  void LightNext(int direction);
  void RunLoop();

  std::vector<MenuItem> items_;
  int given_width_ = 0;
  MenuBackgroundPainter painter_;
  bool popup_ = true;
  bool flipped_ = false;
  winsys::WindowId window_ = 0;
  winsys::WindowId owner_ = 0;
  std::optional<std::pair<int, int>> given_point_;  // where a popup was asked to open (screen)
  RazezaZOHost host_;
  std::vector<std::unique_ptr<MenuItemElement>> elements_;
};

}  // namespace razezazo
