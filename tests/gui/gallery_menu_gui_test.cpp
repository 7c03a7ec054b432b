// The gallery's popup menu on a real X server: a right click opens it at the
// pointer; a click chooses an item; Escape and a click outside close it.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/gui/gallery_fixture.h"

namespace winsys::testing {
namespace {

// The gallery: 380 x 338, centred on the 1024 x 768 screen.
constexpr int kLeft = 322, kTop = 215;
// Where the menu is opened: an empty spot of the window.
constexpr int kMenuX = kLeft + 200, kMenuY = kTop + 252;

// The middle of the n-th (0-based) item row of the menu.
int RowY(int n) { return kMenuY + 8 + 22 * n + 11; }

bool Near(gfx::Argb p, unsigned r, unsigned g, unsigned b) {
  auto near = [](unsigned x, unsigned y) { return (x > y ? x - y : y - x) <= 6; };
  return near(gfx::RedOf(p), r) && near(gfx::GreenOf(p), g) && near(gfx::BlueOf(p), b);
}

class GalleryMenuGuiTest : public GalleryFixture {
 protected:
  void OpenMenu() {
    ASSERT_EQ(Xdotool({"mousemove", std::to_string(kMenuX), std::to_string(kMenuY), "click", "3"}), 0);
    ASSERT_TRUE(gallery_->WaitForLine("menu opened"));
  }
  void ClickAt(int x, int y) {
    ASSERT_EQ(Xdotool({"mousemove", std::to_string(x), std::to_string(y), "click", "1"}), 0);
  }
};

TEST_F(GalleryMenuGuiTest, ARightClickOpensTheMenuAtThePointer) {
  OpenMenu();
  // The icon strip (0xECE4D1) runs down the menu's left side, 8 px in from the pointer.
  EXPECT_TRUE(ScreenShows(display_.Name(), kMenuX + 12, RowY(1), 0xFFD1E4EC));
  gfx::Bitmap shot = Screenshot(display_.Name());
  ASSERT_FALSE(shot.IsNull());
  EXPECT_FALSE(Near(shot.GetPixel(kMenuX - 4, RowY(1)), 0xD1, 0xE4, 0xEC));  // the window beside it
  // The panel is white where no text is (at its alpha 234 over black, without a compositor).
  const gfx::Argb panel = shot.GetPixel(kMenuX + 36, kMenuY + 10);
  EXPECT_TRUE(Near(panel, 0xFF, 0xFF, 0xFF) || Near(panel, 0xEA, 0xEA, 0xEA)) << std::hex << panel;
}

TEST_F(GalleryMenuGuiTest, AClickChoosesAnItem) {
  OpenMenu();
  ClickAt(kMenuX + 50, RowY(1));
  EXPECT_TRUE(gallery_->WaitForLine("menu command 1002"));
  EXPECT_TRUE(gallery_->WaitForLine("menu closed"));
}

TEST_F(GalleryMenuGuiTest, AnItemOfTheSubMenuIsChosenByClicks) {
  OpenMenu();
  ClickAt(kMenuX + 50, RowY(2));  // "导出" opens its sub-menu at once, beside it
  // The sub-menu's icon strip appears right of the menu, on the item's row.
  int strip_x = -1;
  for (int attempt = 0; attempt < 50 && strip_x < 0; ++attempt) {
    gfx::Bitmap shot = Screenshot(display_.Name());
    for (int x = kMenuX + 60; !shot.IsNull() && x < kMenuX + 400 && strip_x < 0; ++x)
      if (Near(shot.GetPixel(x, RowY(2)), 0xD1, 0xE4, 0xEC)) strip_x = x;
  }
  ASSERT_GT(strip_x, 0) << "no sub-menu on screen";
  ClickAt(strip_x + 40, RowY(2));
  EXPECT_TRUE(gallery_->WaitForLine("menu command 2001"));
  EXPECT_TRUE(gallery_->WaitForLine("menu closed"));
}

TEST_F(GalleryMenuGuiTest, EscapeClosesTheMenu) {
  OpenMenu();
  ASSERT_EQ(Xdotool({"key", "Escape"}), 0);
  EXPECT_TRUE(gallery_->WaitForLine("menu closed"));
}

TEST_F(GalleryMenuGuiTest, AClickOutsideClosesTheMenu) {
  OpenMenu();
  ClickAt(kLeft + 30, kTop + 310);
  EXPECT_TRUE(gallery_->WaitForLine("menu closed"));
  // The click only closed the menu: nothing was chosen.
  EXPECT_FALSE(gallery_->WaitForLine("menu command", 300));
}

}  // namespace
}  // namespace winsys::testing
