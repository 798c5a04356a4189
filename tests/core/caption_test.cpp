#include "core/caption/caption.h"

#include <gtest/gtest.h>

#include <string>

using namespace core::caption;

namespace {

const TextPart kCompany{"Tolvek's", true};
const TextPart kApp{"Quillon Light", true};

TEST(CaptionText, ComposesTheVisiblePartsWithBlanksBetween) {
  struct Case {
    TextPart company, app, caption;
    const char* text;
  } cases[] = {
      {kCompany, kApp, {"", true}, "Tolvek's Quillon Light "},
      {kCompany, kApp, {"notes.txt", true}, "Tolvek's Quillon Light notes.txt"},
      {{"Tolvek's", false}, kApp, {"notes.txt", true}, "Quillon Light notes.txt"},
      {kCompany, {"Quillon Light", false}, {"a", true}, "Tolvek's a"},
      {kCompany, kApp, {"a", false}, "Tolvek's Quillon Light"},
      {{"", true}, kApp, {"a", true}, "Quillon Light a"},
      {kCompany, {"", true}, {"a", true}, "Tolvek's a"},
      {{"", true}, {"", true}, {"", true}, ""},
      {kCompany, {"x", false}, {"y", false}, "Tolvek's"},
  };
  for (const Case& c : cases) EXPECT_EQ(ComposeWindowText(c.company, c.app, c.caption), c.text) << c.text;
}

TEST(CaptionText, DerivesTheCaptionPartFromTheWindowText) {
  struct Case {
    std::string text;
    TextPart company, app;
    std::string caption;
  } cases[] = {
      {"Tolvek's Quillon Light notes.txt", kCompany, kApp, "notes.txt"},
      {"Tolvek's Quillon Light ", kCompany, kApp, ""},
      {"Quillon Light notes.txt", {"Tolvek's", false}, kApp, "notes.txt"},
      // A company text that is not in the window text leaves it whole.
      {"Quillon Light  two blanks", kCompany, kApp, " two blanks"},
      {"plain title", kCompany, kApp, "plain title"},
      // Only the first occurrence goes.
      {"Tolvek's Quillon Light Quillon Light.txt", kCompany, kApp, "Quillon Light.txt"},
      {"", kCompany, kApp, ""},
      {"   ", kCompany, kApp, "   "},
      {"Tolvek's", kCompany, kApp, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(DeriveCaption(c.text, c.company, c.app), c.caption) << c.text;
  // Round trip with a long caption.
  TextPart longCaption{std::string(2000, 'x'), true};
  EXPECT_EQ(DeriveCaption(ComposeWindowText(kCompany, kApp, longCaption), kCompany, kApp), longCaption.caption);
}

TEST(CaptionGradient, WhenDrawnFollowsModeActivationAndColourDepth) {
  struct Case {
    TGradientEnabled when;
    bool active;
    int bpp;
    bool gradient;
  } cases[] = {
      {geAlways, false, 4, true},    {geNever, true, 32, false},   {geWhenActive, true, 4, true},
      {geWhenActive, false, 32, false}, {geSmart, true, 8, true},  {geSmart, false, 8, false},
      {geSmart, false, 16, true},    {geSmart, true, 4, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(UseGradient(c.when, c.active, c.bpp), c.gradient) << c.when << " " << c.active << " " << c.bpp;
}

TEST(CaptionGradient, NumColorsIgnoresNonPositiveAndCapsAt256) {
  EXPECT_EQ(ClampNumColors(64, 0), 64);
  EXPECT_EQ(ClampNumColors(64, -5), 64);
  EXPECT_EQ(ClampNumColors(64, 1), 1);
  EXPECT_EQ(ClampNumColors(64, 256), 256);
  EXPECT_EQ(ClampNumColors(64, 100000), 256);
}

TEST(CaptionGradient, BandsCoverTheAreaAndRunFromLeftToRightColour) {
  const RGB green = 0x008000, blue = 0x800000;  // 0x00BBGGRR
  // One band: the left colour over the whole area.
  EXPECT_EQ(GradientBands(10, 300, 1, green, blue), (std::vector<Band>{{10, 310, green}}));

  for (int n : {64, 256}) {
    for (int width : {300, 37, 1000}) {
      auto bands = GradientBands(5, width, n, green, blue);
      ASSERT_EQ(bands.size(), static_cast<size_t>(n));
      EXPECT_EQ(bands.front().x0, 5);
      EXPECT_EQ(bands.back().x1, 5 + width);
      for (size_t i = 1; i < bands.size(); ++i) EXPECT_EQ(bands[i].x0, bands[i - 1].x1);
      EXPECT_EQ(bands.front().color, green);
      EXPECT_EQ(bands.back().color, blue);
    }
  }
  // 64 bands over 640 pixels: ten each; band 32 is (0x80 * 32 / 63) of the way.
  auto bands = GradientBands(0, 640, 64, green, blue);
  EXPECT_EQ(bands[1], (Band{10, 20, 0x027E00}));
  EXPECT_EQ(bands[32], (Band{320, 330, (0x80u * 32 / 63) << 16 | (0x80u - 0x80u * 32 / 63) << 8}));
  // Boundaries round: 100 pixels in 64 bands.
  bands = GradientBands(0, 100, 64, 0, 0xFFFFFF);
  EXPECT_EQ(bands[0].x1, 2);   // 1.5625 -> 2
  EXPECT_EQ(bands[1].x1, 3);   // 3.125 -> 3
  EXPECT_EQ(bands[63].color, 0xFFFFFFu);
  // Falling channels.
  EXPECT_EQ(GradientBands(0, 2, 2, 0xFFFFFF, 0)[1].color, 0u);
}

TEST(CaptionGeometry, BarTextAreaAndButtonsOfTheFrames) {
  Metrics m;  // the values measured under Wine
  FrameInfo f;
  f.width = 537;
  f.height = 393;
  CaptionGeometry g = Geometry(f, m);
  ASSERT_TRUE(g.painted);
  EXPECT_EQ(g.bar, (Rect{4, 4, 533, 22}));
  EXPECT_EQ(g.buttons, (Buttons{true, true, true, false}));
  EXPECT_EQ(g.text, (Rect{4, 4, 533 - 20 - 18 - 18, 22}));
  EXPECT_EQ(g.close, (Rect{515, 6, 531, 20}));
  EXPECT_EQ(g.maximize, (Rect{497, 6, 513, 20}));
  EXPECT_EQ(g.minimize, (Rect{481, 6, 497, 20}));

  FrameInfo tool = f;
  tool.border = Border::ToolWindow;
  g = Geometry(tool, m);
  EXPECT_EQ(g.bar, (Rect{3, 3, 534, 18}));
  EXPECT_EQ(g.buttons, (Buttons{true, false, false, false}));
  EXPECT_EQ(g.text.right, 534 - 18);

  FrameInfo dialog = f;
  dialog.border = Border::Dialog;
  dialog.minimizeBox = dialog.maximizeBox = false;
  dialog.helpBox = true;
  EXPECT_EQ(Geometry(dialog, m).buttons, (Buttons{true, false, false, true}));

  FrameInfo noMenu = f;
  noMenu.systemMenu = false;
  EXPECT_EQ(Geometry(noMenu, m).text, Geometry(noMenu, m).bar);

  FrameInfo old = f;
  old.newLook = false;
  old.maximizeBox = false;
  g = Geometry(old, m);
  EXPECT_EQ(g.buttons, (Buttons{false, false, true, false}));
  EXPECT_EQ(g.text, (Rect{4 + 18, 4, 533 - 18, 22}));

  FrameInfo none = f;
  none.border = Border::None;
  EXPECT_FALSE(Geometry(none, m).painted);

  // Too narrow for anything: the text area keeps 2 pixels.
  FrameInfo narrow = f;
  narrow.width = 30;
  g = Geometry(narrow, m);
  EXPECT_EQ(g.text.Width(), 2);
}

TEST(CaptionTexts, ANarrowingCaptionDropsTheCompanyFirstThenTheApplicationName) {
  // Text widths 50, 80, 100: all three need 239 pixels, the last two 186.
  PartWidth parts[3] = {{50}, {80}, {100}};
  struct Case {
    int area, fitting;
  } cases[] = {{239, 3}, {238, 2}, {186, 2}, {185, 1}, {2, 1}, {0, 1}};
  for (const Case& c : cases) EXPECT_EQ(FittingParts(parts, c.area), c.fitting) << c.area;

  PartWidth hiddenCompany[3] = {{50, false}, {80}, {100}};
  EXPECT_EQ(FittingParts(hiddenCompany, 186), 3);
}

TEST(CaptionTexts, LayoutJustifiesAndChainsTheDrawnTexts) {
  PartWidth parts[3] = {{50}, {80}, {100}};
  using V = std::vector<DrawnPart>;
  EXPECT_EQ(LayoutTexts(parts, 20, 420, jAuto, true), (V{{0, 23, 420}, {1, 76, 420}, {2, 159, 420}}));
  // Centred (jAuto with the older look): 400 - 239 leaves 161, 80 before.
  EXPECT_EQ(LayoutTexts(parts, 20, 420, jAuto, false).front().x, 20 + 80 + 3);
  EXPECT_EQ(LayoutTexts(parts, 20, 420, jRight, true).back().x, 420 - 103 + 3);
  // Too narrow for even the caption: it starts at the left and is cut.
  EXPECT_EQ(LayoutTexts(parts, 20, 70, jRight, true), (V{{2, 23, 70}}));
  EXPECT_EQ(LayoutTexts(parts, 20, 22, jCenter, true), (V{{2, 22, 22}}));
  // An empty company is not drawn; an empty caption is.
  PartWidth empties[3] = {{0, true, true}, {80}, {0, true, true}};
  EXPECT_EQ(LayoutTexts(empties, 0, 400, jLeft, true), (V{{1, 3, 400}, {2, 86, 400}}));
  PartWidth hidden[3] = {{50, false}, {80}, {100, false}};
  EXPECT_EQ(LayoutTexts(hidden, 0, 400, jLeft, true), (V{{1, 3, 400}}));
}

}  // namespace
