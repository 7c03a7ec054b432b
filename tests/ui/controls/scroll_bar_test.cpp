// The scroll bar: geometry and thumb arithmetic, arrows that repeat every
// 100 ms up to the ends, thumb dragging, and its three looks.
#include "razezazo/controls/scroll_bar.h"

#include <gtest/gtest.h>

#include "edit_box_fixture.h"

namespace controls_test {
namespace {

using razezazo::FloatRect;
using razezazo::ScrollBar;

TEST(ScrollBarGeometryTest, PartsThumbAndPositions) {
  const razezazo::ScrollBarParts h = razezazo::LayOutScrollBar(razezazo::kHorizontalBar, 200, 10);
  EXPECT_FLOAT_EQ(h.second_arrow.x, 191);
  EXPECT_FLOAT_EQ(h.track.width, 180);
  const razezazo::ScrollBarParts v = razezazo::LayOutScrollBar(razezazo::kVerticalBar, 10, 100);
  EXPECT_FLOAT_EQ(v.second_arrow.y, 91);
  EXPECT_FLOAT_EQ(v.track.y, 10);
  EXPECT_FLOAT_EQ(v.track.height, 80);

  EXPECT_EQ(razezazo::ThumbLength(80, 80), 40);
  EXPECT_EQ(razezazo::ThumbLength(80, 100000), 30);  // never shorter than 30
  EXPECT_EQ(razezazo::ThumbLength(20, 100), 20);     // nor longer than its track
  EXPECT_EQ(razezazo::ThumbLength(80, 0), 0);
  EXPECT_EQ(razezazo::ThumbLength(80, -5), 0);

  EXPECT_FLOAT_EQ(razezazo::ThumbStart(10, 80, 40, 0, 0, 80), 10);
  EXPECT_FLOAT_EQ(razezazo::ThumbStart(10, 80, 40, 80, 0, 80), 50);
  EXPECT_FLOAT_EQ(razezazo::ThumbStart(10, 80, 40, 40, 0, 80), 30);
  EXPECT_EQ(razezazo::PositionFromPoint(5, 10, 80, 40, 0, 80), 0);
  EXPECT_EQ(razezazo::PositionFromPoint(50, 10, 80, 40, 0, 80), 80);
  EXPECT_EQ(razezazo::PositionFromPoint(30, 10, 80, 40, 0, 80), 40);
  EXPECT_EQ(razezazo::PositionFromPoint(30, 10, 80, 80, 0, 80), 80);  // no travel: no division
  EXPECT_EQ(razezazo::PositionFromPoint(30, 10, 80, 0, 0, 0), 0);
}

class ScrollBarTest : public EditBoxFixture {
 protected:
  // A vertical bar at (100, 50), 10 x 100.
  std::unique_ptr<ScrollBar> Bar(razezazo::ScrollBarOptions options = {}) {
    options.orientation = razezazo::kVerticalBar;
    auto bar = std::make_unique<ScrollBar>();
    EXPECT_TRUE(bar->Create(window_, {100, 50, 10, 100}, options));
    bar->SetPositionHandler([this](razezazo::ControlBase*, int position) { reported_.push_back(position); });
    headless_->RunPending();
    return bar;
  }
  std::vector<int> reported_;
};

TEST_F(ScrollBarTest, AnArrowStepsAtOnceThenEvery100MsAndStopsExactlyAtTheEnd) {
  auto bar = Bar({.maximum = 95, .step = 10});
  EXPECT_EQ(bar->Deliver(razezazo::event::kPressQuery, 0, 0), 1);
  headless_->PressLeft(window_, 105, 145);  // the down arrow: a quick click steps too
  EXPECT_EQ(bar->pressed_part(), ScrollBar::kSecondArrow);
  EXPECT_EQ(reported_, std::vector<int>{10});
  Advance(100);
  EXPECT_EQ(reported_, (std::vector<int>{10, 20}));
  Advance(700);
  EXPECT_EQ(reported_, (std::vector<int>{10, 20, 30, 40, 50, 60, 70, 80, 90}));
  Advance(100);
  EXPECT_EQ(reported_.back(), 95);
  Advance(1000);  // the timer stopped at the end
  EXPECT_EQ(reported_.size(), 10u);
  EXPECT_EQ(bar->position(), 95);
  headless_->ReleaseLeft(window_, 105, 145);
  EXPECT_EQ(bar->pressed_part(), ScrollBar::kNoPart);

  // Back up from the top arrow, stopping at the minimum.
  reported_.clear();
  bar->SetPosition(15);
  headless_->PressLeft(window_, 105, 52);
  Advance(500);
  EXPECT_EQ(reported_, (std::vector<int>{5, 0}));
  headless_->ReleaseLeft(window_, 105, 52);
}

// As in every toolkit: a page at once towards the pointer, then every 100 ms
// until the thumb reaches the pointer (which may move meanwhile).
TEST_F(ScrollBarTest, ThePressedTrackPagesTowardsThePointer) {
  auto bar = Bar({.maximum = 400, .page = 50});  // track 80 from y 60, thumb 30
  headless_->PressLeft(window_, 105, 110);
  EXPECT_EQ(bar->pressed_part(), ScrollBar::kTrack);
  EXPECT_EQ(reported_, std::vector<int>{50});
  Advance(2000);  // the thumb stops under the pointer, short of the end
  headless_->ReleaseLeft(window_, 105, 110);
  EXPECT_EQ(reported_, (std::vector<int>{50, 100, 150, 200}));
  const razezazo::FloatRect thumb = bar->Thumb();
  EXPECT_LE(bar->y() + thumb.y, 110);
  EXPECT_GT(bar->y() + thumb.Bottom(), 110);
  const std::size_t pages = reported_.size();
  Advance(500);
  EXPECT_EQ(reported_.size(), pages);
  headless_->PressLeft(window_, 105, 62);  // above the thumb: back up
  Advance(2000);
  headless_->ReleaseLeft(window_, 105, 62);
  EXPECT_EQ(bar->position(), 0);
}

TEST_F(ScrollBarTest, TheThumbFollowsTheMouse) {
  auto bar = Bar({.maximum = 80});  // track 80, thumb 40: one pixel is two positions
  ASSERT_EQ(bar->thumb_length(), 40);
  headless_->PressLeft(window_, 105, 50 + 10 + 5);  // 5 pixels into the thumb
  EXPECT_EQ(bar->pressed_part(), ScrollBar::kThumb);
  headless_->MoveMouse(window_, 105, 50 + 10 + 5 + 10);
  EXPECT_EQ(bar->position(), 20);
  EXPECT_EQ(reported_, std::vector<int>{20});
  headless_->MoveMouse(window_, 105, 400);
  EXPECT_EQ(bar->position(), 80);
  headless_->MoveMouse(window_, 105, 0);
  EXPECT_EQ(bar->position(), 0);
  headless_->ReleaseLeft(window_, 105, 0);
  EXPECT_EQ(reported_, (std::vector<int>{20, 80, 0}));
  Advance(300);  // the press timer found no arrow and stopped
  EXPECT_EQ(reported_.size(), 3u);

  // Without notifying while dragging, only the release reports.
  reported_.clear();
  bar->SetNotifyWhileDragging(false);
  headless_->PressLeft(window_, 105, 65);
  headless_->MoveMouse(window_, 105, 75);
  headless_->MoveMouse(window_, 105, 85);
  EXPECT_TRUE(reported_.empty());
  headless_->ReleaseLeft(window_, 105, 85);
  EXPECT_EQ(reported_, std::vector<int>{bar->position()});
}

TEST_F(ScrollBarTest, NothingToScrollMeansNoThumbAndNoDrag) {
  auto bar = Bar({.maximum = 0});
  EXPECT_EQ(bar->thumb_length(), 0);
  headless_->PressLeft(window_, 105, 70);
  EXPECT_EQ(bar->pressed_part(), ScrollBar::kTrack);
  headless_->MoveMouse(window_, 105, 120);
  headless_->ReleaseLeft(window_, 105, 120);
  EXPECT_EQ(bar->position(), 0);
  EXPECT_TRUE(reported_.empty());
  // A maximum lowered below the position pulls it down; raising the minimum pulls it up.
  bar->SetMaximum(50);
  bar->SetPosition(40);
  bar->SetMaximum(30);
  EXPECT_EQ(bar->position(), 30);
  bar->SetMinimum(35);
  EXPECT_EQ(bar->position(), 35);
}

// Idle: a faint thumb only. Hot: arrows and a strong thumb. Pressed arrow: its box outlined.
TEST_F(ScrollBarTest, ThreeLooks) {
  auto bar = Bar({.maximum = 80});
  auto darkest = [&](const FloatRect& r) {
    unsigned alpha = 0;
    for (int y = static_cast<int>(r.y); y < r.Bottom(); ++y)
      for (int x = static_cast<int>(r.x); x < r.Right(); ++x) alpha = std::max(alpha, A(bar->canvas().GetPixel(x, y)));
    return alpha;
  };
  const FloatRect arrow = bar->parts().second_arrow;
  const FloatRect thumb = bar->Thumb();
  EXPECT_EQ(darkest(arrow), 0u);
  const unsigned idle_thumb = darkest(thumb);
  EXPECT_GT(idle_thumb, 20u);
  EXPECT_LT(idle_thumb, 90u);

  headless_->MoveMouse(window_, 105, 100);
  EXPECT_TRUE(bar->hot());
  EXPECT_GT(darkest(arrow), 60u);
  EXPECT_GT(darkest(thumb), idle_thumb + 40);
  const unsigned hot_arrow = darkest(arrow);
  headless_->PressLeft(window_, 105, 145);
  EXPECT_GT(darkest(arrow), hot_arrow);
  headless_->ReleaseLeft(window_, 105, 145);
  headless_->MoveMouse(window_, 300, 300);
  EXPECT_FALSE(bar->hot());
  EXPECT_EQ(darkest(arrow), 0u);
  bar->SetArrowsOnlyWhenActive(false);
  EXPECT_GT(darkest(arrow), 60u);
}

// A set text while the user drags the bar of a box: the drag goes on safely
// against the new range.
TEST_F(ScrollBarTest, SetTextDuringADrag) {
  auto box = LongBox(200);
  razezazo::ScrollBar& bar = *box->vertical_bar();
  const FloatRect thumb = bar.Thumb();
  const int x = static_cast<int>(bar.x() + 5), y = static_cast<int>(bar.y() + thumb.y + 3);
  headless_->PressLeft(window_, x, y);
  headless_->MoveMouse(window_, x, y + 30);
  EXPECT_LT(box->scroll_y(), 0);
  box->SetText("short");
  EXPECT_EQ(box->scroll_y(), 0);
  headless_->MoveMouse(window_, x, y + 60);
  headless_->ReleaseLeft(window_, x, y + 60);
  EXPECT_LE(box->scroll_y(), 0);
  EXPECT_GE(box->scroll_y(), std::min(0, static_cast<int>(box->view_rect().height) - box->store().content_height()));
  EXPECT_EQ(bar.position(), 0);
}

}  // namespace
}  // namespace controls_test
