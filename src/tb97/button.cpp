#include "tb97/tb97.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "tb97/glyphcache.h"
#include "toolkit/application.h"
#include "toolkit/handles.h"

namespace {

const char kButtonClass[] = "TToolbarButton97";
const char kMenuOwnerClass[] = "TToolbarButton97MenuOwner";
constexpr UINT kHotInterval = 125;
constexpr UINT_PTR kRepeatTimer = 1;
constexpr int kComboPart = core::tb97::kComboArrowWidth;

bool ApplicationActive() { return ::GetActiveWindow() != nullptr; }

int MessageX(LPARAM lParam) { return static_cast<short>(LOWORD(lParam)); }
int MessageY(LPARAM lParam) { return static_cast<short>(HIWORD(lParam)); }

core::tb97::DisabledColours SystemColours() {
  return {::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW)};
}

// The bitmap's pixels as 0x00BBGGRR, rows top to bottom.
bool ReadPixels(HBITMAP bitmap, core::tb97::PixelImage& out) {
  BITMAP bm{};
  if (!bitmap || !::GetObjectA(bitmap, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return false;
  BITMAPINFO bi = tk::TopDown32(bm.bmWidth, bm.bmHeight);
  std::vector<DWORD> px(static_cast<size_t>(bm.bmWidth) * bm.bmHeight);
  HDC screen = ::GetDC(nullptr);
  const int rows = ::GetDIBits(screen, bitmap, 0, static_cast<UINT>(bm.bmHeight), px.data(), &bi, DIB_RGB_COLORS);
  ::ReleaseDC(nullptr, screen);
  if (rows != bm.bmHeight) return false;
  out = core::tb97::PixelImage(bm.bmWidth, bm.bmHeight, 0);
  for (size_t i = 0; i < px.size(); ++i) {
    const DWORD p = px[i];
    out.pixels[i] = ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
  }
  return true;
}

HBITMAP CopyBitmap(HBITMAP bitmap) {
  if (!bitmap) return nullptr;
  return static_cast<HBITMAP>(::CopyImage(bitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

core::tb97::Size BitmapSize(HBITMAP bitmap) {
  BITMAP bm{};
  if (!bitmap || !::GetObjectA(bitmap, sizeof bm, &bm)) return {};
  return {bm.bmWidth, bm.bmHeight};
}

// The character marked with '&' in a caption ("&&" is a plain '&'); 0 for none.
char MarkedChar(const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] != '&') return caption[i + 1];
    ++i;
  }
  return 0;
}

void DrawArrow(HDC dc, int x, int y, COLORREF colour) {
  tk::OwnedBrush brush(::CreateSolidBrush(colour));
  tk::OwnedPen pen(::CreatePen(PS_SOLID, 1, colour));
  tk::Selection sb(dc, brush.get());
  tk::Selection sp(dc, pen.get());
  POINT pts[3] = {{x + 4, y}, {x + 8, y}, {x + 6, y + 2}};
  ::Polygon(dc, pts, 3);
}

void DrawArrowFor(HDC dc, int x, int y, bool enabled, COLORREF text) {
  if (enabled) {
    DrawArrow(dc, x, y, text);
    return;
  }
  DrawArrow(dc, x + 1, y + 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
  DrawArrow(dc, x, y, ::GetSysColor(COLOR_BTNSHADOW));
}

LRESULT CALLBACK MenuOwnerProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcA(wnd, msg, wParam, lParam);
}

}  // namespace

// What all buttons share: the hot-tracking timer and the hot button, the
// dither pattern, the live buttons (for groups and accelerators), the hook
// that ends hot tracking when the application is deactivated, and the
// hidden window that owns the drop-down menus.
struct ButtonShared {
  // Never freed: buttons may still go at the program's very end.
  static ButtonShared& Get() {
    static ButtonShared* shared = new ButtonShared;
    return *shared;
  }

  std::vector<TToolbarButton97*> buttons;
  TToolbarButton97* hot = nullptr;
  UINT_PTR hotTimer = 0;  // 0 while disabled
  tk::OwnedBitmap dither;
  tk::OwnedBrush ditherBrush;
  COLORREF ditherFace = 0, ditherHighlight = 0;
  HHOOK hook = nullptr;
  int filter = 0;
  tk::OwnedWindow menuOwner;

  void EnableTimer(bool on) {
    if (on && !hotTimer) hotTimer = ::SetTimer(nullptr, 0, kHotInterval, HotTimerProc);
    if (!on && hotTimer) {
      ::KillTimer(nullptr, hotTimer);
      hotTimer = 0;
    }
  }

  // The latched button's background brush, rebuilt when the face or
  // highlight colour changed.
  HBRUSH DitherBrush() {
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE), light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    if (!ditherBrush || face != ditherFace || light != ditherHighlight) {
      DWORD px[64];
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
          const COLORREF c = core::tb97::DitherPixel(x, y, face, light);
          px[y * 8 + x] = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
        }
      dither.reset(::CreateBitmap(8, 8, 1, 32, px));
      ditherBrush.reset(::CreatePatternBrush(dither.get()));
      ditherFace = face;
      ditherHighlight = light;
    }
    return ditherBrush.get();
  }

  HWND MenuOwner() {
    if (!menuOwner) {
      WNDCLASSA wc{};
      if (!::GetClassInfoA(::GetModuleHandleA(nullptr), kMenuOwnerClass, &wc)) {
        wc = WNDCLASSA{};
        wc.lpfnWndProc = MenuOwnerProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = kMenuOwnerClass;
        ::RegisterClassA(&wc);
      }
      menuOwner.reset(::CreateWindowExA(WS_EX_TOOLWINDOW, kMenuOwnerClass, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                                        nullptr, ::GetModuleHandleA(nullptr), nullptr));
    }
    return menuOwner.get();
  }

  void Added(TToolbarButton97* b) {
    buttons.push_back(b);
    if (buttons.size() != 1) return;
    hook = ::SetWindowsHookExA(WH_CALLWNDPROC, ActivationHook, nullptr, ::GetCurrentThreadId());
    filter = tk::Application.AddMessageFilter([this](MSG& m) { return Accelerator(m); });
  }

  void Removed(TToolbarButton97* b) {
    buttons.erase(std::remove(buttons.begin(), buttons.end(), b), buttons.end());
    if (hot == b) {
      hot = nullptr;
      EnableTimer(false);
    }
    if (!buttons.empty()) return;
    EnableTimer(false);
    ditherBrush.reset();
    dither.reset();
    menuOwner.reset();
    if (hook) ::UnhookWindowsHookEx(hook);
    hook = nullptr;
    if (filter) tk::Application.RemoveMessageFilter(filter);
    filter = 0;
  }

  // Alt and a caption's marked character click the button of that window.
  bool Accelerator(MSG& m) {
    if (m.message != WM_SYSCHAR || !m.hwnd) return false;
    HWND root = ::GetAncestor(m.hwnd, GA_ROOT);
    const char key = static_cast<char>(m.wParam);
    for (TToolbarButton97* b : buttons) {
      const char marked = MarkedChar(b->caption_);
      if (!marked || !b->hwnd_ || !b->enabled_ || !::IsWindowVisible(b->hwnd_)) continue;
      if (::GetAncestor(b->hwnd_, GA_ROOT) != root) continue;
      if (::CharUpperA(reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(static_cast<unsigned char>(marked)))) !=
          ::CharUpperA(reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(static_cast<unsigned char>(key)))))
        continue;
      tk::Guarded([b] { b->Click(); });
      return true;
    }
    return false;
  }

  static void CALLBACK HotTimerProc(HWND, UINT, UINT_PTR, DWORD) {
    tk::Guarded([] {
      ButtonShared& s = Get();
      TToolbarButton97* b = s.hot;
      if (!b) {
        s.EnableTimer(false);
        return;
      }
      POINT p{};
      ::GetCursorPos(&p);
      if (::WindowFromPoint(p) != b->hwnd_ || (!b->ShowBorderWhenInactive && !ApplicationActive())) b->MouseLeave();
    });
  }

  static LRESULT CALLBACK ActivationHook(int code, WPARAM wParam, LPARAM lParam) {
    ButtonShared& s = Get();
    if (code == HC_ACTION) {
      const auto* cw = reinterpret_cast<const CWPSTRUCT*>(lParam);
      if (cw->message == WM_ACTIVATEAPP && !cw->wParam && s.hot && !s.hot->ShowBorderWhenInactive) {
        TToolbarButton97* b = s.hot;
        tk::Guarded([b] { b->MouseLeave(); });
      }
    }
    return ::CallNextHookEx(s.hook, code, wParam, lParam);
  }
};

// ---------------------------------------------------------------------------
// TButtonGlyph97

void TButtonGlyph97::Drop() {
  TGlyphCache97& cache = TGlyphCache97::Shared();
  std::vector<int> given;
  for (int s = 0; s < core::tb97::kButtonStateCount; ++s) {
    int& i = index_[static_cast<size_t>(s)];
    if (i < 0) continue;
    if (s == bsDisabled) {
      cache.RemoveImage(disabledList_, i);
    } else if (std::find(given.begin(), given.end(), i) == given.end()) {
      cache.RemoveImage(list_, i);
      given.push_back(i);
    }
    i = -1;
  }
  if (list_) cache.Release(list_);
  if (disabledList_) cache.Release(disabledList_);
  list_ = disabledList_ = nullptr;
  glyph_ = maskSource_ = nullptr;
  strip_ = {};
  mask_ = {};
  hasMask_ = false;
}

bool TButtonGlyph97::Load(HBITMAP glyph, HBITMAP mask) {
  if (!ReadPixels(glyph, strip_)) return false;
  hasMask_ = mask && ReadPixels(mask, mask_);
  transparent_ = core::tb97::BottomLeftPixel(strip_);
  glyph_ = glyph;
  maskSource_ = mask;
  return true;
}

bool TButtonGlyph97::Draw(HDC dc, int x, int y, TButtonState97 state, HBITMAP glyph, HBITMAP mask, int numGlyphs,
                          bool oldDisabledStyle) {
  if (!glyph) {
    Drop();
    return false;
  }
  const core::tb97::DisabledColours colours = SystemColours();
  if (glyph != glyph_ || mask != maskSource_ || numGlyphs != numGlyphs_ || oldDisabledStyle != old_ ||
      colours.face != face_ || colours.highlight != highlight_ || colours.shadow != shadow_) {
    Drop();
    if (!Load(glyph, mask)) return false;
    numGlyphs_ = numGlyphs;
    old_ = oldDisabledStyle;
    face_ = colours.face;
    highlight_ = colours.highlight;
    shadow_ = colours.shadow;
  }
  TGlyphCache97& cache = TGlyphCache97::Shared();
  const bool disabled = state == bsDisabled;
  int& index = index_[static_cast<size_t>(state)];
  if (index < 0 && !disabled) {
    // States that show the same image of the strip share its slot.
    const int image = core::tb97::GlyphImageIndex(static_cast<core::tb97::ButtonState>(state), numGlyphs_);
    for (int s = 0; s < core::tb97::kButtonStateCount; ++s)
      if (s != bsDisabled && index_[static_cast<size_t>(s)] >= 0 &&
          core::tb97::GlyphImageIndex(static_cast<core::tb97::ButtonState>(s), numGlyphs_) == image)
        index = index_[static_cast<size_t>(s)];
  }
  HIMAGELIST& list = disabled ? disabledList_ : list_;
  if (index < 0) {
    core::tb97::GlyphSource src{&strip_, hasMask_ ? &mask_ : nullptr, numGlyphs_, transparent_, old_};
    const core::tb97::MaskedImage m =
        core::tb97::StateImage(src, static_cast<core::tb97::ButtonState>(state), colours);
    if (m.image.width <= 0) return false;
    if (!list) list = cache.Acquire(m.image.width, m.image.height);
    if (!list) return false;
    index = cache.AddImage(list, m);
    if (index < 0) return false;
  }
  return ::ImageList_DrawEx(list, index, dc, x, y, 0, 0, CLR_NONE, CLR_NONE, ILD_TRANSPARENT) != FALSE;
}

// ---------------------------------------------------------------------------
// TToolbarButton97

TToolbarButton97::TToolbarButton97(tk::Component* owner, std::string name) : Component(owner, std::move(name)) {
  ButtonShared::Get().Added(this);
}

TToolbarButton97::~TToolbarButton97() {
  glyph_.Drop();
  ButtonShared::Get().Removed(this);
}

void TToolbarButton97::CreateIn(TToolbar97* bar, int x, int y) {
  CreateOn(bar->Handle(), x, y);
  if (HWND tip = bar->ToolTip()) {
    TTTOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V1_SIZE;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = bar->Handle();
    ti.uId = reinterpret_cast<UINT_PTR>(hwnd_);
    ti.lpszText = Hint.data();
    ::SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
  }
}

void TToolbarButton97::CreateOn(HWND parent, int x, int y) {
  RegisterClassOnce(kButtonClass, CS_DBLCLKS, nullptr);
  CreateHandle(0, kButtonClass, Name().c_str(), WS_CHILD | WS_VISIBLE, x, y, Width, Height, parent, nullptr);
}

void TToolbarButton97::HandleDestroyed() {
  ButtonShared& s = ButtonShared::Get();
  if (s.hot == this) {
    s.hot = nullptr;
    s.EnableTimer(false);
  }
  tracking_ = pointerInside_ = false;
  repeatRunning_ = repeatCreated_ = false;
}

TToolbarButton97* TToolbarButton97::HotButton() { return ButtonShared::Get().hot; }

HBITMAP TToolbarButton97::GlyphBitmap() const { return ownGlyph_ ? ownGlyph_.get() : Glyph.Bitmap(); }

void TToolbarButton97::SetGlyphBitmap(HBITMAP bitmap) {
  ownGlyph_.reset(CopyBitmap(bitmap));
  if (auto n = core::tb97::NumGlyphsFor(BitmapSize(ownGlyph_.get()))) NumGlyphs = *n;
  seenGlyph_ = GlyphBitmap();
  seenNumGlyphs_ = NumGlyphs;
  glyph_.Drop();
  Repaint();
}

void TToolbarButton97::SetNumGlyphs(int n) {
  n = std::clamp(n, 1, 5);
  if (n == NumGlyphs) return;
  NumGlyphs = seenNumGlyphs_ = n;
  glyph_.Drop();
  Repaint();
}

void TToolbarButton97::SetGlyphMask(HBITMAP mask) {
  ownMask_.reset(CopyBitmap(mask));
  glyph_.Drop();
  Repaint();
}

void TToolbarButton97::SyncGlyph() {
  HBITMAP g = GlyphBitmap();
  if (g != seenGlyph_) {
    // A glyph loaded since: its shape gives the number of images unless
    // the number was set after loading.
    if (NumGlyphs == seenNumGlyphs_)
      if (auto n = core::tb97::NumGlyphsFor(BitmapSize(g))) NumGlyphs = *n;
    seenGlyph_ = g;
  }
  NumGlyphs = std::clamp(NumGlyphs, 1, 5);
  seenNumGlyphs_ = NumGlyphs;
}

// --- Properties

void TToolbarButton97::SetAllowAllUp(bool v) { Set(allowAllUp_, v); }

void TToolbarButton97::SetGroupIndex(int v) {
  if (groupIndex_ == v) return;
  groupIndex_ = v;
  if (v == 0 && down_) {
    down_ = false;
    if (state_ == bsExclusive) state_ = bsUp;
  }
  Repaint();
}

void TToolbarButton97::SetDown(bool v) {
  if (groupIndex_ == 0) v = false;
  if (v == down_) return;
  if (down_ && !allowAllUp_) return;
  down_ = v;
  if (state_ != bsDisabled) state_ = v ? bsExclusive : bsUp;
  Repaint();
  if (v) RaiseGroupOthers();
}

void TToolbarButton97::RaiseGroupOthers() {
  HWND parent = hwnd_ ? ::GetParent(hwnd_) : nullptr;
  for (TToolbarButton97* b : ButtonShared::Get().buttons) {
    if (b == this || b->groupIndex_ != groupIndex_) continue;
    const bool sameParent = parent ? (b->hwnd_ && ::GetParent(b->hwnd_) == parent) : (!b->hwnd_ && b->Owner() == Owner());
    if (!sameParent) continue;
    if (b->down_) {
      b->down_ = false;
      if (b->state_ != bsDisabled) b->state_ = bsUp;
      b->Repaint();
    }
    b->allowAllUp_ = allowAllUp_;
  }
}

void TToolbarButton97::SetDropdownCombo(bool v) {
  if (dropdownCombo_ == v) return;
  dropdownCombo_ = v;
  Width = v ? Width + kComboPart : std::max(1, Width - kComboPart);
  if (hwnd_) ::SetWindowPos(hwnd_, nullptr, 0, 0, Width, Height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Repaint();
}

void TToolbarButton97::SetEnabledState(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  if (!enabled) {
    ButtonShared& s = ButtonShared::Get();
    if (s.hot == this) {
      s.hot = nullptr;
      s.EnableTimer(false);
    }
    StopRepeat();
    repeatCreated_ = false;
    const bool wasTracking = tracking_;
    tracking_ = pointerInside_ = false;
    if (wasTracking && hwnd_ && ::GetCapture() == hwnd_) ::ReleaseCapture();
    state_ = bsDisabled;
  } else {
    state_ = down_ && groupIndex_ ? bsExclusive : bsUp;
  }
  Repaint();
}

// --- Painting

void TToolbarButton97::Repaint() {
  // The window paints its whole background itself (through an off-screen
  // bitmap, or the parent's background first), so nothing is erased.
  if (hwnd_) ::InvalidateRect(hwnd_, nullptr, FALSE);
}

HFONT TToolbarButton97::CaptionFont() {
  if (!ParentFont) return Font.Handle();
  HWND parent = hwnd_ ? ::GetParent(hwnd_) : nullptr;
  if (parent)
    if (auto f = reinterpret_cast<HFONT>(::SendMessageA(parent, WM_GETFONT, 0, 0))) return f;
  return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

void TToolbarButton97::Paint(HDC dc) {
  SyncGlyph();
  if (!enabled_) {
    state_ = bsDisabled;
    tracking_ = false;
  } else if (state_ == bsDisabled) {
    state_ = down_ && groupIndex_ ? bsExclusive : bsUp;
  }
  RECT client{};
  ::GetClientRect(hwnd_, &client);
  const int w = client.right, h = client.bottom;
  const bool comboMenu = ComboWithMenu();
  const bool pressed = state_ == bsDown || state_ == bsExclusive;
  const bool onlyArrowPart = comboMenu && arrowPartPressed_;
  const bool mainPressed = pressed && !onlyArrowPart;

  const bool border = !noBorder_ && (!flat_ || pressed || (pointerInside_ && state_ != bsDisabled));
  if (border) {
    auto edge = [&](RECT r, bool sunken) {
      if (flat_)
        ::DrawEdge(dc, &r, sunken ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
      else
        ::DrawEdge(dc, &r, sunken ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE);
    };
    RECT main{0, 0, comboMenu ? w - kComboPart : w, h};
    edge(main, mainPressed);
    if (comboMenu) edge(RECT{w - kComboPart, 0, w, h}, pressed && onlyArrowPart);
  }

  const core::tb97::Rect c = core::tb97::ButtonContentRect({w, h}, flat_, noBorder_, comboMenu);
  RECT content{c.left, c.top, c.right, c.bottom};
  if (state_ == bsExclusive && (!flat_ || !pointerInside_))
    ::FillRect(dc, &content, ButtonShared::Get().DitherBrush());
  PaintContent(dc, content, mainPressed);

  if (comboMenu) {
    const COLORREF text = ParentFont ? ::GetSysColor(COLOR_BTNTEXT) : tk::ColorToRGB(Font.Color(), core::ColorUse::Text);
    DrawArrowFor(dc, w - 13, h / 2 - 1, state_ != bsDisabled, text);
  }
}

void TToolbarButton97::PaintContent(HDC dc, const RECT& content, bool pressedShift) {
  core::tb97::ButtonContent c;
  c.client = {content.right - content.left, content.bottom - content.top};
  HBITMAP glyph = GlyphBitmap();
  const bool showGlyph = displayMode_ != dmTextOnly && glyph;
  if (showGlyph) {
    const core::tb97::Size gs = BitmapSize(glyph);
    c.glyph = {gs.cx / NumGlyphs, gs.cy};
  }
  c.arrow = dropdownMenu_ && dropdownArrow_ && !dropdownCombo_;
  c.layout = static_cast<core::tb97::ButtonLayout>(layout_);
  c.margin = margin_;
  c.spacing = spacing_;
  c.wordWrap = wordWrap_;

  tk::Selection font(dc, CaptionFont());
  const bool showCaption = displayMode_ != dmGlyphOnly && !caption_.empty();
  const UINT textFlags = wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE;
  if (showCaption) {
    RECT r{0, 0, std::max(0, core::tb97::CaptionMeasureWidth(c)), 0};
    ::DrawTextA(dc, caption_.c_str(), static_cast<int>(caption_.size()), &r, DT_CALCRECT | textFlags);
    c.caption = {r.right - r.left, r.bottom - r.top};
  }
  const core::tb97::ButtonParts parts = core::tb97::LayoutButtonContent(c);
  const int dx = content.left + (pressedShift ? 1 : 0), dy = content.top + (pressedShift ? 1 : 0);
  const bool disabled = state_ == bsDisabled;

  if (showGlyph)
    glyph_.Draw(dc, parts.glyph.x + dx, parts.glyph.y + dy, state_, glyph, ownMask_.get(), NumGlyphs,
                oldDisabledStyle_);

  const COLORREF text = ParentFont ? ::GetSysColor(COLOR_BTNTEXT) : tk::ColorToRGB(Font.Color(), core::ColorUse::Text);
  if (showCaption) {
    ::SetBkMode(dc, TRANSPARENT);
    RECT r{parts.caption.x + dx, parts.caption.y + dy, parts.caption.x + dx + c.caption.cx,
           parts.caption.y + dy + c.caption.cy};
    const UINT flags = DT_CENTER | DT_VCENTER | textFlags;
    if (disabled) {
      RECT lit = r;
      ::OffsetRect(&lit, 1, 1);
      ::SetTextColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
      ::DrawTextA(dc, caption_.c_str(), static_cast<int>(caption_.size()), &lit, flags);
      ::SetTextColor(dc, ::GetSysColor(COLOR_BTNSHADOW));
    } else {
      ::SetTextColor(dc, text);
    }
    ::DrawTextA(dc, caption_.c_str(), static_cast<int>(caption_.size()), &r, flags);
  }
  if (c.arrow) DrawArrowFor(dc, parts.arrow.x + dx, parts.arrow.y + dy, !disabled, text);
}

// --- Hot tracking

void TToolbarButton97::MouseEnter() {
  if (!enabled_ || pointerInside_) return;
  pointerInside_ = true;
  if (state_ == bsUp) state_ = bsHot;
  Repaint();
  if (OnMouseEnter) OnMouseEnter();
}

void TToolbarButton97::MouseLeave() {
  if (!enabled_ || !pointerInside_ || tracking_) return;
  if (state_ == bsHot || (state_ == bsDown && !clickInProgress_)) state_ = bsUp;
  pointerInside_ = false;
  Repaint();
  ButtonShared& s = ButtonShared::Get();
  if (s.hot == this) {
    s.EnableTimer(false);
    s.hot = nullptr;
  }
  if (OnMouseExit) OnMouseExit();
}

void TToolbarButton97::CheckHot() {
  ButtonShared& s = ButtonShared::Get();
  if (!hwnd_ || !enabled_) return;
  POINT p{};
  ::GetCursorPos(&p);
  const bool over = ::WindowFromPoint(p) == hwnd_;
  if (s.hot == this) {
    if (over) MouseEnter();
    return;
  }
  if (!over) return;
  if (TToolbarButton97* previous = s.hot) previous->MouseLeave();
  if (s.hot) return;  // the previous one is still held
  if (!ShowBorderWhenInactive && !ApplicationActive()) return;
  s.hot = this;
  s.EnableTimer(true);
  MouseEnter();
}

void TToolbarButton97::UpdateHot() {
  POINT p{};
  ::GetCursorPos(&p);
  if (hwnd_ && ::WindowFromPoint(p) == hwnd_)
    CheckHot();
  else
    MouseLeave();
}

// --- Pressing

bool TToolbarButton97::InMainPart(int x, int y) const {
  RECT r{};
  if (hwnd_) ::GetClientRect(hwnd_, &r);
  const int right = r.right - (ComboWithMenu() ? kComboPart : 0);
  return x >= 0 && x < right && y >= 0 && y < r.bottom;
}

void TToolbarButton97::MouseDown(UINT msg, WPARAM keys, int x, int y) {
  if (!enabled_) return;
  const bool left = msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK;
  if (!left) {
    MouseEnter();
    if (OnMouseDown) OnMouseDown(msg, keys, x, y);
    return;
  }
  if (!pointerInside_) MouseEnter();
  RECT r{};
  ::GetClientRect(hwnd_, &r);
  arrowPartPressed_ = dropdownMenu_ && (!dropdownCombo_ || x >= r.right - kComboPart);
  if (!down_) {
    state_ = bsDown;
    Repaint();
    ::UpdateWindow(hwnd_);
  } else if (allowAllUp_) {
    Repaint();
  }
  if (!arrowPartPressed_) {
    tracking_ = true;
    ::SetCapture(hwnd_);
  }
  struct ClearArrow {
    bool& flag;
    ~ClearArrow() { flag = false; }
  } clear{arrowPartPressed_};
  if (OnMouseDown) OnMouseDown(msg, keys, x, y);
  if (arrowPartPressed_) {
    Click();
  } else if (Repeating) {
    Click();
    if (tracking_ && hwnd_) {
      ::SetTimer(hwnd_, kRepeatTimer, static_cast<UINT>(std::max(1, RepeatDelay)), nullptr);
      repeatCreated_ = repeatRunning_ = true;
    }
  }
  if (msg == WM_LBUTTONDBLCLK && down_ && OnDblClick) OnDblClick();
}

void TToolbarButton97::RepeatTick() {
  ::SetTimer(hwnd_, kRepeatTimer, static_cast<UINT>(std::max(1, RepeatInterval)), nullptr);
  POINT p{};
  ::GetCursorPos(&p);
  ::ScreenToClient(hwnd_, &p);
  if (Repeating && tracking_ && (::GetKeyState(VK_LBUTTON) & 0x8000) && InMainPart(p.x, p.y)) {
    Click();
  } else {
    ::KillTimer(hwnd_, kRepeatTimer);
    repeatRunning_ = false;
  }
}

void TToolbarButton97::StopRepeat() {
  if (hwnd_ && repeatRunning_) ::KillTimer(hwnd_, kRepeatTimer);
  repeatRunning_ = false;
}

void TToolbarButton97::MouseMove(WPARAM keys, int x, int y) {
  if (OnMouseMove) OnMouseMove(keys, x, y);
  if (!tracking_) {
    CheckHot();
    return;
  }
  const bool inside = InMainPart(x, y);
  if (inside && Repeating && repeatCreated_ && !repeatRunning_) {
    ::SetTimer(hwnd_, kRepeatTimer, static_cast<UINT>(std::max(1, RepeatInterval)), nullptr);
    repeatRunning_ = true;
  }
  const TButtonState97 next = down_ ? bsExclusive : inside ? bsDown : bsUp;
  if (next != state_) {
    state_ = next;
    Repaint();
  }
}

void TToolbarButton97::MouseUp(UINT msg, WPARAM keys, int x, int y) {
  if (msg == WM_RBUTTONUP && enabled_) {
    CancelTracking();
    if (OnMouseUp) OnMouseUp(msg, keys, x, y);
    return;
  }
  if (msg != WM_LBUTTONUP || !tracking_) {
    if (OnMouseUp) OnMouseUp(msg, keys, x, y);
    return;
  }
  tracking_ = false;
  if (::GetCapture() == hwnd_) ::ReleaseCapture();
  StopRepeat();
  repeatCreated_ = false;
  const bool inside = InMainPart(x, y);
  if (groupIndex_) {
    if (inside)
      SetDown(!down_);
    else if (down_)
      state_ = bsExclusive;
  }
  if (OnMouseUp) OnMouseUp(msg, keys, x, y);
  if (inside && !Repeating) {
    Click();
    return;
  }
  if (state_ == bsDown) state_ = bsUp;
  Repaint();
  UpdateHot();
}

void TToolbarButton97::CancelTracking() {
  if (tracking_) {
    tracking_ = false;
    StopRepeat();
    repeatCreated_ = false;
    if (down_ && groupIndex_)
      state_ = bsExclusive;
    else if (state_ == bsDown)
      state_ = bsUp;
    Repaint();
    if (::GetCapture() == hwnd_) ::ReleaseCapture();
  }
  MouseLeave();
}

// --- Click

void TToolbarButton97::Click() {
  if (!enabled_) return;
  clickInProgress_ = true;
  if (state_ == bsUp || state_ == bsHot) {
    state_ = bsDown;
    Repaint();
    if (hwnd_) ::UpdateWindow(hwnd_);
  }
  MouseLeave();
  auto finish = [this] {
    clickInProgress_ = false;
    // A repeating button still held stays pressed between its clicks.
    if (state_ == bsDown && !tracking_) state_ = bsUp;
    Repaint();
    UpdateHot();
  };
  try {
    if (!dropdownMenu_ || (dropdownCombo_ && !arrowPartPressed_)) {
      if (OnClick) OnClick();
    } else {
      DropDown();
    }
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

void TToolbarButton97::DropDown() {
  if (!hwnd_) return;
  RECT wr{};
  ::GetWindowRect(hwnd_, &wr);
  bool docked = false;
  core::tb97::DockPosition dock = core::tb97::DockPosition::Top;
  if (auto* bar = dynamic_cast<TToolbar97*>(tk::Window::FromHandle(::GetParent(hwnd_)))) {
    if (TDock97* d = bar->DockedTo()) {
      docked = true;
      switch (d->Position()) {
        case dpTop: dock = core::tb97::DockPosition::Top; break;
        case dpBottom: dock = core::tb97::DockPosition::Bottom; break;
        case dpLeft: dock = core::tb97::DockPosition::Left; break;
        case dpRight: dock = core::tb97::DockPosition::Right; break;
      }
    }
  }
  const core::tb97::MenuPlacement at =
      core::tb97::DropdownMenuPlacement({wr.left, wr.top, wr.right, wr.bottom}, docked, dock);
  if (OnDropdown) OnDropdown();
  tk::PopupMenu* menu = dropdownMenu_;
  if (!menu) return;
  const UINT flags = TPM_RETURNCMD | TPM_TOPALIGN | (at.align == core::tb97::MenuAlign::Right ? TPM_RIGHTALIGN : TPM_LEFTALIGN);
  const UINT command = static_cast<UINT>(
      ::TrackPopupMenu(menu->Items()->PopupHandle(), flags, at.at.x, at.at.y, 0, ButtonShared::Get().MenuOwner(), nullptr));

  // The click that closed the menu must not open it again: presses on this
  // button are dropped, every other button message goes back in order.
  std::vector<MSG> keep;
  MSG m{};
  while (::PeekMessageA(&m, nullptr, WM_LBUTTONDOWN, WM_MBUTTONDBLCLK, PM_REMOVE)) {
    const bool press = m.message == WM_LBUTTONDOWN || m.message == WM_LBUTTONDBLCLK || m.message == WM_RBUTTONDOWN ||
                       m.message == WM_RBUTTONDBLCLK;
    if (!(press && m.hwnd == hwnd_)) keep.push_back(m);
  }
  for (const MSG& k : keep) ::PostMessageA(k.hwnd, k.message, k.wParam, k.lParam);

  if (command)
    if (tk::MenuItem* item = menu->Items()->FindCommand(command)) item->Click();
}

// --- Messages

LRESULT TToolbarButton97::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      tk::PaintDC pdc(hwnd_);
      RECT r{};
      ::GetClientRect(hwnd_, &r);
      if (opaque_ || !flat_) {
        // Through an off-screen bitmap filled with the button's colour.
        tk::OwnedMemDC mem(::CreateCompatibleDC(pdc.get()));
        tk::OwnedBitmap bmp(::CreateCompatibleBitmap(pdc.get(), std::max(1L, r.right), std::max(1L, r.bottom)));
        tk::Selection sel(mem.get(), bmp.get());
        tk::OwnedBrush fill(::CreateSolidBrush(tk::ColorToRGB(Color, core::ColorUse::Background)));
        ::FillRect(mem.get(), &r, fill.get());
        Paint(mem.get());
        ::BitBlt(pdc.get(), 0, 0, r.right, r.bottom, mem.get(), 0, 0, SRCCOPY);
      } else {
        // The parent's background under the button, then the button.
        HWND parent = ::GetParent(hwnd_);
        POINT at{0, 0};
        ::MapWindowPoints(hwnd_, parent, &at, 1);
        POINT old{};
        ::SetViewportOrgEx(pdc.get(), -at.x, -at.y, &old);
        ::SendMessageA(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(pdc.get()), 0);
        ::SetViewportOrgEx(pdc.get(), old.x, old.y, nullptr);
        Paint(pdc.get());
      }
      return 0;
    }
    case WM_MOUSEMOVE:
      MouseMove(wParam, MessageX(lParam), MessageY(lParam));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      MouseDown(msg, wParam, MessageX(lParam), MessageY(lParam));
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      MouseUp(msg, wParam, MessageX(lParam), MessageY(lParam));
      return 0;
    case WM_TIMER:
      if (wParam == kRepeatTimer) {
        RepeatTick();
        return 0;
      }
      break;
    case WM_CANCELMODE:
      CancelTracking();
      return 0;
    case WM_CAPTURECHANGED:
      if (tracking_ && reinterpret_cast<HWND>(lParam) != hwnd_) CancelTracking();
      return 0;
    default:
      break;
  }
  return DefaultHandler(msg, wParam, lParam);
}
