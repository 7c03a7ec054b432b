// The brivo window end to end on the headless window system, against the
// demo site's nginx with the real rtmpdump.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "app/gui/feedback.h"
#include "razezazo/controls/caption_button.h"
#include "runtime/gbk.h"
#include "tests/support/process_table.h"
#include "tests/ui/app/brivo_window_fixture.h"

namespace brivo_window_test {
namespace {

namespace fs = std::filesystem;
using runtime::Gbk;

constexpr char kTrack[] = "晨岚测试曲一";
constexpr char kTitle[] = "晨岚DJ音乐网(brivo)[2015.11.02]";
// Every box of the program looks alike, with or without the main window's host:
// white, no layer alpha, frame style 0, no image edges, no blur, title and close.
const std::vector<std::int64_t> kBoxLook = {0xFFFFFF, -1, 0, 0, 0, 6};

class BrivoWindowTest : public BrivoWindowFixture {
 protected:
  app::gui::MainWindow& Controls() { return window_->controls(); }

  // rtmpdump behind a gate: it starts only once the test opens the gate, so
  // the test sees the window while the download runs.
  void UseGatedTool() {
    testing_support::WriteScript(folder_.path() / "gated-rtmpdump", "while [ ! -e '" + Gate().string() +
                                                                        "' ]; do sleep 0.02; done\n"
                                                                        "exec rtmpdump \"$@\"\n");
    Set("BRIVO_RTMPDUMP", (folder_.path() / "gated-rtmpdump").string());
  }
  fs::path Gate() const { return folder_.path() / "gate"; }
  void OpenGate() const { testing_support::WriteWholeFile(Gate(), ""); }

  razezazo::CaptionButton* CaptionButton(int kind) {
    for (const auto& button : window_->host().caption_buttons())
      if (button->button_kind() == kind) return button.get();
    return nullptr;
  }
};

TEST_F(BrivoWindowTest, TheParseButtonDownloadsTheTrackAndTheDownloadButtonRepeatsIt) {
  Open();
  Controls().address_edit.SetText(Gbk(site_->Get("BRIVO_DEMO_PAGE_URL")));
  Click(Controls().parse_button);
  // The parse ran on the UI thread during the click.
  EXPECT_EQ(Text(Controls().result_edit), kTrack);
  EXPECT_EQ(Text(Controls().path_edit), "music/2015/demo01");
  ASSERT_TRUE(RunUntilJobEnds());
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].title, "下载完成");
  EXPECT_EQ(boxes_[0].text, std::string(kTrack) + "\n" + kTrack + ".aac");  // the name, then the file
  const fs::path saved = Downloads() / (std::string(kTrack) + ".aac");
  ASSERT_TRUE(fs::exists(saved));
  EXPECT_GT(fs::file_size(saved), 1000u);
  EXPECT_EQ(Shown(), std::vector<std::string>{saved.string()});
  EXPECT_FALSE(Controls().parse_button.disabled());
  EXPECT_FALSE(Controls().download_button.disabled());
  EXPECT_FALSE(Controls().address_edit.disabled());
  // The progress the tool reported has gone again.
  EXPECT_EQ(headless_->WindowText(window_->window()), kTitle);
  EXPECT_EQ(Controls().download_button.caption(), Gbk("下 载"));

  // The download button runs the job again with what the boxes hold.
  fs::remove(saved);
  Click(Controls().download_button);
  ASSERT_TRUE(RunUntilJobEnds());
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(boxes_[1].title, "下载完成");
  EXPECT_TRUE(fs::exists(saved));
  EXPECT_EQ(Shown(2).size(), 2u);
}

// Users type or paste the address and press Enter: the box's own Enter does
// nothing in a single line, the main window's address box parses with it.
TEST_F(BrivoWindowTest, EnterInTheAddressBoxParsesAndDownloadsAsTheButtonDoes) {
  Open();
  Click(Controls().address_edit);  // the caret into the box
  headless_->TypeText(site_->Get("BRIVO_DEMO_PAGE_URL"));
  headless_->KeyPress(winsys::VK_RETURN);
  EXPECT_EQ(Text(Controls().result_edit), kTrack);
  ASSERT_TRUE(RunUntilJobEnds());
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].title, "下载完成");
  EXPECT_TRUE(fs::exists(Downloads() / (std::string(kTrack) + ".aac")));
}

TEST_F(BrivoWindowTest, ClicksOnTheDisabledControlsDuringADownloadDoNothing) {
  UseGatedTool();
  Open();
  const std::string page = site_->Get("BRIVO_DEMO_PAGE_URL");
  Controls().address_edit.SetText(Gbk(page));
  Click(Controls().parse_button);
  ASSERT_TRUE(RunUntil([&] { return Controls().parse_button.disabled(); }));
  EXPECT_TRUE(Controls().download_button.disabled());
  EXPECT_TRUE(Controls().address_edit.disabled());
  // Neither a clear, nor a second parse or download.
  Controls().result_edit.SetText(Gbk("别的曲目"));
  Click(Controls().address_edit);
  Click(Controls().parse_button);
  Click(Controls().download_button);
  EXPECT_EQ(Text(Controls().address_edit), page);
  EXPECT_EQ(Text(Controls().result_edit), "别的曲目");
  EXPECT_TRUE(boxes_.empty());
  // The result takes the name the result box holds when the tool has ended.
  Controls().result_edit.SetText(Gbk(kTrack));
  OpenGate();
  ASSERT_TRUE(RunUntilJobEnds());
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].title, "下载完成");
  EXPECT_FALSE(Controls().parse_button.disabled());
  EXPECT_FALSE(Controls().address_edit.disabled());
}

TEST_F(BrivoWindowTest, ProgressShowsInTheTitleAndOnTheButtonAndClosingStopsTheDownload) {
  Set("BRIVO_RTMPDUMP", site_->RealtimeTool());
  Open();
  Controls().address_edit.SetText(Gbk(site_->LongTrackPage()));
  Click(Controls().parse_button);
  const std::string track = Text(Controls().result_edit);
  // Two different reports: the display follows the tool.
  std::string first_title;
  ASSERT_TRUE(RunUntil([&] {
    const std::string title = headless_->WindowText(window_->window());
    if (title.find("kB") == std::string::npos) return false;
    if (first_title.empty()) first_title = title;
    return title != first_title;
  }));
  const std::string title = headless_->WindowText(window_->window());
  EXPECT_NE(title.find("%) - " + std::string(kTitle)), std::string::npos) << title;
  const std::string caption = runtime::GbkToUtf8(Controls().download_button.caption());
  EXPECT_EQ(title.substr(0, caption.size()), caption) << "the button shows what the title shows";
  const std::vector<pid_t> tools = testing_support::ChildProcesses(getpid(), "rtmpdump");
  ASSERT_EQ(tools.size(), 1u);
  ASSERT_FALSE(testing_support::PartialFile(Downloads(), track).empty());

  Click(*CaptionButton(razezazo::kCaptionButtonClose));
  ASSERT_TRUE(RunUntil([&] { return !headless_->IsWindow(window_->window()); }));
  ASSERT_TRUE(RunUntilJobEnds());
  EXPECT_TRUE(testing_support::EndsSoon(tools[0]));
  EXPECT_TRUE(testing_support::ChildProcesses(getpid(), "rtmpdump").empty());
  EXPECT_TRUE(testing_support::PartialFiles(Downloads()).empty());
  EXPECT_FALSE(fs::exists(Downloads() / (track + ".aac")));
  EXPECT_TRUE(boxes_.empty()) << "a stopped download reports nothing";
}

TEST_F(BrivoWindowTest, AnEmptyAddressIsAWarningAndAnEmptyPlayPathAnError) {
  Open();
  Click(Controls().parse_button);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].title, "提示：");
  EXPECT_EQ(boxes_[0].text, "请输入播放地址 ");
  EXPECT_FALSE(window_->job_running());

  Click(Controls().download_button);
  ASSERT_TRUE(RunUntilJobEnds());
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(boxes_[1].title, "错误");
  EXPECT_EQ(boxes_[1].text, "由于网络原因或网站更新导致本次解析失败! ");
  for (const SeenBox& box : boxes_) EXPECT_EQ(box.look, kBoxLook) << box.title;
}

TEST_F(BrivoWindowTest, AClickOnTheAddressBoxEmptiesAllThreeBoxes) {
  Open();
  Controls().address_edit.SetText(Gbk("http://example.invalid/play/1.html"));
  Controls().result_edit.SetText(Gbk(kTrack));
  Controls().path_edit.SetText(Gbk("music/2015/demo01"));
  Click(Controls().address_edit);
  EXPECT_EQ(Text(Controls().address_edit), "");
  EXPECT_EQ(Text(Controls().result_edit), "");
  EXPECT_EQ(Text(Controls().path_edit), "");
  // A click on the result box leaves them alone.
  Controls().result_edit.SetText(Gbk(kTrack));
  Click(Controls().result_edit);
  EXPECT_EQ(Text(Controls().result_edit), kTrack);
}

TEST_F(BrivoWindowTest, TheFeedbackButtonOpensTheMailPageAndTheCloseButtonDoesNot) {
  Open();
  razezazo::CaptionButton* feedback = CaptionButton(razezazo::kCaptionButtonFree128);
  razezazo::CaptionButton* close = CaptionButton(razezazo::kCaptionButtonClose);
  ASSERT_TRUE(feedback && close);
  Click(*feedback);
  const std::string link = runtime::GbkToUtf8(app::gui::FeedbackLink(window_->context().config));
  EXPECT_EQ(Opened(), std::vector<std::string>{link});
  EXPECT_NE(link.find("/cgi-bin/qm_share?t=qm_mailme&email="), std::string::npos);
  EXPECT_NE(link.find("&subject=brivo_report"), std::string::npos);

  Click(*close);
  EXPECT_TRUE(RunUntil([&] { return !headless_->IsWindow(window_->window()); }));
  EXPECT_EQ(Opened(2, 500), std::vector<std::string>{link});
}

TEST_F(BrivoWindowTest, TheTitleAndTheControlsAreTheMainWindows) {
  Open();
  EXPECT_EQ(headless_->WindowText(window_->window()), kTitle);
  EXPECT_TRUE(headless_->IsVisible(window_->window()));
  EXPECT_TRUE(boxes_.empty()) << "the site's version is this one";
  // Visible ones in creation order, then the two hidden ones.
  EXPECT_EQ(Controls().parse_button.caption(), Gbk("解析&&下载"));
  EXPECT_EQ(Controls().download_button.caption(), Gbk("下 载"));
  EXPECT_TRUE(Controls().result_edit.multi_line());
  EXPECT_EQ(Controls().result_edit.input_mode(), razezazo::InputMode::kReadOnly);
  EXPECT_EQ(Controls().result_edit.text_colour(), 0xFEFF0000u);
  EXPECT_FALSE(Controls().path_edit.visible());
  EXPECT_FALSE(Controls().path_label.visible());
  EXPECT_EQ(window_->host().caption_flags() & 1152u, 1152u);
  // What docks match to the desktop entry and show.
  EXPECT_EQ(headless_->ProgramClass(), "brivo");
  std::vector<int> icon_sizes;
  for (const gfx::Bitmap& icon : headless_->WindowIcons(window_->window())) icon_sizes.push_back(icon.Width());
  EXPECT_EQ(icon_sizes, (std::vector<int>{16, 32, 48, 256}));
}

// A title that does not fit before the caption buttons ends with "…" after
// its last whole character, not with a character cut through.
TEST_F(BrivoWindowTest, ATooLongTitleEndsWithAnEllipsisBeforeTheCaptionButtons) {
  Open();
  headless_->SetWindowText(window_->window(),
                           "78.9 kB (15.2%) - 晨岚DJ音乐网(brivo)[2015.11.02] 78.9 kB (15.2%) JJJJJJJJ");
  headless_->Advance(1000);  // the label's text change
  razezazo::LabelControl& title = *window_->host().title();
  const gfx::Bitmap& canvas = title.canvas();
  auto ink = [&](int x, int y) { return gfx::AlphaOf(canvas.GetPixel(x, y)) > 128; };
  int right = -1;
  for (int x = canvas.Width() - 1; x >= 0 && right < 0; --x)
    for (int y = 0; y < canvas.Height(); ++y)
      if (ink(x, y)) right = x;
  ASSERT_GT(right, 0);
  // The last ten columns of ink hold the three dots: a row or two at the baseline.
  int rows = 0;
  for (int y = 0; y < canvas.Height(); ++y) {
    bool any = false;
    for (int x = std::max(0, right - 9); x <= right; ++x) any = any || ink(x, y);
    rows += any;
  }
  EXPECT_LE(rows, 3) << "the end of the title is no ellipsis";
}

TEST_F(BrivoWindowTest, ANewerVersionAsksFirstAndNoGoesOn) {
  Set("BRIVO_UPDATE_VERSION_URL", site_->AddFile("newer.txt", "[2015.11.03]"));
  AnswerNextBoxWith(6);
  Open();
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].title, "晨岚DJ音乐网(brivo)");
  EXPECT_EQ(boxes_[0].text, "发现新版本[2015.11.03]，是否更新？");
  EXPECT_FALSE(boxes_[0].main_window_built) << "the question comes before the window is built";
  EXPECT_EQ(boxes_[0].look, kBoxLook);
}

TEST_F(BrivoWindowTest, YesOpensTheUpdatePageAndEndsTheProgram) {
  GTEST_FLAG_SET(death_test_style, "fast");
  Set("BRIVO_UPDATE_VERSION_URL", site_->AddFile("newer.txt", "[2015.11.03]"));
  EXPECT_EXIT(
      {
        AnswerNextBoxWith(5);
        Open();
        std::_Exit(3);  // the window was built: the program did not end
      },
      ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(Opened(), std::vector<std::string>{site_->Get("BRIVO_UPDATE_PAGE_URL")});
}

TEST_F(BrivoWindowTest, WithoutNetworkTheWindowStillShowsAndNothingIsAsked) {
  Set("BRIVO_UPDATE_VERSION_URL", "http://127.0.0.1:9/brivo.txt");
  Open();
  EXPECT_TRUE(boxes_.empty());
  EXPECT_TRUE(headless_->IsVisible(window_->window()));
}

}  // namespace
}  // namespace brivo_window_test
