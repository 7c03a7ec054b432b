// The brivo window program on a real X server, used as a person would: the
// mouse on its buttons, the keyboard on its boxes, the result on disk.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <memory>

#include "assets/assets.h"
#include "platform/gfx/image_decoder.h"
#include "tests/gui/example_process.h"
#include "tests/gui/xvfb_display.h"
#include "tests/support/demo_site.h"
#include "tests/support/process_table.h"
#include "tests/support/temp_dir.h"

namespace winsys::testing {
namespace {

namespace fs = std::filesystem;

// 380 x 338, centred on the 1024 x 768 screen; a 320 x 150 box centred too.
constexpr int kLeft = 322, kTop = 215;
constexpr int kBoxLeft = (1024 - 320) / 2, kBoxTop = (768 - 150) / 2;
constexpr char kTrack[] = "晨岚测试曲一";

class BrivoGuiTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { site_ = std::make_unique<testing_support::DemoSite>(); }
  static void TearDownTestSuite() { site_.reset(); }

  void SetUp() override {
    ASSERT_TRUE(display_.Start()) << "no Xvfb";
    for (const auto& [name, value] : site_->ProgramEnvironment()) Set(name.c_str(), value);
    Set("BRIVO_DOWNLOAD_DIR", Downloads().string());
    Set("no_proxy", "127.0.0.1,localhost");
    testing_support::WriteScript(folder_.path() / "file-manager", "printf '%s\\n' \"$1\" >> \"$0.record\"\n");
    Set("BRIVO_FILE_MANAGER", (folder_.path() / "file-manager").string());
  }

  void Set(const char* name, const std::string& value) {
    environment_.push_back(std::make_unique<testing_support::ScopedEnv>(name, value));
  }
  fs::path Downloads() const { return folder_.path() / "downloads"; }

  // Starts brivo and waits until its window shows the background picture.
  void Launch(const std::vector<std::string>& arguments) {
    brivo_ = std::make_unique<ExampleProcess>(BRIVO_PATH, arguments);
    ASSERT_TRUE(ScreenShows(display_.Name(), kLeft + 200, kTop + 300, Background(200, 300))) << "no window";
  }
  // The background picture's pixel at a window point no control covers.
  static gfx::Argb Background(int x, int y) {
    static const auto decoded = gfx::DecodeImage(assets::MainBackground());
    return decoded->frames[0].GetPixel(x - 5, y - 5);
  }
  int Xdotool(std::vector<std::string> args) {
    args.insert(args.begin(), "xdotool");
    return RunProgram(args);
  }
  void ClickAt(int x, int y) {
    ASSERT_EQ(Xdotool({"mousemove", std::to_string(kLeft + x), std::to_string(kTop + y), "click", "1"}), 0);
  }
  // Waits (bounded) for a window whose title matches, or for it to be gone.
  bool WaitForWindow(const std::string& title, bool present = true) {
    for (int i = 0; i < 600; ++i) {
      if ((WindowGeometry(title).width > 0) == present) return true;
      usleep(50000);
    }
    return false;
  }

  static std::unique_ptr<testing_support::DemoSite> site_;
  XvfbDisplay display_;
  testing_support::TempDir folder_;
  std::vector<std::unique_ptr<testing_support::ScopedEnv>> environment_;
  std::unique_ptr<ExampleProcess> brivo_;
};

std::unique_ptr<testing_support::DemoSite> BrivoGuiTest::site_;

bool Red(gfx::Argb p) { return gfx::RedOf(p) > 150 && gfx::GreenOf(p) < 90 && gfx::BlueOf(p) < 90; }
bool Dark(gfx::Argb p) { return gfx::RedOf(p) < 60 && gfx::GreenOf(p) < 60 && gfx::BlueOf(p) < 60; }

// Whether some pixel of the window rectangle (x, y, w, h) passes the test.
template <typename Test>
bool AnyPixel(const gfx::Bitmap& shot, int x0, int y0, int w, int h, Test test) {
  for (int y = y0; y < y0 + h; ++y)
    for (int x = x0; x < x0 + w; ++x)
      if (test(shot.GetPixel(kLeft + x, kTop + y))) return true;
  return false;
}

TEST_F(BrivoGuiTest, TheAddressGivenAtStartIsDownloadedWithAClickAndTheBoxAnsweredByKeyboard) {
  const fs::path saved = Downloads() / (std::string(kTrack) + ".aac");
  Launch({site_->Get("BRIVO_DEMO_PAGE_URL")});
  ClickAt(315, 70);  // "解析&&下载"
  ASSERT_TRUE(WaitForWindow("下载完成"));
  // Without a window manager the keyboard follows the pointer.
  ASSERT_EQ(Xdotool({"mousemove", std::to_string(kBoxLeft + 150), std::to_string(kBoxTop + 60)}), 0);
  ASSERT_EQ(Xdotool({"key", "Return"}), 0);
  ASSERT_TRUE(WaitForWindow("下载完成", false));
  ASSERT_TRUE(fs::exists(saved));
  EXPECT_GT(fs::file_size(saved), 1000u);
  std::string shown;
  for (int i = 0; i < 100 && shown.empty(); ++i, usleep(50000))
    shown = testing_support::ReadWholeFile(folder_.path() / "file-manager.record");
  EXPECT_EQ(shown, saved.string() + "\n");

  // The window as it looks now, with the track's name in the result box.
  ASSERT_EQ(Xdotool({"mousemove", "0", "0"}), 0);
  usleep(300000);  // the buttons' hover light fades out
  gfx::Bitmap shot = Screenshot(display_.Name());
  ASSERT_FALSE(shot.IsNull());
  EXPECT_TRUE(AnyPixel(shot, 30, 120, 320, 20, Red)) << "the red track name";
  EXPECT_TRUE(AnyPixel(shot, 26, 40, 60, 14, Dark)) << "播放地址";
  EXPECT_TRUE(AnyPixel(shot, 26, 100, 60, 14, Dark)) << "解析结果";
  EXPECT_TRUE(AnyPixel(shot, 290, 62, 50, 16, Dark)) << "the parse button's caption";
  EXPECT_TRUE(AnyPixel(shot, 160, 215, 60, 20, Dark)) << "the download button's caption";
  // The button faces' frames stand out from the picture below them.
  for (auto [x, y] : {std::pair{190, 205}, std::pair{315, 58}}) {
    const gfx::Argb frame = shot.GetPixel(kLeft + x, kTop + y), below = Background(x, y);
    EXPECT_LT(gfx::GreenOf(frame) + 40, gfx::GreenOf(below)) << "the button frame at " << x << "," << y;
  }
  EXPECT_EQ(shot.GetPixel(kLeft + 200, kTop + 300) & 0xFFFFFF, Background(200, 300) & 0xFFFFFF);
  // The README's picture of the window.
  EXPECT_TRUE(shot.CloneArea({kLeft, kTop, 380, 338}).SavePng(BRIVO_SCREENSHOT_PATH));

  ClickAt(354, 16);  // close
  EXPECT_TRUE(brivo_->WaitForExit());
  EXPECT_EQ(brivo_->exit_status(), 0);
}

TEST_F(BrivoGuiTest, TheTitleShowsProgressAndClosingDuringTheDownloadLeavesNothingBehind) {
  Set("BRIVO_RTMPDUMP", site_->RealtimeTool());
  Launch({site_->LongTrackPage()});
  ClickAt(315, 70);
  ASSERT_TRUE(WaitForWindow("kB \\([0-9.]+%\\) - 晨岚DJ音乐网")) << "no progress in the title";
  const std::vector<pid_t> tools = testing_support::ChildProcesses(brivo_->pid(), "rtmpdump");
  ASSERT_EQ(tools.size(), 1u);
  ClickAt(354, 16);  // close
  EXPECT_TRUE(brivo_->WaitForExit(3000));
  EXPECT_EQ(brivo_->exit_status(), 0);
  EXPECT_TRUE(testing_support::EndsSoon(tools[0]));
  EXPECT_TRUE(fs::is_empty(Downloads())) << "neither a partial nor a whole track";
}

}  // namespace
}  // namespace winsys::testing
