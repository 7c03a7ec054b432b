#pragma once
// MenuItem: one entry of a PopupMenu — a command, a separator or a sub-menu.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "razezazo/drawing/color.h"
#include "razezazo/widgets/framework_object.h"

namespace razezazo {

enum MenuItemKind : int { kMenuCommand = 0, kMenuSeparator = 1, kMenuSubMenu = 2 };

// Any other state is enabled (MenuItemState{3}, say).
enum MenuItemState : int { kMenuItemDisabled = -1, kMenuItemEnabled = 0, kMenuItemHidden = 5 };

inline constexpr Color kMenuTextColour = 0xD2000000;   // black at alpha 210
inline constexpr Color kMenuHoverColour = 0xE63086C6;  // ToArgb(0xC68630, 230)

struct MenuItem {
  std::u16string text;             // "&" marks the access key
  std::vector<std::uint8_t> icon;  // an image block shown at the left; empty for none
  MenuItemState state = kMenuItemEnabled;
  MenuItemKind kind = kMenuCommand;
  // Choosing sends WM_COMMAND with `id` to the menu's owner; otherwise it
  // calls `handler`.
  bool send_command = true;
  int id = 0;
  std::function<void()> handler;
  Handle sub_menu = 0;  // kind 2: the PopupMenu's identity
  Color text_colour = kMenuTextColour;
  int reserved1 = 0;  // stored and copied, never drawn
  int reserved2 = 0;
  Color hover_colour = kMenuHoverColour;

  bool hidden() const { return state == kMenuItemHidden; }
  bool disabled() const { return state == kMenuItemDisabled; }
};

}  // namespace razezazo
