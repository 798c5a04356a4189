#include "core/tb97/toolbarlayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace core::tb97;

ToolbarItem Btn(int w = 23, int h = 22) {
  ToolbarItem it;
  it.size = {w, h};
  return it;
}

ToolbarItem Sep(bool blank = false) {
  ToolbarItem it;
  it.separator = true;
  it.blank = blank;
  return it;
}

ToolbarTarget Floating() { return {}; }
ToolbarTarget Docked(Orientation o) { return {o, std::nullopt, std::nullopt}; }

// Three groups: two buttons and a separator, two buttons and a separator,
// one button. One line is 4 + 23 + 23 + 6 + 23 + 23 + 6 + 23 + 4 = 135 wide.
std::vector<ToolbarItem> ThreeGroups() { return {Btn(), Btn(), Sep(), Btn(), Btn(), Sep(), Btn()}; }

struct LayoutCase {
  const char* name;
  std::vector<ToolbarItem> items;
  ToolbarTarget target;
  int floatRightX;
  Size client;
  std::vector<LineSeparator> lines;
};

class ToolbarLayoutTable : public testing::TestWithParam<LayoutCase> {};

TEST_P(ToolbarLayoutTable, ClientSizeAndLineBreaks) {
  const LayoutCase& c = GetParam();
  std::vector<ToolbarItem> items = c.items;
  const ToolbarLayout l = LayoutToolbar(items, c.target, c.floatRightX, true);
  EXPECT_EQ(l.client, c.client);
  EXPECT_EQ(l.lineSeparators, c.lines);
  // Measuring without moving gives the same size and touches nothing.
  std::vector<ToolbarItem> untouched = c.items;
  EXPECT_EQ(LayoutToolbar(untouched, c.target, c.floatRightX, false).client, c.client);
  for (const ToolbarItem& it : untouched) EXPECT_EQ(it.bounds, Rect{});
}

std::vector<ToolbarItem> Hidden() {
  std::vector<ToolbarItem> v{Btn(), Sep()};
  for (ToolbarItem& it : v) it.visible = false;
  return v;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ToolbarLayoutTable,
    testing::Values(
        LayoutCase{"NothingVisibleFloating", Hidden(), Floating(), 0, {16, 11}, {}},
        LayoutCase{"NothingVisibleDockedIsAsThickAsItsRow", Hidden(), {Orientation::Horizontal, 30, 30}, 0, {8, 30}, {}},
        LayoutCase{"FloatingOneLine", ThreeGroups(), Floating(), 0, {135, 25}, {}},
        LayoutCase{"DockedNeverWraps", ThreeGroups(), Docked(Orientation::Horizontal), 40, {127, 22}, {}},
        LayoutCase{"DockedVertical", ThreeGroups(), Docked(Orientation::Vertical), 0, {23, 122}, {}},
        LayoutCase{"LastGroupOnANewLine", ThreeGroups(), Floating(), 134, {106, 53}, {{30, false}}},
        LayoutCase{"TwoBreaksAtSeparators", ThreeGroups(), Floating(), 82, {54, 81}, {{30, false}, {58, false}}},
        LayoutCase{"BlankSeparatorBreaksWithoutALine",
                   std::vector<ToolbarItem>{Btn(), Sep(true), Btn()}, Floating(), 40, {31, 53}, {{30, true}}},
        // A limit below the widest item + 8 wraps there: one button a line,
        // without gaps inside a group, with gaps between groups.
        LayoutCase{"LimitBelowTheWidestItem", ThreeGroups(), Floating(), 10, {31, 125},
                   {{52, false}, {102, false}}},
        // A group broken inside itself fills its last line: the next group
        // starts a line of its own even where it would fit.
        LayoutCase{"GroupBrokenInsideEndsItsLine", std::vector<ToolbarItem>{Btn(40), Btn(40), Sep(), Btn(5)},
                   Floating(), 60, {48, 75}, {{52, false}}},
        LayoutCase{"NegativeLimitIsNoLimit", ThreeGroups(), Floating(), -5, {135, 25}, {}}),
    [](const testing::TestParamInfo<LayoutCase>& i) { return i.param.name; });

TEST(ToolbarLayout, BreakAtASeparatorHidesItAndLeavesAGap) {
  std::vector<ToolbarItem> items = ThreeGroups();
  LayoutToolbar(items, Floating(), 134, true);
  EXPECT_EQ(items[5].bounds.Width(), 0);       // the separator that ended the first line
  EXPECT_EQ(items[2].bounds, (Rect{50, 2, 56, 24}));
  EXPECT_EQ(items[6].bounds, (Rect{4, 30, 27, 52}));  // 2 + 22 + 6
}

TEST(ToolbarLayout, VerticalDockCentresItemsAcrossTheColumn) {
  std::vector<ToolbarItem> items{Btn(23, 22), Sep(), Btn(15, 22)};
  items[1].sizeVert = 8;
  const ToolbarLayout l = LayoutToolbar(items, Docked(Orientation::Vertical), 0, true);
  EXPECT_EQ(l.client, (Size{23, 52}));
  EXPECT_EQ(items[1].bounds, (Rect{0, 22, 23, 30}));  // SizeVert high, as wide as the column
  EXPECT_EQ(items[2].bounds, (Rect{4, 30, 19, 52}));
}

TEST(ToolbarLayout, ItemsAreCentredInTheCurrentDockRow) {
  std::vector<ToolbarItem> items{Btn(), Sep(), Btn(23, 16)};
  LayoutToolbar(items, {Orientation::Horizontal, 30, 30}, 0, true);
  EXPECT_EQ(items[0].bounds, (Rect{0, 4, 23, 26}));
  EXPECT_EQ(items[1].bounds, (Rect{23, 0, 29, 30}));
  EXPECT_EQ(items[2].bounds, (Rect{29, 7, 52, 23}));
}

TEST(DockedClientSize, RowThicknessAndFullSize) {
  EXPECT_EQ(DockedClientSize({127, 22}, Orientation::Horizontal, 30, false, 500, {13, 4}), (Size{127, 30}));
  EXPECT_EQ(DockedClientSize({127, 22}, Orientation::Horizontal, 8, true, 500, {13, 4}), (Size{487, 22}));
  EXPECT_EQ(DockedClientSize({23, 122}, Orientation::Vertical, 26, true, 400, {4, 13}), (Size{26, 387}));
  EXPECT_EQ(DockedClientSize({23, 122}, Orientation::Vertical, 8, true, 5, {4, 13}), (Size{23, 0}));
}

TEST(ToolbarThickness, LargestVisibleItemAcrossAtLeastEight) {
  std::vector<ToolbarItem> items{Btn(23, 22), Btn(30, 5), Sep()};
  items[1].visible = false;
  EXPECT_EQ(ToolbarThickness(items, Orientation::Horizontal), 22);
  EXPECT_EQ(ToolbarThickness(items, Orientation::Vertical), 23);
  EXPECT_EQ(ToolbarThickness(std::vector<ToolbarItem>{Sep()}, Orientation::None), 8);
}

TEST(FloatingCandidates, OneSizePerArrangementNarrowestOfEqualHeights) {
  const Size frame{6, 22};
  const std::vector<SizeCandidate> byWidth = FloatingCandidates(ThreeGroups(), frame, SizingEdge::Right);
  const std::vector<SizeCandidate> want{
      {{141, 47}, true}, {{89, 75}, false}, {{60, 103}, false}, {{37, 147}, false}};
  EXPECT_EQ(byWidth, want);
  const std::vector<SizeCandidate> byHeight = FloatingCandidates(ThreeGroups(), frame, SizingEdge::Top);
  EXPECT_EQ(byHeight, (std::vector<SizeCandidate>(want.rbegin(), want.rend())));
}

class FloatSizing : public testing::Test {
 protected:
  std::vector<SizeCandidate> candidates = FloatingCandidates(ThreeGroups(), {6, 22}, SizingEdge::Right);
  Rect start = Rect::FromPosSize(100, 100, 141, 47);  // one line
  Rect Proposed(int right) { return {start.left, start.top, right, start.bottom}; }
};

TEST_F(FloatSizing, SmallMovesWithinTheSnapDistanceChangeNothing) {
  FloatSizer s(SizingEdge::Right, candidates, start, 0, 3);
  EXPECT_EQ(s.SnapDistance(), 12);
  EXPECT_EQ(s.Adjust(Proposed(start.right - 5)), start);
  EXPECT_EQ(s.Adjust(Proposed(start.right + 11)), start);
  EXPECT_EQ(s.FloatRightXToKeep(), 0);
}

TEST_F(FloatSizing, JumpsBetweenArrangementsAndKeepsTheWrapLimit) {
  FloatSizer s(SizingEdge::Right, candidates, start, 0, 3);
  EXPECT_EQ(s.Adjust(Proposed(start.left + 120)), Rect::FromPosSize(100, 100, 89, 75));
  EXPECT_EQ(s.FloatRightXToKeep(), 83);
  // Turning back: within the snap distance of the new size it stays.
  EXPECT_EQ(s.Adjust(Proposed(start.left + 95)), Rect::FromPosSize(100, 100, 89, 75));
  EXPECT_EQ(s.Adjust(Proposed(start.left + 105)), start);
  EXPECT_EQ(s.FloatRightXToKeep(), 0);
  // Far below the narrowest: the narrowest.
  EXPECT_EQ(s.Adjust(Proposed(start.left + 5)), Rect::FromPosSize(100, 100, 37, 147));
  EXPECT_EQ(s.FloatRightXToKeep(), 31);
}

TEST_F(FloatSizing, LeftAndBottomEdgesAnchorTheOppositeEdge) {
  FloatSizer left(SizingEdge::Left, candidates, start, 0, 3);
  EXPECT_EQ(left.Adjust({start.right - 70, start.top, start.right, start.bottom}),
            (Rect{start.right - 60, 100, start.right, 203}));
  FloatSizer bottom(SizingEdge::Bottom, FloatingCandidates(ThreeGroups(), {6, 22}, SizingEdge::Bottom), start, 0, 3);
  EXPECT_EQ(bottom.Adjust({start.left, start.top, start.right, start.top + 60}), Rect::FromPosSize(100, 100, 89, 75));
}

TEST(FloatSizer, SnapDistanceShrinksToTheNearestNeighbour) {
  const std::vector<SizeCandidate> c{{{100, 50}, true}, {{95, 60}, false}, {{50, 90}, false}};
  EXPECT_EQ(FloatSizer(SizingEdge::Right, c, Rect::FromPosSize(0, 0, 95, 60), 89, 3).SnapDistance(), 4);
  EXPECT_EQ(FloatSizer(SizingEdge::Right, c, Rect::FromPosSize(0, 0, 50, 90), 44, 3).SnapDistance(), 12);
  const std::vector<SizeCandidate> tight{{{100, 50}, true}, {{100, 60}, false}};
  EXPECT_EQ(FloatSizer(SizingEdge::Right, tight, Rect::FromPosSize(0, 0, 100, 60), 94, 3).SnapDistance(), 0);
}

TEST(ToolbarSizingEdge, EdgesWithoutCorners) {
  const Size window{141, 47};
  const Size border{3, 3};
  const struct {
    Point p;
    std::optional<SizingEdge> want;
  } cases[] = {
      {{0, 0}, SizingEdge::Top},    {{140, 2}, SizingEdge::Top},     {{0, 43}, SizingEdge::Bottom},
      {{70, 46}, SizingEdge::Bottom}, {{2, 20}, SizingEdge::Left},   {{137, 20}, SizingEdge::Right},
      {{136, 20}, std::nullopt},    {{3, 3}, std::nullopt},          {{3, 42}, std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ToolbarSizingEdge(c.p, window, border), c.want) << c.p.x << ", " << c.p.y;
}

}  // namespace
