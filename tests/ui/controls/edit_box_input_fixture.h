#pragma once
// An edit box that has the host's focus, driven with injected keys.
#include <memory>
#include <vector>

#include "edit_box_fixture.h"

namespace controls_test {

class EditBoxInputFixture : public EditBoxFixture {
 protected:
  // A box that holds the focus, its caret at `caret`.
  std::unique_ptr<razezazo::EditBox> FocusedBox(const runtime::Text& text, const razezazo::EditBoxOptions& options = {},
                                                razezazo::TextPlace caret = {1, 0},
                                                razezazo::FloatRect bounds = {20, 20, 240, 100}) {
    if (!options.multi_line) bounds.height = 24;
    auto box = Box(bounds, text, options);
    headless_->Click(window_, static_cast<int>(bounds.x + 4), static_cast<int>(bounds.y + 4));
    EXPECT_EQ(host_->focused(), box.get());
    box->Select(caret, caret);
    return box;
  }

  void Press(unsigned key) { headless_->KeyPress(key); }
  void PressWith(unsigned modifier, unsigned key) {
    headless_->KeyDown(modifier);
    headless_->KeyPress(key);
    headless_->KeyUp(modifier);
  }
  void Ctrl(unsigned key) { PressWith(winsys::VK_CONTROL, key); }
  void Shift(unsigned key) { PressWith(winsys::VK_SHIFT, key); }

  std::string Clipboard() { return headless_->ClipboardText(); }
  void SetClipboard(std::string_view utf8) { headless_->SetClipboardText(utf8); }
};

}  // namespace controls_test
