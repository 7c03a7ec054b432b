#include "razezazo/controls/edit_context_menu.h"

#include "runtime/gbk.h"

namespace razezazo {
namespace {

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

}  // namespace

PopupMenu& EditContextMenu() {
  static PopupMenu* menu = [] {
    auto* made = new PopupMenu();  // lives for the whole program, like every start-up object
    Fill(*made);
    return made;
  }();
  return *menu;
}

}  // namespace razezazo
