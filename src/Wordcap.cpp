#include "Wordcap.h"

#include <algorithm>
#include <set>

#include "toolkit/application.h"
#include "toolkit/errors.h"

namespace {

const char kSelfProp[] = "QuillonCaption";

// Posted to the thread when a hooked form's window goes, with the painter as
// its long parameter: once the message loop runs again, the painter hooks
// the form's new window, if the form made one.
constexpr UINT kRehookMessage = 18828;

// The painters that exist: a re-hook message that arrives after its painter
// has gone is dropped.
std::set<TMSOfficeCaption*>& LivePainters() {
  static std::set<TMSOfficeCaption*> live;
  return live;
}
int rehookFilter = 0;

namespace cap = core::caption;

// GetWindowDC / ReleaseDC.
class FrameDC {
 public:
  explicit FrameDC(HWND wnd) : wnd_(wnd), dc_(::GetWindowDC(wnd)) {}
  ~FrameDC() { if (dc_) ::ReleaseDC(wnd_, dc_); }
  FrameDC(const FrameDC&) = delete;
  FrameDC& operator=(const FrameDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND wnd_;
  HDC dc_;
};

LOGFONTA StockSystemFont() {
  LOGFONTA lf{};
  ::GetObjectA(::GetStockObject(SYSTEM_FONT), sizeof lf, &lf);
  return lf;
}

cap::Border BorderOf(LONG style, LONG exStyle) {
  const bool tool = exStyle & WS_EX_TOOLWINDOW;
  const bool sizing = style & WS_THICKFRAME;
  if (!(style & WS_CAPTION) || (style & WS_CAPTION) != WS_CAPTION) return cap::Border::None;
  if (tool) return sizing ? cap::Border::SizeToolWin : cap::Border::ToolWindow;
  if (sizing) return cap::Border::Sizeable;
  if (exStyle & WS_EX_DLGMODALFRAME) return cap::Border::Dialog;
  return cap::Border::Single;
}

cap::Metrics SystemMetrics() {
  cap::Metrics m;
  m.cxFrame = ::GetSystemMetrics(SM_CXFRAME);
  m.cyFrame = ::GetSystemMetrics(SM_CYFRAME);
  m.cxDlgFrame = ::GetSystemMetrics(SM_CXDLGFRAME);
  m.cyDlgFrame = ::GetSystemMetrics(SM_CYDLGFRAME);
  m.cxBorder = ::GetSystemMetrics(SM_CXBORDER);
  m.cyBorder = ::GetSystemMetrics(SM_CYBORDER);
  m.cyCaption = ::GetSystemMetrics(SM_CYCAPTION);
  m.cySmCaption = ::GetSystemMetrics(SM_CYSMCAPTION);
  m.cxSize = ::GetSystemMetrics(SM_CXSIZE);
  m.cxSmSize = ::GetSystemMetrics(SM_CXSMSIZE);
  return m;
}

int TextWidth(HDC dc, HFONT font, const std::string& text) {
  if (text.empty()) return 0;
  tk::Selection sel(dc, font);
  RECT r{0, 0, 0, 0};
  ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  return r.right - r.left;
}

}  // namespace

// ---------------------------------------------------------------------------
// The texts

TCompanyText::TCompanyText(TMSOfficeCaption* owner)
    : ColorActive(::GetSysColor(COLOR_CAPTIONTEXT)),
      ColorInactive(::GetSysColor(COLOR_INACTIVECAPTIONTEXT)),
      owner_(owner) {}

void TCompanyText::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  owner_->UpdateWindowText();
}

void TCompanyText::SetVisible(bool visible) {
  visible_ = visible;
  owner_->UpdateWindowText();
}

void TCompanyText::SetFontKind(TFontKind kind) {
  kind_ = kind;
  ApplyFontKind();
}

void TCompanyText::SetFont(const LOGFONTA& font) {
  font_ = font;
  if (kind_ != fkAutoHeight) kind_ = fkCustom;
  ApplyFontKind();
}

void TCompanyText::ApplyFontKind() {
  const LOGFONTA& base = owner_->captionFont_;
  switch (kind_) {
    case fkCustom: break;
    case fkSystem: font_ = base; break;
    case fkSystemI: font_ = base; font_.lfItalic = TRUE; break;
    case fkSystemB: font_ = base; font_.lfWeight = FW_BOLD; break;
    case fkSystemBI: font_ = base; font_.lfWeight = FW_BOLD; font_.lfItalic = TRUE; break;
    case fkAutoHeight: {
      // Match the part's cell height less its internal leading to the
      // caption font's, measured on a small bitmap; a second step corrects
      // what the first leaves.
      HDC screen = ::GetDC(nullptr);
      tk::OwnedMemDC dc(::CreateCompatibleDC(screen));
      tk::OwnedBitmap bmp(::CreateCompatibleBitmap(screen, 10, 10));
      ::ReleaseDC(nullptr, screen);
      if (!dc || !bmp) break;
      tk::Selection selBmp(dc.get(), bmp.get());
      auto measure = [&](const LOGFONTA& lf) {
        TEXTMETRICA tm{};
        tk::OwnedFont f(::CreateFontIndirectA(&lf));
        if (!f) return 0;
        tk::Selection sel(dc.get(), f.get());
        ::GetTextMetricsA(dc.get(), &tm);
        return static_cast<int>(tm.tmHeight - tm.tmInternalLeading);
      };
      const int want = measure(base);
      if (font_.lfHeight == 0) font_.lfHeight = base.lfHeight;
      int have = measure(font_);
      // Heights below 0 are character heights: a larger one is more negative.
      const int sign = font_.lfHeight < 0 ? -1 : 1;
      font_.lfHeight += sign * (want - have);
      have = measure(font_);
      if (have < want) font_.lfHeight += sign * (want - have);
      break;
    }
  }
  handle_.reset();
  owner_->RepaintFrame();
}

HFONT TCompanyText::Handle() {
  if (!handle_) handle_.reset(::CreateFontIndirectA(&font_));
  if (!handle_) {
    if (!owner_->captionHandle_) owner_->captionHandle_.reset(::CreateFontIndirectA(&owner_->captionFont_));
    if (owner_->captionHandle_) return owner_->captionHandle_.get();
    return static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
  }
  return handle_.get();
}

std::string TCaptionText::Caption() const {
  HWND wnd = owner_->Wnd();
  if (!wnd) return caption_;
  int len = ::GetWindowTextLengthA(wnd);
  std::string text(static_cast<size_t>(len) + 1, '\0');
  int got = ::GetWindowTextA(wnd, text.data(), len + 1);
  text.resize(static_cast<size_t>(std::max(got, 0)));
  const TCompanyText& company = *owner_->CompanyText();
  const TCompanyText& appName = *owner_->AppNameText();
  return cap::DeriveCaption(text, {company.StoredCaption(), company.Visible()},
                            {appName.StoredCaption(), appName.Visible()});
}

// ---------------------------------------------------------------------------
// The component

TMSOfficeCaption::TMSOfficeCaption(tk::Component* owner, std::string name)
    : Component(owner, std::move(name)),
      ColorRightActive(::GetSysColor(COLOR_ACTIVECAPTION)),
      ColorRightInActive(::GetSysColor(COLOR_INACTIVECAPTION)),
      form_(dynamic_cast<tk::Form*>(owner)) {
  if (!form_) throw tk::InvalidOperation("Invalid class typecast");
  LivePainters().insert(this);
  if (!rehookFilter) {
    rehookFilter = tk::Application.AddMessageFilter([](MSG& msg) {
      if (msg.message != kRehookMessage || msg.hwnd) return false;
      auto* self = reinterpret_cast<TMSOfficeCaption*>(msg.lParam);
      if (LivePainters().count(self)) self->Rehook();
      return true;
    });
  }
  ReadCaptionFont();
  for (TCompanyText* part : {static_cast<TCompanyText*>(&company_), static_cast<TCompanyText*>(&appName_),
                             static_cast<TCompanyText*>(&caption_)})
    part->ApplyFontKind();
  HookForm();
}

TMSOfficeCaption::~TMSOfficeCaption() {
  const bool formGoing = form_->Destroying() || !Wnd();
  std::string caption = formGoing ? std::string() : caption_.Caption();
  Unhook();
  LivePainters().erase(this);
  if (LivePainters().empty() && rehookFilter) {
    tk::Application.RemoveMessageFilter(rehookFilter);
    rehookFilter = 0;
  }
  if (!formGoing) {
    ::SetWindowTextA(form_->Handle(), caption.c_str());
    ::SetWindowPos(form_->Handle(), nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

HWND TMSOfficeCaption::Wnd() const { return form_->HandleAllocated() ? form_->Handle() : nullptr; }

void TMSOfficeCaption::SetNumColors(int n) { numColors_ = cap::ClampNumColors(numColors_, n); }

void TMSOfficeCaption::ReadCaptionFont() {
  LOGFONTA lf = StockSystemFont();
  NONCLIENTMETRICSA ncm{};
  ncm.cbSize = sizeof ncm;
  if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0)) {
    const LOGFONTA& c = ncm.lfCaptionFont;
    lstrcpynA(lf.lfFaceName, c.lfFaceName, LF_FACESIZE);
    lf.lfHeight = c.lfHeight;
    lf.lfWidth = 0;
    lf.lfItalic = c.lfItalic ? TRUE : FALSE;
    lf.lfWeight = c.lfWeight > 500 ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = c.lfCharSet;
    lf.lfPitchAndFamily = DEFAULT_PITCH;
  }
  captionFont_ = lf;
  captionHandle_.reset();
}

void TMSOfficeCaption::HookForm() {
  HWND wnd = Wnd();
  if (hooked_ || !wnd) return;
  ::SetPropA(wnd, kSelfProp, this);
  previous_ = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TMSOfficeCaption::HookProc)));
  hookedWnd_ = wnd;
  hooked_ = true;
  UpdateWindowText();
  RepaintFrame();
}

void TMSOfficeCaption::Rehook() {
  if (hooked_ || !Wnd()) return;
  // The new window starts with the activation it has now.
  activeKnown_ = false;
  HookForm();
}

void TMSOfficeCaption::Unhook() {
  if (!hooked_) return;
  hooked_ = false;
  if (::IsWindow(hookedWnd_)) {
    ::RemovePropA(hookedWnd_, kSelfProp);
    if (::GetWindowLongPtrA(hookedWnd_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&TMSOfficeCaption::HookProc))
      ::SetWindowLongPtrA(hookedWnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
  }
  hookedWnd_ = nullptr;
}

void TMSOfficeCaption::UpdateWindowText() {
  HWND wnd = Wnd();
  if (!wnd) return;
  std::string text = cap::ComposeWindowText({company_.caption_, company_.visible_},
                                            {appName_.caption_, appName_.visible_},
                                            {caption_.caption_, caption_.visible_});
  // The form's window updates are locked while its text changes (only while
  // it shows: unlocking sets the visible style).
  const bool lock = ::IsWindowVisible(wnd);
  if (lock) ::SendMessageA(wnd, WM_SETREDRAW, FALSE, 0);
  ::SetWindowTextA(wnd, text.c_str());
  if (lock) ::SendMessageA(wnd, WM_SETREDRAW, TRUE, 0);
  RepaintFrame();
}

void TMSOfficeCaption::RepaintFrame() {
  HWND wnd = Wnd();
  if (hooked_ && wnd && ::IsWindowVisible(wnd)) ::SendMessageA(wnd, WM_NCPAINT, 1, 0);
}

bool TMSOfficeCaption::IsActive() const {
  if (activeKnown_) return active_;
  HWND wnd = Wnd();
  if (!wnd) return false;
  if (auto* child = dynamic_cast<tk::MDIChildForm*>(form_)) {
    auto* frame = child->Frame();
    return frame && frame->ActiveMDIChild() == child && ::GetActiveWindow() == frame->Handle();
  }
  return ::GetActiveWindow() == wnd;
}

LRESULT CALLBACK TMSOfficeCaption::HookProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = static_cast<TMSOfficeCaption*>(::GetPropA(wnd, kSelfProp));
  if (!self || !self->previous_) return ::DefWindowProcA(wnd, msg, wParam, lParam);
  try {
    return self->WndProc(wnd, msg, wParam, lParam);
  } catch (...) {
    // Nothing may cross the window procedure: painting errors leave the
    // caption as it was.
    return 0;
  }
}

LRESULT TMSOfficeCaption::WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  WNDPROC previous = previous_;
  switch (msg) {
    case WM_NCPAINT: {
      // The default frame painting gets the update region less the caption bar.
      RECT wr{};
      ::GetWindowRect(wnd, &wr);
      const cap::CaptionGeometry g = CurrentGeometry();
      if (!g.painted) return ::CallWindowProcA(previous, wnd, msg, wParam, lParam);
      tk::OwnedRegion rgn(wParam > 1 ? ::CreateRectRgn(0, 0, 0, 0) : ::CreateRectRgnIndirect(&wr));
      if (wParam > 1 && rgn) ::CombineRgn(rgn.get(), reinterpret_cast<HRGN>(wParam), nullptr, RGN_COPY);
      tk::OwnedRegion bar(::CreateRectRgn(wr.left + g.bar.left, wr.top + g.bar.top, wr.left + g.bar.right,
                                          wr.top + g.bar.bottom));
      LRESULT result;
      if (rgn && bar) {
        ::CombineRgn(rgn.get(), rgn.get(), bar.get(), RGN_DIFF);
        result = ::CallWindowProcA(previous, wnd, msg, reinterpret_cast<WPARAM>(rgn.get()), lParam);
      } else {
        result = ::CallWindowProcA(previous, wnd, msg, wParam, lParam);
      }
      PaintCaption(IsActive());
      return result;
    }
    case WM_NCACTIVATE: {
      activeKnown_ = true;
      active_ = wParam != 0;
      LRESULT result = TRUE;
      if (dynamic_cast<tk::MDIChildForm*>(form_)) result = ::CallWindowProcA(previous, wnd, msg, wParam, lParam);
      if (auto* frame = dynamic_cast<tk::MDIFrameForm*>(form_)) {
        auto* main = dynamic_cast<tk::MDIFrameForm*>(tk::Application.MainForm());
        if (main == frame) {
          if (tk::MDIChildForm* child = frame->ActiveMDIChild())
            ::PostMessageA(child->Handle(), WM_NCACTIVATE, wParam, lParam);
        }
      }
      RepaintFrame();
      return result;
    }
    case WM_SETCURSOR: {
      LPCSTR cursor = nullptr;
      switch (LOWORD(lParam)) {
        case HTLEFT: case HTRIGHT: cursor = IDC_SIZEWE; break;
        case HTTOPLEFT: case HTBOTTOMRIGHT: cursor = IDC_SIZENWSE; break;
        case HTTOPRIGHT: case HTBOTTOMLEFT: cursor = IDC_SIZENESW; break;
        case HTTOP: case HTBOTTOM: cursor = IDC_SIZENS; break;
        default: break;
      }
      if (cursor) {
        ::SetCursor(::LoadCursor(nullptr, cursor));
        return TRUE;
      }
      break;
    }
    case WM_NCDESTROY: {
      // The form may be making its window anew: look again once the
      // message loop runs (a form that goes takes its painter with it).
      Unhook();
      if (!form_->Destroying()) ::PostThreadMessageA(::GetCurrentThreadId(), kRehookMessage, 0,
                                                     reinterpret_cast<LPARAM>(this));
      return ::CallWindowProcA(previous, wnd, msg, wParam, lParam);
    }
    default: break;
  }
  LRESULT result = ::CallWindowProcA(previous, wnd, msg, wParam, lParam);
  switch (msg) {
    case WM_SETICON:
    case WM_SETTEXT:  // the default procedure draws the caption itself here
      RepaintFrame();
      break;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
    case WM_DISPLAYCHANGE:
      ReadCaptionFont();
      for (TCompanyText* part : {static_cast<TCompanyText*>(&company_), static_cast<TCompanyText*>(&appName_),
                                 static_cast<TCompanyText*>(&caption_)})
        part->ApplyFontKind();
      RepaintFrame();
      break;
    default: break;
  }
  return result;
}

cap::CaptionGeometry TMSOfficeCaption::CurrentGeometry() const {
  HWND wnd = Wnd();
  if (!wnd) return {};
  const LONG style = ::GetWindowLongA(wnd, GWL_STYLE);
  const LONG exStyle = ::GetWindowLongA(wnd, GWL_EXSTYLE);
  RECT wr{};
  ::GetWindowRect(wnd, &wr);
  cap::FrameInfo f;
  f.width = wr.right - wr.left;
  f.height = wr.bottom - wr.top;
  f.border = BorderOf(style, exStyle);
  f.minimized = ::IsIconic(wnd);
  f.systemMenu = style & WS_SYSMENU;
  f.minimizeBox = style & WS_MINIMIZEBOX;
  f.maximizeBox = style & WS_MAXIMIZEBOX;
  f.helpBox = exStyle & WS_EX_CONTEXTHELP;
  return cap::Geometry(f, SystemMetrics());
}

void TMSOfficeCaption::PaintCaption(bool active) {
  HWND wnd = Wnd();
  if (!wnd) return;
  const LONG style = ::GetWindowLongA(wnd, GWL_STYLE);
  const cap::Metrics m = SystemMetrics();
  const cap::CaptionGeometry g = CurrentGeometry();
  if (!g.painted || g.bar.Width() <= 0 || g.bar.Height() <= 0) return;

  FrameDC wdc(wnd);
  if (!wdc.get()) return;
  tk::OwnedMemDC mem(::CreateCompatibleDC(wdc.get()));
  tk::OwnedBitmap bmp(::CreateCompatibleBitmap(wdc.get(), g.bar.Width(), g.bar.Height()));
  if (!mem || !bmp) return;
  tk::Selection selBmp(mem.get(), bmp.get());
  HDC dc = mem.get();
  // Bitmap coordinates: the bar's top-left at 0, 0.
  auto local = [&](const cap::Rect& r) {
    return RECT{r.left - g.bar.left, r.top - g.bar.top, r.right - g.bar.left, r.bottom - g.bar.top};
  };
  RECT barR = local(g.bar);
  RECT text = local(g.text);

  const int bpp = ::GetDeviceCaps(wdc.get(), BITSPIXEL) * ::GetDeviceCaps(wdc.get(), PLANES);
  const bool gradient = cap::UseGradient(Enabled, active, bpp);
  const COLORREF left = active ? ColorLeftActive : ColorLeftInActive;
  const COLORREF right = active ? ColorRightActive : ColorRightInActive;
  const COLORREF plain = ::GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
  auto fill = [&](const RECT& r, COLORREF c) {
    tk::OwnedBrush b(::CreateSolidBrush(c));
    if (b) ::FillRect(dc, &r, b.get());
  };
  fill(barR, gradient ? right : plain);
  if (gradient) {
    for (const cap::Band& band :
         cap::GradientBands(text.left, text.right - text.left, numColors_, left, right)) {
      if (band.x1 <= band.x0) continue;
      fill(RECT{band.x0, text.top, band.x1, text.bottom}, band.color);
    }
  } else {
    fill(text, plain);
  }

  // The small icon.
  const cap::Border border = BorderOf(style, ::GetWindowLongA(wnd, GWL_EXSTYLE));
  if ((border == cap::Border::Single || border == cap::Border::Sizeable) && (style & WS_SYSMENU)) {
    HICON icon = reinterpret_cast<HICON>(::SendMessageA(wnd, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(::SendMessageA(wnd, WM_GETICON, ICON_BIG, 0));
    if (!icon) icon = reinterpret_cast<HICON>(::GetClassLongPtrA(wnd, GCLP_HICONSM));
    if (!icon) icon = reinterpret_cast<HICON>(::GetClassLongPtrA(wnd, GCLP_HICON));
    if (!icon) icon = tk::Application.Icon();
    if (!icon) icon = ::LoadIcon(nullptr, IDI_APPLICATION);
    int cx = ::GetSystemMetrics(SM_CXSMICON), cy = ::GetSystemMetrics(SM_CYSMICON);
    if (cx <= 0 || cy <= 0) {
      cx = m.cxSize;
      cy = ::GetSystemMetrics(SM_CYSIZE);
    }
    ::DrawIconEx(dc, text.left + 2, text.top + 1, icon, cx, cy, 0, nullptr, DI_NORMAL);
    text.left += cx + 2;
  }

  // The caption buttons.
  auto button = [&](const cap::Rect& r, UINT kind, bool enabled) {
    RECT br = local(r);
    if (br.right <= br.left) return;
    ::DrawFrameControl(dc, &br, DFC_CAPTION, kind | (enabled ? 0 : DFCS_INACTIVE));
  };
  if (g.buttons.close) button(g.close, DFCS_CAPTIONCLOSE, true);
  if (g.buttons.maximize)
    button(g.maximize, ::IsZoomed(wnd) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX, style & WS_MAXIMIZEBOX);
  if (g.buttons.minimize)
    button(g.minimize, ::IsIconic(wnd) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMIN, style & WS_MINIMIZEBOX);
  if (g.buttons.help) button(g.help, DFCS_CAPTIONHELP, true);

  if (OnDrawCaption) {
    if (!captionHandle_) captionHandle_.reset(::CreateFontIndirectA(&captionFont_));
    tk::Selection selFont(dc, captionHandle_ ? captionHandle_.get() : ::GetStockObject(SYSTEM_FONT));
    OnDrawCaption(this, dc, text);
  }

  // The texts: the caption part as the window text now gives it.
  caption_.caption_ = caption_.Caption();
  TCompanyText* parts[3] = {&company_, &appName_, &caption_};
  cap::PartWidth widths[3];
  for (int i = 0; i < 3; ++i) {
    widths[i].visible = parts[i]->visible_;
    widths[i].empty = parts[i]->caption_.empty();
    widths[i].text = parts[i]->visible_ ? TextWidth(dc, parts[i]->Handle(), parts[i]->caption_) : 0;
  }
  ::SetBkMode(dc, TRANSPARENT);
  lastTexts_ = cap::LayoutTexts(widths, text.left, text.right, Justification, true);
  for (cap::DrawnPart& p : lastTexts_) {
    p.x += g.bar.left;
    p.right += g.bar.left;
  }
  lastTextArea_ = RECT{text.left + g.bar.left, text.top + g.bar.top, text.right + g.bar.left, text.bottom + g.bar.top};
  for (const cap::DrawnPart& p : lastTexts_) {
    TCompanyText* part = parts[p.index];
    RECT r{p.x - g.bar.left, text.top, p.right - g.bar.left, text.bottom};
    if (r.right <= r.left || part->caption_.empty()) continue;
    tk::Selection selFont(dc, part->Handle());
    ::SetTextColor(dc, active ? part->ColorActive : part->ColorInactive);
    ::DrawTextA(dc, part->caption_.c_str(), static_cast<int>(part->caption_.size()), &r,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  }

  ::BitBlt(wdc.get(), g.bar.left, g.bar.top, g.bar.Width(), g.bar.Height(), dc, 0, 0, SRCCOPY);
}
