#include "core/menus98/menubar.h"

#include <gtest/gtest.h>

namespace {

using namespace core::menus98;

TEST(MenuBitmapResourceName, NamesNumbersAndInvalidNumbers) {
  struct Case {
    const char* text;
    bool valid, numeric;
    unsigned id;
    const char* name;
  } cases[] = {
      {"SYSTEMCLOSE", true, false, 0, "SYSTEMCLOSE"},
      {"", true, false, 0, ""},
      {"#12", true, true, 12, ""},
      {"#65535", true, true, 65535, ""},
      {"#", false, false, 0, ""},
      {"#12a", false, false, 0, ""},
      {"#-3", false, false, 0, ""},
      {"#0", false, false, 0, ""},
      {"#65536", false, false, 0, ""},
      {"#99999999999999999999", false, false, 0, ""},  // no overflow into a small number
  };
  for (const Case& c : cases) {
    ResourceName r = ParseResourceName(c.text);
    EXPECT_EQ(r.valid, c.valid) << c.text;
    EXPECT_EQ(r.numeric, c.numeric) << c.text;
    EXPECT_EQ(r.id, c.id) << c.text;
    EXPECT_EQ(r.name, c.name) << c.text;
  }
  EXPECT_EQ(InvalidResourceText("#x"), "'#x' is not a valid resource name");
}

TEST(MenuBarCaption, AcceleratorsAndShownText) {
  struct Case {
    const char* caption;
    const char* shown;
    char accel;
  } cases[] = {
      {"&File", "File", 'F'},     {"E&dit", "Edit", 'D'},  {"&?", "?", '?'},
      {"Save && &go", "Save & go", 'G'}, {"A&&B", "A&B", '\0'}, {"Plain", "Plain", '\0'},
      {"Trailing&", "Trailing", '\0'},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StripAccelerator(c.caption), c.shown) << c.caption;
    EXPECT_EQ(AcceleratorOf(c.caption), c.accel) << c.caption;
  }
}

TEST(MenuBarMerge, ChildGroupsReplaceFrameGroupsInGroupOrder) {
  // Frame: File 0, Window 3, ? 4. Child: File 0, Edit 1, Chars 1, Insert 2.
  std::vector<MenuEntry> frame{{0, true}, {3, true}, {4, true}};
  std::vector<MenuEntry> child{{0, true}, {1, true}, {1, true}, {2, true}};
  std::vector<MergedEntry> want{{MenuSource::Child, 0}, {MenuSource::Child, 1}, {MenuSource::Child, 2},
                                {MenuSource::Child, 3}, {MenuSource::Frame, 1}, {MenuSource::Frame, 2}};
  EXPECT_EQ(MergeByGroup(frame, child), want);
  // No child: the frame's own, sorted by group.
  std::vector<MenuEntry> unsorted{{4, true}, {0, true}};
  EXPECT_EQ(MergeByGroup(unsorted, {}), (std::vector<MergedEntry>{{MenuSource::Frame, 1}, {MenuSource::Frame, 0}}));
  // A child menu that is hidden does not take its group's place.
  EXPECT_EQ(MergeByGroup({{0, true}}, {{0, false}}), (std::vector<MergedEntry>{{MenuSource::Frame, 0}}));
  // Invisible frame menus and groups beyond 255 never show.
  EXPECT_TRUE(MergeByGroup({{0, false}, {256, true}}, {}).empty());
}

TEST(MenuBarButton, SizesAndSpacer) {
  EXPECT_EQ(BarButtonSize(30, 13, 0, false, false), (ButtonSize{46, 19}));
  EXPECT_EQ(BarButtonSize(30, 13, 16, false, false), (ButtonSize{62, 19}));
  EXPECT_EQ(BarButtonSize(30, 13, 0, false, true), (ButtonSize{19, 46}));
  EXPECT_EQ(BarButtonSize(99, 99, 16, true, false), (ButtonSize{20, 19}));
  EXPECT_EQ(BarButtonSize(99, 99, 16, true, true), (ButtonSize{19, 20}));
  // 500 - (20+2) - (40+2) - (16+2) + 6
  EXPECT_EQ(SpacerWidth(500, {20, 40, 16}), 424);
  EXPECT_EQ(SpacerWidth(0, {}), 6);
}

TEST(MenuBarKeyboard, WalkWrapsOverHiddenButtonsAndFindsAccelerators) {
  std::vector<bool> visible{true, false, true, true};
  EXPECT_EQ(NextVisible(visible, 0, +1), 2);
  EXPECT_EQ(NextVisible(visible, 3, +1), 0);
  EXPECT_EQ(NextVisible(visible, 0, -1), 3);
  EXPECT_EQ(NextVisible(visible, 2, -1), 0);
  EXPECT_EQ(NextVisible(visible, -1, +1), 0);
  EXPECT_EQ(NextVisible({false, false}, 0, +1), -1);
  EXPECT_EQ(NextVisible({}, 0, +1), -1);
  std::vector<std::string> captions{"&File", "&Edit", "E&xtra", "&?"};
  EXPECT_EQ(FindAccelerator(captions, visible, 'x'), 2);
  EXPECT_EQ(FindAccelerator(captions, visible, 'E'), -1);  // the Edit button is hidden
  EXPECT_EQ(FindAccelerator(captions, visible, 'f'), 0);
  EXPECT_EQ(FindAccelerator(captions, visible, 'Q'), -1);
  EXPECT_EQ(ShortCutOf('S', false, true, false), 0x4053u);
  EXPECT_EQ(ShortCutOf(0x73, true, false, true), 0xA073u);
}

TEST(MenuBarButton, VerticalFaceTurnsClockwiseAndSkipsTheFaceColour) {
  // A 3 x 2 face (0 = the button's colour):  1 2 0
  //                                          4 5 6
  std::vector<std::uint32_t> face{1, 2, 0, 4, 5, 6};
  // Turned clockwise it is 2 wide and 3 high: 4 1 / 5 2 / 6 0.
  EXPECT_EQ(RotateFace(face, 3, 2, 0), (std::vector<std::uint32_t>{4, 1, 5, 2, 6, 0}));
  // The face colour is never copied over what another pixel put there: a
  // face of one colour stays that colour.
  EXPECT_EQ(RotateFace({7, 7, 7, 7}, 2, 2, 7), (std::vector<std::uint32_t>{7, 7, 7, 7}));
  // A size that does not fit the pixels gives a plain face.
  EXPECT_EQ(RotateFace({1, 2, 3}, 2, 2, 0), (std::vector<std::uint32_t>{0, 0, 0}));
  EXPECT_TRUE(IsVerticalButton(19, 46));
  EXPECT_FALSE(IsVerticalButton(46, 19));
  EXPECT_FALSE(IsVerticalButton(20, 20));
}

}  // namespace
