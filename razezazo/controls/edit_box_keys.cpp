// The edit box's keyboard: the key handler (the Ctrl group and the plain keys,
// Shift selection), typed characters by input mode, and the input method's
// result.
#include <algorithm>

#include "razezazo/controls/edit_box.h"
#include "razezazo/controls/edit_context_menu_slot.h"
#include "razezazo/controls/edit_exchange.h"
#include "razezazo/widgets/host_surface.h"

namespace razezazo {
namespace {

winsys::WindowSystem& System() { return winsys::Current(); }

bool IsDigit(unsigned code) { return code >= '0' && code <= '9'; }

}  // namespace

bool EditBox::HasFocus() const {
  const HostSurface* h = host();
  return h && h->focused() == this;
}

std::intptr_t EditBox::InputMessage(int code, std::intptr_t argument1, std::intptr_t argument2) {
  const Handle box = self();
  winsys::WindowSystem& system = System();
  std::intptr_t answer = kNotHandled;
  switch (code) {
    case winsys::WM_KEYDOWN:
      answer = KeyDown(static_cast<unsigned>(argument1), system.IsKeyDown(winsys::VK_CONTROL),
                       system.IsKeyDown(winsys::VK_SHIFT));
      break;
    case winsys::WM_COMMAND:
      answer = KeyDown(winsys::LowWord(static_cast<std::uintptr_t>(argument1)), true,
                       system.IsKeyDown(winsys::VK_SHIFT));
      break;
    case winsys::WM_CHAR: answer = TypedCharacter(static_cast<unsigned>(argument1)); break;
    case winsys::WM_IME_COMPOSITION: ImeComposition(argument2); break;  // the host's default goes on
    case winsys::WM_RBUTTONUP:
      if (input_mode_ == InputMode::kPassword) return kNotHandled;
      ShowContextMenu(argument2);
      answer = 0;
      break;
    default: return kNotHandled;
  }
  // A change handler, or a choice from the menu, may have destroyed the box.
  if (Lookup<EditBox>(box) == this) RefreshCaret(HasFocus(), true);
  return answer;
}

// --- the key handler -------------------------------------------------------------------

std::intptr_t EditBox::KeyDown(unsigned key, bool ctrl, bool shift) {
  if (!ctrl) return PlainKey(key, shift);
  // A password is never copied out, nor is anything else done with Ctrl.
  if (input_mode_ == InputMode::kPassword) return 0;
  return CtrlKey(key);
}

std::intptr_t EditBox::CtrlKey(unsigned key) {
  switch (key) {
    case edit_command::kSelectAll: SelectAll(); return 0;
    case edit_command::kCopy: Copy(); return 0;
    case edit_command::kPaste: Paste(); return 0;
    case edit_command::kCut: return Cut();
    default: return kNotHandled;
  }
}

std::intptr_t EditBox::PlainKey(unsigned key, bool shift) {
  if (const std::optional<TextPlace> moved = MovedCaret(key)) {
    const bool extend = shift && input_mode_ != InputMode::kPassword;
    Select(extend ? anchor() : *moved, *moved);
    return 0;
  }
  switch (key) {
    case winsys::VK_BACK: Backspace(); return 0;
    case winsys::VK_RETURN:
      if (multi_line_) InsertText("\r\n");
      return 0;
    case winsys::VK_DELETE: DeleteSelection(); return 0;
    case winsys::VK_SPACE: return 0;  // the space itself comes as a typed character
    default: return kNotHandled;
  }
}

std::optional<TextPlace> EditBox::MovedCaret(unsigned key) const {
  TextPlace c = caret();
  const int last_line = text_.line_count();
  switch (key) {
    case winsys::VK_END: c.column = text_.LineChars(c.line); break;
    case winsys::VK_HOME: c.column = 0; break;
    case winsys::VK_LEFT:
      if (c.column > 0) {
        --c.column;
      } else if (multi_line_ && c.line > 1) {
        --c.line;
        c.column = text_.LineChars(c.line);
      }
      break;
    case winsys::VK_RIGHT:
      if (c.column < text_.LineChars(c.line)) {
        ++c.column;
      } else if (multi_line_ && c.line < last_line) {
        ++c.line;
        c.column = 0;
      }
      break;
    case winsys::VK_UP:
    case winsys::VK_DOWN:
      if (multi_line_) {
        c.line = std::clamp(c.line + (key == winsys::VK_UP ? -1 : 1), 1, last_line);
        c.column = std::min(c.column, text_.LineChars(c.line));
      }
      break;
    default: return std::nullopt;
  }
  return c;
}

// Without a selection, the character before the caret becomes one: from the
// start of a line that is the previous line's break.
void EditBox::Backspace() {
  if (DeleteSelection() != 0) return;
  TextPlace before = caret();
  if (before.column > 0) {
    --before.column;
  } else if (before.line > 1) {
    --before.line;
    before.column = text_.LineChars(before.line);
  } else {
    return;
  }
  anchor_line_ = caret_line_;
  anchor_column_ = caret_column_;
  caret_line_ = before.line;
  caret_column_ = before.column;
  DeleteSelection();
}

// --- typed characters and the input method --------------------------------------------

// Printable ASCII by mode; any other character only in a normal box, where the
// input method would have brought it anyway. Control characters never enter.
std::intptr_t EditBox::TypedCharacter(unsigned code) {
  if (code >= 0x20 && code <= 0x7E) {
    if (!TakesCharacter(code)) return code == '.' && input_mode_ == InputMode::kDecimal ? kNotHandled : 0;
    InsertText(runtime::Text(1, static_cast<char>(code)));
    return 0;
  }
  if (code < 0xA0 || code > 0xFFFF || input_mode_ != InputMode::kNormal) return 0;
  InsertText(edit_exchange::FromUtf16(std::u16string(1, static_cast<char16_t>(code))));
  return 0;
}

bool EditBox::TakesCharacter(unsigned code) const {
  switch (input_mode_) {
    case InputMode::kInteger: return IsDigit(code) || code == '-';
    case InputMode::kDecimal:
      if (code == '.') return text_.WholeText().find('.') == runtime::Text::npos;
      return code >= '-' && code <= '9';
    default: return true;
  }
}

void EditBox::ImeComposition(std::intptr_t flags) {
  if (!(flags & winsys::GCS_RESULTSTR)) return;
  const runtime::Text text = edit_exchange::FromUtf8(System().ImeResult(host_window()));
  if (!text.empty()) InsertText(text);
}

}  // namespace razezazo
