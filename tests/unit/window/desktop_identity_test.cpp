// The program's window class and a window's icon list on the headless backend,
// with brivo's own program icon.
#include "app/gui/program_icon.h"
#include "tests/unit/window/headless_fixture.h"

namespace winsys::testing {
namespace {

TEST_F(HeadlessTest, TheProgramClassIsKeptAndAnEmptyNameIsIgnored) {
  sys.SetProgramClass("brivo");
  EXPECT_EQ(sys.ProgramClass(), "brivo");
  sys.SetProgramClass("");
  EXPECT_EQ(sys.ProgramClass(), "brivo");
}

TEST_F(HeadlessTest, AWindowKeepsItsOwnCopyOfTheProgramIconInEverySize) {
  const WindowId w = Make({0, 0, 100, 100});
  std::vector<gfx::Bitmap> icons = app::ProgramIconImages();
  sys.SetWindowIcon(w, icons);
  icons.clear();  // the window does not depend on the caller's pictures
  const std::vector<gfx::Bitmap>& kept = sys.WindowIcons(w);
  ASSERT_EQ(kept.size(), 4u);
  const int sizes[] = {16, 32, 48, 256};
  for (size_t i = 0; i < kept.size(); ++i) {
    EXPECT_EQ(kept[i].Width(), sizes[i]);
    EXPECT_EQ(kept[i].Height(), sizes[i]);
    // The tile is opaque in the middle and transparent in its rounded corner.
    EXPECT_EQ(kept[i].GetPixel(sizes[i] / 2, sizes[i] / 2) >> 24, 255u) << sizes[i];
    EXPECT_EQ(kept[i].GetPixel(0, 0) >> 24, 0u) << sizes[i];
  }
  sys.SetWindowIcon(w, {});
  EXPECT_TRUE(sys.WindowIcons(w).empty());
}

TEST_F(HeadlessTest, IconsForAWindowThatIsGoneAreDropped) {
  const WindowId w = Make({0, 0, 10, 10});
  sys.DestroyWindow(w);
  sys.SetWindowIcon(w, app::ProgramIconImages());
  EXPECT_TRUE(sys.WindowIcons(w).empty());
  const WindowId other = Make({0, 0, 10, 10});
  EXPECT_TRUE(sys.WindowIcons(other).empty());
}

}  // namespace
}  // namespace winsys::testing
