// The address reaching brivo's address box as a user gives it: the clipboard
// pasted with Ctrl+V.
#include <gtest/gtest.h>

#include "runtime/gbk.h"
#include "tests/ui/app/brivo_window_fixture.h"

namespace brivo_window_test {
namespace {

TEST_F(BrivoWindowFixture, AnAddressPastedWithCtrlVIsParsedAndDownloaded) {
  Open();
  app::gui::MainWindow& controls = window_->controls();
  const std::string page = site_->Get("BRIVO_DEMO_PAGE_URL");
  headless_->SetClipboardText(page);
  Click(controls.address_edit);  // the caret goes in
  headless_->KeyDown(winsys::VK_CONTROL);
  headless_->KeyPress('V');
  headless_->KeyUp(winsys::VK_CONTROL);
  EXPECT_EQ(Text(controls.address_edit), page);
  Click(controls.parse_button);
  ASSERT_TRUE(RunUntilJobEnds());
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].title, "下载完成");
  EXPECT_TRUE(std::filesystem::exists(Downloads() / "晨岚测试曲一.aac"));
}

}  // namespace
}  // namespace brivo_window_test
