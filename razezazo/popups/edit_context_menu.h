#pragma once
// The context menu every edit box shares, built once at framework start-up and
// registered as the edit boxes' context menu.
#include "razezazo/controls/edit_context_menu_slot.h"
#include "razezazo/popups/popup_menu.h"

namespace razezazo {

// "撤销(&U)", a separator, "剪切(&T)", "复制(&C)", "粘贴(&P)", a separator,
// "全部选择(&A)".
PopupMenu& EditContextMenu();

// Builds the menu and makes it the one edit boxes show.
void RegisterEditContextMenu();

}  // namespace razezazo
