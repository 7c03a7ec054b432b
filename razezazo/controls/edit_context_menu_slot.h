#pragma once
// The context menu every edit box shares, as the edit box sees it: the commands
// it sends back and the one registered way to show it. The menu itself is a
// popup menu, a layer above the controls; framework start-up registers it here.
#include <functional>

#include "platform/window/window_system.h"

namespace razezazo {

// The menu's commands are the character codes of the keys that do the same
// with Ctrl; a chosen one comes back to the box as WM_COMMAND.
namespace edit_command {
inline constexpr int kCut = 88;        // 'X'
inline constexpr int kCopy = 67;       // 'C'
inline constexpr int kPaste = 86;      // 'V'
inline constexpr int kSelectAll = 65;  // 'A'
inline constexpr int kUndo = 90;       // 'Z'
inline constexpr int kRedo = 89;       // 'Y'
}  // namespace edit_command

// Which commands the box that opens the menu can run now.
struct EditMenuOffer {
  bool undo = false;
  bool cut = false;
  bool copy = false;
  bool paste = false;
  bool select_all = false;
};

// Shows the menu for `owner` at a screen point and returns when it closes.
using EditContextMenuShow = std::function<void(const EditMenuOffer& offer, winsys::WindowId owner, int x, int y)>;

void SetEditContextMenu(EditContextMenuShow show);
// Does nothing while none is registered.
void ShowEditContextMenu(const EditMenuOffer& offer, winsys::WindowId owner, int x, int y);

}  // namespace razezazo
