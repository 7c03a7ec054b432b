// Controls' pictures on the screen: composition, transitions, busy hosts.
#include "tests/ui/host_fixture.h"

namespace razezazo {
namespace {

using testing_support::NearColour;
using testing_support::TestControl;

class PaintTest : public testing_support::HostFixture {};

TEST_F(PaintTest, ControlsAppearWhereTheyAreAndChildrenAreClippedToParents) {
  auto parent = Add({10, 10, 100, 50}, 0xFFFF0000);
  auto child = Add({90, 40, 60, 40}, 0xFF00FF00, parent.get());
  EXPECT_TRUE(NearColour(Screen(20, 20), 255, 0, 0));
  EXPECT_TRUE(NearColour(Screen(100, 50), 0, 255, 0));
  EXPECT_TRUE(NearColour(Screen(120, 50), 0, 0, 0));  // outside the parent: cut away
  EXPECT_TRUE(NearColour(Screen(5, 5), 0, 0, 0));
}

TEST_F(PaintTest, DisabledControlsShowAtHalfOpacityUnlessTheyKeepTheirLook) {
  auto a = Add({10, 10, 50, 50}, 0xFFFF0000);
  a->SetDisabled(true);
  headless_->RunPending();
  EXPECT_TRUE(NearColour(Screen(30, 30), 127, 0, 0));
  a->disabled_look_answer = 0;
  a->Invalidate();
  headless_->RunPending();
  EXPECT_TRUE(NearColour(Screen(30, 30), 255, 0, 0));
}

// The system asks a newly shown or uncovered window to paint; a layered
// window answers with its whole picture, transparent parts and all.
TEST_F(PaintTest, ALayeredHostRepaintsWithItsPerPixelAlpha) {
  RazezaZOHost host;
  host.hooks().paint_background = [](winsys::WindowId, gfx::Graphics& g, int, int) {
    g.Clear(0);
    g.FillRectangle(gfx::Argb{0x80FFFFFF}, {20, 20, 40, 20});
  };
  const winsys::WindowId layered = testing_support::OpenHostWindow(
      *headless_, host, {.caption_flags = 0, .layer_alpha = 255, .frame_style = frame_style::kSkinned},
      {.x = 500, .y = 10, .width = 100, .height = 60});
  ASSERT_NE(layered, 0u);
  headless_->InvalidateRect(layered, std::nullopt);
  headless_->RunPending();
  gfx::Bitmap shown = headless_->ScreenPixels(layered);
  EXPECT_EQ(gfx::AlphaOf(shown.GetPixel(2, 2)), 0u);
  EXPECT_NEAR(gfx::AlphaOf(shown.GetPixel(30, 30)), 0x80, 2);
  headless_->DestroyWindow(layered);
}

TEST_F(PaintTest, AControlTouchingTheDirtyRectangleOnlyAlongAnEdgeIsNotRedrawn) {
  auto a = Add({10, 10, 50, 50}, 0xFFFF0000);
  auto b = Add({60, 10, 50, 50}, 0xFF0000FF);
  b->canvas_graphics()->Clear(0xFF00FF00);  // a new picture the host has not been told of
  host_->RedrawNow(a->bounds());
  EXPECT_TRUE(NearColour(Screen(80, 30), 0, 0, 255));
  host_->RedrawNow(FloatRect{60, 10, 2, 2});  // a real overlap does redraw it
  EXPECT_TRUE(NearColour(Screen(60, 10), 0, 255, 0));
}

TEST_F(PaintTest, AFourStepFadeTakesFourTicksWithConstantAlphas) {
  auto a = Add({10, 10, 80, 40}, 0xFFFF0000);
  a->SetTransitionSteps(4, 60);
  a->SetColour(0xFF0000FF);
  headless_->RunPending();
  EXPECT_TRUE(NearColour(Screen(40, 30), 255, 0, 0));  // the old picture until the first tick
  const unsigned alphas[] = {255 * 1 / 4, 255 * 2 / 4, 255 * 3 / 4};
  for (unsigned alpha : alphas) {
    headless_->Advance(60);
    EXPECT_TRUE(NearColour(Screen(40, 30), 255 - alpha, 0, alpha)) << alpha;
  }
  a->Take();
  a->watched = {event::kTransitionFinished};
  headless_->Advance(60);
  EXPECT_TRUE(NearColour(Screen(40, 30), 0, 0, 255));
  EXPECT_EQ(a->Take().size(), 1u);
  headless_->Advance(600);  // the timer has stopped and the picture stays
  EXPECT_TRUE(NearColour(Screen(40, 30), 0, 0, 255));
  EXPECT_TRUE(a->previous_picture().IsNull());
}

TEST_F(PaintTest, ASlideMovesByAWholeShareOfTheWidthPerTick) {
  auto a = Add({10, 10, 100, 40}, 0xFFFF0000);
  a->SetTransitionSteps(4, 50);
  a->SetTransitionKind(TransitionKind::kSlideRight);
  a->SetColour(0xFF0000FF);
  headless_->Advance(50);  // d = trunc(100 / 4) * 1 = 25: new picture in [10, 35), old from 35
  EXPECT_TRUE(NearColour(Screen(34, 30), 0, 0, 255));
  EXPECT_TRUE(NearColour(Screen(35, 30), 255, 0, 0));
  EXPECT_TRUE(NearColour(Screen(109, 30), 255, 0, 0));
  headless_->Advance(50);
  EXPECT_TRUE(NearColour(Screen(59, 30), 0, 0, 255));
  EXPECT_TRUE(NearColour(Screen(60, 30), 255, 0, 0));
}

TEST_F(PaintTest, ABusyHostNeitherComposesNorPresentsButTransitionsCount) {
  auto a = Add({10, 10, 50, 50}, 0xFFFF0000);
  host_->SetBusy(true);
  a->SetColour(0xFF00FF00);
  headless_->RunPending();
  EXPECT_TRUE(NearColour(Screen(30, 30), 255, 0, 0));
  a->SetTransitionSteps(3, 40);
  a->mutable_transition().step = 0;
  a->previous_picture() = a->canvas().Clone();
  a->TransitionTick();
  a->TransitionTick();
  EXPECT_EQ(a->transition().step, 2);
  EXPECT_TRUE(NearColour(Screen(30, 30), 255, 0, 0));
  host_->SetBusy(false);
  a->SetTransitionSteps(0, 0);
  host_->RedrawNow();
  EXPECT_TRUE(NearColour(Screen(30, 30), 0, 255, 0));
}

TEST_F(PaintTest, SetBoundsMovesDescendantsAndRecreatesTheCanvasOnlyOnResize) {
  auto parent = Add({10, 10, 100, 60}, 0xFFFF0000);
  auto child = Add({20, 20, 30, 20}, 0xFF00FF00, parent.get());
  auto grandchild = Add({25, 25, 10, 10}, 0xFF0000FF, child.get());
  parent->watched = {event::kBoundsChanged};
  parent->SetBounds({.x = 40, .y = 15});
  EXPECT_EQ(child->bounds().x, 50);
  EXPECT_EQ(child->bounds().y, 25);
  EXPECT_EQ(grandchild->bounds().x, 55);
  EXPECT_EQ(grandchild->bounds().y, 30);
  EXPECT_TRUE(parent->Take().empty());               // same size: same canvas
  EXPECT_TRUE(NearColour(Screen(20, 20), 0, 0, 0));  // the old place is cleared
  EXPECT_TRUE(NearColour(Screen(45, 20), 255, 0, 0));
  parent->SetWidth(150.00000001f);
  parent->SetWidth(150);
  EXPECT_EQ(parent->Take().size(), 1u);
  EXPECT_EQ(parent->canvas().Width(), 150);
  EXPECT_EQ(child->bounds().x, 50);  // resizing without moving leaves children alone
  parent->SetX(40.00000001f);        // within the tolerance: nothing happens
  EXPECT_EQ(parent->previous_bounds().width, 100);
}

TEST_F(PaintTest, APlacementWhileBusyIsDrawnWhenTheHostIsFreeAgain) {
  auto a = Add({10, 10, 50, 50}, 0xFFFF0000);
  host_->SetBusy(true);
  a->SetBounds({.x = 100});
  EXPECT_TRUE(NearColour(Screen(30, 30), 255, 0, 0));
  host_->SetBusy(false);
  EXPECT_TRUE(NearColour(Screen(30, 30), 0, 0, 0));
  EXPECT_TRUE(NearColour(Screen(120, 30), 255, 0, 0));
}

TEST_F(PaintTest, EveryPlaceAControlLeftWhileTheHostWasBusyIsClearedAfterwards) {
  auto a = Add({10, 10, 50, 50}, 0xFFFF0000);
  host_->SetBusy(true);
  a->SetBounds({.x = 100});
  a->SetBounds({.x = 200});
  host_->SetBusy(false);
  EXPECT_TRUE(NearColour(Screen(30, 30), 0, 0, 0));
  EXPECT_TRUE(NearColour(Screen(120, 30), 0, 0, 0));
  EXPECT_TRUE(NearColour(Screen(220, 30), 255, 0, 0));
}

// Whatever leaves the screen (destroyed, hidden, shrunk, moved or re-parented,
// with children reaching beyond it) leaves what a fresh composition shows.
class LeavingPaintTest : public PaintTest {
 protected:
  void ExpectScreenFresh() {
    headless_->RunPending();
    const gfx::Bitmap shown = headless_->ScreenPixels(window_);
    host_->RedrawNow();
    const gfx::Bitmap fresh = headless_->ScreenPixels(window_);
    for (int y = 0; y < shown.Height(); ++y)
      for (int x = 0; x < shown.Width(); ++x)
        ASSERT_EQ(shown.GetPixel(x, y), fresh.GetPixel(x, y)) << "pixel " << x << ", " << y;
  }
  void SetUp() override {
    PaintTest::SetUp();
    parent_ = Add({10, 10, 100, 60}, 0xFFFF0000);
    child_ = Add({80, 40, 60, 40}, 0xFF00FF00, parent_.get());
  }
  std::unique_ptr<TestControl> parent_, child_;
};

TEST_F(LeavingPaintTest, ADestroyedControlAndItsChildren) {
  parent_->Destroy();
  ASSERT_NO_FATAL_FAILURE(ExpectScreenFresh());
  EXPECT_TRUE(NearColour(Screen(20, 20), 0, 0, 0));
}

TEST_F(LeavingPaintTest, AHiddenOrShrunkParentWithAChildBeyondIt) {
  parent_->SetBounds({.width = 50, .height = 30});
  ASSERT_NO_FATAL_FAILURE(ExpectScreenFresh());
  EXPECT_TRUE(NearColour(Screen(90, 50), 0, 0, 0));
  parent_->SetBounds({.width = 100, .height = 60});
  parent_->SetVisible(false);
  ASSERT_NO_FATAL_FAILURE(ExpectScreenFresh());
}

TEST_F(LeavingPaintTest, AControlDestroyedByItsOwnPlacementHandler) {
  parent_->AddEventHandler(event::kPlacementChanged, [this](const Event&) { parent_->Destroy(); });
  parent_->SetBounds({.x = 150, .y = 150});
  ASSERT_NO_FATAL_FAILURE(ExpectScreenFresh());
  EXPECT_TRUE(NearColour(Screen(20, 20), 0, 0, 0));
}

TEST_F(LeavingPaintTest, AMovedOrReparentedChild) {
  child_->SetBounds({.x = 20, .y = 20});
  ASSERT_NO_FATAL_FAILURE(ExpectScreenFresh());
  auto other = Add({200, 100, 100, 100}, 0xFF0000FF);
  child_->SetParent(other.get());
  ASSERT_NO_FATAL_FAILURE(ExpectScreenFresh());
  parent_->SetBounds({.x = 150, .y = 150});
  ASSERT_NO_FATAL_FAILURE(ExpectScreenFresh());
}

TEST_F(PaintTest, ACanvaslessControlKeepsAOnePixelCanvas) {
  auto a = Add({10, 10, 50, 50}, 0xFFFF0000, nullptr, kKindCanvasless);
  EXPECT_EQ(a->canvas().Width(), 1);
  a->SetBounds({.width = 80, .height = 90});
  EXPECT_EQ(a->canvas().Width(), 1);
  EXPECT_EQ(a->canvas().Height(), 1);
}

}  // namespace
}  // namespace razezazo
