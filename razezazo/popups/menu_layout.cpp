#include "razezazo/popups/menu_layout.h"

#include <algorithm>

#include "platform/gfx/bitmap.h"
#include "razezazo/drawing/font.h"
#include "razezazo/drawing/text.h"
#include "razezazo/drawing/text_format.h"

namespace razezazo {
namespace {

constexpr int kTextAllowance = 50;
constexpr int kSubMenuArrowAllowance = 15;
constexpr int kOuterHeight = 16;
constexpr int kSeparatorLeft = 33;

int TextWidth(const gfx::Graphics& g, const std::u16string& text, const FormatHandle& format) {
  FloatRect size = MeasureTextSize(g, text, DefaultFont(), format, {0, 0, 10000, 1000});
  return static_cast<int>(size.width);
}

}  // namespace

int MenuHeight(const std::vector<MenuItem>& items) {
  int height = kOuterHeight;
  for (const MenuItem& item : items) {
    if (item.hidden()) continue;
    height += item.kind == kMenuSeparator ? kMenuSeparatorHeight : kMenuItemHeight;
  }
  return height;
}

int MenuWidth(const std::vector<MenuItem>& items, int given_width) {
  if (given_width != 0) return std::max(given_width, kMenuMinimumWidth);
  gfx::Bitmap scratch(1, 1);
  gfx::Graphics g(scratch);
  TextFormat format;
  format.Create(text_flags::kNoWrap, 0, false);
  format.SetHotkeyPrefix(1);
  int widest = 0;
  bool has_sub_menu = false;
  for (const MenuItem& item : items) {
    has_sub_menu = has_sub_menu || item.kind == kMenuSubMenu;
    if (item.hidden() || item.kind == kMenuSeparator) continue;
    widest = std::max(widest, TextWidth(g, item.text, format.Handle()));
  }
  int width = widest + kTextAllowance + (has_sub_menu ? kSubMenuArrowAllowance : 0);
  return std::max(width, kMenuMinimumWidth);
}

gfx::RectI PopupMenuRect(int x, int y, int width, int height, const gfx::RectI& work) {
  if (x + width - 5 > work.Right()) x -= width;
  if (y + height > work.Bottom()) y = y - height + 5;
  return {x, y, width, height};
}

SubMenuPlacement PlaceSubMenu(const gfx::RectI& parent, const FloatRect& item, int width, int height,
                              const gfx::RectI& work) {
  SubMenuPlacement placement;
  int x = parent.x + static_cast<int>(item.Right()) + kMenuMargin / 2;
  if (x + width > work.Right()) {
    x = parent.x + static_cast<int>(item.x) - width - kMenuMargin / 2;
    placement.flipped = true;
  }
  int y = parent.y + static_cast<int>(item.y) - kMenuMargin;
  if (y + height > work.Bottom()) y = std::max(work.y, work.Bottom() - height);
  placement.rect = {x, y, width, height};
  return placement;
}

std::vector<FloatRect> MenuElementBounds(const std::vector<MenuItem>& items, int width) {
  std::vector<FloatRect> bounds;
  bounds.reserve(items.size());
  float y = kMenuMargin;
  const float w = static_cast<float>(width);
  for (const MenuItem& item : items) {
    if (item.hidden()) {
      bounds.push_back({});
    } else if (item.kind == kMenuSeparator) {
      bounds.push_back({kSeparatorLeft, y, w - 40, kMenuSeparatorHeight});
      y += kMenuSeparatorHeight;
    } else {
      bounds.push_back({kMenuMargin, y, w - 2 * kMenuMargin, kMenuItemHeight});
      y += kMenuItemHeight;
    }
  }
  return bounds;
}

}  // namespace razezazo
