// The edit commands that the Ctrl keys and the shared context menu both run:
// select all, copy, cut, paste; and the context menu itself.
#include "razezazo/controls/edit_box.h"
#include "razezazo/controls/edit_context_menu.h"
#include "razezazo/controls/edit_exchange.h"

namespace razezazo {
namespace {

winsys::WindowSystem& System() { return winsys::Current(); }

// The context menu's items, 1-based.
constexpr int kUndoItem = 1;
constexpr int kCutItem = 3;
constexpr int kCopyItem = 4;
constexpr int kPasteItem = 5;
constexpr int kSelectAllItem = 7;
constexpr int kSelectAllOffered = 1;

}  // namespace

void EditBox::SelectAll() {
  const int last = text_.line_count();
  Select({1, 0}, {last, text_.LineChars(last)});
  OfferPrimary();
}

// A password is never copied out.
void EditBox::Copy() {
  if (input_mode_ == InputMode::kPassword) return;
  const runtime::Text selected = SelectedText();
  if (!selected.empty()) System().SetClipboardText(edit_exchange::ToUtf8(selected));
}

// A read-only box leaves Ctrl+X to the host; a password is never cut out.
std::intptr_t EditBox::Cut() {
  if (input_mode_ == InputMode::kReadOnly) return kNotHandled;
  if (input_mode_ == InputMode::kPassword) return 0;
  const runtime::Text selected = SelectedText();
  if (selected.empty()) return 0;
  System().SetClipboardText(edit_exchange::ToUtf8(selected));
  DeleteSelection();
  return 0;
}

// The clipboard's owner is another program that may answer late or never:
// the text is inserted when it comes (at the caret of that moment), and the
// box keeps painting and taking keys meanwhile.
void EditBox::Paste(bool primary) {
  const Handle box = self();
  auto insert = [box](const std::string& utf8) {
    EditBox* target = Lookup<EditBox>(box);
    const runtime::Text text = edit_exchange::FromUtf8(utf8);
    if (target && !text.empty()) target->InsertText(text);
  };
  if (primary)
    System().RequestPrimaryText(insert);
  else
    System().RequestClipboardText(insert);
}

// What is selected is offered as the X primary selection, as every X program
// does (a password never).
void EditBox::OfferPrimary() {
  if (input_mode_ == InputMode::kPassword || anchor() == caret()) return;
  System().SetPrimaryText(edit_exchange::ToUtf8(SelectedText()));
}

// --- the context menu --------------------------------------------------------------------

void EditBox::SetContextMenuStates(PopupMenu& menu) {
  const bool read_only = input_mode_ == InputMode::kReadOnly;
  const bool selected = !SelectedText().empty();
  menu.ItemState(kUndoItem, history_.CanUndo() ? kMenuItemEnabled : kMenuItemDisabled);
  menu.ItemState(kCutItem, selected && !read_only ? kMenuItemEnabled : kMenuItemDisabled);
  menu.ItemState(kCopyItem, selected ? kMenuItemEnabled : kMenuItemDisabled);
  menu.ItemState(kPasteItem, read_only || !System().ClipboardOffersText() ? kMenuItemDisabled : kMenuItemEnabled);
  menu.ItemState(kSelectAllItem, text_.length() > 0 ? kSelectAllOffered : kMenuItemDisabled);
}

// At the mouse point of the message (host-window coordinates); the chosen
// command comes back to this box as WM_COMMAND while the menu's loop runs.
void EditBox::ShowContextMenu(std::intptr_t position) {
  PopupMenu& menu = EditContextMenu();
  SetContextMenuStates(menu);
  const winsys::WindowId owner = host_window();
  const gfx::RectI window = System().WindowRect(owner);
  menu.Show(owner, window.x + winsys::PointX(position), window.y + winsys::PointY(position));
}

}  // namespace razezazo
