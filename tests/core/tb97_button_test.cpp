#include "core/tb97/buttonlayout.h"
#include "core/tb97/disabledglyph.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

using namespace core::tb97;

ButtonContent Content(Size client, Size glyph, Size caption, ButtonLayout layout = ButtonLayout::GlyphLeft,
                      int margin = -1, int spacing = 4, bool arrow = false) {
  ButtonContent c;
  c.client = client;
  c.glyph = glyph;
  c.caption = caption;
  c.layout = layout;
  c.margin = margin;
  c.spacing = spacing;
  c.arrow = arrow;
  return c;
}

struct ContentCase {
  const char* name;
  ButtonContent content;
  ButtonParts want;
};

class ButtonContentTable : public testing::TestWithParam<ContentCase> {};

TEST_P(ButtonContentTable, PlacesGlyphCaptionAndArrow) {
  const ContentCase& c = GetParam();
  const ButtonParts p = LayoutButtonContent(c.content);
  // Only the parts that are drawn have a place.
  if (c.content.glyph.cx > 0) {
    EXPECT_EQ(p.glyph, c.want.glyph);
  }
  if (c.content.caption.cx > 0) {
    EXPECT_EQ(p.caption, c.want.caption);
  }
  if (c.content.arrow) {
    EXPECT_EQ(p.arrow, c.want.arrow);
  }
}

const Size kGlyph{16, 16};
const Size kText{30, 13};

INSTANTIATE_TEST_SUITE_P(
    Cases, ButtonContentTable,
    testing::Values(
        // The frame's buttons: 23 x 22, flat, content 21 x 20, glyph only.
        ContentCase{"GlyphOnlyIsCentred", Content({21, 20}, kGlyph, {}), {{3, 2}, {19, 4}, {19, 2}}},
        ContentCase{"CentredGlyphAndCaption", Content({60, 20}, kGlyph, kText), {{5, 2}, {25, 4}, {55, 2}}},
        ContentCase{"SpreadMarginAndSpacing", Content({60, 20}, kGlyph, kText, ButtonLayout::GlyphLeft, -1, -1),
                    {{4, 2}, {24, 4}, {54, 2}}},
        ContentCase{"SpreadSpacingOnly", Content({60, 20}, kGlyph, kText, ButtonLayout::GlyphLeft, 2, -1),
                    {{2, 2}, {24, 4}, {54, 2}}},
        ContentCase{"GlyphRightWithArrow",
                    Content({60, 20}, kGlyph, kText, ButtonLayout::GlyphRight, -1, 4, true),
                    {{34, 2}, {0, 4}, {50, 8}}},
        ContentCase{"GlyphTop", Content({40, 40}, kGlyph, kText, ButtonLayout::GlyphTop), {{12, 4}, {5, 24}, {0, 10}}},
        ContentCase{"GlyphTopArrowFollowsTheGlyph",
                    Content({40, 40}, kGlyph, kText, ButtonLayout::GlyphTop, -1, 4, true),
                    {{8, 4}, {5, 24}, {24, 10}}},
        ContentCase{"GlyphBottom", Content({40, 40}, kGlyph, kText, ButtonLayout::GlyphBottom, 3),
                    {{12, 21}, {5, 4}, {0, 27}}},
        ContentCase{"BottomWithoutGlyphFallsBackToLeft",
                    Content({60, 20}, {}, kText, ButtonLayout::GlyphBottom), {{15, 0}, {15, 4}, {45, 9}}}),
    [](const testing::TestParamInfo<ContentCase>& i) { return i.param.name; });

TEST(CaptionMeasureWidth, NarrowedForArrowAndWordWrap) {
  ButtonContent c = Content({60, 20}, kGlyph, {}, ButtonLayout::GlyphLeft, -1, 4, true);
  EXPECT_EQ(CaptionMeasureWidth(c), 51);
  c.arrow = false;
  c.wordWrap = true;
  EXPECT_EQ(CaptionMeasureWidth(c), 60 - 20 - 8);  // glyph + spacing, twice the spacing for the margin
  c.margin = 3;
  EXPECT_EQ(CaptionMeasureWidth(c), 60 - 20 - 6);
  c.margin = c.spacing = -1;
  EXPECT_EQ(CaptionMeasureWidth(c), 60 - 20 - 8);
  c.layout = ButtonLayout::GlyphTop;
  c.arrow = true;
  EXPECT_EQ(CaptionMeasureWidth(c), 52);  // vertical: the arrow does not narrow it
}

TEST(ButtonContentRect, BorderAndComboPart) {
  EXPECT_EQ(ButtonContentRect({23, 22}, true, false, false), (Rect{1, 1, 22, 21}));
  EXPECT_EQ(ButtonContentRect({23, 22}, false, false, false), (Rect{2, 2, 21, 20}));
  EXPECT_EQ(ButtonContentRect({23, 22}, true, true, false), (Rect{0, 0, 23, 22}));
  EXPECT_EQ(ButtonContentRect({34, 22}, true, false, true), (Rect{1, 1, 22, 21}));
  EXPECT_EQ(ButtonContentRect({34, 22}, true, true, true), (Rect{0, 0, 23, 22}));
}

TEST(NumGlyphsFor, ImagesSideBySide) {
  const struct {
    Size glyph;
    std::optional<int> want;
  } cases[] = {{{64, 16}, 4}, {{80, 16}, 5}, {{96, 16}, 1}, {{16, 16}, 1}, {{20, 16}, 1}, {{0, 0}, std::nullopt},
               {{16, 0}, std::nullopt}};
  for (const auto& c : cases) EXPECT_EQ(NumGlyphsFor(c.glyph), c.want) << c.glyph.cx << " x " << c.glyph.cy;
}

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kMagenta = 0xFF00FF;

// 3 x 2: black white red / magenta silver black; magenta is transparent.
PixelImage Glyph() {
  PixelImage g(3, 2, 0);
  g.pixels = {kBlack, kWhite, kRed, kMagenta, kSilver, kBlack};
  return g;
}

TEST(DisabledShape, BackgroundByStyleAndMask) {
  const PixelImage g = Glyph();
  PixelImage mask(3, 2, kWhite);
  mask.At(0, 0) = kBlack;
  mask.At(1, 0) = kBlack;  // over a white glyph pixel: still background in the new style
  PixelImage small(1, 1, kBlack);
  const struct {
    const char* name;
    const PixelImage* mask;
    DisabledStyle style;
    std::vector<bool> want;
  } cases[] = {
      {"new", nullptr, {}, {true, false, true, false, false, true}},
      {"new, mask", &mask, {}, {true, false, false, false, false, false}},
      {"new, smaller mask", &small, {}, {true, false, false, false, false, false}},
      {"old", nullptr, {true, kWhite}, {true, false, true, true, true, true}},
      {"old, mask", &mask, {true, kWhite}, {true, false, false, false, false, false}},
      {"old, magenta background", nullptr, {true, kMagenta}, {true, true, true, false, true, true}},
  };
  for (const auto& c : cases) EXPECT_EQ(DisabledShape(g, c.mask, kMagenta, c.style), c.want) << c.name;
}

TEST(GenerateDisabledGlyph, HighlightBelowRightThenShadowOnFace) {
  const DisabledColours k{1, 2, 3};  // face, highlight, shadow
  const PixelImage out = GenerateDisabledGlyph(Glyph(), nullptr, kMagenta, {}, k);
  ASSERT_EQ(out.width, 4);
  ASSERT_EQ(out.height, 3);
  EXPECT_EQ(out.pixels, (std::vector<std::uint32_t>{3, 1, 3, 1,  //
                                                    1, 2, 3, 2,  //
                                                    1, 1, 1, 2}));
}

}  // namespace
