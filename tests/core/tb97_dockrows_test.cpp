#include "core/tb97/dockrows.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

using namespace core::tb97;

// A bar of the frame's toolbar kind: 22 thick, `length` long.
DockBar Bar(std::size_t tag, int row, int pos, int length, bool fullSize = false) {
  DockBar b;
  b.tag = tag;
  b.dockRow = row;
  b.dockPos = pos;
  b.fullSize = fullSize;
  b.size = {length, 26};
  b.thickness = 22;
  return b;
}

DockFrame TopDock(int width, int height = 26) {
  DockFrame d;
  d.position = DockPosition::Top;
  d.outer = Rect::FromPosSize(0, 0, width, height);
  d.client = {width, height};
  return d;
}

struct Placed {
  std::size_t tag;
  int row;
  int pos;
  Rect bounds;
};

struct ArrangeCase {
  std::string name;
  DockFrame dock;
  std::vector<DockBar> bars;
  std::vector<Placed> want;  // in the dock list's new order
  Rect outer;
};

class RearrangeTable : public testing::TestWithParam<ArrangeCase> {};

TEST_P(RearrangeTable, PlacesBarsAndSizesTheDock) {
  const ArrangeCase& c = GetParam();
  std::vector<DockBar> bars = c.bars;
  const DockArrangement a = RearrangeBars(c.dock, bars);
  ASSERT_EQ(bars.size(), c.want.size());
  for (std::size_t i = 0; i < bars.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(bars[i].tag, c.want[i].tag);
    EXPECT_EQ(bars[i].dockRow, c.want[i].row);
    EXPECT_EQ(bars[i].dockPos, c.want[i].pos);
    EXPECT_EQ(bars[i].bounds, c.want[i].bounds);
  }
  EXPECT_EQ(a.outer, c.outer);
}

DockFrame WithLimit(DockFrame d) {
  d.limitToOneRow = true;
  return d;
}
DockFrame WithFixAlign(DockFrame d) {
  d.fixAlign = true;
  return d;
}
DockFrame Bottom(int width, int top, int height) {
  DockFrame d;
  d.position = DockPosition::Bottom;
  d.outer = Rect::FromPosSize(0, top, width, height);
  d.client = {width, height};
  return d;
}
DockFrame Left(int height) {
  DockFrame d;
  d.position = DockPosition::Left;
  d.outer = Rect::FromPosSize(0, 30, 0, height);
  d.client = {0, height};
  return d;
}
DockBar Vertical(std::size_t tag, int row, int pos, int length, int thickness) {
  DockBar b = Bar(tag, row, pos, 0);
  b.size = {thickness + 4, length};
  b.thickness = thickness;
  return b;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RearrangeTable,
    testing::Values(
        ArrangeCase{"EmptyTopDockShrinksToNothing", TopDock(300), {}, {}, {0, 0, 300, 0}},
        ArrangeCase{"EmptyDockWithFixAlignKeepsOnePixel", WithFixAlign(TopDock(300)), {}, {}, {0, 0, 300, 1}},
        ArrangeCase{"OneBarMakesTheTopDock26High", TopDock(300, 0), {Bar(1, 0, 0, 100)},
                    {{1, 0, 0, {0, 0, 100, 26}}}, {0, 0, 300, 26}},
        ArrangeCase{"OneRowTakesBarsByOffsetAndPushesTheSecondRight", WithLimit(TopDock(300)),
                    {Bar(1, 0, 50, 100), Bar(2, 3, 10, 100)},
                    {{2, 0, 10, {10, 0, 110, 26}}, {1, 0, 110, {110, 0, 210, 26}}}, {0, 0, 300, 26}},
        ArrangeCase{"OverlongRowSlidesBackByTheLastBarsOvershoot", TopDock(300),
                    {Bar(1, 0, 0, 100), Bar(2, 0, 500, 100)},
                    {{1, 0, 0, {0, 0, 100, 26}}, {2, 0, 200, {200, 0, 300, 26}}}, {0, 0, 300, 26}},
        ArrangeCase{"SqueezedBarsNeverOverlapEvenIfTheyStickOut", TopDock(300),
                    {Bar(1, 0, 0, 200), Bar(2, 0, 500, 200)},
                    {{1, 0, 0, {0, 0, 200, 26}}, {2, 0, 200, {200, 0, 400, 26}}}, {0, 0, 300, 26}},
        ArrangeCase{"EmptyRowsCloseUp", TopDock(300), {Bar(1, 2, 0, 100), Bar(2, 0, 0, 100)},
                    {{2, 0, 0, {0, 0, 100, 26}}, {1, 1, 0, {0, 26, 100, 52}}}, {0, 0, 300, 52}},
        ArrangeCase{"FullSizeBarKeepsItsRowAlone", TopDock(300),
                    {Bar(1, 0, 0, 100), Bar(2, 0, 120, 100, true)},
                    {{1, 1, 0, {0, 26, 100, 52}}, {2, 0, 0, {0, 0, 300, 26}}}, {0, 0, 300, 52}},
        ArrangeCase{"BottomDockGrowsUpward", Bottom(300, 400, 26), {Bar(1, 0, 0, 100), Bar(2, 1, 0, 100)},
                    {{1, 0, 0, {0, 0, 100, 26}}, {2, 1, 0, {0, 26, 100, 52}}}, {0, 374, 300, 426}},
        ArrangeCase{"NegativeOffsetIsPlacedAtZero", TopDock(300), {Bar(1, 0, -40, 100)},
                    {{1, 0, 0, {0, 0, 100, 26}}}, {0, 0, 300, 26}},
        ArrangeCase{"WildRowsAndOffsetsEndInOrder", TopDock(300),
                    {Bar(1, INT_MAX, INT_MAX, 100), Bar(2, -5, INT_MIN, 100)},
                    {{2, 0, 0, {0, 0, 100, 26}}, {1, 1, 200, {200, 26, 300, 52}}}, {0, 0, 300, 52}},
        ArrangeCase{"LeftDockStacksAlongItsHeight", Left(400), {Vertical(1, 0, 0, 150, 23), Vertical(2, 0, 10, 150, 23)},
                    {{1, 0, 0, {0, 0, 27, 150}}, {2, 0, 150, {0, 150, 27, 300}}}, {0, 30, 27, 430}}),
    [](const testing::TestParamInfo<ArrangeCase>& i) { return i.param.name; });

TEST(RearrangeBars, RowSizesAreTheThickestBarAtLeastEight) {
  std::vector<DockBar> bars{Bar(1, 0, 0, 50), Bar(2, 1, 0, 50)};
  bars[0].thickness = 30;
  bars[1].thickness = 3;
  const DockArrangement a = RearrangeBars(TopDock(300), bars);
  EXPECT_EQ(a.rowSizes, (std::vector<int>{30, 8}));
  EXPECT_EQ(bars[1].bounds, (Rect{0, 34, 50, 46}));  // row 1 starts after 30 + 4
}

TEST(RearrangeBars, EmptyDockAtDesignTimeStaysVisible) {
  DockFrame d = Left(400);
  d.designTime = true;
  std::vector<DockBar> none;
  EXPECT_EQ(RearrangeBars(d, none).outer, (Rect{0, 30, 9, 430}));
}

TEST(ResizeDock, KeepsTheEdgeItIsGluedTo) {
  const Rect r{100, 200, 300, 250};
  EXPECT_EQ(ResizeDock(DockPosition::Top, r, 200, 80), (Rect{100, 200, 300, 280}));
  EXPECT_EQ(ResizeDock(DockPosition::Bottom, r, 200, 80), (Rect{100, 170, 300, 250}));
  EXPECT_EQ(ResizeDock(DockPosition::Left, r, 20, 50), (Rect{100, 200, 120, 250}));
  EXPECT_EQ(ResizeDock(DockPosition::Right, r, 20, 50), (Rect{280, 200, 300, 250}));
}

// Two rows of 22-pixel bars: row 0 spans 0..26, row 1 26..52.
class RowQueries : public testing::Test {
 protected:
  std::vector<DockBar> bars{Bar(1, 0, 0, 50), Bar(2, 0, 60, 50), Bar(3, 1, 0, 50)};
  std::vector<int> sizes{22, 22};
};

TEST_F(RowQueries, CountAndInsertRows) {
  EXPECT_EQ(HighestRow(bars), 1);
  EXPECT_EQ(HighestRow(std::vector<DockBar>{}), -1);
  EXPECT_EQ(BarsOnRow(bars, 0), 2);
  EXPECT_EQ(BarsOnRow(bars, 0, &bars[1]), 1);
  EXPECT_EQ(BarsOnRow(bars, 5), 0);
  InsertRowBefore(bars, 1);
  EXPECT_EQ(bars[0].dockRow, 0);
  EXPECT_EQ(bars[2].dockRow, 2);
}

TEST_F(RowQueries, RowSizeBeyondTheListIsTheBarsOwn) {
  EXPECT_EQ(RowSize(sizes, 1), 22);
  EXPECT_EQ(RowSize(sizes, 2), 0);
  DockBar tall = Bar(9, 0, 0, 10);
  tall.thickness = 40;
  EXPECT_EQ(RowSize(sizes, 2, &tall), 40);
  EXPECT_EQ(RowSize(sizes, -1), 0);
}

TEST_F(RowQueries, RowAtOpensNewRowsNearBoundaries) {
  const struct {
    int p;
    RowHit want;
  } cases[] = {
      {-30, {0, true}}, {5, {0, true}},   {6, {0, false}},  {21, {0, false}}, {22, {1, true}},
      {31, {1, true}},  {32, {1, false}}, {47, {1, false}}, {48, {2, true}},  {57, {2, true}},
      {58, {2, false}}, {5000, {2, false}},
  };
  for (const auto& c : cases) EXPECT_EQ(RowAt(sizes, 1, c.p), c.want) << "p = " << c.p;
  EXPECT_EQ(RowAt({}, -1, 3), (RowHit{0, true}));
  EXPECT_EQ(RowAt({}, -1, 30), (RowHit{0, false}));
}

TEST_F(RowQueries, RowContaining) {
  const struct {
    int p, want;
  } cases[] = {{-3, 0}, {0, 0}, {25, 0}, {26, 1}, {51, 1}, {52, 2}, {900, 2}};
  for (const auto& c : cases) EXPECT_EQ(RowContaining(sizes, 1, c.p), c.want) << "p = " << c.p;
}

TEST_F(RowQueries, DropsOpenRowsNearBoundariesAndForFullSizeBars) {
  const struct {
    const char* name;
    int top;  // of a 26-pixel outline
    bool fullSize;
    DropPlace want;
    std::vector<int> rowsAfter;  // of bars 1, 2, 3
  } cases[] = {
      {"onto row 0", 0, false, {0, 70}, {0, 0, 1}},
      {"onto row 1", 26, false, {1, 70}, {0, 0, 1}},
      {"near the boundary of rows 0 and 1", 12, false, {1, 70}, {0, 0, 2}},
      {"above row 0", -12, false, {0, 70}, {1, 1, 2}},
      {"after the last row", 60, false, {2, 70}, {0, 0, 1}},
      {"full size onto a shared row", 0, true, {1, 70}, {0, 0, 2}},
  };
  for (const auto& c : cases) {
    std::vector<DockBar> b = bars;
    EXPECT_EQ(PlanDrop(b, sizes, Rect::FromPosSize(70, c.top, 80, 26), Orientation::Horizontal, c.fullSize), c.want)
        << c.name;
    EXPECT_EQ((std::vector<int>{b[0].dockRow, b[1].dockRow, b[2].dockRow}), c.rowsAfter) << c.name;
  }
  // A full-size bar alone on its row stays there; in a side dock the offset is the top.
  std::vector<DockBar> b = bars;
  EXPECT_EQ(PlanDrop(b, sizes, Rect::FromPosSize(26, 90, 26, 80), Orientation::Vertical, true, &b[2]),
            (DropPlace{1, 90}));
}

}  // namespace
