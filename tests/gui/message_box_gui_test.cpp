// The message box on a real X server: `gallery --message-box TYPE ICON TEXT`
// opens it over the gallery and prints the answer when it has closed.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "tests/gui/example_process.h"
#include "tests/gui/xvfb_display.h"

namespace winsys::testing {
namespace {

// A 320 x 150 box centred on the 1024 x 768 screen (no window manager: the
// work area is the screen).
constexpr int kBoxLeft = (1024 - 320) / 2, kBoxTop = (768 - 150) / 2;
// Button centres in box coordinates: position 1 at x = 320 - 75 - 8, position 2 left of it.
constexpr int kRightmostX = 320 - 75 - 8 + 35, kSecondX = 320 - 150 - 8 + 35, kButtonY = 150 - 35 + 12;

// What `command` prints, through a shell.
std::string Output(const std::string& command) {
  const std::string out = "/tmp/brivo-message-box-" + std::to_string(::getpid());
  if (RunProgram({"sh", "-c", command + " > " + out}) != 0) return {};
  std::ifstream in(out);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::remove(out.c_str());
  while (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

bool Reddish(gfx::Argb p) { return gfx::RedOf(p) > gfx::BlueOf(p) + 60; }
bool Bluish(gfx::Argb p) { return gfx::BlueOf(p) > gfx::RedOf(p) + 60; }

class MessageBoxGuiTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(display_.Start()) << "no Xvfb"; }

  // Opens the box and waits until its icon shows.
  void Open(const std::string& type, const std::string& icon) {
    gallery_ = std::make_unique<ExampleProcess>(
        GALLERY_PATH, std::vector<std::string>{"--message-box", type, icon, "发现新版本，是否更新？"});
    ASSERT_TRUE(gallery_->WaitForLine("ready"));
    ASSERT_TRUE(WaitUntil([this] { return IconShows(); })) << "the box did not show";
    // Without a window manager the keyboard follows the pointer.
    Xdotool({"mousemove", std::to_string(kBoxLeft + 150), std::to_string(kBoxTop + 60)});
  }
  // The question icon is a blue disc in the cell at (30, 40).
  bool IconShows() {
    gfx::Bitmap shot = Screenshot(display_.Name());
    return !shot.IsNull() && Bluish(shot.GetPixel(kBoxLeft + 36, kBoxTop + 60));
  }
  int Xdotool(std::vector<std::string> args) {
    args.insert(args.begin(), "xdotool");
    return RunProgram(args);
  }
  void ExpectAnswer(const std::string& code) {
    EXPECT_TRUE(gallery_->WaitForLine(code));
    EXPECT_TRUE(gallery_->WaitForExit());
    EXPECT_EQ(gallery_->exit_status(), 0);
  }
  void ClickBox(int x, int y) {
    ASSERT_EQ(Xdotool({"mousemove", std::to_string(kBoxLeft + x), std::to_string(kBoxTop + y), "click", "1"}), 0);
  }

  XvfbDisplay display_;
  std::unique_ptr<ExampleProcess> gallery_;
};

TEST_F(MessageBoxGuiTest, TheRightmostButtonOfTypeFourAnswersNo) {
  Open("4", "32");
  ClickBox(kRightmostX, kButtonY);
  ExpectAnswer("6");
}

TEST_F(MessageBoxGuiTest, TheLeftButtonAnswersYes) {
  Open("4", "32");
  ClickBox(kSecondX, kButtonY);
  ExpectAnswer("5");
}

TEST_F(MessageBoxGuiTest, EscapeAnswersCancel) {
  Open("4", "32");
  ASSERT_EQ(Xdotool({"key", "Escape"}), 0);
  ExpectAnswer("1");
}

TEST_F(MessageBoxGuiTest, AltAndTheAcceleratorOfYesAnswersYes) {
  Open("4", "32");
  ASSERT_EQ(Xdotool({"key", "alt+y"}), 0);
  ExpectAnswer("5");
}

TEST_F(MessageBoxGuiTest, TheBoxShowsIconButtonsAndTextOverTheGallery) {
  Open("4", "32");
  gfx::Bitmap shot = Screenshot(display_.Name());
  ASSERT_FALSE(shot.IsNull());
  auto at = [&](int x, int y) { return shot.GetPixel(kBoxLeft + x, kBoxTop + y); };
  auto grey = [](gfx::Argb p) { return gfx::RedOf(p); };
  // The icon cell: blue disc, and nothing red (not the error icon).
  EXPECT_TRUE(Bluish(at(36, 60)));
  EXPECT_FALSE(Reddish(at(50, 60)));
  // Both buttons' square borders (frame style 0) are grey lines on the white look.
  for (int left : {320 - 75 - 8, 320 - 150 - 8}) {
    EXPECT_LT(grey(at(left, kButtonY)), 200) << left;
    EXPECT_GT(grey(at(left + 5, kButtonY - 6)), 200) << "face " << left;
  }
  // The text: dark ink in the text area, on one line moved down by 4.
  int ink = 0;
  for (int y = 47; y < 47 + 20; ++y)
    for (int x = 85; x < 285; ++x) ink += grey(at(x, y)) < 100;
  EXPECT_GT(ink, 40);
  // The gallery lies beneath, outside the box: its background picture, not the white look.
  EXPECT_LT(grey(shot.GetPixel(kBoxLeft - 20, kBoxTop + 75)), 250);
  shot.SavePng(::testing::TempDir() + "message_box_gui.png");
}

TEST_F(MessageBoxGuiTest, TheBoxIsATransientOfTheGalleryWithoutATaskbarEntry) {
  Open("0", "64");
  const std::string box = Output("xdotool search --name '^提示：$' | head -1");
  const std::string gallery = Output("xdotool search --name 'brivo' | head -1");
  ASSERT_FALSE(box.empty());
  ASSERT_FALSE(gallery.empty());
  const std::string properties = Output("xprop -id " + box + " WM_TRANSIENT_FOR _NET_WM_STATE _NET_WM_WINDOW_TYPE");
  char owner[32];
  std::snprintf(owner, sizeof owner, "0x%lx", std::stoul(gallery));
  EXPECT_NE(properties.find(std::string("window id # ") + owner), std::string::npos) << properties;
  EXPECT_NE(properties.find("_NET_WM_STATE_SKIP_TASKBAR"), std::string::npos) << properties;
  EXPECT_NE(properties.find("_NET_WM_WINDOW_TYPE_DIALOG"), std::string::npos) << properties;
  ClickBox(320 - 75 - 8 + 35, kButtonY);
  ExpectAnswer("0");
}

}  // namespace
}  // namespace winsys::testing
