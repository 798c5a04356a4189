// The frame's painted caption, read back from the window's own pixels.
#include "harness.h"

#include <cstdlib>
#include <memory>
#include <set>

#include "Wordcap.h"
#include "core/caption/caption.h"

using harness::FrameTest;

namespace {

namespace cap = core::caption;

class Caption : public FrameTest {
 protected:
  TMSOfficeCaption* Painter() { return frame->MSOfficeCaption1; }
  // The window's pixel at window coordinates x, y.
  COLORREF Pixel(int x, int y) {
    HDC dc = ::GetWindowDC(frame->Handle());
    COLORREF c = ::GetPixel(dc, x, y);
    ::ReleaseDC(frame->Handle(), dc);
    return c;
  }
  void Repaint() {
    ::RedrawWindow(frame->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    harness::Pump();
  }
  // The gradient's bands across the painted text area, checked on the bar's
  // top row (above the icon and the texts).
  void ExpectGradient(COLORREF from, COLORREF to) {
    const cap::Rect area = Painter()->CurrentGeometry().text;
    auto bands = cap::GradientBands(area.left, area.Width(), 64, from, to);
    ASSERT_EQ(bands.size(), 64u);
    std::set<COLORREF> seen;
    const int y = area.top;
    for (const cap::Band& b : bands) {
      if (b.x1 <= b.x0) continue;
      EXPECT_EQ(Pixel((b.x0 + b.x1) / 2, y), b.color) << "band at " << b.x0;
      seen.insert(Pixel(b.x0, y));
      seen.insert(Pixel(b.x1 - 1, y));
    }
    EXPECT_EQ(seen.size(), 64u);
  }
};

TEST_F(Caption, ActiveFrameShowsTheGradientFromGreenToTheCaptionColourAndTheThreeTexts) {
  Start();
  ::SetActiveWindow(frame->Handle());
  Repaint();
  ASSERT_TRUE(Painter()->Hooked());
  EXPECT_TRUE(Painter()->IsActive());
  EXPECT_EQ(frame->Caption(), "Tolvek's Quillon Light ");
  // The icon takes 16 + 2 pixels at the text area's left.
  cap::CaptionGeometry g = Painter()->CurrentGeometry();
  EXPECT_EQ(Painter()->LastTextArea().left, g.text.left + ::GetSystemMetrics(SM_CXSMICON) + 2);
  ExpectGradient(RGB(0, 128, 0), ::GetSysColor(COLOR_ACTIVECAPTION));
  // The right end of the bar, under the buttons, has the right colour.
  EXPECT_EQ(Pixel(g.bar.right - 1, g.bar.top), ::GetSysColor(COLOR_ACTIVECAPTION));

  // All three texts, chained from the left; the caption proper is empty.
  auto texts = Painter()->LastTexts();
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].index, 0);
  EXPECT_EQ(texts[0].x, Painter()->LastTextArea().left + 3);
  EXPECT_EQ(texts[1].index, 1);
  EXPECT_EQ(texts[2].index, 2);
  // The company text is drawn over the gradient: in its place many pixels
  // differ from the band colour of their column (the bar's top row), and
  // they come nearer the caption-text colour.
  const COLORREF text = ::GetSysColor(COLOR_CAPTIONTEXT);
  auto distance = [](COLORREF a, COLORREF b) {
    return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
           std::abs(GetBValue(a) - GetBValue(b));
  };
  int textPixels = 0;
  for (int x = texts[0].x; x < texts[1].x; ++x) {
    const COLORREF band = Pixel(x, g.bar.top);
    for (int y = g.bar.top + 1; y < g.bar.bottom; ++y) {
      const COLORREF c = Pixel(x, y);
      textPixels += c != band && distance(c, text) < distance(band, text);
    }
  }
  EXPECT_GT(textPixels, 10);
}

TEST_F(Caption, WindowTextKeepsItsThreePartsAndTheCaptionPartIsDerived) {
  Start();
  Painter()->CaptionText()->SetCaption("notes.txt");
  EXPECT_EQ(frame->Caption(), "Tolvek's Quillon Light notes.txt");
  EXPECT_EQ(Painter()->CaptionText()->Caption(), "notes.txt");
  // A new window text gives a new caption part, which the next composition keeps.
  frame->SetCaption("Tolvek's Quillon Light other.txt");
  EXPECT_EQ(Painter()->CaptionText()->Caption(), "other.txt");
  Painter()->CompanyText()->SetVisible(false);
  EXPECT_EQ(frame->Caption(), "Quillon Light other.txt");
  Repaint();
  auto texts = Painter()->LastTexts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].index, 1);
  // Any length paints what fits.
  for (const std::string& c : {std::string(), std::string(2000, 'W'), std::string(40, ' ')}) {
    Painter()->CaptionText()->SetCaption(c);
    Repaint();
    EXPECT_EQ(Painter()->CaptionText()->Caption(), c.substr(0, Painter()->CaptionText()->Caption().size()));
    EXPECT_GE(Painter()->CaptionText()->Caption().size(), std::min<size_t>(c.size(), 100u)) << frame->Caption().size();
    ASSERT_FALSE(Painter()->LastTexts().empty());
    EXPECT_LE(Painter()->LastTexts().back().x, Painter()->LastTextArea().right);
  }
}

TEST_F(Caption, NarrowFrameDropsTheCompanyFirstThenTheApplicationName) {
  Start();
  Painter()->CaptionText()->SetCaption("notes.txt");
  RECT wr{};
  ::GetWindowRect(frame->Handle(), &wr);
  std::vector<int> firsts;
  // Narrow the frame step by step; the first drawn text moves from the
  // company to the application name to the caption, never back.
  for (int width = wr.right - wr.left; width >= 60; width -= 10) {
    ::SetWindowPos(frame->Handle(), nullptr, 0, 0, width, wr.bottom - wr.top, SWP_NOMOVE | SWP_NOZORDER);
    Repaint();
    const auto& texts = Painter()->LastTexts();
    ASSERT_FALSE(texts.empty()) << width;
    EXPECT_EQ(texts.back().index, 2);
    if (firsts.empty() || firsts.back() != texts.front().index) firsts.push_back(texts.front().index);
  }
  EXPECT_EQ(firsts, (std::vector<int>{0, 1, 2}));
  // Far too narrow: still no crash, the caption alone.
  ::SetWindowPos(frame->Handle(), nullptr, 0, 0, 20, 100, SWP_NOMOVE | SWP_NOZORDER);
  Repaint();
  ASSERT_EQ(Painter()->LastTexts().size(), 1u);
}

TEST_F(Caption, InactiveFrameIsPaintedInTheInactiveColours) {
  Start();
  HWND other = ::CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 600, 600, 50, 50, nullptr,
                                 nullptr, nullptr, nullptr);
  ::SetActiveWindow(other);
  harness::Pump();
  EXPECT_FALSE(Painter()->IsActive());
  Repaint();
  ExpectGradient(RGB(0, 0, 0), ::GetSysColor(COLOR_INACTIVECAPTION));
  cap::CaptionGeometry g = Painter()->CurrentGeometry();
  EXPECT_EQ(Pixel(g.bar.right - 1, g.bar.top), ::GetSysColor(COLOR_INACTIVECAPTION));
  ::SetActiveWindow(frame->Handle());
  harness::Pump();
  EXPECT_TRUE(Painter()->IsActive());
  ::DestroyWindow(other);
}

TEST_F(Caption, RemovingThePainterLeavesTheCaptionPartAsTheWindowText) {
  Start();
  Painter()->CaptionText()->SetCaption("notes.txt");
  const LONG_PTR hooked = ::GetWindowLongPtrA(frame->Handle(), GWLP_WNDPROC);
  std::unique_ptr<tk::Component> painter = frame->Release(Painter());
  frame->MSOfficeCaption1 = nullptr;
  painter.reset();
  EXPECT_EQ(frame->Caption(), "notes.txt");
  EXPECT_NE(::GetWindowLongPtrA(frame->Handle(), GWLP_WNDPROC), hooked);
  // The frame still works: its messages reach the form again.
  frame->SetCaption("plain");
  harness::Pump();
  EXPECT_EQ(frame->Caption(), "plain");
}

// A font's cell height less its internal leading.
int CapHeight(const LOGFONTA& lf) {
  HDC dc = ::CreateCompatibleDC(nullptr);
  HFONT font = ::CreateFontIndirectA(&lf);
  HGDIOBJ old = ::SelectObject(dc, font);
  TEXTMETRICA tm{};
  ::GetTextMetricsA(dc, &tm);
  ::SelectObject(dc, old);
  ::DeleteObject(font);
  ::DeleteDC(dc);
  return tm.tmHeight - tm.tmInternalLeading;
}

TEST_F(Caption, AutomaticHeightMatchesAnyFontToTheCaptionFont) {
  Start();
  TCompanyText* part = Painter()->AppNameText();
  const int want = CapHeight(Painter()->CaptionFont());
  part->SetFontKind(fkAutoHeight);
  for (LONG height : {-40L, -6L, 30L, 0L}) {
    SCOPED_TRACE(height);
    LOGFONTA lf = Painter()->CaptionFont();
    lstrcpynA(lf.lfFaceName, "Courier New", LF_FACESIZE);
    lf.lfHeight = height;
    part->SetFont(lf);
    EXPECT_EQ(part->FontKind(), fkAutoHeight);
    EXPECT_STREQ(part->Font().lfFaceName, "Courier New");
    // Font sizes do not scale in proportion: the two steps land within a
    // pixel or two.
    EXPECT_NEAR(CapHeight(part->Font()), want, 2);
  }
  // Another font of one's own makes the kind custom and keeps its height.
  part->SetFontKind(fkCustom);
  LOGFONTA big = Painter()->CaptionFont();
  big.lfHeight = -40;
  part->SetFont(big);
  EXPECT_EQ(part->FontKind(), fkCustom);
  EXPECT_EQ(part->Font().lfHeight, -40);
  part->SetFontKind(fkSystemB);
  EXPECT_EQ(part->Font().lfHeight, Painter()->CaptionFont().lfHeight);
}

TEST_F(Caption, TheFrameStaysActiveThroughItsDocumentsAndWhenAToolWindowSaysSo) {
  Start();
  frame->New1Click();
  frame->New1Click();
  harness::Pump();
  ASSERT_EQ(frame->MDIChildCount(), 2);
  // Activating the other document leaves the frame painted active.
  ::SendMessageA(frame->ClientHandle(), WM_MDINEXT, 0, 0);
  harness::Pump();
  EXPECT_TRUE(Painter()->IsActive());
  Repaint();
  ExpectGradient(RGB(0, 0x80, 0), ::GetSysColor(COLOR_ACTIVECAPTION));

  // A floating tool window of the frame takes the activation and tells the
  // frame to draw its caption active.
  HWND tool = ::CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "tool", WS_POPUP | WS_CAPTION | WS_VISIBLE, 600,
                                600, 80, 60, frame->Handle(), nullptr, nullptr, nullptr);
  ::SetActiveWindow(tool);
  harness::Pump();
  EXPECT_FALSE(Painter()->IsActive());
  ::SendMessageA(frame->Handle(), WM_NCACTIVATE, TRUE, 0);
  EXPECT_TRUE(Painter()->IsActive());
  cap::CaptionGeometry g = Painter()->CurrentGeometry();
  EXPECT_EQ(Pixel(g.bar.right - 1, g.bar.top), ::GetSysColor(COLOR_ACTIVECAPTION));
  ::DestroyWindow(tool);
  ::SetActiveWindow(frame->Handle());
  harness::Pump();
}

// A form that can make its window anew, as a change of border style does.
class RemadeForm : public tk::Form {
 public:
  void CreateWindowNow() override {
    RegisterClassOnce("QLRemadeFormTest", 0, nullptr);
    CreateHandle(0, "QLRemadeFormTest", "", WS_OVERLAPPEDWINDOW, 40, 40, 420, 200, nullptr, nullptr);
  }
  void Remake() {
    remaking_ = true;
    ::DestroyWindow(Handle());
    remaking_ = false;
    CreateWindowNow();
    ::ShowWindow(Handle(), SW_SHOW);
  }

 protected:
  void HandleDestroyed() override {
    if (!remaking_) Form::HandleDestroyed();
  }

 private:
  bool remaking_ = false;
};

TEST(CaptionWindow, APainterHooksTheFormsNewWindowOnceTheMessageLoopRuns) {
  auto form = std::make_unique<RemadeForm>();
  form->CreateWindowNow();
  auto* painter = form->Create<TMSOfficeCaption>("Painter");
  painter->CompanyText()->SetCaption("Co");
  painter->AppNameText()->SetCaption("App");
  ::ShowWindow(form->Handle(), SW_SHOW);
  harness::Pump();
  ASSERT_TRUE(painter->Hooked());

  form->Remake();
  harness::Pump();
  ASSERT_TRUE(painter->Hooked());
  EXPECT_EQ(form->Caption(), "Co App ");  // composed on the new window
  EXPECT_EQ(painter->IsActive(), ::GetActiveWindow() == form->Handle());

  // A painter that goes before its message arrives is not touched.
  form->Remake();
  form->Release(painter).reset();
  harness::Pump();
  EXPECT_EQ(form->Caption(), "");
  ::DestroyWindow(form->Handle());
  harness::Pump();
}

}  // namespace
