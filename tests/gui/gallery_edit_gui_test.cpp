// The gallery's edit boxes on a real X server: typing with xdotool, the
// clipboard shared with xclip (UTF-8 both ways), selection keys and the edit
// context menu.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "tests/gui/gallery_fixture.h"
#include "tests/gui/x_clipboard.h"

namespace winsys::testing {
namespace {

// The "编辑框" window sits at the screen's top-left corner, without a caption;
// its single-line box is at (20, 20), 260 x 20.
constexpr int kBoxX = 150, kBoxY = 30;
constexpr unsigned kMenuStrip = 0xFFD1E4EC;  // the menu's icon strip

// The middle of the edit menu's item `index` (1-based; separators second and sixth).
int MenuRowY(int menu_y, int index) {
  int y = menu_y + 8;
  for (int i = 1; i < index; ++i) y += i == 2 || i == 6 ? 3 : 22;
  return y + 11;
}

class GalleryEditGuiTest : public GalleryFixture {
 protected:
  // Waits (bounded) until a popup menu's window is mapped.
  static bool MenuShown() {
    return WaitUntil([] { return WindowGeometry("^Ex_RazezaZO_Menu$").width > 0; });
  }
  // Key combinations separated by spaces, pressed in turn.
  void Keys(const std::string& keys) {
    std::vector<std::string> args{"key", "--delay", "30"};
    for (size_t at = 0, end; at < keys.size(); at = end + 1) {
      end = std::min(keys.find(' ', at), keys.size());
      args.push_back(keys.substr(at, end - at));
    }
    ASSERT_EQ(Xdotool(args), 0);
  }
  // Clicks into the single-line box and empties it.
  void StartEmpty() {
    ASSERT_EQ(Xdotool({"mousemove", std::to_string(kBoxX), std::to_string(kBoxY), "click", "1"}), 0);
    Keys("ctrl+a");
    Keys("BackSpace");
    ASSERT_TRUE(gallery_->WaitForLine("edit single: ")) << "the box did not take the keys";
  }
  void ExpectText(const std::string& utf8) { EXPECT_TRUE(gallery_->WaitForLine("edit single: " + utf8)) << utf8; }
};

TEST_F(GalleryEditGuiTest, TypedAndPastedTextIsCopiedBackExactly) {
  StartEmpty();
  ASSERT_EQ(Xdotool({"type", "--delay", "30", "abc def"}), 0);
  ExpectText("abc def");
  ASSERT_TRUE(SetXClipboard("中文粘贴"));
  Keys("ctrl+v");
  ExpectText("abc def中文粘贴");
  Keys("shift+Home");
  Keys("ctrl+c");
  EXPECT_EQ(WaitForXClipboard("abc def中文粘贴"), "abc def中文粘贴");
  // A part of it, selected backwards from the end.
  Keys("End");
  Keys("shift+Left shift+Left");
  Keys("ctrl+c");
  EXPECT_EQ(WaitForXClipboard("粘贴"), "粘贴");
}

// The keys of every GTK entry, as xdotool gives them through the real keyboard.
TEST_F(GalleryEditGuiTest, WordKeysDeleteAndUndoWorkAsInGtk) {
  StartEmpty();
  ASSERT_EQ(Xdotool({"type", "--delay", "30", "say hello world"}), 0);
  ExpectText("say hello world");
  Keys("ctrl+Left ctrl+BackSpace");  // the word before "world"
  ExpectText("say world");
  Keys("Home Delete");  // the character after the caret
  ExpectText("ay world");
  Keys("ctrl+z");
  ExpectText("say world");
  Keys("ctrl+z");
  ExpectText("say hello world");
  Keys("ctrl+shift+z");
  ExpectText("say world");
  Keys("ctrl+End shift+ctrl+Left shift+Delete");  // cut the last word
  ExpectText("say ");
  EXPECT_EQ(WaitForXClipboard("world"), "world");
  Keys("shift+Insert");
  ExpectText("say world");
}

// The X primary selection both ways: a selection is offered, and a middle
// click pastes what another program offers, at the pointer.
TEST_F(GalleryEditGuiTest, ThePrimarySelectionIsOfferedAndAMiddleClickPastesIt) {
  StartEmpty();
  ASSERT_EQ(Xdotool({"type", "--delay", "30", "one two"}), 0);
  ExpectText("one two");
  Keys("shift+ctrl+Left");
  EXPECT_EQ(WaitForXClipboard("two", 5000, "primary"), "two");
  ASSERT_TRUE(SetXClipboard("中", "primary"));
  Keys("End");
  ASSERT_EQ(Xdotool({"mousemove", std::to_string(kBoxX + 100), std::to_string(kBoxY), "click", "2"}), 0);
  ExpectText("one two中");  // the pointer right of the text: at its end
}

// The input method (GtkIMContext) commits what these keys type: the Latin
// letter comes back as a character message, the others as a composition
// result. Either way each reaches the box once.
TEST_F(GalleryEditGuiTest, NonAsciiTypedTextArrivesOnce) {
  StartEmpty();
  ASSERT_EQ(Xdotool({"type", "--delay", "50", "é中x"}), 0);
  ExpectText("é中x");
  EXPECT_FALSE(gallery_->WaitForLine("edit single: é中xx", 300));
  EXPECT_FALSE(gallery_->WaitForLine("edit single: é中中", 10));
}

TEST_F(GalleryEditGuiTest, TheContextMenuOpensAtThePointerAndSelectsAll) {
  StartEmpty();
  ASSERT_EQ(Xdotool({"type", "--delay", "30", "all of it"}), 0);
  ExpectText("all of it");
  Keys("Home");
  ASSERT_EQ(Xdotool({"mousemove", std::to_string(kBoxX), std::to_string(kBoxY), "click", "3"}), 0);
  // Its icon strip starts at the pointer.
  EXPECT_TRUE(ScreenShows(display_.Name(), kBoxX + 12, MenuRowY(kBoxY, 7), kMenuStrip));
  ASSERT_EQ(Xdotool({"mousemove", std::to_string(kBoxX + 50), std::to_string(MenuRowY(kBoxY, 7)), "click", "1"}), 0);
  Keys("ctrl+c");
  EXPECT_EQ(WaitForXClipboard("all of it"), "all of it");
}

// The Menu key opens the menu (at the caret, the pointer being elsewhere); Up
// goes round to 全部选择, Enter chooses it; Escape closes a menu Shift+F10 opened.
TEST_F(GalleryEditGuiTest, TheMenuKeyOpensTheMenuAndTheArrowsWalkIt) {
  StartEmpty();
  ASSERT_EQ(Xdotool({"type", "--delay", "30", "by keys"}), 0);
  ExpectText("by keys");
  ASSERT_EQ(Xdotool({"mousemove", "5", "400"}), 0);  // the pointer away from the box
  Keys("Menu");
  ASSERT_TRUE(MenuShown());
  Keys("Up Return ctrl+c");
  EXPECT_EQ(WaitForXClipboard("by keys"), "by keys");
  Keys("End shift+F10");
  ASSERT_TRUE(MenuShown());
  Keys("Escape exclam");  // the menu closed: the box takes keys again
  ExpectText("by keys!");
}

// Another program holds the clipboard and never answers: the menu opens at
// once, and while a paste waits (and gives up) typing goes on.
TEST_F(GalleryEditGuiTest, ASilentClipboardOwnerFreezesNothing) {
  StartEmpty();
  ExampleProcess owner(SILENT_CLIPBOARD_OWNER_PATH);
  ASSERT_TRUE(owner.WaitForLine("owning the clipboard"));
  Keys("ctrl+v");
  ASSERT_EQ(Xdotool({"type", "--delay", "30", "abc"}), 0);
  EXPECT_TRUE(gallery_->WaitForLine("edit single: abc", 1000)) << "the keys waited for the clipboard";
  ASSERT_EQ(Xdotool({"mousemove", std::to_string(kBoxX), std::to_string(kBoxY), "click", "3"}), 0);
  EXPECT_TRUE(ScreenShows(display_.Name(), kBoxX + 12, MenuRowY(kBoxY, 7), kMenuStrip));
  Keys("Escape");
  Keys("ctrl+a ctrl+c");  // the clipboard is ours again, and holds what was typed only
  EXPECT_EQ(WaitForXClipboard("abc"), "abc");
}

// ibus on a session bus of its own, with the gallery as its client: the
// input method's panel (its window for compositions) and the gallery meet on
// that bus.
class GalleryImeGuiTest : public GalleryEditGuiTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(display_.Start()) << "no Xvfb";
    const std::string bus_file = "/tmp/brivo-ibus-bus-" + std::to_string(getpid());
    std::remove(bus_file.c_str());
    ibus_ = std::make_unique<BackgroundProgram>(std::vector<std::string>{
        "dbus-run-session", "--", "sh", "-c",
        "echo \"$DBUS_SESSION_BUS_ADDRESS\" > " + bus_file + "; exec ibus-daemon --replace --xim"});
    std::string bus;
    WaitUntil(
        [&] {
          std::ifstream(bus_file) >> bus;
          return !bus.empty();
        },
        10000, 100);
    std::remove(bus_file.c_str());
    ASSERT_FALSE(bus.empty()) << "no session bus";
    setenv("DBUS_SESSION_BUS_ADDRESS", bus.c_str(), 1);
    const bool engine = WaitUntil([] { return RunProgram({"ibus", "engine", "xkb:us::eng"}) == 0; }, 10000, 100);
    ASSERT_TRUE(engine) << "ibus did not start";
    LetTimePass(2000);  // its panel starts after the daemon answers, and gives no sign of it
    setenv("GTK_IM_MODULE", "ibus", 1);
    gallery_ = std::make_unique<ExampleProcess>(GALLERY_PATH);
    unsetenv("GTK_IM_MODULE");
    ASSERT_TRUE(gallery_->WaitForLine("ready"));
  }
  void TearDown() override {
    gallery_.reset();
    RunProgram({"ibus", "exit"});
    ibus_.reset();
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
  }
  // Pixels around the single-line box's caret that differ between two screens.
  static int ChangedNearTheCaret(const gfx::Bitmap& a, const gfx::Bitmap& b) {
    int changed = 0;
    for (int y = 10; y < 90; ++y)
      for (int x = 60; x < 320; ++x) changed += a.GetPixel(x, y) != b.GetPixel(x, y);
    return changed;
  }

  std::unique_ptr<BackgroundProgram> ibus_;
};

// A composition (Ctrl+Shift+U and hex digits) shows at the caret while it is
// composed, and Space commits the character into the box.
TEST_F(GalleryImeGuiTest, TheCompositionShowsAtTheCaretUntilItIsCommitted) {
  StartEmpty();
  LetTimePass(600);  // a whole blink: the caret is drawn in both screens below
  const gfx::Bitmap before = Screenshot(display_.Name());
  Keys("ctrl+shift+u 4 e 2 d");
  // The panel draws the composition when it gets to it (slowly on a loaded machine).
  int changed = 0;
  WaitUntil(
      [&] {
        changed = ChangedNearTheCaret(before, Screenshot(display_.Name()));
        return changed > 200;
      },
      5000, 100);
  EXPECT_GT(changed, 200) << "nothing of the composition is shown";
  Keys("space");
  ExpectText("中");
}

}  // namespace
}  // namespace winsys::testing
