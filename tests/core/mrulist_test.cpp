#include "core/mrulist.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace core;
using Strings = std::vector<std::string>;

// The frame's list: 7 saved (+1), 7 shown, default options and style.
class MruFrameList : public testing::Test {
 protected:
  MruFrameList() {
    model.SetMaxSaveCount(7);
    model.SetMaxShowCount(7);
  }
  MruFileExists Exists() const {
    return [this](const std::string& p) { return missing.count(p) == 0; };
  }
  MruMenuState Menu() const { return model.Rebuild(Exists()); }
  Strings Paths() const {
    Strings out;
    for (const MruEntry& e : model.Entries()) out.push_back(e.path);
    return out;
  }
  Strings Captions() const {
    Strings out;
    for (const MruSlot& s : Menu().slots)
      if (s.visible) out.push_back(s.caption);
    return out;
  }
  void OpenAndClose(const Strings& paths) {
    for (const std::string& p : paths) {
      model.AddItem(p);
      model.UnselectItem(p);
    }
  }

  MruModel model;
  std::set<std::string> missing;
};

TEST_F(MruFrameList, NinthFileDropsTheOldestAndEightAreSaved) {
  OpenAndClose({"C:\\1", "C:\\2", "C:\\3", "C:\\4", "C:\\5", "C:\\6", "C:\\7", "C:\\8"});
  EXPECT_EQ(Paths(), (Strings{"C:\\8", "C:\\7", "C:\\6", "C:\\5", "C:\\4", "C:\\3", "C:\\2", "C:\\1"}));
  OpenAndClose({"C:\\9"});
  EXPECT_EQ(Paths(), (Strings{"C:\\9", "C:\\8", "C:\\7", "C:\\6", "C:\\5", "C:\\4", "C:\\3", "C:\\2"}));
  const std::vector<MruRegValue> saved = model.ToRegistry();
  ASSERT_EQ(saved.size(), 9u);
  EXPECT_EQ(saved[0].name, "Count");
  EXPECT_EQ(saved[0].text, "8");
  EXPECT_EQ(saved[8].name, "8");
  EXPECT_EQ(saved[8].text, "C:\\2");
  // Seven slots show the seven most recent.
  EXPECT_EQ(Captions().size(), 7u);
}

TEST_F(MruFrameList, ReAddingInOtherCaseMovesToTopAndKeepsFirstSpelling) {
  OpenAndClose({"C:\\Docs\\Read.me", "C:\\b.txt", "C:\\c.txt"});
  model.AddItem("c:\\DOCS\\read.ME");
  EXPECT_EQ(Paths(), (Strings{"C:\\Docs\\Read.me", "C:\\c.txt", "C:\\b.txt"}));
  EXPECT_TRUE(model.Entries()[0].open);
  // Closing under yet another spelling clears the mark; the file shows as number 1 again.
  model.UnselectItem("C:\\docs\\READ.me");
  EXPECT_EQ(Captions().front(), "&1  C:\\Docs\\Read.me");
}

TEST_F(MruFrameList, OpenFilesAreLeftOutAndNumbersStayContiguous) {
  OpenAndClose({"C:\\a", "C:\\b", "C:\\c"});
  model.AddItem("C:\\b");  // open again: top, marked
  EXPECT_EQ(Captions(), (Strings{"&1  C:\\c", "&2  C:\\a"}));
  const MruMenuState m = Menu();
  EXPECT_EQ(m.slots[0].tag, 1);
  EXPECT_EQ(model.ItemForTag(m.slots[1].tag), "C:\\a");
  EXPECT_FALSE(m.slots[2].visible);
  EXPECT_EQ(m.slots[2].tag, -1);
}

struct StyleCase {
  MruStyle style;
  Strings captions;
  std::vector<bool> checked;
};

class MruStyles : public MruFrameList, public testing::WithParamInterface<StyleCase> {};

TEST_P(MruStyles, OpenMarkHidesChecksOrIsIgnored) {
  model.SetStyle(GetParam().style);
  model.SetOptions(kMruDefaultOptions & ~mrShowNumber);
  OpenAndClose({"C:\\closed"});
  model.AddItem("C:\\open");
  std::vector<bool> checked;
  for (const MruSlot& s : Menu().slots)
    if (s.visible) checked.push_back(s.checked);
  EXPECT_EQ(Captions(), GetParam().captions);
  EXPECT_EQ(checked, GetParam().checked);
}

INSTANTIATE_TEST_SUITE_P(
    All, MruStyles,
    testing::Values(StyleCase{msNormal, {"C:\\open", "C:\\closed"}, {false, false}},
                    StyleCase{msHideSelected, {"C:\\closed"}, {false}},
                    StyleCase{msCheckSelected, {"C:\\open", "C:\\closed"}, {true, false}}));

struct CaptionCase {
  MruOptions options;
  std::string path;
  std::string caption;
};

class MruCaptions : public testing::TestWithParam<CaptionCase> {};

TEST_P(MruCaptions, CaptionFromPathAndOptions) {
  MruModel m;
  m.SetOptions(GetParam().options);
  m.AddItem(GetParam().path);
  m.UnselectItem(GetParam().path);
  const MruMenuState s = m.Rebuild({});
  ASSERT_TRUE(s.slots[0].visible);
  EXPECT_EQ(s.slots[0].caption, GetParam().caption);
}

INSTANTIATE_TEST_SUITE_P(
    All, MruCaptions,
    testing::Values(CaptionCase{mrShowNumber, "C:\\path\\file.txt", "&1  C:\\path\\file.txt"},
                    CaptionCase{0, "C:\\path\\file.txt", "C:\\path\\file.txt"},
                    CaptionCase{mrShowNumber | mrShortFileNames, "C:\\path\\file.txt", "&1  file.txt"},
                    CaptionCase{mrShortFileNames, "D:notes.txt", "notes.txt"},
                    CaptionCase{mrShowNumber, "C:\\R&D\\a&b.txt", "&1  C:\\R&D\\a&b.txt"},
                    CaptionCase{mrShortFileNames, "C:\\R&D\\a&b.txt", "a&b.txt"}));

TEST_F(MruFrameList, NumbersCountSlotsUpToMaxShowCount) {
  model.SetMaxShowCount(3);
  OpenAndClose({"C:\\1", "C:\\2", "C:\\3", "C:\\4"});
  const MruMenuState m = Menu();
  ASSERT_EQ(m.slots.size(), 3u);
  EXPECT_EQ(m.shown, 3);
  EXPECT_EQ(m.slots[2].caption, "&3  C:\\2");
  model.SetMaxShowCount(-1);
  EXPECT_TRUE(Menu().slots.empty());
}

TEST_F(MruFrameList, DeletedFileLeavesMenuButStaysInListAndIsSaved) {
  OpenAndClose({"C:\\kept", "C:\\gone", "C:\\new"});
  missing.insert("C:\\gone");
  EXPECT_EQ(Captions(), (Strings{"&1  C:\\new", "&2  C:\\kept"}));
  EXPECT_EQ(Menu().slots[1].tag, 2);
  EXPECT_EQ(model.ToRegistry()[2].text, "C:\\gone");
  model.SetOptions(kMruDefaultOptions & ~mrCheckFileExist);
  EXPECT_EQ(Captions().size(), 3u);
}

struct AnchorCase {
  MruOptions options;
  bool withEntry;
  bool sepBefore, sepAfter;
  std::optional<bool> enabled, visible;
};

class MruAnchor : public testing::TestWithParam<AnchorCase> {};

TEST_P(MruAnchor, SeparatorsAndAnchorFollowWhetherAnEntryShows) {
  const AnchorCase& c = GetParam();
  MruModel m;
  m.SetOptions(c.options);
  if (c.withEntry) m.AddItem("C:\\x");
  m.UnselectItem("C:\\x");
  const MruMenuState s = m.Rebuild({});
  EXPECT_EQ(s.separatorBeforeVisible, c.sepBefore);
  EXPECT_EQ(s.separatorAfterVisible, c.sepAfter);
  EXPECT_EQ(s.anchorEnabled, c.enabled);
  EXPECT_EQ(s.anchorVisible, c.visible);
}

INSTANTIATE_TEST_SUITE_P(
    All, MruAnchor,
    testing::Values(
        // the frame's options: an empty list shows no separator and leaves the anchor alone
        AnchorCase{kMruDefaultOptions, false, false, false, std::nullopt, std::nullopt},
        AnchorCase{kMruDefaultOptions, true, true, false, std::nullopt, std::nullopt},
        AnchorCase{mrLineAfter | mrLineBefore, true, true, true, std::nullopt, std::nullopt},
        AnchorCase{mrDisableAnchorIfEmpty, false, false, false, false, std::nullopt},
        AnchorCase{mrDisableAnchorIfEmpty, true, false, false, true, std::nullopt},
        AnchorCase{mrHideAnchorIfEmpty, false, false, false, std::nullopt, false},
        AnchorCase{mrHideAnchorIfEmpty | mrDisableAnchorIfEmpty, true, false, false, true, true}));

// A key of string values; counts the reads.
struct FakeKey {
  std::map<std::string, std::string> values;
  mutable int reads = 0;
  MruValueReader Reader() const {
    return [this](const std::string& name) -> std::optional<std::string> {
      ++reads;
      auto it = values.find(name);
      if (it == values.end()) return std::nullopt;
      return it->second;
    };
  }
};

struct CountCase {
  std::optional<std::string> count;
  Strings loaded;
};

class MruLoadCount : public MruFrameList, public testing::WithParamInterface<CountCase> {};

TEST_P(MruLoadCount, CountDecidesHowManyValuesAreRead) {
  FakeKey key{{{"1", "C:\\1"}, {"2", "C:\\2"}, {"3", "C:\\3"}, {"4", "C:\\4"}}};
  if (GetParam().count) key.values["Count"] = *GetParam().count;
  model.AddItem("C:\\before");
  model.LoadFromRegistry(key.Reader(), Exists());
  EXPECT_EQ(Paths(), GetParam().loaded);
  EXPECT_LE(key.reads, kMruMaxLoadCount + 1);
}

INSTANTIATE_TEST_SUITE_P(All, MruLoadCount,
                         testing::Values(CountCase{std::nullopt, {}}, CountCase{"abc", {}}, CountCase{"", {}},
                                         CountCase{"0x3", {"C:\\1", "C:\\2", "C:\\3"}},
                                         CountCase{"$2", {"C:\\1", "C:\\2"}}, CountCase{"2", {"C:\\1", "C:\\2"}},
                                         CountCase{"-3", {}}, CountCase{"0xFFFFFFFF", {}},
                                         CountCase{"2147483647", {"C:\\1", "C:\\2", "C:\\3", "C:\\4"}},
                                         CountCase{"99999999999", {}}));

TEST_F(MruFrameList, LoadSkipsEmptyMissingAndDeletedPathsAndClearsMarks) {
  FakeKey key{{{"Count", "5"}, {"1", "C:\\a"}, {"2", ""}, {"4", "C:\\deleted"}, {"5", "C:\\b"}, {"6", "C:\\c"}}};
  missing.insert("C:\\deleted");
  model.LoadFromRegistry(key.Reader(), Exists());
  EXPECT_EQ(Paths(), (Strings{"C:\\a", "C:\\b"}));
  EXPECT_FALSE(model.Entries()[0].open);
  model.SetOptions(kMruDefaultOptions & ~mrCheckFileExist);
  model.LoadFromRegistry(key.Reader(), Exists());
  EXPECT_EQ(Paths(), (Strings{"C:\\a", "C:\\deleted", "C:\\b"}));
}

TEST_F(MruFrameList, SavedListLoadsBackAndAFailingReadKeepsTheList) {
  OpenAndClose({"C:\\x y\\1.txt", "C:\\\xC4rger.txt"});
  FakeKey key;
  for (const MruRegValue& v : model.ToRegistry()) key.values[v.name] = v.text;
  const Strings before = Paths();
  MruModel other;
  other.LoadFromRegistry(key.Reader(), {});
  ASSERT_EQ(other.Entries().size(), 2u);
  EXPECT_EQ(Strings({other.Entries()[0].path, other.Entries()[1].path}), before);

  // A value of the wrong type is the reader's error; it reaches the caller.
  const MruValueReader throwing = [](const std::string& name) -> std::optional<std::string> {
    if (name == "Count") return "2";
    throw std::runtime_error("not a string value");
  };
  EXPECT_THROW(model.LoadFromRegistry(throwing, Exists()), std::runtime_error);
  EXPECT_EQ(Paths(), before);
}

struct BoundCase {
  int maxSave;
  size_t after3;
};

class MruBound : public testing::TestWithParam<BoundCase> {};

TEST_P(MruBound, SmallOrNegativeMaxSaveCountKeepsTheNewestOnly) {
  MruModel m;
  m.SetMaxSaveCount(GetParam().maxSave);
  for (const char* p : {"C:\\1", "C:\\2", "C:\\3"}) m.AddItem(p);
  ASSERT_EQ(m.Entries().size(), GetParam().after3);
  EXPECT_EQ(m.Entries()[0].path, "C:\\3");
  EXPECT_TRUE(m.Entries()[0].open);
}

INSTANTIATE_TEST_SUITE_P(All, MruBound,
                         testing::Values(BoundCase{-2147483647 - 1, 1}, BoundCase{-1, 1}, BoundCase{0, 1},
                                         BoundCase{1, 2}, BoundCase{2147483647, 3}));

TEST_F(MruFrameList, ListLoadedLongerThanTheBoundIsTrimmedOnNextAdd) {
  FakeKey key{{{"Count", "12"}}};
  for (int n = 1; n <= 12; ++n) key.values[std::to_string(n)] = "C:\\" + std::to_string(n);
  model.LoadFromRegistry(key.Reader(), Exists());
  ASSERT_EQ(model.Entries().size(), 12u);  // not cut while loading
  model.AddItem("C:\\new");
  EXPECT_EQ(Paths(), (Strings{"C:\\new", "C:\\1", "C:\\2", "C:\\3", "C:\\4", "C:\\5", "C:\\6", "C:\\7"}));
}

TEST(MruModelAdd, EmptyPathIsIgnoredAndTopSelectedOffAppends) {
  MruModel m;
  m.AddItem("");
  m.UnselectItem("");
  EXPECT_TRUE(m.Entries().empty());
  m.SetOptions(0);
  m.AddItem("C:\\1");
  m.AddItem("C:\\2");
  m.AddItem("C:\\1");
  ASSERT_EQ(m.Entries().size(), 2u);
  EXPECT_EQ(m.Entries()[0].path, "C:\\1");
  EXPECT_EQ(m.ItemForTag(2), std::nullopt);
  EXPECT_EQ(m.ItemForTag(-1), std::nullopt);
}

TEST(MruModelCompare, InjectedComparisonDecidesSameness) {
  MruModel exact([](std::string_view a, std::string_view b) { return a == b; });
  exact.AddItem("C:\\a");
  exact.AddItem("C:\\A");
  EXPECT_EQ(exact.Entries().size(), 2u);
  EXPECT_EQ(exact.IndexOfItem("C:\\a"), 1);
}

TEST(MruModelCompare, Win1252CaseFolding) {
  struct Case {
    std::string a, b;
    bool same;
  };
  const Case cases[] = {
      {"C:\\Abc", "c:\\aBC", true},   {"\xC4rger", "\xE4RGER", true},  // A umlaut
      {"\x8A", "\x9A", true},         {"\x9F", "\xFF", true},           // S caron, Y diaeresis
      {"\xD7", "\xF7", false},        {"\xDF", "SS", false},            // multiply/divide; sharp s
      {"a", "a ", false},             {std::string("a\0b", 3), std::string("A\0B", 3), true},
      {std::string("a\0b", 3), "a", false}, {"[", "{", false},         // not letters
  };
  for (const Case& c : cases) EXPECT_EQ(SameTextWin1252(c.a, c.b), c.same) << c.a << " / " << c.b;
}

TEST(MruMenuItems, NamesAndInsertionPlan) {
  EXPECT_EQ(MruSlotName(1234, 0), "_12340");
  EXPECT_EQ(MruSlotName(4294967295u, 12), "_429496729512");
  EXPECT_EQ(MruSeparatorBeforeName(77), "_77A");
  EXPECT_EQ(MruSeparatorAfterName(77), "_77P");

  struct Case {
    MruPosition position;
    int anchor;
    std::optional<int> start;
  };
  const Case starts[] = {{mpAfter, 4, 5}, {mpBefore, 4, 4}, {mpNewMenu, 4, 0}, {mpNewMenu, -1, 0},
                         {mpAfter, -1, std::nullopt}, {mpBefore, -1, std::nullopt},
                         {mpAfter, 2147483647, std::nullopt}};
  for (const Case& c : starts) EXPECT_EQ(MruInsertStart(c.position, c.anchor), c.start) << c.position << " " << c.anchor;

  // Slots at 5, 6; separator after at 7; separator before at 5 pushes them down.
  const auto plan = MruInsertPlan(mpAfter, 4, 2, mrLineAfter | mrLineBefore, 9);
  ASSERT_TRUE(plan);
  std::vector<std::pair<std::string, int>> got;
  for (const MruInsertStep& s : *plan) got.emplace_back(s.name, s.index);
  EXPECT_EQ(got, (std::vector<std::pair<std::string, int>>{{"_90", 5}, {"_91", 6}, {"_9P", 7}, {"_9A", 5}}));
  EXPECT_EQ(MruInsertPlan(mpBefore, 0, -3, mrLineBefore, 9)->size(), 1u);
  EXPECT_FALSE(MruInsertPlan(mpAfter, -1, 7, 0, 9));
  EXPECT_FALSE(MruInsertPlan(mpBefore, 2147483646, 7, 0, 9));
}

TEST(MruMenuItems, StampWaitsForTheTickToMove) {
  std::vector<std::uint32_t> ticks{100, 100, 100, 116, 116};
  size_t next = 0;
  const std::uint32_t stamp = MruTakeStamp([&] { return ticks[next++]; });
  EXPECT_EQ(stamp, 100u);
  EXPECT_EQ(next, 4u);
}

}  // namespace
