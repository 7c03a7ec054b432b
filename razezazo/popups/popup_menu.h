#pragma once
// PopupMenu: a list of MenuItems shown in a layered popup window of its own,
// with its own message loop. Choosing a command closes the menu chain and sends
// WM_COMMAND (273) with the item's id to the owner window — addressed to the
// control at the place the menu opened (under the mouse, unless a place was
// given), which also receives the focus — or calls the item's handler. Up and
// Down light the enabled items round the ends, Enter chooses, Right opens a
// sub-menu and Left or Escape closes it; Escape in the first menu, a click
// outside and the activation of another window close the whole chain.
//
// A menu object lives as long as its owner wants; its items may change between
// showings. Each showing makes a new window and new elements from a copy of the
// items, so a handler may change or even delete the menu while it is shown.
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "platform/gfx/graphics.h"
#include "platform/window/window_system.h"
#include "razezazo/popups/menu_item.h"
#include "razezazo/widgets/framework_object.h"
#include "runtime/text.h"

namespace razezazo {

inline constexpr char kMenuWindowText[] = "Ex_RazezaZO_Menu";

// Draws the whole menu window's background (width x height pixels).
using MenuBackgroundPainter = std::function<void(gfx::Graphics&, int width, int height)>;
// Called when the window and its elements exist, before it is shown.
using MenuOpenedHandler = std::function<void(winsys::WindowId menu_window, bool popup)>;

class PopupMenu : public FrameworkObject {
 public:
  PopupMenu() { AcquireHandle(); }

  // The sub-menu form: placed beside the owning item of the menu window
  // `owner` (to its right, or its left when it does not fit), fitted width.
  void ShowAttached(winsys::WindowId owner);
  // The popup form at (x, y) on the screen; (0, 0) means at the pointer. Near
  // the work area's right edge the menu opens to the left of the point, near
  // its bottom above it. Returns when the menu is gone.
  void Show(winsys::WindowId owner, int x = 0, int y = 0);

  // Appends an item; its text is `text` (GBK), the rest comes from `item`.
  void AddItem(const runtime::Text& text, MenuItem item = {});
  // Indices are 1-based; false for an invalid one.
  bool RemoveItem(int index);
  void RemoveAllItems() { items_.clear(); }
  MenuItemState ItemState(int index, std::optional<MenuItemState> state = std::nullopt);
  runtime::Text ItemText(int index, const std::optional<runtime::Text>& text = std::nullopt);
  std::u16string ItemWideText(int index, const std::optional<std::u16string>& text = std::nullopt);
  std::vector<std::uint8_t> ItemIcon(int index, const std::optional<std::vector<std::uint8_t>>& icon = std::nullopt);
  bool ValidIndex(int index) const { return index >= 1 && index <= item_count(); }
  int item_count() const { return static_cast<int>(items_.size()); }
  const std::vector<MenuItem>& items() const { return items_; }

  // 0 fits the width to the texts; any other width below 50 becomes 50.
  void SetWidth(int width) { width_ = width; }
  int width() const { return width_; }
  Handle identity() const { return handle(); }
  void SetOpenedHandler(MenuOpenedHandler handler) { opened_ = std::move(handler); }
  // None: the default look (a white rounded panel with a soft shadow and an icon strip).
  void SetBackgroundPainter(MenuBackgroundPainter painter) { painter_ = std::move(painter); }

 private:
  MenuItem* At(int index) { return ValidIndex(index) ? &items_[static_cast<size_t>(index - 1)] : nullptr; }
  void ShowMenu(winsys::WindowId owner, int x, int y, bool popup);

  std::vector<MenuItem> items_;
  int width_ = 0;
  MenuOpenedHandler opened_;
  MenuBackgroundPainter painter_;
};

// The default background: a rounded white panel inside three shadow rings and
// the icon strip along its left side.
void DrawDefaultMenuBackground(gfx::Graphics& g, int width, int height);

}  // namespace razezazo
