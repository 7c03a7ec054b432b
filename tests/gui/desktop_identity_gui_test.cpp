// What a dock or task switcher reads from our window on a real X server: the
// program class (WM_CLASS) and the icon list (_NET_WM_ICON), read with xprop.
#include "app/gui/program_icon.h"
#include "tests/gui/gtk_window_fixture.h"

namespace winsys::testing {
namespace {

// Whether xprop's report of `property` on the window titled `title` holds
// `text`. xprop reads only the first 1000000 bytes of a property unless told.
bool PropertyShows(const std::string& title, const std::string& property, const std::string& text) {
  return RunProgram(
             {"sh", "-c", "xprop -len 4000000 -name '" + title + "' " + property + " | grep -aqF '" + text + "'"}) == 0;
}

class IdentityTest : public GtkWindowTest {
 protected:
  WindowId ShownWindow(const std::string& title) {
    CreateParams params;
    params.title = title;
    params.rect = {50, 50, 120, 90};
    params.style = WS_POPUP | WS_VISIBLE;
    return MakeWith(params);
  }
};

TEST_F(IdentityTest, DocksFindTheProgramClassAndTheIconInEverySize) {
  sys->SetProgramClass("brivo");
  const WindowId w = ShownWindow("identity-window");
  ASSERT_NE(w, 0u);
  sys->SetWindowIcon(w, app::ProgramIconImages());
  ASSERT_TRUE(PumpUntil([&] { return PropertyShows("identity-window", "WM_CLASS", "\"brivo\", \"brivo\""); }))
      << "WM_CLASS is not brivo's";
  for (const char* size : {"16 x 16", "32 x 32", "48 x 48", "256 x 256"})
    EXPECT_TRUE(PumpUntil([&] { return PropertyShows("identity-window", "_NET_WM_ICON", size); })) << size;
  // Taking the icons away clears the property.
  sys->SetWindowIcon(w, {});
  EXPECT_TRUE(PumpUntil([&] { return !PropertyShows("identity-window", "_NET_WM_ICON", "Icon ("); }));
}

// The icon's pixels reach the property as straight ARGB: a half-transparent
// red stays full red at half alpha (0x80FF0000), not darkened by its alpha.
TEST_F(IdentityTest, TheIconKeepsItsColoursAndAlpha) {
  const WindowId w = ShownWindow("icon-colours");
  ASSERT_NE(w, 0u);
  std::vector<gfx::Bitmap> icons;
  icons.emplace_back(2, 1);
  icons.back().SetPixel(0, 0, 0x80FF0000);
  icons.back().SetPixel(1, 0, 0xFF00FF00);
  sys->SetWindowIcon(w, icons);
  // Width, height, then one 32-bit cardinal per pixel, in decimal.
  EXPECT_TRUE(PumpUntil([&] {
    return RunProgram({"sh", "-c",
                       "xprop -name icon-colours -notype -f _NET_WM_ICON 32c _NET_WM_ICON"
                       " | grep -qF '= 2, 1, 2164195328, 4278255360'"}) == 0;
  }));
}

}  // namespace
}  // namespace winsys::testing
