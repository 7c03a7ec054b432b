#pragma once
// The arithmetic of a menu window: its size from the items, where it opens,
// and where each item's element sits.
#include <vector>

#include "platform/gfx/geometry.h"
#include "razezazo/drawing/float_rect.h"
#include "razezazo/popups/menu_item.h"

namespace razezazo {

inline constexpr int kMenuMinimumWidth = 50;
inline constexpr int kMenuItemHeight = 22;
inline constexpr int kMenuSeparatorHeight = 3;
inline constexpr int kMenuMargin = 8;

// 16, plus 3 per separator and 22 per other item; hidden items do not count.
int MenuHeight(const std::vector<MenuItem>& items);
// A given width below 50 becomes 50; 0 fits: the widest text (hot-key marks
// not counted) + 50, and 15 more when any item opens a sub-menu.
int MenuWidth(const std::vector<MenuItem>& items, int given_width);

// The popup form at a screen point: to the left of it when the menu would pass
// the work area's right edge, above it when it would pass the bottom.
gfx::RectI PopupMenuRect(int x, int y, int width, int height, const gfx::RectI& work);

struct SubMenuPlacement {
  gfx::RectI rect;
  bool flipped = false;  // opens to the left of its parent
};
// Beside the owning item (window coordinates of the parent menu window),
// overlapping the parent's shadow margin; to the left when the right side has
// no room; moved up when it would pass the bottom.
SubMenuPlacement PlaceSubMenu(const gfx::RectI& parent, const FloatRect& item, int width, int height,
                              const gfx::RectI& work);

// Element bounds top to bottom from y = 8; hidden items get none (an empty rect).
std::vector<FloatRect> MenuElementBounds(const std::vector<MenuItem>& items, int width);

}  // namespace razezazo
