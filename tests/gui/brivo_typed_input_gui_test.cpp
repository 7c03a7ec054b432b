// brivo's address box taking the address as a person gives it: typed with the
// keyboard, or pasted from the clipboard through the box's context menu.
#include "tests/gui/brivo_gui_fixture.h"

namespace winsys::testing {
namespace {

// The address box's middle, and the context menu's "粘贴(&P)" (after 撤销, a
// separator, 剪切 and 复制) when the menu opened there: rows of 22 px, a
// separator of 3, below an 8 px margin.
constexpr int kAddressX = 150, kAddressY = 70;
constexpr int kPasteX = kAddressX + 50, kPasteY = kAddressY + 8 + 3 * 22 + 3 + 11;

class BrivoTypedInputGuiTest : public BrivoGuiTest {
 protected:
  // Downloads what the address box holds and checks the saved track.
  void DownloadAndCheck() {
    const fs::path saved = Downloads() / (std::string(kTrack) + ".aac");
    fs::remove(saved);
    ClickAt(315, 70);  // "解析&&下载"
    AnswerWithReturn("下载完成");
    EXPECT_TRUE(fs::exists(saved));
  }
};

TEST_F(BrivoTypedInputGuiTest, AnAddressTypedAndOnePastedThroughTheContextMenuAreDownloaded) {
  const std::string page = site_->Get("BRIVO_DEMO_PAGE_URL");
  Launch({});
  ClickAt(kAddressX, kAddressY);  // the caret goes in (the box is emptied)
  ASSERT_EQ(Xdotool({"type", "--delay", "20", page}), 0);
  DownloadAndCheck();

  ASSERT_EQ(RunProgram({"sh", "-c", "printf '%s' '" + page + "' | xclip -selection clipboard -i"}), 0);
  ClickAt(kAddressX, kAddressY);  // empties the box again
  ASSERT_EQ(Xdotool({"mousemove", std::to_string(kLeft + kAddressX), std::to_string(kTop + kAddressY), "click", "3"}),
            0);
  ASSERT_TRUE(WaitForWindow(kMenuWindow));
  ClickAt(kPasteX, kPasteY);
  DownloadAndCheck();
}

}  // namespace
}  // namespace winsys::testing
