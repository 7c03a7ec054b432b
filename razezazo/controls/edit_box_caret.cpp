// The caret's place for the input method's candidate window.
#include "razezazo/controls/edit_box.h"

namespace razezazo {

void EditBox::RefreshCaret(bool show, bool reposition) {
  if (!show || !reposition || !HasFocus()) return;
  const gfx::RectI caret{static_cast<int>(x() + caret_point_.x), static_cast<int>(y() + caret_point_.y), 1,
                         static_cast<int>(caret_point_.height)};
  winsys::Current().SetImeCaret(host_window(), caret);
}

}  // namespace razezazo
