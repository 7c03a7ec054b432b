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
      answer =
          KeyDown(winsys::LowWord(static_cast<std::uintptr_t>(argument1)), true, system.IsKeyDown(winsys::VK_SHIFT));
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
  // The context menu from the keyboard opens at the caret, as in GTK.
  if (!ctrl && (key == winsys::VK_APPS || (shift && key == winsys::VK_F10))) {
    if (input_mode_ == InputMode::kPassword) return kNotHandled;
    ShowContextMenu(winsys::PackPoint(static_cast<int>(x() + view_.caret_point.x),
                                      static_cast<int>(y() + view_.caret_point.Bottom())));
    return 0;
  }
  if (const std::optional<TextPlace> moved = MovedCaret(key, ctrl)) {
    const bool extend = shift && input_mode_ != InputMode::kPassword;
    const bool vertical =
        key == winsys::VK_UP || key == winsys::VK_DOWN || key == winsys::VK_PRIOR || key == winsys::VK_NEXT;
    const float goal = CaretGoalX();
    const TextPlace to = key == winsys::VK_PRIOR || key == winsys::VK_NEXT ? PageMove(key == winsys::VK_PRIOR) : *moved;
    history_.Seal();
    Select(extend ? anchor() : to, to);
    if (extend) OfferPrimary();
    goal_x_.reset();
    if (vertical) goal_x_ = GoalX{caret(), goal};
    return 0;
  }
  if (const std::optional<std::intptr_t> answer = EditingKey(key, ctrl, shift)) return *answer;
  if (!ctrl) return PlainKey(key);
  // A password is never copied out; a paste (from a password manager) is taken.
  if (input_mode_ == InputMode::kPassword) {
    if (key == edit_command::kPaste) Paste();
    return 0;
  }
  return CtrlKey(key, shift);
}

std::intptr_t EditBox::CtrlKey(unsigned key, bool shift) {
  switch (key) {
    case edit_command::kSelectAll: SelectAll(); return 0;
    case edit_command::kCopy: Copy(); return 0;
    case edit_command::kPaste: Paste(); return 0;
    case edit_command::kCut: return Cut();
    case edit_command::kUndo:
      if (shift)
        Redo();
      else
        Undo();
      return 0;
    case edit_command::kRedo: Redo(); return 0;
    default: return kNotHandled;
  }
}

std::intptr_t EditBox::PlainKey(unsigned key) {
  switch (key) {
    case winsys::VK_RETURN:
      if (multi_line_) InsertText("\r\n");
      return 0;
    case winsys::VK_SPACE: return 0;  // the space itself comes as a typed character
    default: return kNotHandled;
  }
}

// Ctrl deletes a word; Shift+Delete cuts, Shift+Insert pastes and Ctrl+Insert
// copies, as on every desktop.
std::optional<std::intptr_t> EditBox::EditingKey(unsigned key, bool ctrl, bool shift) {
  switch (key) {
    case winsys::VK_BACK: DeleteToward(ctrl ? WordStartBefore(caret()) : StepBack(caret())); return 0;
    case winsys::VK_DELETE:
      if (shift && !ctrl) return Cut();
      DeleteToward(ctrl ? WordEndAfter(caret()) : StepForward(caret()));
      return 0;
    case winsys::VK_INSERT:
      if (shift && !ctrl) Paste();
      if (ctrl && !shift) Copy();
      return shift != ctrl ? 0 : kNotHandled;
    default: return std::nullopt;
  }
}

std::optional<TextPlace> EditBox::MovedCaret(unsigned key, bool ctrl) const {
  const TextPlace c = caret();
  const int last_line = text_.line_count();
  switch (key) {
    case winsys::VK_END:
      return ctrl ? TextPlace{last_line, text_.LineChars(last_line)} : TextPlace{c.line, text_.LineChars(c.line)};
    case winsys::VK_HOME: return ctrl ? TextPlace{1, 0} : TextPlace{c.line, 0};
    case winsys::VK_LEFT: return ctrl ? WordStartBefore(c) : StepBack(c);
    case winsys::VK_RIGHT: return ctrl ? WordEndAfter(c) : StepForward(c);
    case winsys::VK_UP:
    case winsys::VK_DOWN:
      if (!multi_line_) return c;
      return AtGoalX(std::clamp(c.line + (key == winsys::VK_UP ? -1 : 1), 1, last_line));
    case winsys::VK_PRIOR:
    case winsys::VK_NEXT:
      if (!multi_line_) return std::nullopt;
      return c;
    default: return std::nullopt;
  }
}

TextPlace EditBox::StepBack(TextPlace c) const {
  if (c.column > 0) return {c.line, c.column - 1};
  if (multi_line_ && c.line > 1) return {c.line - 1, text_.LineChars(c.line - 1)};
  return c;
}

TextPlace EditBox::StepForward(TextPlace c) const {
  if (c.column < text_.LineChars(c.line)) return {c.line, c.column + 1};
  if (multi_line_ && c.line < text_.line_count()) return {c.line + 1, 0};
  return c;
}

// Line number, not column, is what the caret keeps of its place; the column
// is the one nearest the goal x, as in every GTK text view.
float EditBox::CaretGoalX() const {
  return goal_x_ && goal_x_->caret == caret() ? goal_x_->x : view_.caret_point.x - view_.view_rect.x - view_.scroll_x;
}

TextPlace EditBox::AtGoalX(int line) const {
  const float goal = CaretGoalX();
  const FloatRect r = text_.LineRect(line);
  return {line, ColumnAt(line, goal + static_cast<float>(view_.scroll_x), r.y + view_.scroll_y + r.height / 2)};
}

TextPlace EditBox::PageMove(bool up) {
  const int page = static_cast<int>(view_.view_rect.height);
  const FloatRect now = text_.LineRect(caret_at_.line);
  const float target_y = std::clamp(now.y + now.height / 2 + static_cast<float>(up ? -page : page), 0.0f,
                                    static_cast<float>(std::max(text_.content_height() - 1, 0)));
  const int line = std::max(LineAtHeight(target_y, caret_at_.line), 1);
  TurnPage(up);  // the view turns a page as well
  return AtGoalX(line);
}

// Without a selection the text between the caret and the target becomes one.
void EditBox::DeleteToward(TextPlace target) {
  if (DeleteSelection() != 0 || target == caret()) return;
  anchor_at_.line = caret_at_.line;
  anchor_at_.column = caret_at_.column;
  caret_at_.line = target.line;
  caret_at_.column = target.column;
  DeleteSelection();
}

// --- typed characters and the input method --------------------------------------------

// Printable ASCII by mode; any other character only in a normal box, where the
// input method would have brought it anyway. Control characters never enter.
std::intptr_t EditBox::TypedCharacter(unsigned code) {
  if (code >= 0x20 && code <= 0x7E) {
    if (!TakesCharacter(code)) return code == '.' && input_mode_ == InputMode::kDecimal ? kNotHandled : 0;
    InsertText(runtime::Text(1, static_cast<char>(code)), true);
    return 0;
  }
  if (code < 0xA0 || code > 0xFFFF || input_mode_ != InputMode::kNormal) return 0;
  InsertText(edit_exchange::FromUtf16(std::u16string(1, static_cast<char16_t>(code))), true);
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
