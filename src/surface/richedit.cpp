#include "surface/richedit.h"

#include <commdlg.h>
#include <richedit.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "toolkit/application.h"
#include "toolkit/errors.h"
#include "toolkit/graphics.h"
#include "toolkit/window.h"

namespace {

// The byte table: each byte value has a wide character of its own that the
// control keeps unchanged, and each of those characters maps back to its
// byte. Bytes that the code page leaves undefined, that two bytes would
// share, or that the control would not keep as they are (0 ends a text) get
// a character of the private-use area instead, U+F700 plus the byte.
class ByteTable {
 public:
  ByteTable() {
    toByte_.assign(0x10000, -1);
    for (int b = 0; b < 256; ++b) {
      wchar_t w = 0;
      if (b != 0 && !Reinterpreted(b)) {
        char c = static_cast<char>(b);
        if (::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, &c, 1, &w, 1) != 1) w = 0;
      }
      if (w == 0 || w == 0xFFFD || toByte_[w] != -1) w = static_cast<wchar_t>(kPrivateBase + b);
      toWide_[static_cast<size_t>(b)] = w;
      toByte_[w] = static_cast<short>(b);
    }
  }
  wchar_t Wide(unsigned char b) const { return toWide_[b]; }
  char Byte(wchar_t w) const {
    short b = toByte_[w];
    if (b >= 0) return static_cast<char>(b);
    // A character typed or pasted that has no byte of its own.
    char c = '?';
    BOOL lossy = FALSE;
    if (::WideCharToMultiByte(CP_ACP, 0, &w, 1, &c, 1, "?", &lossy) != 1) c = '?';
    return c;
  }

 private:
  static constexpr int kPrivateBase = 0xF700;
  // Bytes the control would turn into something else: none besides 0 with
  // the code pages met so far; line ends are handled by the callers.
  static bool Reinterpreted(int) { return false; }
  std::array<wchar_t, 256> toWide_{};
  std::vector<short> toByte_;
};

const ByteTable& Table() {
  static const ByteTable table;
  return table;
}

struct StreamIn {
  const wchar_t* data;
  size_t size;  // in bytes
  size_t done;
};

DWORD CALLBACK ReadChunk(DWORD_PTR cookie, LPBYTE buffer, LONG want, LONG* got) {
  auto* s = reinterpret_cast<StreamIn*>(cookie);
  size_t n = std::min(static_cast<size_t>(want), s->size - s->done);
  std::memcpy(buffer, reinterpret_cast<const BYTE*>(s->data) + s->done, n);
  s->done += n;
  *got = static_cast<LONG>(n);
  return 0;
}

struct StreamOut {
  std::wstring text;
  std::string odd;  // a half character left from the previous chunk
  bool failed = false;
};

DWORD CALLBACK WriteChunk(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
  auto* s = reinterpret_cast<StreamOut*>(cookie);
  try {
    s->odd.append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(size));
    size_t whole = s->odd.size() / 2;
    size_t at = s->text.size();
    s->text.resize(at + whole);
    std::memcpy(s->text.data() + at, s->odd.data(), whole * 2);
    s->odd.erase(0, whole * 2);
  } catch (...) {
    s->failed = true;
    *done = 0;
    return 1;
  }
  *done = size;
  return 0;
}

HMODULE LoadRichEdit() {
  static HMODULE module = ::LoadLibraryA("riched20.dll");
  return module;
}

}  // namespace


std::wstring RichEditSurface::Widen(std::string_view bytes) {
  const ByteTable& t = Table();
  std::wstring wide(bytes.size(), L'\0');
  for (size_t i = 0; i < bytes.size(); ++i) wide[i] = t.Wide(static_cast<unsigned char>(bytes[i]));
  return wide;
}

std::string RichEditSurface::Narrow(std::wstring_view wide) {
  const ByteTable& t = Table();
  std::string bytes(wide.size(), '\0');
  for (size_t i = 0; i < wide.size(); ++i) bytes[i] = t.Byte(wide[i]);
  return bytes;
}

// The control's window seen through the toolkit's one subclassing: its
// messages reach ControlMessage inside the toolkit's exception border.
class RichEditSurface::ControlWindow : public tk::Window {
 public:
  explicit ControlWindow(RichEditSurface& edit) : edit_(edit) {}
  void Attach(HWND wnd) {
    attached_ = wnd;
    Subclass(wnd);
  }
  LRESULT CallControl(UINT msg, WPARAM wParam, LPARAM lParam) { return DefaultHandler(msg, wParam, lParam); }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    return edit_.ControlMessage(msg, wParam, lParam);
  }
  void HandleDestroyed() override { edit_.ControlGone(attached_); }

 private:
  RichEditSurface& edit_;
  HWND attached_ = nullptr;
};

RichEditSurface::RichEditSurface() = default;

RichEditSurface::~RichEditSurface() = default;

void RichEditSurface::ControlGone(HWND wnd) {
  if (hwnd_ == wnd) hwnd_ = nullptr;
}

LRESULT RichEditSurface::Send(UINT msg, WPARAM wParam, LPARAM lParam) const {
  if (!hwnd_) throw tk::InvalidOperation("The editing control has no window");
  return ::SendMessageW(hwnd_, msg, wParam, lParam);
}

void RichEditSurface::CreateIn(HWND parent) {
  if (!LoadRichEdit()) throw tk::Error("Cannot load the rich-edit control (riched20.dll)");
  RECT r{};
  ::GetClientRect(parent, &r);
  hwnd_ = ::CreateWindowExW(0, L"RichEdit20W", L"",
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | ES_MULTILINE |
                                ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL | ES_WANTRETURN,
                            0, 0, r.right, r.bottom, parent, nullptr, ::GetModuleHandleA(nullptr), nullptr);
  if (!hwnd_) throw tk::Error("Cannot create the editing control");
  // Our procedure sees every message first (keys before the control acts
  // on them), as Unicode messages, so that nothing is converted on the way.
  if (!window_) window_ = std::make_unique<ControlWindow>(*this);
  window_->Attach(hwnd_);
  Send(EM_SETEVENTMASK, 0, ENM_SELCHANGE);
  // Plain text (set while the control is still empty), and no limit of
  // the control's own on the text's length.
  Send(EM_SETTEXTMODE, TM_PLAINTEXT | TM_MULTILEVELUNDO | TM_MULTICODEPAGE);
  Send(EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
  SetWordWrap(false);
}

LRESULT RichEditSurface::ControlMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  // A handler's exception ends the handler, never the message; anything
  // else that throws here (our paste) ends at the window's own border.
  auto fire = [](const auto& handler, auto... args) {
    if (handler) tk::Guarded([&] { handler(args...); });
  };
  switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      fire(OnKeyDown, static_cast<WORD>(wParam));
      bool ctrl = ::GetKeyState(VK_CONTROL) < 0, shift = ::GetKeyState(VK_SHIFT) < 0;
      bool alt = ::GetKeyState(VK_MENU) < 0;
      // The control's own paste keys take our paste (see Paste).
      if (msg == WM_KEYDOWN && !alt && ((ctrl && !shift && wParam == 'V') || (shift && !ctrl && wParam == VK_INSERT))) {
        Paste();
        return 0;
      }
      break;
    }
    case WM_PASTE:
      Paste();
      return 0;
    case WM_CONTEXTMENU:
      if (OnContextPopup) {
        fire(OnContextPopup, static_cast<int>(static_cast<short>(LOWORD(lParam))),
             static_cast<int>(static_cast<short>(HIWORD(lParam))));
        return 0;
      }
      break;
    default: break;
  }
  LRESULT result = window_->CallControl(msg, wParam, lParam);
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      fire(OnMouseDown);
      break;
    case WM_VSCROLL: fire(OnVScroll); break;
    case WM_HSCROLL: fire(OnHScroll); break;
    default: break;
  }
  return result;
}

bool RichEditSurface::HandleNotify(const NMHDR* header) {
  if (!header || !hwnd_ || header->hwndFrom != hwnd_) return false;
  if (header->code == EN_SELCHANGE && OnSelectionChange) OnSelectionChange();
  return true;
}

std::int64_t RichEditSurface::FindWordBreak(int code, std::int64_t pos) const {
  return static_cast<std::int64_t>(Send(EM_FINDWORDBREAK, static_cast<WPARAM>(code), static_cast<LPARAM>(pos)));
}

void RichEditSurface::FillParent() {
  if (!hwnd_) return;
  RECT r{};
  ::GetClientRect(::GetParent(hwnd_), &r);
  ::MoveWindow(hwnd_, 0, 0, r.right, r.bottom, TRUE);
}

std::string RichEditSurface::Text() const {
  StreamOut out;
  EDITSTREAM es{};
  es.dwCookie = reinterpret_cast<DWORD_PTR>(&out);
  es.pfnCallback = WriteChunk;
  Send(EM_STREAMOUT, SF_TEXT | SF_UNICODE, reinterpret_cast<LPARAM>(&es));
  if (out.failed || es.dwError != 0) throw tk::Error("Cannot read the text of the editing control");
  // The control writes its line ends as CR LF; inside it they are one CR.
  std::wstring& w = out.text;
  size_t j = 0;
  for (size_t i = 0; i < w.size(); ++i) {
    if (w[i] == L'\r' && i + 1 < w.size() && w[i + 1] == L'\n') ++i, w[i] = L'\r';
    w[j++] = w[i];
  }
  w.resize(j);
  return Narrow(w);
}

void RichEditSurface::Renew() {
  HWND old = hwnd_;
  HWND parent = ::GetParent(old);
  RECT r{};
  ::GetWindowRect(old, &r);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  bool visible = (::GetWindowLongPtrW(old, GWL_STYLE) & WS_VISIBLE) != 0;
  bool focused = ::GetFocus() == old;
  ::DestroyWindow(old);
  CreateIn(parent);
  ::MoveWindow(hwnd_, r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
  if (hasFont_) SetFont(font_);
  if (background_) SetBackground(*background_);
  if (!visible) ::ShowWindow(hwnd_, SW_HIDE);
  if (focused) ::SetFocus(hwnd_);
}

void RichEditSurface::SetText(std::string_view text) {
  // The control takes time that grows with the square of the text it
  // throws away (about 50 s for 1 MB under Wine) but only linear time to
  // take new text into an empty control: a control holding much text is
  // replaced by a new one.
  if (hwnd_ && ::GetParent(hwnd_) && TextLength() > kRenewLength) Renew();
  // Bytes to the control's characters, every line end (CR LF, LF, CR) one CR.
  const ByteTable& t = Table();
  std::wstring wide;
  wide.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char b = static_cast<unsigned char>(text[i]);
    if (b == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
      wide.push_back(L'\r');
    } else if (b == '\n') {
      wide.push_back(L'\r');
    } else {
      wide.push_back(t.Wide(b));
    }
  }
  StreamIn in{wide.data(), wide.size() * sizeof(wchar_t), 0};
  EDITSTREAM es{};
  es.dwCookie = reinterpret_cast<DWORD_PTR>(&in);
  es.pfnCallback = ReadChunk;
  Send(EM_STREAMIN, SF_TEXT | SF_UNICODE, reinterpret_cast<LPARAM>(&es));
  if (es.dwError != 0) throw tk::Error("Cannot put the text into the editing control");
  SetSel(0, 0);
  Send(EM_EMPTYUNDOBUFFER);
  SetModified(false);
}

std::int64_t RichEditSurface::TextLength() const {
  GETTEXTLENGTHEX gtl{GTL_NUMCHARS | GTL_PRECISE, 1200};
  return static_cast<std::int64_t>(Send(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&gtl), 0));
}

std::string RichEditSurface::TextRange(std::int64_t from, std::int64_t to) const {
  std::int64_t length = TextLength();
  if (to < 0 || to > length) to = length;
  from = std::clamp<std::int64_t>(from, 0, to);
  std::wstring buffer(static_cast<size_t>(to - from) + 1, L'\0');
  TEXTRANGEW tr{};
  tr.chrg.cpMin = static_cast<LONG>(from);
  tr.chrg.cpMax = static_cast<LONG>(to);
  tr.lpstrText = buffer.data();
  LRESULT got = Send(EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&tr));
  buffer.resize(static_cast<size_t>(std::max<LRESULT>(got, 0)));
  return Narrow(buffer);
}

std::int64_t RichEditSurface::SelStart() const {
  CHARRANGE cr{};
  Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&cr));
  return cr.cpMin;
}

std::int64_t RichEditSurface::SelLength() const {
  CHARRANGE cr{};
  Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&cr));
  return cr.cpMax - cr.cpMin;
}

void RichEditSurface::SetSel(std::int64_t start, std::int64_t end) {
  CHARRANGE cr{static_cast<LONG>(start), static_cast<LONG>(end)};
  Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&cr));
}

void RichEditSurface::ReplaceSel(std::string_view text, bool canUndo) {
  std::wstring wide = Widen(text);
  Send(EM_REPLACESEL, canUndo ? TRUE : FALSE, reinterpret_cast<LPARAM>(wide.c_str()));
}

std::int64_t RichEditSurface::LineCount() const {
  // The control counts the empty line after a final line end; the line
  // list does not.
  std::int64_t count = static_cast<std::int64_t>(Send(EM_GETLINECOUNT));
  if (count > 0) {
    std::int64_t lastStart = LineIndex(count - 1);
    if (lastStart >= 0 && lastStart == TextLength() && LineLength(lastStart) == 0) --count;
  }
  return count;
}

std::int64_t RichEditSurface::LineFromChar(std::int64_t pos) const {
  return static_cast<std::int64_t>(Send(EM_EXLINEFROMCHAR, 0, static_cast<LPARAM>(pos)));
}

std::int64_t RichEditSurface::LineIndex(std::int64_t line) const {
  return static_cast<std::int64_t>(static_cast<int>(Send(EM_LINEINDEX, static_cast<WPARAM>(line))));
}

std::int64_t RichEditSurface::LineLength(std::int64_t pos) const {
  return static_cast<std::int64_t>(Send(EM_LINELENGTH, static_cast<WPARAM>(pos)));
}

void RichEditSurface::ScrollToLine(std::int64_t line) {
  std::int64_t first = static_cast<std::int64_t>(Send(EM_GETFIRSTVISIBLELINE));
  Send(EM_LINESCROLL, 0, static_cast<LPARAM>(line - first));
}

bool RichEditSurface::PointOf(std::int64_t pos, POINT* at) {
  POINTL pt{};
  Send(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&pt), static_cast<LPARAM>(pos));
  RECT rc{};
  ::GetClientRect(hwnd_, &rc);
  at->x = pt.x;
  at->y = pt.y;
  return pt.y >= 0 && pt.y < rc.bottom;
}

std::int64_t RichEditSurface::Find(std::string_view what, std::int64_t from, std::int64_t to, bool matchCase,
                                  bool wholeWord) const {
  std::wstring wide = Widen(what);
  FINDTEXTEXW ft{};
  ft.chrg.cpMin = static_cast<LONG>(from);
  ft.chrg.cpMax = static_cast<LONG>(to);
  ft.lpstrText = wide.c_str();
  WPARAM flags = FR_DOWN | (matchCase ? FR_MATCHCASE : 0) | (wholeWord ? FR_WHOLEWORD : 0);
  return static_cast<std::int64_t>(static_cast<int>(Send(EM_FINDTEXTEXW, flags, reinterpret_cast<LPARAM>(&ft))));
}

bool RichEditSurface::Modified() const { return Send(EM_GETMODIFY) != 0; }
void RichEditSurface::SetModified(bool modified) { Send(EM_SETMODIFY, modified ? TRUE : FALSE); }
bool RichEditSurface::CanUndo() const { return Send(EM_CANUNDO) != 0; }
void RichEditSurface::Undo() { Send(EM_UNDO); }
void RichEditSurface::Cut() { Send(WM_CUT); }
void RichEditSurface::Copy() { Send(WM_COPY); }
void RichEditSurface::Paste() {
  // The clipboard's text replaces the selection. Done here rather than by
  // the control: some rich-edit versions put a paste into a plain-text
  // control in place of the whole text.
  std::wstring text;
  {
    struct Clipboard {
      bool open = false;
      ~Clipboard() {
        if (open) ::CloseClipboard();
      }
    } clipboard;
    for (int attempt = 0; attempt < 10 && !(clipboard.open = ::OpenClipboard(hwnd_)); ++attempt) ::Sleep(10);
    if (!clipboard.open) return;
    HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
    struct Lock {
      HANDLE data;
      const wchar_t* chars;
      ~Lock() {
        if (chars) ::GlobalUnlock(data);
      }
    } lock{data, data ? static_cast<const wchar_t*>(::GlobalLock(data)) : nullptr};
    if (lock.chars) {
      size_t limit = ::GlobalSize(data) / sizeof(wchar_t);
      text.assign(lock.chars, std::find(lock.chars, lock.chars + limit, L'\0'));
    }
  }
  // Every line end (CR LF, LF, CR) is one CR inside the control.
  size_t j = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    wchar_t c = text[i];
    if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
    text[j++] = c == L'\n' ? L'\r' : c;
  }
  text.resize(j);
  Send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}
void RichEditSurface::ClearSelection() { Send(WM_CLEAR); }

void RichEditSurface::SetFont(const core::FontSpec& font) {
  font_ = font;
  hasFont_ = true;
  CHARFORMAT2W cf{};
  cf.cbSize = sizeof cf;
  cf.dwMask = CFM_FACE | CFM_SIZE | CFM_COLOR | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
  cf.yHeight = std::clamp(font.size, 1, 1638) * 20;  // twips
  cf.crTextColor = tk::ColorToRGB(font.color, core::ColorUse::Text);
  if (font.style & core::fsBold) cf.dwEffects |= CFE_BOLD;
  if (font.style & core::fsItalic) cf.dwEffects |= CFE_ITALIC;
  if (font.style & core::fsUnderline) cf.dwEffects |= CFE_UNDERLINE;
  if (font.style & core::fsStrikeOut) cf.dwEffects |= CFE_STRIKEOUT;
  cf.bPitchAndFamily = font.pitch == core::FontPitch::Fixed      ? FIXED_PITCH
                       : font.pitch == core::FontPitch::Variable ? VARIABLE_PITCH
                                                                 : DEFAULT_PITCH;
  ::MultiByteToWideChar(CP_ACP, 0, font.name.c_str(), -1, cf.szFaceName, LF_FACESIZE);
  cf.szFaceName[LF_FACESIZE - 1] = L'\0';
  // A change of the look is no change of the document.
  bool modified = Modified();
  Send(EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
  SetModified(modified);
}

void RichEditSurface::SetBackground(core::Color color) {
  background_ = color;
  Send(EM_SETBKGNDCOLOR, 0, tk::ColorToRGB(color, core::ColorUse::Background));
}

void RichEditSurface::SetWordWrap(bool wrap) {
  wordWrap_ = wrap;
  // Target device 0 with width 0 wraps at the window's edge; width 1 keeps
  // every line in one piece.
  Send(EM_SETTARGETDEVICE, 0, wrap ? 0 : 1);
}

void RichEditSurface::SetVisible(bool visible) {
  if (hwnd_) ::ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
}

std::unique_ptr<EditSurface> MakeReferenceSurface() { return std::make_unique<RichEditSurface>(); }
