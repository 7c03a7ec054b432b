// Random operations on a multi-line edit box with random GBK text (bad bytes
// included): after each one the caret, the anchor and the scroll offsets must
// be valid, and every 1,000 operations the incremental layout must equal a
// full one, and what it painted a whole new paint. Input comes both through
// the box's operations and as the user gives it: keys with Shift and Ctrl,
// typed characters, pastes and input-method results, each of which must add
// exactly the GBK form of what was given, less what GBK cannot hold; and
// clicks, drags and focus changes, after which a caret is drawn only in the
// focused box at its caret point and never leaves stale pixels behind. Undo
// and redo come as keys too, and every 1,000 operations undoing everything
// must give back the text the box was last set to, and redoing everything the
// text it had.
// Seeded: BRIVO_EDIT_SEED repeats a run; a failure names its seed.
// BRIVO_EDIT_OPERATIONS sets how many operations run (for longer runs).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <sstream>

#include "edit_box_fixture.h"
#include "edit_box_invariants.h"

namespace controls_test {
namespace {

using razezazo::EditBox;
using razezazo::EditText;
using razezazo::TextPlace;

#if defined(__SANITIZE_ADDRESS__)
constexpr int kDefaultOperations = 20000;  // the sanitizers make each operation several times slower
#else
constexpr int kDefaultOperations = 100000;
#endif

int Operations() {
  const char* given = std::getenv("BRIVO_EDIT_OPERATIONS");
  const long n = given ? std::strtol(given, nullptr, 10) : 0;
  return n > 0 ? static_cast<int>(n) : kDefaultOperations;
}

class RandomEdits {
 public:
  explicit RandomEdits(unsigned seed) : random_(seed) {}

  int Below(int n) { return n <= 0 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(random_); }
  bool OneIn(int n) { return Below(n) == 0; }

  // Mostly ordinary text, with every kind of bad byte now and then: "€" as
  // the converter gives it (0x80), 0xFF, and lead bytes without a trail.
  runtime::Text Piece() {
    switch (Below(14)) {
      case 0: return "\r\n";
      case 1: return std::string(1, static_cast<char>('a' + Below(26)));
      case 2: return " ";
      case 3: return "\r";
      case 4: return "\n";
      case 5: return "\x81";                                                     // a lead byte alone
      case 6: return std::string("\x81") + static_cast<char>(0x30 + Below(16));  // lead + byte below 0x40
      case 7: return "\r\r\n";
      case 8: return runtime::Gbk("€");
      case 9: return "\xFF";
      default: {  // a valid two-byte character
        const char pair[] = {static_cast<char>(0xB0 + Below(0x48)), static_cast<char>(0xA1 + Below(0x5E)), 0};
        return pair;
      }
    }
  }
  runtime::Text Text(int pieces) {
    runtime::Text text;
    for (int i = 0; i < pieces; ++i) text += Piece();
    return text;
  }
  // A piece of text as the desktop gives it (UTF-8) and the bytes it must
  // add to the box: GBK, without the characters GBK cannot hold.
  struct Given {
    std::string utf8;
    runtime::Text gbk;
  };
  Given UserText(int pieces, bool line_breaks) {
    static const char* const kPieces[] = {"a", "Z", " ", "~", "中", "文", "é", "😀", "한", "€", "\n"};
    Given given;
    for (int i = 0; i < pieces; ++i) {
      const std::string piece = kPieces[Below(line_breaks ? 11 : 10)];
      given.utf8 += piece;
      if (piece == "\n")
        given.gbk += "\r\n";
      else if (piece != "😀" && piece != "한" && piece != "€")
        given.gbk += runtime::Gbk(piece);
    }
    return given;
  }
  TextPlace Place(const EditText& store) {
    const int line = 1 + Below(store.line_count() + 1);  // one past the end now and then
    return {line, Below(store.LineChars(std::min(line, store.line_count())) + 3) - 1};
  }

 private:
  std::mt19937 random_;
};

class EditBoxRandomTest : public EditBoxFixture {
 protected:
  void CheckInvariants(const EditBox& box) { ASSERT_EQ(edit_box_checks::BrokenInvariant(box), ""); }
  void CheckAgainstFullLayout(EditBox& box) { ASSERT_EQ(edit_box_checks::LayoutDiffersFromFull(box), ""); }

  // What the box painted bit by bit looks like a whole new paint. Glyphs cut
  // by a clip are blended a shade differently along the cut, so pixels may
  // differ a little; a missing or extra glyph, box or line differs by far more.
  void CheckAgainstFullPaint(EditBox& box) {
    const gfx::Bitmap painted = box.canvas().CloneArea({0, 0, box.canvas().Width(), box.canvas().Height()});
    box.Paint();
    for (int y = 0; y < painted.Height(); ++y)
      for (int x = 0; x < painted.Width(); ++x)
        ASSERT_TRUE(NearPixel(painted.GetPixel(x, y), box.canvas().GetPixel(x, y))) << "pixel " << x << ", " << y;
  }

  void DragVerticalBar(EditBox& box, RandomEdits& r) {
    razezazo::ScrollBar* bar = box.vertical_bar();
    if (!bar || !bar->visible() || bar->thumb_length() == 0) return;
    const razezazo::FloatRect thumb = bar->Thumb();
    const int x = static_cast<int>(bar->x() + thumb.x + 2), y = static_cast<int>(bar->y() + thumb.y + 2);
    headless_->PressLeft(window_, x, y);
    headless_->MoveMouse(window_, x, y + r.Below(200) - 100);
    headless_->ReleaseLeft(window_, x, y);
  }

  void Operate(EditBox& box, RandomEdits& r) {
    switch (r.Below(26)) {
      case 0:
        if (r.OneIn(10)) {
          box.SetText(r.Text(r.Below(400)), r.OneIn(2));
          set_text_ = box.text();
        }
        break;
      case 1:
      case 2:
      case 3:
      case 4:
      case 5:
      case 6: box.InsertText(r.Text(1 + r.Below(r.OneIn(10) ? 40 : 3))); break;
      case 7:
      case 8: box.DeleteSelection(r.OneIn(2)); break;
      case 9:
      case 10:
      case 11: box.Select(r.Place(box.store()), r.Place(box.store())); break;
      case 12:
      case 13:
        headless_->Click(window_, 40, 35);
        headless_->Wheel(r.OneIn(2) ? 120 : -120);
        break;
      case 14: box.SetBounds({.width = 120.0f + r.Below(200), .height = 40.0f + r.Below(200)}); break;
      case 15:
      case 16: DragVerticalBar(box, r); break;
      case 17: box.SetVerticalScrollPosition(r.Below(box.vertical_bar()->maximum() + 1)); break;
      case 18: box.SetHorizontalScrollPosition(r.Below(box.horizontal_bar()->maximum() + 1)); break;
      case 19: box.Select(box.caret(), box.caret()); break;
      default: OperateByInput(box, r); break;
    }
  }

  // One key, typed text, paste or input-method result, to the focused box.
  void OperateByInput(EditBox& box, RandomEdits& r) {
    static const unsigned kKeys[] = {winsys::VK_BACK,
                                     winsys::VK_RETURN,
                                     winsys::VK_DELETE,
                                     winsys::VK_END,
                                     winsys::VK_HOME,
                                     winsys::VK_LEFT,
                                     winsys::VK_RIGHT,
                                     winsys::VK_UP,
                                     winsys::VK_DOWN,
                                     winsys::VK_SPACE,
                                     winsys::VK_PRIOR,
                                     winsys::VK_NEXT,
                                     winsys::VK_INSERT,
                                     'A',
                                     'C',
                                     'V',
                                     'X',
                                     'Q',
                                     'Z',
                                     'Z',
                                     'Y'};
    if (host_->focused() != &box) headless_->Click(window_, 40, 35);
    const size_t length = box.store().WholeText().size();
    const size_t selected = box.SelectedText().size();
    RandomEdits::Given given;
    switch (r.Below(4)) {
      case 0: {
        const bool shift = r.OneIn(3), ctrl = r.OneIn(3);
        if (shift) headless_->KeyDown(winsys::VK_SHIFT);
        if (ctrl) headless_->KeyDown(winsys::VK_CONTROL);
        headless_->KeyPress(kKeys[r.Below(std::size(kKeys))]);
        if (ctrl) headless_->KeyUp(winsys::VK_CONTROL);
        if (shift) headless_->KeyUp(winsys::VK_SHIFT);
        return;
      }
      case 1:
        given = r.UserText(1 + r.Below(3), false);
        headless_->TypeText(given.utf8);
        break;
      case 2:
        given = r.UserText(1 + r.Below(8), true);
        headless_->SetClipboardText(given.utf8);
        headless_->KeyDown(winsys::VK_CONTROL);
        headless_->KeyPress('V');
        headless_->KeyUp(winsys::VK_CONTROL);
        break;
      default:
        given = r.UserText(1 + r.Below(4), false);
        headless_->ImeCommit(given.utf8);
        break;
    }
    const size_t removed = given.gbk.empty() ? 0 : selected;
    ASSERT_EQ(box.store().WholeText().size(), length - removed + given.gbk.size()) << "given " << given.utf8;
  }

  // Undo all gives the text last set; redoing as many steps the text there
  // was (steps undone before stay undone).
  void CheckUndoAll(EditBox& box) {
    const runtime::Text now = box.text();
    int undone = 0;
    for (; box.history().CanUndo(); ++undone) box.Undo();
    ASSERT_EQ(box.text(), set_text_);
    for (; undone > 0; --undone) box.Redo();
    ASSERT_EQ(box.text(), now);
  }

  runtime::Text set_text_;

  // A window point in or around the box; presses stay inside it (outside they
  // would start moving the window).
  std::pair<int, int> PointNear(const EditBox& box, RandomEdits& r, int margin) {
    const razezazo::FloatRect b = box.bounds();
    return {static_cast<int>(b.x) - margin + r.Below(static_cast<int>(b.width) + 2 * margin),
            static_cast<int>(b.y) - margin + r.Below(static_cast<int>(b.height) + 2 * margin)};
  }

  // Clicks, double and triple clicks, drags that wander far outside the box,
  // the focus going to another box and coming back, and time passing (blinks,
  // and third clicks sooner or later than 500 ms).
  void OperateWithMouse(EditBox& box, EditBox& other, RandomEdits& r) {
    const auto [x, y] = PointNear(box, r, -1);
    switch (r.Below(6)) {
      case 0: headless_->Click(window_, x, y); break;
      case 1:
        headless_->DoubleClick(window_, x, y);
        if (r.OneIn(2)) {
          Advance(r.Below(700));
          headless_->Click(window_, x, y);
        }
        break;
      case 2: {
        headless_->PressLeft(window_, x, y);
        std::pair<int, int> to{x, y};
        for (int moves = 1 + r.Below(5); moves > 0; --moves) {
          to = PointNear(box, r, 60);
          headless_->MoveMouse(window_, to.first, to.second);
        }
        headless_->ReleaseLeft(window_, to.first, to.second);
        break;
      }
      case 3:
        host_->SetFocus(&other, r.OneIn(2));
        if (r.OneIn(2)) host_->SetFocus(&box, r.OneIn(2));
        break;
      case 4: Advance(r.Below(1200)); break;
      default: box.RefreshCaret(r.OneIn(2), r.OneIn(2)); break;
    }
  }

  // A caret is drawn only in the focused box, where its caret point says.
  void CheckCaret(const EditBox& box) {
    if (!box.caret_shown()) return;
    ASSERT_EQ(host_->focused(), &box);
    const gfx::RectI column = box.caret_pixels();
    ASSERT_EQ(column.x, static_cast<int>(std::floor(box.x() + box.caret_point().x)));
    ASSERT_EQ(column.y, static_cast<int>(std::floor(box.y() + box.caret_point().y)));
  }

  // With the caret hidden, the window shows what a fresh composition shows:
  // no caret line and no stale pixels anywhere, also where the box or its
  // scroll bars stood before they were moved or made smaller.
  void CheckNoStalePixels(EditBox& box) {
    box.RefreshCaret(false, false);
    const gfx::Bitmap shown = Screen();
    host_->RedrawNow();
    const gfx::Bitmap fresh = Screen();
    for (int y = 0; y < shown.Height(); ++y)
      for (int x = 0; x < shown.Width(); ++x)
        ASSERT_TRUE(NearPixel(shown.GetPixel(x, y), fresh.GetPixel(x, y))) << "pixel " << x << ", " << y;
  }
};

TEST_F(EditBoxRandomTest, InvariantsHoldAfterEveryOperation) {
  const char* given = std::getenv("BRIVO_EDIT_SEED");
  const unsigned seed = given ? static_cast<unsigned>(std::strtoul(given, nullptr, 10)) : 20151102u;
  std::ostringstream trace;
  trace << "seed " << seed << " (repeat with BRIVO_EDIT_SEED=" << seed << ")";
  SCOPED_TRACE(trace.str());
  RandomEdits r(seed);
  const int operations = Operations();
  for (int bars : {3, 2}) {
    auto box = Box({20, 20, 220, 140}, r.Text(200), {.multi_line = true, .scroll_bars = bars});
    auto other = Box({250, 20, 120, 24}, "other");
    set_text_ = box->text();
    for (int op = 1; op <= operations / 2; ++op) {
      if (r.OneIn(3))
        OperateWithMouse(*box, *other, r);
      else
        ASSERT_NO_FATAL_FAILURE(Operate(*box, r)) << "operation " << op << ", bars " << bars;
      ASSERT_NO_FATAL_FAILURE(CheckInvariants(*box)) << "operation " << op << ", bars " << bars;
      ASSERT_NO_FATAL_FAILURE(CheckCaret(*box)) << "operation " << op << ", bars " << bars;
      if (op % 1000 == 0) {
        ASSERT_NO_FATAL_FAILURE(CheckAgainstFullLayout(*box)) << "operation " << op;
        ASSERT_NO_FATAL_FAILURE(CheckAgainstFullPaint(*box)) << "operation " << op;
        ASSERT_NO_FATAL_FAILURE(CheckNoStalePixels(*box)) << "operation " << op;
        ASSERT_NO_FATAL_FAILURE(CheckUndoAll(*box)) << "operation " << op;
      }
    }
  }
}

}  // namespace
}  // namespace controls_test
