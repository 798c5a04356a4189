#include "core/tb97/glyphimages.h"

#include <gtest/gtest.h>

namespace {

using namespace core::tb97;

constexpr std::uint32_t kKey = 0xFF00FF;  // magenta background
const DisabledColours kColours{0x111111, 0x222222, 0x333333};

// A strip of `n` 4 x 3 images: image i is filled with colour 0x10 + i, its
// bottom-left pixel the key.
PixelImage Strip(int n) {
  PixelImage s(4 * n, 3, 0);
  for (int i = 0; i < n; ++i)
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 4; ++x) s.At(i * 4 + x, y) = 0x10u + static_cast<std::uint32_t>(i);
  for (int i = 0; i < n; ++i) s.At(i * 4, 2) = kKey;
  return s;
}

TEST(GlyphImages, EachStateShowsItsOwnImageOrTheFirst) {
  struct Case {
    ButtonState state;
    int numGlyphs;
    int want;
  };
  const Case cases[] = {
      {ButtonState::Up, 1, 0},        {ButtonState::Hot, 1, 0},       {ButtonState::Disabled, 1, -1},
      {ButtonState::Disabled, 2, 1},  {ButtonState::Down, 2, 0},      {ButtonState::Down, 3, 2},
      {ButtonState::Exclusive, 3, 0}, {ButtonState::Exclusive, 4, 3}, {ButtonState::Hot, 4, 0},
      {ButtonState::Hot, 5, 4},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GlyphImageIndex(c.state, c.numGlyphs), c.want)
        << static_cast<int>(c.state) << " of " << c.numGlyphs;
  }
  const PixelImage strip = Strip(4);
  GlyphSource g{&strip, nullptr, 4, BottomLeftPixel(strip), false};
  EXPECT_EQ(g.transparent, kKey);
  EXPECT_EQ(GlyphImageWidth(g), 4);
  for (ButtonState s : {ButtonState::Up, ButtonState::Down, ButtonState::Exclusive, ButtonState::Hot}) {
    const MaskedImage m = StateImage(g, s, kColours);
    ASSERT_EQ(m.image.width, 4);
    const int i = GlyphImageIndex(s, 4);
    EXPECT_EQ(m.image.At(1, 1), 0x10u + static_cast<std::uint32_t>(i)) << static_cast<int>(s);
    EXPECT_TRUE(m.Transparent(0, 2));
    EXPECT_FALSE(m.Transparent(1, 2));
  }
}

TEST(GlyphImages, AMaskDecidesTransparencyInsteadOfTheKeyColour) {
  const PixelImage strip = Strip(2);
  PixelImage mask(8, 3, kWhite);  // black = glyph: only (5, 0) of the second image
  mask.At(5, 0) = 0;
  GlyphSource g{&strip, &mask, 2, kKey, false};
  const MaskedImage own = StateImage(g, ButtonState::Disabled, kColours);
  EXPECT_FALSE(own.Transparent(1, 0));
  EXPECT_TRUE(own.Transparent(1, 1));
  EXPECT_TRUE(own.Transparent(0, 2));
  const MaskedImage up = StateImage(g, ButtonState::Up, kColours);
  EXPECT_TRUE(up.Transparent(1, 0));  // the first image has no black mask pixel
}

TEST(GlyphImages, AnOwnDisabledImageMapsWhiteAndGreyToTheSystemColours) {
  PixelImage strip = Strip(2);
  strip.At(4 + 1, 0) = kWhite;
  strip.At(4 + 2, 0) = 0x808080;
  GlyphSource g{&strip, nullptr, 2, kKey, false};
  const MaskedImage m = StateImage(g, ButtonState::Disabled, kColours);
  ASSERT_EQ(m.image.width, 5);
  ASSERT_EQ(m.image.height, 4);
  EXPECT_EQ(m.image.At(1, 0), kColours.highlight);
  EXPECT_EQ(m.image.At(2, 0), kColours.shadow);
  EXPECT_EQ(m.image.At(3, 0), 0x11u);
  EXPECT_TRUE(m.Transparent(0, 2));  // the key
  for (int i = 0; i < 4; ++i) {
    EXPECT_TRUE(m.Transparent(4, i));  // the added column
    EXPECT_TRUE(m.Transparent(i, 3));  // and row
  }
}

TEST(GlyphImages, TheGeneratedDisabledImageEmbossesTheShapeAndTheStylesDifferOnWhite) {
  PixelImage strip(3, 2, kKey);
  strip.At(0, 0) = 0x000080;
  strip.At(1, 0) = kWhite;
  for (bool old : {false, true}) {
    SCOPED_TRACE(old ? "old style" : "new style");
    GlyphSource g{&strip, nullptr, 1, kKey, old};
    const MaskedImage m = StateImage(g, ButtonState::Disabled, kColours);
    ASSERT_EQ(m.image.width, 4);
    ASSERT_EQ(m.image.height, 3);
    EXPECT_EQ(m.image.At(0, 0), kColours.shadow);
    EXPECT_EQ(m.image.At(1, 1), kColours.highlight);  // the dark pixel's highlight below right
    EXPECT_EQ(m.image.At(1, 0), old ? kColours.shadow : kColours.face);  // the white pixel
    EXPECT_EQ(m.image.At(2, 1), old ? kColours.highlight : kColours.face);
    EXPECT_TRUE(m.Transparent(3, 2));
    EXPECT_FALSE(m.Transparent(0, 0));
  }
}

TEST(GlyphImages, TheDitherAlternatesHighlightAndFace) {
  EXPECT_EQ(DitherPixel(0, 0, 1, 2), 2u);
  EXPECT_EQ(DitherPixel(1, 1, 1, 2), 2u);
  EXPECT_EQ(DitherPixel(1, 0, 1, 2), 1u);
  EXPECT_EQ(DitherPixel(6, 7, 1, 2), 1u);
}

TEST(GlyphImages, ADropdownMenuOpensBesideTheButtonAwayFromItsDock) {
  const Rect b{10, 20, 33, 42};
  struct Case {
    bool docked;
    DockPosition dock;
    MenuPlacement want;
  };
  const Case cases[] = {
      {false, DockPosition::Left, {{10, 42}, MenuAlign::Left}},
      {true, DockPosition::Top, {{10, 42}, MenuAlign::Left}},
      {true, DockPosition::Bottom, {{10, 42}, MenuAlign::Left}},
      {true, DockPosition::Left, {{33, 20}, MenuAlign::Left}},
      {true, DockPosition::Right, {{10, 20}, MenuAlign::Right}},
  };
  for (const Case& c : cases) EXPECT_EQ(DropdownMenuPlacement(b, c.docked, c.dock), c.want) << static_cast<int>(c.dock);
}

}  // namespace
