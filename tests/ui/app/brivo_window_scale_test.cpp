// The brivo window on screens of 100 %, 150 % and 200 %: the same logical
// window, drawn at the device's resolution, answering at the same places.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "runtime/gbk.h"
#include "tests/ui/app/brivo_window_fixture.h"
#include "tests/unit/gfx/pixels.h"

namespace brivo_window_test {
namespace {

using runtime::Gbk;

gfx::RectI Whole(const razezazo::ControlBase& c) {
  return {static_cast<int>(c.x()), static_cast<int>(c.y()), static_cast<int>(c.width()), static_cast<int>(c.height())};
}

// What a user sees of the address box during a drag: where the press puts
// the caret and what the drag selects (a click there clears the fields, so
// the drag is read before the button goes up).
struct EditAnswers {
  gfx::RectI caret;
  std::string selected;
  bool operator==(const EditAnswers&) const = default;
};

class BrivoWindowScaleTest : public BrivoWindowFixture {
 protected:
  app::gui::MainWindow& Controls() { return window_->controls(); }

  EditAnswers Drag() {
    razezazo::EditBox& box = Controls().address_edit;
    box.SetText(Gbk(site_->Get("BRIVO_DEMO_PAGE_URL")));
    const winsys::WindowId window = window_->window();
    const int y = static_cast<int>(box.y() + box.height() / 2), left = static_cast<int>(box.x());
    headless_->Advance(600);
    headless_->PressLeft(window, left + 60, y);
    EditAnswers answers{box.caret_pixels(), {}};
    headless_->MoveMouse(window, left + 150, y);
    answers.selected = runtime::GbkToUtf8(box.SelectedText());
    headless_->ReleaseLeft(window, left + 150, y);
    return answers;
  }
};

TEST_F(BrivoWindowScaleTest, AtEveryScaleTheWindowIsCrispAndAnswersAtTheSamePlaces) {
  Open();
  const EditAnswers at_one = Drag();
  ASSERT_FALSE(at_one.selected.empty());
  for (const float scale : {1.5f, 2.0f}) {
    SCOPED_TRACE(scale);
    headless_->SetScale(scale);  // the window moves to a screen of this scale
    headless_->RunPending();
    const gfx::Bitmap screen = headless_->ScreenPixels(window_->window());
    EXPECT_EQ(screen.Width(), 380);
    EXPECT_EQ(screen.DeviceWidth(), std::lround(380 * scale));
    EXPECT_EQ(Drag(), at_one);
  }
  // At 200 % every text is drawn at the device's resolution: sharp steps
  // inside 2 x 2 blocks, which a 1x picture doubled or scaled up never has.
  const gfx::Bitmap screen = headless_->ScreenPixels(window_->window());
  for (const razezazo::ControlBase* c : std::initializer_list<const razezazo::ControlBase*>{
           &Controls().address_group, &Controls().parse_button, &Controls().result_group, &Controls().download_button})
    EXPECT_GT(gfx::testing::SharpestStepInsideBlocks(screen, Whole(*c)), 150) << c->x() << "," << c->y();
  // A click at the button's logical place presses it.
  Controls().address_edit.SetText(Gbk(site_->Get("BRIVO_DEMO_PAGE_URL")));
  headless_->Advance(600);
  const razezazo::PushButton& parse = Controls().parse_button;
  headless_->Click(window_->window(), static_cast<int>(parse.x() + parse.width() / 2),
                   static_cast<int>(parse.y() + parse.height() / 2));
  EXPECT_EQ(Text(Controls().path_edit), "music/2015/demo01");
  ASSERT_TRUE(RunUntilJobEnds());
}

}  // namespace
}  // namespace brivo_window_test
