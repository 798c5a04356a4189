#include "core/hint/hint.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace core::hint;

namespace {

// A mask from rows of text: '#' black, '.' white; rows not given are white.
Mask MakeMask(int height, const std::vector<std::pair<int, std::string>>& rows) {
  Mask m;
  m.width = 32;
  m.height = height;
  m.pixels.assign(32u * static_cast<size_t>(height), 1);
  for (const auto& [y, text] : rows)
    for (size_t x = 0; x < text.size(); ++x)
      if (text[x] == '#') m.pixels[static_cast<size_t>(y) * 32 + x] = 0;
  return m;
}

TEST(HintCursor, HeightBelowTheHotSpotFromTheMask) {
  // An arrow as a colour cursor (32 x 32 mask): opaque down to row 20.
  Mask arrow = MakeMask(32, {{0, "#"}, {10, "#####"}, {20, "..##"}});
  EXPECT_EQ(CursorHeightBelowHotSpot(arrow, 0), 20);

  // A monochrome I-beam: an AND image without black, drawn by its XOR image
  // (white pixels, rows 32 + 0 .. 32 + 19), hot spot row 9.
  Mask ibeam = MakeMask(64, {});
  for (int y = 32; y < 64; ++y)
    for (int x = 0; x < 32; ++x) ibeam.pixels[static_cast<size_t>(y) * 32 + x] = (y <= 32 + 19 && x == 4) ? 1 : 0;
  EXPECT_EQ(CursorHeightBelowHotSpot(ibeam, 9), 10);

  // A monochrome arrow: the AND image's black wins over the XOR image.
  Mask monoArrow = MakeMask(64, {{15, "##"}, {50, "#"}});
  EXPECT_EQ(CursorHeightBelowHotSpot(monoArrow, 2), 13);

  // Nothing drawn, an empty mask, a colour mask without black, a short
  // pixel buffer: 32, and no row past the mask is read.
  Mask blank64 = MakeMask(64, {});
  for (size_t i = 32u * 32; i < blank64.pixels.size(); ++i) blank64.pixels[i] = 0;
  EXPECT_EQ(CursorHeightBelowHotSpot(blank64, 0), 32);
  EXPECT_EQ(CursorHeightBelowHotSpot(Mask{}, 0), 32);
  EXPECT_EQ(CursorHeightBelowHotSpot(MakeMask(32, {}), 5), 32);
  Mask shortBuffer = MakeMask(32, {});
  shortBuffer.height = 64;
  EXPECT_EQ(CursorHeightBelowHotSpot(shortBuffer, 0), 32);
}

TEST(HintPlacement, BelowTheCursorAndPulledBackAtTheScreensEdges) {
  auto place = [](int mx, int my, THintStyle style, HintOwner owner) {
    Placement p;
    p.mouseX = mx;
    p.mouseY = my;
    p.cursorHeight = 20;
    p.width = 60;
    p.height = 18;
    p.screenWidth = 1280;
    p.screenHeight = 1024;
    p.style = style;
    p.owner = owner;
    p.ownerTop = 990;
    return PlaceHint(p);
  };
  struct Case {
    int mx, my;
    THintStyle style;
    HintOwner owner;
    Point at;
  } cases[] = {
      {100, 200, hsFlat, HintOwner::Control, {100, 220}},
      {1250, 200, hsFlat, HintOwner::Control, {1220, 220}},  // right edge
      {1280, 200, hsFlat, HintOwner::Control, {1220, 220}},
      {100, 1000, hsFlat, HintOwner::Control, {100, 990 - 18}},   // above the control
      {100, 1000, hsOffice97, HintOwner::Control, {100, 980}},    // above the mouse
      {100, 1000, hsWindows95, HintOwner::Form, {100, 980}},
      {100, 1000, hsFlat, HintOwner::None, {100, 980}},
      {100, 986, hsFlat, HintOwner::Control, {100, 1006}},  // bottom exactly on the edge
      {1275, 1020, hsFlat, HintOwner::Control, {1220, 972}},
  };
  for (const Case& c : cases) {
    Point at = place(c.mx, c.my, c.style, c.owner);
    EXPECT_EQ(at, c.at) << c.mx << "," << c.my << " style " << int(c.style);
  }
  // Wider than the screen or above its top: kept at the origin.
  Placement wide;
  wide.width = 2000;
  wide.height = 50;
  wide.screenWidth = 1280;
  wide.screenHeight = 40;
  wide.style = hsOffice97;
  EXPECT_EQ(PlaceHint(wide), (Point{0, 0}));
}

TEST(HintStyleMargins, PerStyle) {
  EXPECT_EQ(HintMargins(hsFlat).width, 6);
  EXPECT_EQ(HintMargins(hsFlat).height, 4);
  EXPECT_EQ(HintMargins(hsOffice97).height, 6);
  EXPECT_EQ(HintMargins(hsWindows95).width, 8);
}

TEST(HintFont, TheOfficeStyleTakesTahomaForMsSansSerifWhereItIsInstalled) {
  struct Case {
    const char* status;
    THintStyle style;
    bool tahoma;
    const char* face;
  } cases[] = {
      {"MS Sans Serif", hsOffice97, true, "Tahoma"},
      {"MS Sans Serif", hsOffice97, false, "MS Sans Serif"},
      {"MS Sans Serif", hsFlat, true, "MS Sans Serif"},
      {"MS Sans Serif", hsWindows95, true, "MS Sans Serif"},
      {"Arial", hsOffice97, true, "Arial"},
      {"ms sans serif", hsOffice97, true, "ms sans serif"},
  };
  for (const Case& c : cases) EXPECT_EQ(HintFace(c.status, c.style, c.tahoma), c.face) << c.status;
}

}  // namespace
