#include "razezazo/popups/edit_context_menu.h"

#include "runtime/gbk.h"

namespace razezazo {
namespace {

// The menu's items, 1-based.
constexpr int kUndoItem = 1;
constexpr int kCutItem = 3;
constexpr int kCopyItem = 4;
constexpr int kPasteItem = 5;
constexpr int kSelectAllItem = 7;
constexpr MenuItemState kSelectAllOffered{1};  // enabled, as every state but the named ones

void Fill(PopupMenu& menu) {
  using runtime::Gbk;
  menu.AddItem(Gbk("撤销(&U)"), {.id = edit_command::kUndo});
  menu.AddItem({}, {.kind = kMenuSeparator});
  menu.AddItem(Gbk("剪切(&T)"), {.id = edit_command::kCut});
  menu.AddItem(Gbk("复制(&C)"), {.id = edit_command::kCopy});
  menu.AddItem(Gbk("粘贴(&P)"), {.id = edit_command::kPaste});
  menu.AddItem({}, {.kind = kMenuSeparator});
  menu.AddItem(Gbk("全部选择(&A)"), {.id = edit_command::kSelectAll});
}

MenuItemState StateOf(bool offered, MenuItemState offered_state = kMenuItemEnabled) {
  return offered ? offered_state : kMenuItemDisabled;
}

void Show(const EditMenuOffer& offer, winsys::WindowId owner, int x, int y) {
  PopupMenu& menu = EditContextMenu();
  menu.ItemState(kUndoItem, StateOf(offer.undo));
  menu.ItemState(kCutItem, StateOf(offer.cut));
  menu.ItemState(kCopyItem, StateOf(offer.copy));
  menu.ItemState(kPasteItem, StateOf(offer.paste));
  menu.ItemState(kSelectAllItem, StateOf(offer.select_all, kSelectAllOffered));
  menu.Show(owner, x, y);
}

}  // namespace

PopupMenu& EditContextMenu() {
  static PopupMenu* menu = [] {
    auto* made = new PopupMenu();  // lives for the whole program, like every start-up object
    Fill(*made);
    return made;
  }();
  return *menu;
}

void RegisterEditContextMenu() {
  EditContextMenu();
  SetEditContextMenu(Show);
}

}  // namespace razezazo
