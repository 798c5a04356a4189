#include "Hint95.h"

#include <algorithm>
#include <vector>

#include "toolkit/application.h"
#include "toolkit/form.h"

namespace {

const char kHintClass[] = "THintWindow95";
const char kNotifierClass[] = "THint95Notifier";
enum : UINT_PTR { kShowTimer = 1, kHideTimer = 2, kPollTimer = 3 };
const UINT kPollMs = 100;

HWND gHintControl = nullptr;

// The cursor's mask image as one byte a pixel.
core::hint::Mask CursorMask(HBITMAP maskBitmap) {
  core::hint::Mask mask;
  BITMAP bm{};
  if (!maskBitmap || !::GetObjectA(maskBitmap, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return mask;
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colors[2];
  } info{};
  info.header.biSize = sizeof info.header;
  info.header.biWidth = bm.bmWidth;
  info.header.biHeight = -bm.bmHeight;  // top row first
  info.header.biPlanes = 1;
  info.header.biBitCount = 1;
  info.header.biCompression = BI_RGB;
  const int stride = ((bm.bmWidth + 31) / 32) * 4;
  std::vector<BYTE> bits(static_cast<size_t>(stride) * static_cast<size_t>(bm.bmHeight));
  HDC screen = ::GetDC(nullptr);
  int rows = ::GetDIBits(screen, maskBitmap, 0, static_cast<UINT>(bm.bmHeight), bits.data(),
                         reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  ::ReleaseDC(nullptr, screen);
  if (rows != bm.bmHeight) return mask;
  // Which palette entry is white.
  const bool oneIsWhite = info.colors[1].rgbRed != 0 || info.colors[1].rgbGreen != 0 || info.colors[1].rgbBlue != 0;
  mask.width = bm.bmWidth;
  mask.height = bm.bmHeight;
  mask.pixels.resize(static_cast<size_t>(bm.bmWidth) * static_cast<size_t>(bm.bmHeight));
  for (int y = 0; y < bm.bmHeight; ++y)
    for (int x = 0; x < bm.bmWidth; ++x) {
      bool bit = (bits[static_cast<size_t>(y) * static_cast<size_t>(stride) + static_cast<size_t>(x / 8)] >> (7 - x % 8)) & 1;
      mask.pixels[static_cast<size_t>(y) * static_cast<size_t>(bm.bmWidth) + static_cast<size_t>(x)] =
          (bit == oneIsWhite) ? 1 : 0;
    }
  return mask;
}

// How far the current cursor draws below its hot spot.
int CursorHeight() {
  HCURSOR cursor = ::GetCursor();
  ICONINFO ii{};
  if (!cursor || !::GetIconInfo(cursor, &ii)) return 32;
  tk::OwnedBitmap mask(ii.hbmMask), color(ii.hbmColor);
  return core::hint::CursorHeightBelowHotSpot(CursorMask(mask.get()), static_cast<int>(ii.yHotspot));
}

COLORREF FrameColor(THintStyle style, bool topLeft) {
  if (style == hsFlat) return ::GetSysColor(COLOR_WINDOWFRAME);
  return ::GetSysColor(topLeft ? COLOR_3DLIGHT : COLOR_3DDKSHADOW);
}

int CALLBACK FindFace(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool FontInstalled(const char* face) {
  LOGFONTA lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(lf.lfFaceName, face, LF_FACESIZE);
  bool found = false;
  HDC screen = ::GetDC(nullptr);
  ::EnumFontFamiliesExA(screen, &lf, &FindFace, reinterpret_cast<LPARAM>(&found), 0);
  ::ReleaseDC(nullptr, screen);
  return found;
}

}  // namespace

// ---------------------------------------------------------------------------
// THintWindow95

void THintWindow95::CreateIfNeeded() {
  if (hwnd_) return;
  RegisterClassOnce(kHintClass, CS_SAVEBITS, nullptr);
  // The base hint window's parameters less the border: the frame is drawn.
  CreateHandle(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kHintClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr);
}

void THintWindow95::ActivateHint(const RECT& bounds, const std::string& text) {
  CreateIfNeeded();
  if (!hwnd_) return;
  SetText(text);
  text_ = text;
  hint_ = THint95::Find();
  const THintStyle style = hint_ ? hint_->HintStyle() : hsWindows95;
  const core::hint::Margins margins = core::hint::HintMargins(style);

  // Measure the text in the hint font within the width offered.
  HDC screen = ::GetDC(nullptr);
  tk::OwnedMemDC mem(::CreateCompatibleDC(screen));
  RECT r{0, 0, std::max<LONG>(bounds.right - bounds.left, 1), 0};
  if (mem) {
    tk::Selection sel(mem.get(), hint_ ? hint_->HintFontHandle() : ::GetStockObject(DEFAULT_GUI_FONT));
    ::DrawTextA(mem.get(), text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  }
  textWidth_ = r.right - r.left;
  textHeight_ = r.bottom - r.top;
  const int width = textWidth_ + margins.width, height = textHeight_ + margins.height;

  POINT mouse{};
  ::GetCursorPos(&mouse);
  core::hint::Placement p;
  p.mouseX = mouse.x;
  p.mouseY = mouse.y;
  p.cursorHeight = CursorHeight();
  p.width = width;
  p.height = height;
  p.screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
  p.screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
  p.style = style;
  if (HWND control = THint95::HintControl(); control && ::IsWindow(control)) {
    p.owner = dynamic_cast<tk::Form*>(tk::Window::FromHandle(control)) ? core::hint::HintOwner::Form
                                                                        : core::hint::HintOwner::Control;
    RECT cr{};
    ::GetWindowRect(control, &cr);
    p.ownerTop = cr.top;
  }
  const core::hint::Point at = core::hint::PlaceHint(p);

  // The window shows what lies beneath it until it paints.
  image_.reset(::CreateCompatibleBitmap(screen, width, height));
  HDC display = ::CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
  if (image_ && mem && display) {
    tk::Selection sel(mem.get(), image_.get());
    ::BitBlt(mem.get(), 0, 0, width, height, display, at.x, at.y, SRCCOPY);
  }
  ::SetWindowPos(hwnd_, HWND_TOPMOST, at.x, at.y, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  if (image_ && mem) {
    tk::WindowDC wdc(hwnd_);
    tk::Selection sel(mem.get(), image_.get());
    ::BitBlt(wdc.get(), 0, 0, width, height, mem.get(), 0, 0, SRCCOPY);
  }
  if (display) ::DeleteDC(display);
  ::ReleaseDC(nullptr, screen);
  ::InvalidateRect(hwnd_, nullptr, FALSE);
}

void THintWindow95::ReleaseHint() {
  if (hwnd_ && ::IsWindowVisible(hwnd_)) ::ShowWindow(hwnd_, SW_HIDE);
  image_.reset();
}

void THintWindow95::Paint(HDC target) {
  RECT client{};
  ::GetClientRect(hwnd_, &client);
  const int w = client.right - client.left, h = client.bottom - client.top;
  if (w <= 0 || h <= 0) return;
  tk::OwnedMemDC mem(::CreateCompatibleDC(target));
  if (!image_) image_.reset(::CreateCompatibleBitmap(target, w, h));
  if (!mem || !image_) return;
  tk::Selection selBmp(mem.get(), image_.get());
  HDC dc = mem.get();
  ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_INFOBK));
  const THintStyle style = hint_ ? hint_->HintStyle() : hsWindows95;
  {
    tk::OwnedPen first(::CreatePen(PS_SOLID, 1, FrameColor(style, true)));
    tk::OwnedPen second(::CreatePen(PS_SOLID, 1, FrameColor(style, false)));
    tk::Selection selPen(dc, first.get());
    ::MoveToEx(dc, client.left, client.bottom - 2, nullptr);
    ::LineTo(dc, client.left, client.top);
    ::LineTo(dc, client.right - 1, client.top);
    ::SelectObject(dc, second.get());
    ::MoveToEx(dc, client.left, client.bottom - 1, nullptr);
    ::LineTo(dc, client.right - 1, client.bottom - 1);
    ::LineTo(dc, client.right - 1, client.top - 1);
    ::SelectObject(dc, first.get());
  }
  RECT tr{client.left + (w - textWidth_) / 2, client.top + (h - textHeight_) / 2, client.right, 0};
  tr.bottom = tr.top + textHeight_;
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(COLOR_INFOTEXT));
  tk::Selection selFont(dc, hint_ ? hint_->HintFontHandle() : ::GetStockObject(DEFAULT_GUI_FONT));
  ::DrawTextA(dc, text_.c_str(), static_cast<int>(text_.size()), &tr, DT_NOPREFIX | DT_NOCLIP | DT_WORDBREAK);
  ::BitBlt(target, 0, 0, w, h, dc, 0, 0, SRCCOPY);
}

LRESULT THintWindow95::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      tk::PaintDC dc(hwnd_);
      Paint(dc.get());
      return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_NCHITTEST: return HTTRANSPARENT;
    default: break;
  }
  return DefaultHandler(msg, wParam, lParam);
}

// ---------------------------------------------------------------------------
// THint95

// The hidden window that hears the system's setting changes and runs the
// hint timers.
class THint95::Notifier {
 public:
  static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<THint95*>(::GetWindowLongPtrA(wnd, GWLP_USERDATA));
    if (self) {
      try {
        if (msg == WM_SETTINGCHANGE) {
          self->ReadSystemFont();
          return 0;
        }
        if (msg == WM_TIMER) {
          self->Timer(wParam);
          return 0;
        }
      } catch (...) {
        return 0;
      }
    }
    return ::DefWindowProcA(wnd, msg, wParam, lParam);
  }
};

THint95::THint95(tk::Component* owner, std::string name) : Component(owner, std::move(name)) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = &Notifier::Proc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = kNotifierClass;
  ::RegisterClassA(&wc);  // fails harmlessly when registered already
  notifier_.reset(::CreateWindowExA(0, kNotifierClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                    ::GetModuleHandleA(nullptr), nullptr));
  if (notifier_) ::SetWindowLongPtrA(notifier_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  // The controls' hints now come here.
  tk::Application.ShowHint = false;
  tk::Application.OwnHintWindow = true;
  tk::Application.ShowHint = true;
  filter_ = tk::Application.AddMessageFilter([this](MSG& msg) { return Filter(msg); });
  tk::Application.HintPause = 500;
  tk::Application.HintShortPause = 25;
  tk::Application.HintHidePause = 5000;
  style_ = hsWindows95;
  ReadSystemFont();
}

THint95::~THint95() {
  tk::Application.RemoveMessageFilter(filter_);
  tk::Application.OwnHintWindow = false;
  window_.ReleaseHint();
  if (notifier_) ::SetWindowLongPtrA(notifier_.get(), GWLP_USERDATA, 0);
  gHintControl = nullptr;
}

void THint95::SetHintStyle(THintStyle style) {
  if (style == style_) return;
  style_ = style;
  if (style == hsOffice97) ReadSystemFont();
}

void THint95::ReadSystemFont() {
  NONCLIENTMETRICSA ncm{};
  ncm.cbSize = sizeof ncm;
  LOGFONTA lf{};
  if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0)) {
    const LOGFONTA& s = ncm.lfStatusFont;
    lstrcpynA(lf.lfFaceName, s.lfFaceName, LF_FACESIZE);
    lf.lfHeight = s.lfHeight;
    lf.lfWeight = s.lfWeight > 500 ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = s.lfItalic ? TRUE : FALSE;
    lf.lfUnderline = s.lfUnderline ? TRUE : FALSE;
    lf.lfStrikeOut = s.lfStrikeOut ? TRUE : FALSE;
    lf.lfCharSet = s.lfCharSet;
    const int pitch = s.lfPitchAndFamily;
    lf.lfPitchAndFamily = static_cast<BYTE>(pitch == 1 ? VARIABLE_PITCH : pitch == 2 ? FIXED_PITCH : DEFAULT_PITCH);
  } else {
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
  }
  if (style_ == hsOffice97) {
    const std::string face = core::hint::HintFace(lf.lfFaceName, style_, FontInstalled("Tahoma"));
    lstrcpynA(lf.lfFaceName, face.c_str(), LF_FACESIZE);
  }
  font_ = lf;
  fontHandle_.reset();
}

HFONT THint95::HintFontHandle() {
  if (!fontHandle_) fontHandle_.reset(::CreateFontIndirectA(&font_));
  return fontHandle_ ? fontHandle_.get() : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

HWND THint95::HintControl() { return gHintControl; }

THint95* THint95::Find() {
  tk::Form* main = tk::Application.MainForm();
  if (!main) return nullptr;
  for (int i = 0; i < main->ComponentCount(); ++i)
    if (auto* h = dynamic_cast<THint95*>(main->Components(i))) return h;
  return nullptr;
}

bool THint95::Filter(const MSG& msg) {
  if (!notifier_) return false;
  switch (msg.message) {
    case WM_MOUSEMOVE: {
      if (msg.hwnd == window_.Handle()) break;
      tk::Window* w = tk::Window::FromHandle(msg.hwnd);
      const bool hasHint = w && !w->HintText().empty();
      if (!hasHint) {
        if (over_) {
          ::KillTimer(notifier_.get(), kShowTimer);
          Hide();
          over_ = nullptr;
        }
        break;
      }
      if (msg.hwnd == over_) break;
      const bool wasShowing = window_.Showing();
      Hide();
      over_ = msg.hwnd;
      ::SetTimer(notifier_.get(), kShowTimer,
                 wasShowing ? tk::Application.HintShortPause : tk::Application.HintPause, nullptr);
      break;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_MOUSEWHEEL:
      ::KillTimer(notifier_.get(), kShowTimer);
      Hide();
      break;
    default: break;
  }
  return false;
}

void THint95::Timer(UINT_PTR id) {
  ::KillTimer(notifier_.get(), id);
  if (id == kShowTimer) {
    if (!over_ || !::IsWindow(over_) || !tk::Application.ShowHint) return;
    POINT pt{};
    ::GetCursorPos(&pt);
    if (::WindowFromPoint(pt) != over_) {
      over_ = nullptr;
      return;
    }
    tk::Window* w = tk::Window::FromHandle(over_);
    std::string text = w ? w->HintText() : std::string();
    bool canShow = !text.empty();
    HWND control = over_;
    if (OnShowHint) OnShowHint(text, canShow, control);
    gHintControl = control;
    if (!canShow || text.empty()) return;
    RECT bounds{0, 0, ::GetSystemMetrics(SM_CXSCREEN), 0};
    window_.ActivateHint(bounds, text);
    ::SetTimer(notifier_.get(), kHideTimer, tk::Application.HintHidePause, nullptr);
    ::SetTimer(notifier_.get(), kPollTimer, kPollMs, nullptr);
  } else if (id == kHideTimer) {
    Hide();
  } else if (id == kPollTimer) {
    POINT pt{};
    ::GetCursorPos(&pt);
    if (::WindowFromPoint(pt) != over_) {
      Hide();
      over_ = nullptr;
    } else if (window_.Showing()) {
      ::SetTimer(notifier_.get(), kPollTimer, kPollMs, nullptr);
    }
  }
}

void THint95::Hide() {
  if (notifier_) {
    ::KillTimer(notifier_.get(), kHideTimer);
    ::KillTimer(notifier_.get(), kPollTimer);
  }
  window_.ReleaseHint();
}
