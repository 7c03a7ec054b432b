#pragma once
// Edit boxes on the headless host, with helpers to read what they drew.
#include <memory>
#include <string>

#include "controls_fixture.h"
#include "razezazo/controls/edit_box.h"

namespace controls_test {

class EditBoxFixture : public HostFixture {
 protected:
  std::unique_ptr<razezazo::EditBox> Box(razezazo::FloatRect bounds, const runtime::Text& text,
                                         const razezazo::EditBoxOptions& options = {}) {
    auto box = std::make_unique<razezazo::EditBox>();
    EXPECT_TRUE(box->Create(window_, bounds, text, options));
    headless_->RunPending();
    return box;
  }

  // A multi-line box with `lines` numbered lines of mixed text.
  std::unique_ptr<razezazo::EditBox> LongBox(int lines, int bars = 3, razezazo::FloatRect bounds = {20, 20, 200, 120}) {
    return Box(bounds, NumberedLines(lines), {.multi_line = true, .scroll_bars = bars});
  }

  static runtime::Text NumberedLines(int lines) {
    runtime::Text text;
    for (int i = 1; i <= lines; ++i) {
      if (i > 1) text += "\r\n";
      text += "line " + std::to_string(i) + runtime::Gbk(" 中文");
    }
    return text;
  }

  // The host-window point in the middle of a control-coordinate caret rectangle.
  static std::pair<int, int> HostPoint(const razezazo::EditBox& box, const razezazo::FloatRect& r) {
    return {static_cast<int>(box.x() + r.x), static_cast<int>(box.y() + r.y + r.height / 2)};
  }

  void Wheel(int delta) { headless_->Wheel(delta); }
};

// Two pixels that differ by at most a shade of antialiasing in every channel.
inline bool NearPixel(gfx::Argb a, gfx::Argb b, unsigned tolerance = 40) {
  auto near = [tolerance](unsigned x, unsigned y) { return (x > y ? x - y : y - x) <= tolerance; };
  return near(A(a), A(b)) && near(R(a), R(b)) && near(G(a), G(b)) && near(B(a), B(b));
}

inline bool NearPixels(const gfx::Bitmap& a, const gfx::Bitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (!NearPixel(a.GetPixel(x, y), b.GetPixel(x, y))) return false;
  return true;
}

// How blue a pixel is: the selection colour is 0x3399FF.
inline bool IsSelectionBlue(gfx::Argb p) { return B(p) > 200 && R(p) < 120 && G(p) > 110 && G(p) < 190; }

}  // namespace controls_test
