// The brivo window program on a real X server, used as a person would: the
// mouse on its buttons, the keyboard on its boxes, the result on disk.
#include "tests/gui/brivo_gui_fixture.h"
#include "tests/support/child_process.h"
#include "tests/support/http_test_server.h"
#include "tests/support/process_table.h"
#include "tests/unit/gfx/pixels.h"

#include <signal.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace winsys::testing {
namespace {

TEST_F(BrivoGuiTest, TheAddressGivenAtStartIsDownloadedWithAClickAndTheBoxAnsweredByKeyboard) {
  const fs::path saved = Downloads() / (std::string(kTrack) + ".aac");
  Launch({site_->Get("BRIVO_DEMO_PAGE_URL")});
  ClickAt(315, 70);  // "解析&&下载"
  AnswerWithReturn("下载完成");
  ASSERT_TRUE(fs::exists(saved));
  EXPECT_GT(fs::file_size(saved), 1000u);
  EXPECT_EQ(Shown(), saved.string() + "\n");

  // The window as it looks now, with the track's name in the result box.
  ASSERT_EQ(Xdotool({"mousemove", "0", "0"}), 0);
  ASSERT_TRUE(ScreenSettles(display_.Name()));  // the buttons' hover light has faded out
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

// On a desktop at 200 % (GDK_SCALE=2) the window takes twice the device
// pixels, draws its texts at that resolution and takes a click where the
// button shows.
TEST_F(BrivoGuiTest, AtTwiceTheScaleTheWindowIsCrispAndPressedWhereItShows) {
  Set("GDK_SCALE", "2");
  brivo_ = std::make_unique<ExampleProcess>(BRIVO_PATH, std::vector<std::string>{site_->Get("BRIVO_DEMO_PAGE_URL")});
  ASSERT_TRUE(WaitForWindow("晨岚DJ音乐网"));
  // Asked again until it answers: a search of the windows fails now and then
  // while the program's start makes and destroys windows of its own.
  gfx::RectI window;
  EXPECT_TRUE(WaitUntil([&] {
    window = WindowGeometry("晨岚DJ音乐网");
    return window.width == 760 && window.height == 676;
  })) << window.width
      << " x " << window.height;
  ASSERT_TRUE(ScreenShows(display_.Name(), window.x + 400, window.y + 600, Background(200, 300))) << "not drawn";
  // The parse button's caption, in device pixels of the window.
  const gfx::Bitmap caption = Screenshot(display_.Name()).CloneArea({window.x + 2 * 285, window.y + 2 * 62, 120, 32});
  EXPECT_GT(gfx::testing::SharpestStepInsideBlocks(caption, {0, 0, caption.Width(), caption.Height()}), 150);

  ASSERT_EQ(Xdotool({"mousemove", std::to_string(window.x + 2 * 315), std::to_string(window.y + 2 * 70), "click", "1"}),
            0);  // "解析&&下载"
  AnswerWithReturn("下载完成");
  EXPECT_TRUE(fs::exists(Downloads() / (std::string(kTrack) + ".aac")));
}

class BrivoGuiStopTest : public BrivoGuiTest, public ::testing::WithParamInterface<bool> {
 protected:
  // Starts the minute-long track with the real-time tool and waits until its
  // progress shows in the title; the tool's process id.
  pid_t StartLongDownload() {
    Set("BRIVO_RTMPDUMP", site_->RealtimeTool());
    Launch({site_->LongTrackPage()});
    ClickAt(315, 70);
    EXPECT_TRUE(WaitForWindow("kB \\([0-9.]+%\\) - 晨岚DJ音乐网")) << "no progress in the title";
    const std::vector<pid_t> tools = testing_support::ChildProcesses(brivo_->pid(), "rtmpdump");
    EXPECT_EQ(tools.size(), 1u);
    return tools.empty() ? -1 : tools[0];
  }
};

// The window closed by its close button, or the program asked to end by a signal.
TEST_P(BrivoGuiStopTest, EndingDuringADownloadStopsTheToolAndLeavesNoFile) {
  const pid_t tool = StartLongDownload();
  ASSERT_GT(tool, 0);
  if (GetParam())
    ClickAt(354, 16);  // close
  else
    ASSERT_EQ(::kill(brivo_->pid(), SIGTERM), 0);
  EXPECT_TRUE(brivo_->WaitForExit(3000));
  EXPECT_EQ(brivo_->exit_status(), GetParam() ? 0 : 128 + SIGTERM);
  EXPECT_TRUE(testing_support::EndsSoon(tool));
  EXPECT_TRUE(fs::is_empty(Downloads())) << "neither a partial nor a whole track";
}

INSTANTIATE_TEST_SUITE_P(CloseButtonOrSignal, BrivoGuiStopTest, ::testing::Bool());

class BrivoGuiDisplayLossTest : public BrivoGuiStopTest {};

TEST_F(BrivoGuiDisplayLossTest, ALostDisplayStopsTheToolAndLeavesNoPartialFile) {
  const pid_t tool = StartLongDownload();
  ASSERT_GT(tool, 0);
  ASSERT_EQ(testing_support::PartialFiles(Downloads()).size(), 1u);
  // xkill cuts the program's connection to the X server, as a server's end does.
  const testing_support::ChildResult xkill =
      testing_support::RunChild({"sh", "-c", "xkill -id \"$(xdotool search --name '晨岚DJ音乐网' | head -n 1)\""});
  ASSERT_EQ(xkill.exit_code, 0) << xkill.output;
  EXPECT_TRUE(brivo_->WaitForExit(3000));
  EXPECT_EQ(brivo_->exit_status(), 1);
  EXPECT_TRUE(testing_support::EndsSoon(tool));
  EXPECT_TRUE(fs::is_empty(Downloads())) << "neither a partial nor a whole track";
}

// A polite stop ends the program in every state with 128 + the signal's
// number; an open box goes at once and the file manager stays shut.
TEST_F(BrivoGuiTest, ASignalEndsTheProgramIdleWithABoxOrMenuOpenOrAFetchStalled) {
  Launch({});
  ASSERT_EQ(::kill(brivo_->pid(), SIGHUP), 0);
  EXPECT_TRUE(brivo_->WaitForExit(2000));
  EXPECT_EQ(brivo_->exit_status(), 128 + SIGHUP);

  Launch({site_->Get("BRIVO_DEMO_PAGE_URL")});
  ClickAt(315, 70);  // "解析&&下载"
  ASSERT_TRUE(WaitForWindow("下载完成"));
  ASSERT_EQ(::kill(brivo_->pid(), SIGTERM), 0);
  EXPECT_TRUE(brivo_->WaitForExit(2000));
  EXPECT_EQ(brivo_->exit_status(), 128 + SIGTERM);
  LetTimePass(300);  // nothing may come: a file manager would have written its record by now
  EXPECT_EQ(testing_support::ReadWholeFile(folder_.path() / "file-manager.record"), "");

  // The address box's context menu open (its own loop).
  Launch({});
  ASSERT_EQ(Xdotool({"mousemove", std::to_string(kLeft + 150), std::to_string(kTop + 70), "click", "3"}), 0);
  ASSERT_TRUE(WaitForWindow(kMenuWindow));
  ASSERT_EQ(::kill(brivo_->pid(), SIGINT), 0);
  EXPECT_TRUE(brivo_->WaitForExit(2000));
  EXPECT_EQ(brivo_->exit_status(), 128 + SIGINT);

  // The page fetch stalled: a server that takes the connection and never answers.
  const testing_support::SilentServer server;
  Launch({"http://127.0.0.1:" + std::to_string(server.port()) + "/play/stalled.html"});
  ClickAt(315, 70);
  ASSERT_TRUE(ScreenSettles(display_.Name()));  // the press has been handled: the fetch has begun, and stalls
  ASSERT_EQ(::kill(brivo_->pid(), SIGTERM), 0);
  EXPECT_TRUE(brivo_->WaitForExit(2000));
  EXPECT_EQ(brivo_->exit_status(), 128 + SIGTERM);
}

// The update question (before the main window has a host) and a result box
// over the main window look alike: white, with the title in full inside the
// window's frame. The pictures go next to the main window's.
TEST_F(BrivoGuiTest, TheUpdateQuestionAndAResultBoxShowTheirWholeTitles) {
  Set("BRIVO_UPDATE_VERSION_URL", site_->AddFile("newer.txt", "[2015.11.03]"));
  brivo_ = std::make_unique<ExampleProcess>(BRIVO_PATH, std::vector<std::string>{site_->Get("BRIVO_DEMO_PAGE_URL")});
  ASSERT_TRUE(WaitForWindow("^晨岚DJ音乐网\\(brivo\\)$"));
  ASSERT_TRUE(ScreenSettles(display_.Name()));  // the box's opening has ended
  const gfx::RectI question_at = WindowGeometry("^晨岚DJ音乐网\\(brivo\\)$");
  const gfx::Bitmap question = Screenshot(display_.Name()).CloneArea(question_at);
  AnswerWithReturn("^晨岚DJ音乐网\\(brivo\\)$");  // 否
  ASSERT_TRUE(ScreenShows(display_.Name(), kLeft + 200, kTop + 300, Background(200, 300))) << "no window";
  ClickAt(315, 70);
  ASSERT_TRUE(WaitForWindow("下载完成"));
  ASSERT_TRUE(ScreenSettles(display_.Name()));
  const gfx::RectI result_at = WindowGeometry("下载完成");
  const gfx::Bitmap result = Screenshot(display_.Name()).CloneArea(result_at);
  // The white title lies on the dark caption band from x = 11 (box pixels),
  // clear of the 6-px margin, and ends before the close button.
  for (const gfx::Bitmap* box : {&question, &result}) {
    int left = 320, right = -1;
    for (int y = 10; y < 28; ++y)
      for (int x = 7; x < box->Width() - 50; ++x)  // the margin shows what lies beneath
        if (gfx::RedOf(box->GetPixel(x, y)) > 200 && gfx::BlueOf(box->GetPixel(x, y)) > 200) {
          left = std::min(left, x);
          right = std::max(right, x);
        }
    EXPECT_GE(left, 11) << "the title's first character in the margin";
    EXPECT_GT(right, left + 40) << "no title";
  }
  EXPECT_TRUE(question.SavePng(BRIVO_SCREENSHOT_DIR "/brivo-update-question.png"));
  EXPECT_TRUE(result.SavePng(BRIVO_SCREENSHOT_DIR "/brivo-result-box.png"));
  AnswerWithReturn("下载完成");
}

// Without a display there is nothing to show: brivo says so, names the
// console program and fails, instead of running unseen.
TEST(BrivoWithoutDisplayTest, SaysSoNamesBrivoCliAndFails) {
  FILE* run = popen("env -u DISPLAY -u BRIVO_PLATFORM -u WAYLAND_DISPLAY " BRIVO_PATH " 2>&1; echo \"status $?\"", "r");
  ASSERT_NE(run, nullptr);
  std::string output;
  char buffer[256];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, run)) > 0;) output.append(buffer, n);
  pclose(run);
  EXPECT_NE(output.find("no display"), std::string::npos) << output;
  EXPECT_NE(output.find("brivo-cli"), std::string::npos) << output;
  EXPECT_NE(output.find("status 1\n"), std::string::npos) << output;
}

// The window closed by the window manager (Alt+F4, a taskbar's close) while
// a box is open: both go, and so does the program.
TEST_F(BrivoManagedGuiTest, ClosingTheMainWindowWhileABoxIsOpenEndsTheProgram) {
  brivo_ = std::make_unique<ExampleProcess>(BRIVO_PATH, std::vector<std::string>{site_->Get("BRIVO_DEMO_PAGE_URL")});
  ASSERT_TRUE(WaitForWindow("^晨岚DJ音乐网"));
  ASSERT_TRUE(ScreenSettles(display_.Name()));  // the show animation has ended
  // Openbox may have placed the window elsewhere: the parse button by its place in the window.
  const gfx::RectI main = WindowGeometry("^晨岚DJ音乐网");
  ASSERT_EQ(Xdotool({"mousemove", std::to_string(main.x + 315), std::to_string(main.y + 70), "click", "1"}), 0);
  ASSERT_TRUE(WaitForWindow("下载完成"));
  ASSERT_EQ(Xdotool({"search", "--name", "^晨岚DJ音乐网", "windowactivate", "--sync"}), 0);
  // Apart: chained after a search, xdotool would send the keys to the window, past openbox.
  ASSERT_EQ(Xdotool({"key", "alt+F4"}), 0);
  EXPECT_TRUE(brivo_->WaitForExit(2000));
  EXPECT_EQ(brivo_->exit_status(), 0);
}

}  // namespace
}  // namespace winsys::testing
