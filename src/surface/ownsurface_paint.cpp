// The own surface's look: the font's widths and painting the visible rows.
#include <algorithm>
#include <vector>

#include "surface/ownsurface.h"

namespace own {

namespace {

// Bytes without a character of their own on the screen.
bool IsControlByte(int b) { return b < 0x20 || b == 0x7F; }

}  // namespace

COLORREF OwnSurface::BackColor() const { return tk::ColorToRGB(background_, core::ColorUse::Background); }

COLORREF OwnSurface::TextColor() const { return tk::ColorToRGB(font_.Color(), core::ColorUse::Text); }

int OwnSurface::ClientWidth() const {
  RECT rc{};
  if (hwnd()) ::GetClientRect(hwnd(), &rc);
  return std::max<int>(rc.right - kMargin, 1);
}

int OwnSurface::VisibleRows() const {
  RECT rc{};
  if (hwnd()) ::GetClientRect(hwnd(), &rc);
  return std::max<int>(rc.bottom / std::max(rowHeight_, 1), 1);
}

void OwnSurface::MakeMetrics() {
  HDC dc = ::GetDC(hwnd());
  HGDIOBJ old = ::SelectObject(dc, font_.Handle());
  TEXTMETRICW tm{};
  ::GetTextMetricsW(dc, &tm);
  rowHeight_ = std::max<int>(tm.tmHeight, 1);
  averageWidth_ = std::max<int>(tm.tmAveCharWidth, 1);
  const ByteTable& table = ByteTable::Get();
  core::TextMetrics m;
  for (int b = 0; b < 256; ++b) {
    const wchar_t w = table.wide[static_cast<std::size_t>(b)];
    bool box = IsControlByte(b) || w == 0;
    if (!box) {
      WORD glyph = 0;
      if (::GetGlyphIndicesW(dc, &w, 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS) == 1 && glyph == 0xFFFF) box = true;
      // The C1 range stands for bytes the code page leaves undefined.
      if (w >= 0x80 && w < 0xA0) box = true;
    }
    INT width = 0;
    if (box || !::GetCharWidth32W(dc, w, w, &width) || width <= 0) width = averageWidth_;
    box_[static_cast<std::size_t>(b)] = box;
    m.widths[static_cast<std::size_t>(b)] = width;
  }
  ::SelectObject(dc, old);
  ::ReleaseDC(hwnd(), dc);
  m.tabWidth = core::TabStopWidth(averageWidth_);
  m.wrapWidth = wrap_ ? std::max(ClientWidth() - 1, averageWidth_) : 0;
  const bool sameLayout = m.widths == layout_.Metrics().widths && m.tabWidth == layout_.Metrics().tabWidth &&
                          m.wrapWidth == layout_.Metrics().wrapWidth;
  if (!sameLayout) {
    layout_.SetMetrics(m);
    widestSeen_ = 0;
    StartMeasuring();
  }
}

void OwnSurface::Paint(HDC dc, const RECT& clip) {
  RECT rc{};
  ::GetClientRect(hwnd(), &rc);
  HGDIOBJ oldFont = ::SelectObject(dc, font_.Handle());
  ::SetBkMode(dc, TRANSPARENT);
  tk::OwnedBrush back(::CreateSolidBrush(BackColor()));
  RECT margin{0, clip.top, kMargin, clip.bottom};
  ::FillRect(dc, &margin, back.get());
  core::RowRef r = top_;
  int y = 0;
  bool more = true;
  for (; more && y < rc.bottom; y += rowHeight_) {
    if (y + rowHeight_ > clip.top && y < clip.bottom) PaintRow(dc, r, y, rc.right);
    TextPos moved = 0;
    r = layout_.Step(r, 1, &moved);
    more = moved != 0;
  }
  if (y < clip.bottom) {
    RECT rest{0, y, rc.right, clip.bottom};
    ::FillRect(dc, &rest, back.get());
  }
  ::SelectObject(dc, oldFont);
}

void OwnSurface::PaintRow(HDC dc, core::RowRef r, int y, int width) {
  const auto [start, end] = layout_.RowSpan(r);
  const core::TextMetrics& m = layout_.Metrics();
  const ByteTable& table = ByteTable::Get();
  // Skip what lies left of the window: only the visible columns of a long
  // line are looked at.
  std::int64_t x = 0;
  const TextPos first = hscroll_ > 0 ? layout_.FirstVisible(r, hscroll_, &x) : start;
  const std::int64_t firstX = x;
  const std::int64_t right = hscroll_ + width;
  std::wstring text;
  std::vector<INT> dx;
  std::vector<bool> boxes;
  TextPos last = first;
  model_.ForEachSegment(first, end, [&](std::string_view s) {
    for (char ch : s) {
      if (x >= right) return false;
      const auto c = static_cast<unsigned char>(ch);
      const std::int64_t next = m.Advance(c, static_cast<int>(x));
      const bool box = c != '\t' && box_[c];
      text += c == '\t' || box ? L' ' : table.wide[c];
      dx.push_back(static_cast<INT>(next - x));
      boxes.push_back(box);
      x = next;
      ++last;
    }
    return true;
  });
  // Rows of lines without a line end of their own are measured for the
  // horizontal bar only when they are short; a long one counts by its length.
  if (!wrap_) {
    const std::int64_t rowWidth = last == end ? x : std::max<std::int64_t>(x, (end - start) * averageWidth_);
    widestSeen_ = std::max(widestSeen_, rowWidth);
  }

  tk::OwnedBrush back(::CreateSolidBrush(BackColor()));
  RECT row{kMargin, y, width, y + rowHeight_};
  ::FillRect(dc, &row, back.get());

  const TextPos selFrom = SelStart(), selTo = SelStart() + SelLength();
  const COLORREF selBack = ::GetSysColor(focused_ ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
  const COLORREF selText = focused_ ? ::GetSysColor(COLOR_HIGHLIGHTTEXT) : TextColor();
  const int left = kMargin + static_cast<int>(firstX - hscroll_);
  // Screen x of the gap before index i of the visible text.
  std::vector<int> gapX(dx.size() + 1, left);
  for (std::size_t i = 0; i < dx.size(); ++i) gapX[i + 1] = gapX[i] + dx[i];

  const auto index = [&](TextPos pos) {
    return static_cast<std::size_t>(std::clamp<TextPos>(pos - first, 0, last - first));
  };
  const std::size_t s0 = index(selFrom), s1 = index(selTo);
  if (s1 > s0) {
    tk::OwnedBrush sel(::CreateSolidBrush(selBack));
    RECT band{gapX[s0], y, gapX[s1], y + rowHeight_};
    ::FillRect(dc, &band, sel.get());
  }
  // A selected line end shows as a band of one average width.
  const bool lastRowOfLine = !wrap_ || r.row + 1 >= layout_.RowsOf(r.line);
  if (lastRowOfLine && last == end && end < model_.Length() && selFrom <= end && selTo > end) {
    tk::OwnedBrush sel(::CreateSolidBrush(selBack));
    RECT band{gapX.back(), y, gapX.back() + averageWidth_, y + rowHeight_};
    ::FillRect(dc, &band, sel.get());
  }
  const auto draw = [&](std::size_t from, std::size_t to, COLORREF color) {
    if (to <= from) return;
    ::SetTextColor(dc, color);
    ::ExtTextOutW(dc, gapX[from], y, 0, nullptr, text.data() + from, static_cast<UINT>(to - from), dx.data() + from);
    tk::OwnedBrush frame(::CreateSolidBrush(color));
    for (std::size_t i = from; i < to; ++i)
      if (boxes[i]) {
        RECT box{gapX[i] + 1, y + rowHeight_ / 5, gapX[i + 1] - 1, y + rowHeight_ - rowHeight_ / 5};
        ::FrameRect(dc, &box, frame.get());
      }
  };
  draw(0, s0, TextColor());
  draw(s0, s1, selText);
  draw(s1, text.size(), TextColor());
}

bool OwnSurface::PointOf(std::int64_t pos, POINT* at) {
  const int row = ScreenRowOf(layout_.RowOf(pos));
  if (row < 0) return false;
  at->x = kMargin + static_cast<int>(layout_.XOfPos(pos) - hscroll_);
  at->y = row * rowHeight_;
  return true;
}

void OwnSurface::PlaceCaret() {
  if (!hwnd() || !focused_) return;
  POINT at{};
  if (!PointOf(caret_, &at)) at = {-100, -100};
  ::SetCaretPos(at.x, at.y);
}

}  // namespace own
