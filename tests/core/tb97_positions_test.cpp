#include "core/tb97/positions.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "core/tb97/geometry.h"
#include "core/tb97/outline.h"

namespace {

using namespace core::tb97;
using Action = LoadedPosition::Action;

// One registry section as text values.
struct Section {
  std::map<std::string, std::string, std::less<>> values;
  ReadValue Reader() const {
    return [this](std::string_view name) -> std::optional<std::string> {
      const auto it = values.find(name);
      if (it == values.end()) return std::nullopt;
      return it->second;
    };
  }
};

const std::vector<DockInfo> kDocks{{"D1", true}, {"D2", true}, {"D3", true}, {"D4", true}, {"Fixed", false}};
const CurrentPlace kCurrent{true, 0, 7};

LoadedPosition Load(const std::map<std::string, std::string, std::less<>>& values) {
  Section s{values};
  return ReadPosition("TB1", s.Reader(), kCurrent, kDocks);
}

TEST(ReadPosition, SectionsOfAnotherLayoutAreIgnoredWhole) {
  EXPECT_EQ(Load({}).action, Action::Ignore);
  EXPECT_EQ(Load({{"Visible", "0"}, {"DockedTo", "D2"}}).action, Action::Ignore);
  EXPECT_EQ(Load({{"Rev", "1"}, {"Visible", "0"}, {"DockedTo", "D2"}}).action, Action::Ignore);
  EXPECT_EQ(Load({{"Rev", "two"}, {"DockedTo", "D2"}}).action, Action::Ignore);
  EXPECT_EQ(Load({{"Rev", "0x2"}, {"DockedTo", "D2"}}).action, Action::Dock);
}

TEST(ReadPosition, WhereTheWindowGoes) {
  const struct {
    const char* name;
    std::map<std::string, std::string, std::less<>> values;
    Action action;
    bool visible;
    std::size_t dock;
  } cases[] = {
      {"hidden at its design place", {{"Rev", "2"}, {"Visible", "0"}}, Action::Stay, false, 0},
      {"dock by name", {{"Rev", "2"}, {"DockedTo", "D3"}}, Action::Dock, true, 2},
      {"names are case-sensitive", {{"Rev", "2"}, {"DockedTo", "d3"}}, Action::Stay, true, 0},
      {"no such dock keeps the visibility", {{"Rev", "2"}, {"Visible", "0"}, {"DockedTo", "D9"}}, Action::Stay, false, 0},
      {"dock that allows no drag", {{"Rev", "2"}, {"DockedTo", "Fixed"}}, Action::Stay, true, 0},
      {"floating", {{"Rev", "2"}, {"DockedTo", "+"}}, Action::Float, true, 0},
      {"garbage visibility keeps the current", {{"Rev", "2"}, {"Visible", "yes"}}, Action::Stay, true, 0},
      {"any non-zero is visible", {{"Rev", "2"}, {"Visible", "-9"}}, Action::Stay, true, 0},
  };
  for (const auto& c : cases) {
    const LoadedPosition p = Load(c.values);
    EXPECT_EQ(p.action, c.action) << c.name;
    EXPECT_EQ(p.visible, c.visible) << c.name;
    if (c.action == Action::Dock) {
      EXPECT_EQ(p.dock, c.dock) << c.name;
    }
  }
}

TEST(ReadPosition, NumbersByTheIntegerRuleWithinSaneBounds) {
  const struct {
    const char* value;
    std::string text;
    int want;
  } cases[] = {
      {"DockPos", "0x10", 16},   {"DockPos", "$10", 16},        {"DockPos", "abc", 7},
      {"DockPos", "", 7},        {"DockPos", "-3", -3},         {"DockRow", "3", 3},
      {"DockRow", "-7", 0},      {"DockRow", "99999999999", 0}, {"DockRow", "2147483647", 65536},
      {"FloatLeft", "-5000", -5000}, {"FloatLeft", "2147483647", kMaxCoordinate},
      {"FloatTop", "-2147483648", -kMaxCoordinate}, {"FloatTop", "12 ", 0},
  };
  for (const auto& c : cases) {
    const LoadedPosition p = Load({{"Rev", "2"}, {"DockedTo", "D1"}, {c.value, c.text}});
    const std::string v = c.value;
    const int got = v == "DockPos" ? p.dockPos : v == "DockRow" ? p.dockRow : v == "FloatLeft" ? p.floatLeft : p.floatTop;
    EXPECT_EQ(got, c.want) << c.value << " = \"" << c.text << '"';
  }
}

TEST(ReadPosition, FloatingFarOffScreenComesBackOntoTheWorkArea) {
  const LoadedPosition p = Load({{"Rev", "2"}, {"DockedTo", "+"}, {"FloatLeft", "-5000"}, {"FloatTop", "99999999"}});
  ASSERT_EQ(p.action, Action::Float);
  const Rect placed = MoveOnScreen(Rect::FromPosSize(p.floatLeft, p.floatTop, 150, 40), {0, 0, 1024, 738}, true);
  EXPECT_EQ(placed, Rect::FromPosSize(0, 698, 150, 40));
}

TEST(ReadPosition, ToolWindowWithoutNameCannotBeRestored) {
  Section s;
  EXPECT_THROW(ReadPosition("", s.Reader(), kCurrent, kDocks), PositionError);
}

TEST(ReadFloatRightX, MissingGarbageAndNegativeMeanNoWrapping) {
  const struct {
    std::optional<std::string> text;
    int want;
  } cases[] = {{std::nullopt, 0}, {"300", 300}, {"0x40", 64}, {"-3", 0}, {"wide", 0}, {"2147483647", kMaxCoordinate}};
  for (const auto& c : cases) {
    Section s;
    if (c.text) s.values["FloatRightX"] = *c.text;
    EXPECT_EQ(ReadFloatRightX(s.Reader()), c.want) << c.text.value_or("(missing)");
  }
}

SavedPlace Floating() {
  SavedPlace p;
  p.name = "TB1";
  p.visible = true;
  p.dockRow = 1;
  p.dockPos = 40;
  p.floatLeft = 300;
  p.floatTop = -20;
  p.floatRightX = 83;
  return p;
}

TEST(PositionValues, FloatingToolbarWritesEveryValueInOrder) {
  const std::vector<PositionValue> want{{"Rev", "2"},       {"Visible", "1"},  {"DockedTo", "+"},
                                        {"DockRow", "1"},   {"DockPos", "40"}, {"FloatLeft", "300"},
                                        {"FloatTop", "-20"}, {"FloatRightX", "83"}};
  EXPECT_EQ(PositionValues(Floating()), want);
}

TEST(PositionValues, DockNamesAndTheirErrors) {
  SavedPlace p = Floating();
  p.floatRightX.reset();
  p.visible = false;
  p.dock = DockInfo{"D2", true};
  std::vector<PositionValue> v = PositionValues(p);
  ASSERT_EQ(v.size(), 7u);
  EXPECT_EQ(v[1], (PositionValue{"Visible", "0"}));
  EXPECT_EQ(v[2], (PositionValue{"DockedTo", "D2"}));
  p.dock = DockInfo{"", false};
  EXPECT_EQ(PositionValues(p)[2], (PositionValue{"DockedTo", ""}));
  p.dock = DockInfo{"", true};
  try {
    PositionValues(p);
    ADD_FAILURE() << "no error";
  } catch (const PositionError& e) {
    EXPECT_STREQ(e.what(), "Cannot save tool window's position because DockedTo's Name property not set");
  }
  p.name.clear();
  try {
    PositionValues(p);
    ADD_FAILURE() << "no error";
  } catch (const PositionError& e) {
    EXPECT_STREQ(e.what(), "Cannot save tool window's position because Name property is not set");
  }
}

TEST(PositionValues, LoadThenSaveWritesBackWhatWasRead) {
  Section s;
  for (const PositionValue& v : PositionValues(Floating())) s.values[v.name] = v.text;
  const LoadedPosition p = ReadPosition("TB1", s.Reader(), kCurrent, kDocks);
  ASSERT_EQ(p.action, Action::Float);
  SavedPlace again;
  again.name = "TB1";
  again.visible = p.visible;
  again.dockRow = p.dockRow;
  again.dockPos = p.dockPos;
  again.floatLeft = p.floatLeft;
  again.floatTop = p.floatTop;
  again.floatRightX = ReadFloatRightX(s.Reader());
  EXPECT_EQ(PositionValues(again), PositionValues(Floating()));
}

}  // namespace
