#include "core/menus98/menus98.h"

#include <gtest/gtest.h>

using namespace core::menus98;

namespace {
const Rect kScreen{0, 0, 800, 600};
}

TEST(MenuWorkArea, TaskBarOnEachSideIsTakenOff) {
  struct Case {
    Rect bar, expected;
  } cases[] = {
      {{0, 570, 800, 600}, {0, 0, 800, 570}},  // bottom
      {{0, 0, 800, 30}, {0, 30, 800, 600}},    // top
      {{0, 0, 60, 600}, {60, 0, 800, 600}},    // left
      {{740, 0, 800, 600}, {0, 0, 740, 600}},  // right
      {{0, 0, 0, 0}, {0, 0, 800, 600}},        // none
  };
  for (const Case& c : cases) {
    Rect w = WorkArea(kScreen, c.bar);
    EXPECT_EQ(w.left, c.expected.left);
    EXPECT_EQ(w.top, c.expected.top);
    EXPECT_EQ(w.right, c.expected.right);
    EXPECT_EQ(w.bottom, c.expected.bottom);
  }
}

TEST(MenuPlacement, EdgesUpwardAndLeftward) {
  const Rect work{0, 0, 800, 570};
  struct Case {
    const char* what;
    PlaceRequest r;
    Placement expected;
  } cases[] = {
      {"fits", {100, 100, 150, 200, false, anPopup, 0, false, 0, work}, {100, 100, false, false}},
      {"top level past the right edge", {700, 100, 150, 200, false, anPopup, 0, false, 0, work}, {650, 100, false, false}},
      {"vertical sub-menu goes left of its parent", {700, 100, 150, 200, true, anVSlide, 600, false, 0, work}, {456, 100, false, false}},
      {"other sub-menu grows leftward", {700, 100, 150, 200, true, anSmart, 600, false, 0, work}, {606, 100, false, true}},
      {"left at 0 becomes 1", {0, 0, 150, 200, false, anNone, 0, false, 0, work}, {1, 1, false, false}},
      {"room above: upward", {100, 500, 150, 200, false, anPopup, 0, false, 0, work}, {100, 500, true, false}},
      {"from the icon upward: above the form", {100, 500, 150, 200, false, anSmart, 0, true, 480, work}, {100, 483, true, false}},
      {"no room above: moved up", {100, 150, 150, 500, false, anPopup, 0, false, 0, work}, {100, 70, false, false}},
      {"horizontal slide never grows upward", {100, 500, 150, 200, false, anHSlide, 0, false, 0, work}, {100, 370, false, false}},
  };
  for (const Case& c : cases) {
    Placement p = Place(c.r);
    EXPECT_EQ(p.left, c.expected.left) << c.what;
    EXPECT_EQ(p.top, c.expected.top) << c.what;
    EXPECT_EQ(p.upward, c.expected.upward) << c.what;
    EXPECT_EQ(p.leftward, c.expected.leftward) << c.what;
  }
}

TEST(MenuAnimation, ShapesStepsAndBankersRounding) {
  EXPECT_EQ(RoundHalfEven(7.5), 8);
  EXPECT_EQ(RoundHalfEven(10.5), 10);
  EXPECT_EQ(RoundHalfEven(11.4), 11);
  EXPECT_EQ(Resolve(anSmart, false, false), Shape::Vertical);
  EXPECT_EQ(Resolve(anSmart, true, false), Shape::Horizontal);
  EXPECT_EQ(Resolve(anPopup, false, false), Shape::Unfold);
  EXPECT_EQ(Resolve(anPopup, true, false), Shape::Horizontal);
  EXPECT_EQ(Resolve(anRandom, false, true), Shape::Vertical);
  EXPECT_EQ(Resolve(anRandom, true, false), Shape::Horizontal);

  struct Case {
    Shape shape;
    int w, h;
    bool doubleSpeed;
    Steps expected;
  } cases[] = {
      // 101 div 11 + 1 = 10 frames; 10 * 1.5 = 15; 120 div 10 = 12 -> 18 + 1.
      {Shape::Vertical, 120, 101, false, {11, 10, 15, 19}},
      {Shape::Vertical, 120, 101, true, {23, 5, 30, 37}},
      // unfold: the width's 11 frames win; 101 div 11 = 9 -> 13.5 -> 14 (even).
      {Shape::Unfold, 120, 101, false, {11, 11, 14, 16}},
      // horizontal: 50 div 11 + 1 = 5 frames; 5 * 1.5 = 7.5 -> 8; 25 div 5 = 5 -> 8.
      {Shape::Horizontal, 50, 25, false, {11, 5, 8, 16}},
      {Shape::None, 50, 25, false, {11, 1, 38, 76}},
  };
  for (const Case& c : cases) {
    Steps s = AnimationSteps(c.shape, c.w, c.h, 19, c.doubleSpeed);
    EXPECT_EQ(s.step, c.expected.step);
    EXPECT_EQ(s.frames, c.expected.frames);
    EXPECT_EQ(s.vertical, c.expected.vertical);
    EXPECT_EQ(s.horizontal, c.expected.horizontal);
  }
}

TEST(MenuAnimation, FramesStopAtTheFirstFullDimension) {
  Steps s = AnimationSteps(Shape::Vertical, 120, 101, 19, false);
  std::vector<Size> open = OpenFrames(Shape::Vertical, 120, 101, s);
  ASSERT_EQ(open.size(), 6u);  // 15, 30, ..., 90; 105 reaches full
  EXPECT_EQ(open.front(), (Size{120, 15}));
  EXPECT_EQ(open.back(), (Size{120, 90}));

  // Unfold ends when the width arrives although the height is short.
  Steps u{11, 4, 2, 40};
  std::vector<Size> unfold = OpenFrames(Shape::Unfold, 100, 100, u);
  ASSERT_EQ(unfold.size(), 2u);
  EXPECT_EQ(unfold.back(), (Size{80, 4}));

  EXPECT_TRUE(OpenFrames(Shape::None, 100, 100, s).empty());
  std::vector<Size> close = CloseFrames(Shape::Horizontal, 50, 25, Steps{11, 5, 8, 16});
  ASSERT_EQ(close.size(), 4u);
  EXPECT_EQ(close.back(), (Size{0, 25}));
}

TEST(MenuAnimation, PopupSoundPlaysOnce) {
  for (int loopFrames : {0, 1, 2, 3, 7}) {
    int plays = SoundAfterFrame(0, loopFrames) ? 1 : 0;
    for (int f = 1; f <= loopFrames; ++f) plays += SoundAfterFrame(f, loopFrames) ? 1 : 0;
    EXPECT_EQ(plays, 1) << loopFrames;
  }
}

TEST(MenuAnimation, OverrunIsADebtThatLaterFramesPay) {
  FramePacer pacer(20);
  EXPECT_EQ(pacer.WaitAfter(5), 15);
  EXPECT_EQ(pacer.WaitAfter(50), 0);  // 30 owed
  EXPECT_EQ(pacer.WaitAfter(5), 0);   // pays 15
  EXPECT_EQ(pacer.Debt(), 15);
  EXPECT_EQ(pacer.WaitAfter(10), 0);  // pays 10
  EXPECT_EQ(pacer.WaitAfter(10), 0);  // the last 5
  EXPECT_EQ(pacer.Debt(), 0);
  EXPECT_EQ(pacer.WaitAfter(10), 10);
}

TEST(MenuItems, KindsMeasuresAndHits) {
  EXPECT_EQ(KindOf("-"), ItemKind::Separator);
  EXPECT_EQ(KindOf("--"), ItemKind::Ordinary);
  EXPECT_EQ(KindOf("::blank"), ItemKind::Blank);
  EXPECT_EQ(ItemHeightOf(ItemKind::Blank, 19, 11), 19);
  EXPECT_EQ(CaptionText("&Close\tAlt+F4"), "&Close");
  EXPECT_EQ(TabText("&Close\tAlt+F4"), "Alt+F4");
  EXPECT_EQ(TabText("&Close"), "");
  EXPECT_EQ(MenuWidth(60, 40, 27), 164);

  const std::vector<int> h{19, 11, 19};
  EXPECT_EQ(MenuHeight(h), 55);
  struct Case {
    int y, index;
  } cases[] = {{-3, -1}, {0, -1}, {1, 0}, {19, 0}, {20, 1}, {30, 1}, {31, 2}, {49, 2}, {50, -1}};
  for (const Case& c : cases) EXPECT_EQ(HitTest(h, c.y), c.index) << c.y;
  EXPECT_EQ(ItemTop(h, 2), 30);
}

TEST(MenuItems, DeadZoneOfTwoPixels) {
  EXPECT_FALSE(MovedEnough(10, 10, 12, 8));
  EXPECT_FALSE(MovedEnough(10, 10, 8, 12));
  EXPECT_TRUE(MovedEnough(10, 10, 13, 10));
  EXPECT_TRUE(MovedEnough(10, 10, 10, 7));
}

TEST(MenuKeys, StepsSkipSeparatorsAndWrap) {
  using K = ItemKind;
  const std::vector<K> kinds{K::Ordinary, K::Separator, K::Ordinary, K::Separator};
  EXPECT_EQ(StepSelection(kinds, 0, 1), 2);
  EXPECT_EQ(StepSelection(kinds, 2, 1), 0);   // past the last separator, wrapped
  EXPECT_EQ(StepSelection(kinds, 0, -1), 2);  // below 0 wraps to the end
  EXPECT_EQ(StepSelection(kinds, -1, 1), 0);
  EXPECT_EQ(StepSelection({K::Separator}, 0, 1), -1);
  EXPECT_EQ(StepSelection({}, -1, 1), -1);
}

TEST(MenuKeys, Accelerators) {
  EXPECT_EQ(AcceleratorOf("&Restore"), 'R');
  EXPECT_EQ(AcceleratorOf("Mi&nimize"), 'N');
  EXPECT_EQ(AcceleratorOf("Fish && &Chips"), 'C');
  EXPECT_EQ(AcceleratorOf("None"), 0);
  EXPECT_EQ(AcceleratorOf("trailing&"), 0);
  const std::vector<std::string> captions{"&Restore", "&Move", "-", "&Close\tAlt+F4", "Ma&ximize"};
  EXPECT_EQ(FindAccelerator(captions, 'c'), 3);
  EXPECT_EQ(FindAccelerator(captions, 'X'), 4);
  EXPECT_EQ(FindAccelerator(captions, 'Q'), -1);
}

TEST(MenuKeys, ShortCutTexts) {
  EXPECT_EQ(TextToShortCut("Alt+F4"), kAlt | 0x73);
  EXPECT_EQ(TextToShortCut("Ctrl+F6"), kCtrl | 0x75);
  EXPECT_EQ(TextToShortCut("Ctrl+Shift+W"), kCtrl | kShift | 'W');
  EXPECT_EQ(TextToShortCut("Del"), 0x2E);
  EXPECT_EQ(TextToShortCut(""), 0);
  EXPECT_EQ(TextToShortCut("Alt+"), 0);
  EXPECT_EQ(TextToShortCut("F99"), 0);
}

TEST(MenuPainting, GlyphNamesEmbossAndColours) {
  EXPECT_EQ(GlyphResourceName("&Open..."), "OPEN");
  EXPECT_EQ(GlyphResourceName("Tile vertical 2"), "TILEVERTICAL");
  EXPECT_TRUE(EmbossDark(132, 128, 132));
  EXPECT_FALSE(EmbossDark(133, 0, 0));
  EXPECT_FALSE(EmbossDark(0, 129, 0));
  EXPECT_FALSE(EmbossDark(0, 0, 133));
  EXPECT_TRUE(DrawEmbossed(false, false, false));
  EXPECT_TRUE(DrawEmbossed(false, true, false));
  EXPECT_FALSE(DrawEmbossed(false, true, true));
  EXPECT_FALSE(DrawEmbossed(true, false, false));
  EXPECT_TRUE(Highlighted(true, ItemKind::Ordinary, true, false));
  EXPECT_FALSE(Highlighted(true, ItemKind::Ordinary, false, false));  // never under the mouse
  EXPECT_TRUE(Highlighted(true, ItemKind::Ordinary, false, true));
  EXPECT_FALSE(Highlighted(true, ItemKind::Separator, true, true));
  EXPECT_EQ(TextRoleOf(false, true), TextRole::Shadow);
  EXPECT_EQ(TextRoleOf(true, true), TextRole::HighlightText);
}

TEST(MenuHints, StatusTextLinesAndPosition) {
  EXPECT_EQ(StatusHint("  Opens&#13;a file "), "Opens a file");
  EXPECT_EQ(StatusHint("ab&#"), "ab ");
  EXPECT_EQ(HintLines("one&#13;two"), (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(HintLines("a\r\nb\rc"), (std::vector<std::string>{"a", "b", "c"}));
  const Rect work{0, 0, 800, 570};
  EXPECT_EQ(HintPosition(100, 100, 50, 30, work), (Point{100, 125}));
  EXPECT_EQ(HintPosition(780, 100, 50, 30, work), (Point{720, 125}));
  EXPECT_EQ(HintPosition(100, 550, 50, 30, work), (Point{100, 510}));
  EXPECT_EQ(HintPosition(-40, -40, 50, 30, work), (Point{1, 1}));
}
