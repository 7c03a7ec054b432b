#pragma once
// The context menu every edit box shares, built once at framework start-up.
// Its commands are the character codes of the keys that do the same with Ctrl.
#include "razezazo/controls/popup_menu.h"

namespace razezazo {

namespace edit_command {
inline constexpr int kCut = 88;        // 'X'
inline constexpr int kCopy = 67;       // 'C'
inline constexpr int kPaste = 86;      // 'V'
inline constexpr int kSelectAll = 65;  // 'A'
inline constexpr int kUndo = 90;       // 'Z'
inline constexpr int kRedo = 89;       // 'Y'
}  // namespace edit_command

// "撤销(&U)", a separator, "剪切(&T)", "复制(&C)", "粘贴(&P)", a separator,
// "全部选择(&A)".
PopupMenu& EditContextMenu();

}  // namespace razezazo
