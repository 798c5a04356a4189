#include "core/tb97/outline.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace core::tb97;

const Rect kWorkArea{0, 0, 1024, 738};

TEST(MoveOnScreen, BringsWindowsBackOntoTheWorkArea) {
  const struct {
    const char* name;
    Rect bounds;
    bool onlyIfWhollyOff;
    Rect want;
  } cases[] = {
      {"far left", Rect::FromPosSize(-5000, 100, 100, 50), true, Rect::FromPosSize(0, 100, 100, 50)},
      {"far below right", Rect::FromPosSize(5000, 5000, 100, 50), true, Rect::FromPosSize(924, 688, 100, 50)},
      {"above", Rect::FromPosSize(300, -400, 100, 50), true, Rect::FromPosSize(300, 0, 100, 50)},
      {"overlapping stays", Rect::FromPosSize(1000, 700, 100, 50), true, Rect::FromPosSize(1000, 700, 100, 50)},
      {"overlapping moved wholly in", Rect::FromPosSize(1000, 700, 100, 50), false,
       Rect::FromPosSize(924, 688, 100, 50)},
      {"inside stays", Rect::FromPosSize(10, 10, 100, 50), false, Rect::FromPosSize(10, 10, 100, 50)},
      {"touching the edge is off", Rect::FromPosSize(1024, 10, 100, 50), true, Rect::FromPosSize(924, 10, 100, 50)},
      {"larger than the work area", Rect::FromPosSize(50, 50, 2000, 1000), false,
       Rect::FromPosSize(0, 0, 2000, 1000)},
  };
  for (const auto& c : cases) EXPECT_EQ(MoveOnScreen(c.bounds, kWorkArea, c.onlyIfWhollyOff), c.want) << c.name;
}

// A floating window 200 x 60 with a 4-pixel border and a 16-pixel caption:
// the close button is the 15-pixel square at the caption's right end.
TEST(FloatingHitTest, CaptionCloseButtonEdgesAndCorners) {
  const FloatingFrameInfo toolbar{{200, 60}, {4, 4}, 16, true, true, false};
  FloatingFrameInfo cornered = toolbar;
  cornered.cornerSizing = true;
  FloatingFrameInfo fixed = toolbar;
  fixed.sizeable = false;
  FloatingFrameInfo noClose = toolbar;
  noClose.closeButton = false;
  const struct {
    const char* name;
    const FloatingFrameInfo& frame;
    Point p;
    FloatHit want;
  } cases[] = {
      {"caption", toolbar, {20, 8}, FloatHit::Client},
      {"client", toolbar, {100, 40}, FloatHit::Client},
      {"close button", toolbar, {190, 10}, FloatHit::Close},
      {"close button's last column", toolbar, {195, 4}, FloatHit::Close},
      {"caption where a button would be", noClose, {190, 10}, FloatHit::Client},
      {"below the close button", toolbar, {190, 19}, FloatHit::Client},
      {"top edge", toolbar, {100, 1}, FloatHit::Top},
      {"bottom edge", toolbar, {100, 57}, FloatHit::Bottom},
      {"the client's last row is client", toolbar, {100, 55}, FloatHit::Client},
      {"left edge", toolbar, {2, 30}, FloatHit::Left},
      {"right edge", toolbar, {197, 30}, FloatHit::Right},
      {"top wins over left without corners", toolbar, {1, 1}, FloatHit::Top},
      {"bottom wins over right without corners", toolbar, {199, 59}, FloatHit::Bottom},
      {"corner zone along the top", cornered, {18, 1}, FloatHit::TopLeft},
      {"past the corner zone", cornered, {19, 1}, FloatHit::Top},
      {"corner zone along the right", cornered, {198, 41}, FloatHit::BottomRight},
      {"just above it", cornered, {198, 40}, FloatHit::Right},
      {"right edge between the zones", cornered, {198, 30}, FloatHit::Right},
      {"bottom right along the bottom", cornered, {190, 58}, FloatHit::BottomRight},
      {"not sizeable: the border is nothing", fixed, {100, 1}, FloatHit::Nowhere},
      {"outside", toolbar, {-1, 30}, FloatHit::Nowhere},
  };
  for (const auto& c : cases) EXPECT_EQ(FloatingHitTest(c.p, c.frame), c.want) << c.name;
}

TEST(PlaceOutline, KeepsTheGrabPointsRelativePosition) {
  const Grab g = GrabAt({50, 15}, {100, 30});
  EXPECT_EQ(PlaceOutline({500, 400}, {100, 30}, g), Rect::FromPosSize(450, 385, 100, 30));
  // Turned upright for a side dock: the point moves with the proportions.
  EXPECT_EQ(PlaceOutline({500, 400}, {30, 100}, g), Rect::FromPosSize(485, 349, 30, 100));
  // A window one pixel wide has no extent to scale by.
  EXPECT_EQ(PlaceOutline({500, 400}, {30, 100}, GrabAt({0, 0}, {1, 1})), Rect::FromPosSize(500, 400, 30, 100));
}

TEST(HoldFloatingOutline, SomethingStaysReachable) {
  const Size border{3, 3};
  const int caption = 16;
  const struct {
    const char* name;
    Rect outline;
    Rect want;
  } cases[] = {
      {"inside", Rect::FromPosSize(100, 100, 100, 50), Rect::FromPosSize(100, 100, 100, 50)},
      {"only the bottom left on screen", Rect::FromPosSize(100, -40, 100, 50), Rect::FromPosSize(100, -15, 100, 50)},
      {"far above", Rect::FromPosSize(100, -500, 100, 50), Rect::FromPosSize(100, -15, 100, 50)},
      {"far below", Rect::FromPosSize(100, 2000, 100, 50), Rect::FromPosSize(100, 731, 100, 50)},
      {"far left", Rect::FromPosSize(-900, 100, 100, 50), Rect::FromPosSize(-93, 100, 100, 50)},
      {"far right", Rect::FromPosSize(3000, 100, 100, 50), Rect::FromPosSize(1017, 100, 100, 50)},
  };
  for (const auto& c : cases) EXPECT_EQ(HoldFloatingOutline(c.outline, kWorkArea, border, caption), c.want) << c.name;
  EXPECT_EQ(ClampToWorkArea({-5, 5000}, kWorkArea), (Point{0, 737}));
}

// The frame's four docks on screen: a 26-pixel top dock, empty side docks
// and an empty bottom dock; the window is 100 x 26, grabbed at (10, 10).
class DockTargets : public testing::Test {
 protected:
  std::vector<DockCandidate> docks{
      {DockPosition::Top, true, {0, 50, 800, 76}, {100, 26}},
      {DockPosition::Left, true, {0, 76, 0, 600}, {30, 100}},
      {DockPosition::Right, true, {800, 76, 800, 600}, {30, 100}},
      {DockPosition::Bottom, true, {0, 600, 800, 600}, {100, 30}},
  };
  Grab grab = GrabAt({10, 10}, {100, 26});
  bool all[4] = {true, true, true, true};

  std::optional<std::size_t> Target(Point q, bool floatOnly = false,
                                    const std::function<bool(std::size_t)>& accepts = nullptr) {
    return FindDockTarget(q, floatOnly, all, docks, grab, accepts);
  }
};

TEST_F(DockTargets, PointerOverADock) {
  EXPECT_EQ(Target({400, 60}), 0u);
  EXPECT_EQ(Target({2, 300}), 1u);  // a dock of no width is one pixel wider on both sides
  EXPECT_EQ(Target({799, 300}), 2u);
  EXPECT_EQ(Target({400, 605}), 3u);
  EXPECT_EQ(Target({400, 300}), std::nullopt);
  EXPECT_EQ(Target({400, 83}), 0u);  // up to 20 * 10 / 25 = 8 below the top dock's last pixel
  EXPECT_EQ(Target({400, 84}), std::nullopt);
}

TEST_F(DockTargets, CtrlRefusalsAndDockableTo) {
  EXPECT_EQ(Target({400, 60}, true), std::nullopt);
  EXPECT_EQ(Target({400, 60}, false, [](std::size_t) { return false; }), std::nullopt);
  all[static_cast<int>(DockPosition::Left)] = false;
  EXPECT_EQ(Target({2, 300}), std::nullopt);
  docks[0].allowDrag = false;
  EXPECT_EQ(Target({400, 60}), std::nullopt);
}

TEST_F(DockTargets, RefusedDockPassesToTheNextOfTheSamePosition) {
  docks.push_back({DockPosition::Left, true, {0, 0, 800, 120}, {30, 100}});
  docks.push_back({DockPosition::Top, true, {0, 50, 800, 76}, {100, 26}});
  std::vector<std::size_t> asked;
  const auto target = Target({400, 60}, false, [&](std::size_t i) {
    asked.push_back(i);
    return i != 0;
  });
  EXPECT_EQ(target, 5u);  // the second top dock, before the left dock listed before it
  EXPECT_EQ(asked, (std::vector<std::size_t>{0, 5}));
}

TEST(Frames, DockedAndFloating) {
  EXPECT_EQ(DockedFrame(Orientation::Horizontal, true), (Size{13, 4}));
  EXPECT_EQ(DockedFrame(Orientation::Vertical, true), (Size{4, 13}));
  EXPECT_EQ(DockedFrame(Orientation::Horizontal, false), (Size{4, 4}));
  EXPECT_EQ(FloatingFrame({3, 3}, 16), (Size{6, 22}));
  const FloatingCaption c = FloatingCaptionRects({135, 25}, {3, 3}, 16, true);
  EXPECT_EQ(c.caption, (Rect{3, 3, 123, 18}));
  EXPECT_EQ(c.closeButton, (Rect{123, 3, 138, 18}));
  const FloatingCaption plain = FloatingCaptionRects({135, 25}, {3, 3}, 16, false);
  EXPECT_EQ(plain.caption, (Rect{3, 3, 138, 18}));
  EXPECT_TRUE(plain.closeButton.IsEmpty());
}

}  // namespace
