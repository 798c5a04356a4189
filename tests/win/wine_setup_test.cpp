// The test prefix is set up as a user's Windows would be: the fonts that the
// caption buttons and the dialogs draw with exist as themselves, not as a
// fallback face (without Marlett the caption buttons show "0 1 r").
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::string FaceChosenFor(const char* face) {
  LOGFONTA lf{};
  lf.lfHeight = -12;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(lf.lfFaceName, face, LF_FACESIZE);
  HFONT font = ::CreateFontIndirectA(&lf);
  HDC dc = ::CreateCompatibleDC(nullptr);
  HGDIOBJ old = ::SelectObject(dc, font);
  char chosen[LF_FACESIZE] = {};
  ::GetTextFaceA(dc, LF_FACESIZE, chosen);
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  ::DeleteObject(font);
  return chosen;
}

TEST(WineSetup, TheSystemFacesArePresentAsThemselves) {
  for (const char* face : {"Marlett", "Tahoma", "MS Sans Serif"}) {
    SCOPED_TRACE(face);
    EXPECT_EQ(FaceChosenFor(face), face);
  }
}

}  // namespace
