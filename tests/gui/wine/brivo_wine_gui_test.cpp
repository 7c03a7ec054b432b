// brivo.exe under Wine on a private X server (Wine's X11 driver), used as a
// person would on Windows: the window's picture, its close button, an address
// typed or pasted from another Windows program, the download and its box.
#include "tests/gui/brivo_gui_fixture.h"
#include "tests/support/wine_path.h"

namespace winsys::testing {
namespace {

using testing_support::WindowsPath;

class BrivoWineGuiTest : public BrivoGuiTest {
 protected:
  void SetUp() override {
    BrivoGuiTest::SetUp();
    Set("BRIVO_DOWNLOAD_DIR", WindowsPath(Downloads()));
    fs::create_directories(Downloads());
  }
  // Starts brivo.exe and waits until its window shows the background picture.
  // Windows decodes the JPEG picture with its own decoder, whose rounding
  // differs from libjpeg's by a few levels.
  void Launch(const std::vector<std::string>& arguments) {
    brivo_ = std::make_unique<ExampleProcess>(BRIVO_PATH, arguments);
    ASSERT_TRUE(ScreenShows(display_.Name(), kLeft + 200, kTop + 300, Background(200, 300), kDecoderRounding, 60000))
        << "no window";
  }
  static constexpr int kDecoderRounding = 8;
  // Types into the focused box, as a keyboard does.
  void Type(const std::string& text) { ASSERT_EQ(Xdotool({"type", "--delay", "20", text}), 0); }
  void DownloadsTheTrack() {
    ClickAt(315, 70);  // "解析&&下载"
    // The box's button is clicked: without a window manager Wine does not
    // always give the keyboard to a box that opens over its owner.
    ASSERT_TRUE(WaitForWindow("下载完成"));
    ASSERT_EQ(Xdotool({"mousemove", std::to_string(kBoxLeft + 272), std::to_string(kBoxTop + 127), "click", "1"}), 0);
    ASSERT_TRUE(WaitForWindow("下载完成", false));
    const fs::path saved = Downloads() / (std::string(kTrack) + ".aac");
    ASSERT_TRUE(fs::exists(saved));
    EXPECT_GT(fs::file_size(saved), 1000u);
  }
};

TEST_F(BrivoWineGuiTest, TheWindowShowsItsPictureAndCaptionsAndTheCloseButtonEndsIt) {
  Launch({});
  EXPECT_EQ(WindowGeometry("晨岚DJ音乐网").width, 380);
  EXPECT_EQ(WindowGeometry("晨岚DJ音乐网").height, 338);
  ASSERT_EQ(Xdotool({"mousemove", "0", "0"}), 0);
  ASSERT_TRUE(ScreenSettles(display_.Name()));
  gfx::Bitmap shot = Screenshot(display_.Name());
  ASSERT_FALSE(shot.IsNull());
  EXPECT_TRUE(AnyPixel(shot, 26, 40, 60, 14, Dark)) << "播放地址";
  EXPECT_TRUE(AnyPixel(shot, 26, 100, 60, 14, Dark)) << "解析结果";
  EXPECT_TRUE(AnyPixel(shot, 290, 62, 50, 16, Dark)) << "the parse button's caption";
  EXPECT_TRUE(ColourNear(shot.GetPixel(kLeft + 200, kTop + 300), Background(200, 300), kDecoderRounding));

  ClickAt(354, 16);  // close
  EXPECT_TRUE(brivo_->WaitForExit(20000));
  EXPECT_EQ(brivo_->exit_status(), 0);
}

TEST_F(BrivoWineGuiTest, AnAddressTypedIntoTheBoxIsDownloaded) {
  Launch({});
  ClickAt(150, 70);  // into the address box
  Type(site_->Get("BRIVO_DEMO_PAGE_URL"));
  DownloadsTheTrack();
  // The window with the address and the red track name, beside the Linux one in docs/.
  ASSERT_EQ(Xdotool({"mousemove", "0", "0"}), 0);
  ASSERT_TRUE(ScreenSettles(display_.Name()));
  const gfx::Bitmap shot = Screenshot(display_.Name());
  EXPECT_TRUE(AnyPixel(shot, 30, 120, 320, 20, Red)) << "the red track name";
  EXPECT_TRUE(shot.CloneArea({kLeft, kTop, 380, 338}).SavePng(BRIVO_WINE_SCREENSHOT_PATH));
}

TEST_F(BrivoWineGuiTest, AnAddressAnotherWindowsProgramCopiedIsPastedAndDownloaded) {
  Launch({});
  ASSERT_EQ(RunProgram({PUT_ON_CLIPBOARD_COMMAND, site_->Get("BRIVO_DEMO_PAGE_URL")}), 0);
  ClickAt(150, 70);
  ASSERT_EQ(Xdotool({"key", "ctrl+v"}), 0);
  DownloadsTheTrack();
}

}  // namespace
}  // namespace winsys::testing
