// The edit commands that the Ctrl keys and the shared context menu both run:
// select all, copy, cut, paste; and the context menu itself.
#include "razezazo/controls/edit_box.h"
#include "razezazo/controls/edit_context_menu_slot.h"
#include "razezazo/controls/edit_exchange.h"

namespace razezazo {
namespace {

winsys::WindowSystem& System() { return winsys::Current(); }

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

EditMenuOffer EditBox::ContextMenuOffer() const {
  const bool read_only = input_mode_ == InputMode::kReadOnly;
  const bool selected = !SelectedText().empty();
  return {.undo = history_.CanUndo(),
          .cut = selected && !read_only,
          .copy = selected,
          .paste = !read_only && System().ClipboardOffersText(),
          .select_all = text_.length() > 0};
}

// At the mouse point of the message (host-window coordinates); the chosen
// command comes back to this box as WM_COMMAND while the menu's loop runs.
void EditBox::ShowContextMenu(std::intptr_t position) {
  const winsys::WindowId owner = host_window();
  const gfx::RectI window = System().WindowRect(owner);
  ShowEditContextMenu(ContextMenuOffer(), owner, window.x + winsys::PointX(position),
                      window.y + winsys::PointY(position));
}

}  // namespace razezazo
