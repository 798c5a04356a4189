// The own surface's window: creation, the window procedure and the
// surface's requests about text, selection and lines.
#include <windowsx.h>

#include <algorithm>

#include "surface/ownsurface.h"

#include "toolkit/errors.h"

namespace own {

namespace {
const wchar_t kClassName[] = L"QuillonTextSurface";
// Text measured per tick of the idle measuring of word wrap.
constexpr std::size_t kMeasurePerTick = 1 << 20;
}  // namespace

const ByteTable& ByteTable::Get() {
  static const ByteTable table = [] {
    ByteTable t;
    for (int b = 0; b < 256; ++b) {
      const char c = static_cast<char>(b);
      wchar_t w = 0;
      if (b == 0 || ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, &c, 1, &w, 1) != 1) w = 0;
      // A byte the code page does not define keeps a character of its own
      // (its value as a C1 control), so that it comes back as itself.
      if (w == 0 && b != 0) w = static_cast<wchar_t>(b);
      t.wide[static_cast<std::size_t>(b)] = w;
      t.bytes.emplace(w, static_cast<unsigned char>(b));
    }
    return t;
  }();
  return table;
}

unsigned char ByteTable::ByteOf(wchar_t c) const {
  if (auto it = bytes.find(c); it != bytes.end()) return it->second;
  char out = '?';
  BOOL usedDefault = FALSE;
  if (::WideCharToMultiByte(CP_ACP, 0, &c, 1, &out, 1, nullptr, &usedDefault) != 1) out = '?';
  return static_cast<unsigned char>(out);
}

std::string ByteTable::Narrow(std::wstring_view text) const {
  std::string s;
  s.reserve(text.size());
  for (wchar_t c : text) s += static_cast<char>(ByteOf(c));
  return s;
}

HWND OwnSurface::Wnd::Create(HWND parent) {
  HINSTANCE inst = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (!::GetClassInfoExW(inst, kClassName, &existing)) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &tk::Window::Proc;
    wc.hInstance = inst;
    wc.hCursor = ::LoadCursor(nullptr, IDC_IBEAM);
    wc.lpszClassName = kClassName;
    ::RegisterClassExW(&wc);
  }
  RECT rc{};
  if (parent) ::GetClientRect(parent, &rc);
  return ::CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_CLIPSIBLINGS,
                           0, 0, rc.right, rc.bottom, parent, nullptr, inst, static_cast<tk::Window*>(this));
}

LRESULT OwnSurface::Wnd::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return owner_.Message(msg, wParam, lParam);
}

LRESULT OwnSurface::Wnd::DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcW(hwnd_, msg, wParam, lParam);
}

OwnSurface::OwnSurface() = default;

OwnSurface::~OwnSurface() {
  if (HWND w = hwnd()) ::DestroyWindow(w);
}

void OwnSurface::CreateIn(HWND parent) {
  if (!wnd_.Create(parent)) throw tk::Error("Cannot create the editing control");
  MakeMetrics();
  UpdateScrollBars();
}

void OwnSurface::Detach() {
  // The window goes with its parent; the object only lets go of it.
  if (HWND w = hwnd()) {
    ::KillTimer(w, kDragTimer);
    ::KillTimer(w, kMeasureTimer);
    ::DestroyWindow(w);
  }
}

void OwnSurface::FillParent() {
  HWND w = hwnd();
  if (!w) return;
  RECT rc{};
  ::GetClientRect(::GetParent(w), &rc);
  ::MoveWindow(w, 0, 0, rc.right, rc.bottom, TRUE);
}

void OwnSurface::SetVisible(bool visible) {
  if (hwnd()) ::ShowWindow(hwnd(), visible ? SW_SHOW : SW_HIDE);
}

LRESULT OwnSurface::Message(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(hwnd(), &ps);
      Paint(dc, ps.rcPaint);
      ::EndPaint(hwnd(), &ps);
      // The rows just painted may be wider than any seen before.
      UpdateScrollBars();
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
      if (wrap_) MakeMetrics();
      SetTop(top_);
      UpdateScrollBars();
      ::InvalidateRect(hwnd(), nullptr, FALSE);
      return 0;
    case WM_SETFOCUS:
      focused_ = true;
      ::CreateCaret(hwnd(), nullptr, 1, rowHeight_);
      PlaceCaret();
      ::ShowCaret(hwnd());
      if (SelLength() > 0) ::InvalidateRect(hwnd(), nullptr, FALSE);
      return 0;
    case WM_KILLFOCUS:
      focused_ = false;
      ::DestroyCaret();
      if (SelLength() > 0) ::InvalidateRect(hwnd(), nullptr, FALSE);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB;
    case WM_KEYDOWN:
      if (OnKeyDown) OnKeyDown(static_cast<WORD>(wParam));
      KeyDown(wParam);
      return 0;
    case WM_CHAR:
      TypeChar(static_cast<wchar_t>(wParam));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      ::SetFocus(hwnd());
      MouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), wParam, msg == WM_LBUTTONDBLCLK);
      if (OnMouseDown) OnMouseDown();
      return 0;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      ::SetFocus(hwnd());
      if (OnMouseDown) OnMouseDown();
      return 0;
    case WM_MOUSEMOVE:
      MouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_LBUTTONUP:
      MouseUp();
      return 0;
    case WM_CAPTURECHANGED:
      if (dragging_ && reinterpret_cast<HWND>(lParam) != hwnd()) {
        dragging_ = false;
        ::KillTimer(hwnd(), kDragTimer);
      }
      return 0;
    case WM_MOUSEWHEEL:
      Wheel(GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    case WM_TIMER:
      if (wParam == kDragTimer) {
        DragTimer();
      } else if (wParam == kMeasureTimer) {
        if (!wrap_ || !layout_.MeasureSome(kMeasurePerTick)) {
          ::KillTimer(hwnd(), kMeasureTimer);
          measuring_ = false;
        }
        UpdateScrollBars();
      }
      return 0;
    case WM_VSCROLL:
      VScroll(LOWORD(wParam));
      if (OnVScroll) OnVScroll();
      return 0;
    case WM_HSCROLL:
      HScrollBar(LOWORD(wParam));
      if (OnHScroll) OnHScroll();
      return 0;
    case WM_CONTEXTMENU:
      if (OnContextPopup) OnContextPopup(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    // The edit commands that other programs and the system send.
    case WM_CUT: Cut(); return 0;
    case WM_COPY: Copy(); return 0;
    case WM_PASTE: Paste(); return 0;
    case WM_CLEAR: ClearSelection(); return 0;
    case WM_UNDO: Undo(); return TRUE;
    default:
      break;
  }
  return ::DefWindowProcW(hwnd(), msg, wParam, lParam);
}

// --- text

void OwnSurface::LoadText(std::string text) {
  model_.Load(std::move(text));
  layout_.Reset();
  anchor_ = caret_ = 0;
  goalX_ = -1;
  top_ = {};
  hscroll_ = 0;
  widestSeen_ = 0;
  if (hwnd()) {
    ::InvalidateRect(hwnd(), nullptr, FALSE);
    UpdateScrollBars();
    PlaceCaret();
    StartMeasuring();
  }
  if (OnSelectionChange) OnSelectionChange();
}

std::string OwnSurface::TextRange(std::int64_t from, std::int64_t to) const {
  return model_.TextRange(from, to);
}

void OwnSurface::Edit(TextPos pos, TextPos length, std::string text, core::UndoMode mode) {
  pos = std::clamp<TextPos>(pos, 0, model_.Length());
  length = std::clamp<TextPos>(length, 0, model_.Length() - pos);
  const TextPos first = model_.LineFromChar(pos);
  const TextPos removed = model_.LineFromChar(pos + length) - first;
  const core::TextChange change = model_.ReplaceTaking(pos, length, std::move(text), mode);
  const TextPos added = model_.LineFromChar(change.pos + change.length) - first;
  Edited(first, removed, added, pos, change.pos + change.length);
}

void OwnSurface::Edited(TextPos first, TextPos removed, TextPos added, TextPos pos, TextPos caret) {
  layout_.Edited(first, removed, added, pos);
  anchor_ = caret_ = caret;
  goalX_ = -1;
  if (!hwnd()) return;
  InvalidateFrom(pos, removed != added || wrap_);
  SetTop(top_);
  UpdateScrollBars();
  ScrollCaretIntoView();
  PlaceCaret();
  StartMeasuring();
}

void OwnSurface::ReplaceSelection(std::string text, core::UndoMode mode) {
  if (SelLength() == 0 && text.empty()) return;
  Edit(SelStart(), SelLength(), std::move(text), mode);
  if (OnSelectionChange) OnSelectionChange();
}

void OwnSurface::ReplaceSel(std::string_view text, bool canUndo) { ReplaceSelWith(std::string(text), canUndo); }

void OwnSurface::ReplaceSelWith(std::string text, bool canUndo) {
  model_.EndTyping();
  ReplaceSelection(std::move(text), canUndo ? core::UndoMode::kStep : core::UndoMode::kNone);
}

void OwnSurface::RewriteRange(std::int64_t from, std::int64_t to,
                              const std::function<void(char*, std::size_t)>& fn) {
  model_.EndTyping();
  from = std::clamp<TextPos>(from, 0, model_.Length());
  to = std::clamp<TextPos>(to, from, model_.Length());
  const TextPos first = model_.LineFromChar(from);
  const TextPos lines = model_.LineFromChar(to) - first;
  model_.RewriteInPlace(from, to - from, fn);
  Edited(first, lines, lines, from, to);  // the same lines, with other widths
  if (OnSelectionChange) OnSelectionChange();
}

void OwnSurface::ClearSelection() { ReplaceSel("", true); }

void OwnSurface::Undo() {
  if (!model_.CanUndo()) return;
  const TextPos before = layout_.LogicalLines();
  const core::TextChange change = model_.Undo();
  // The step's new text lies at the change; the lines it took out follow
  // from the change in the number of lines.
  const TextPos first = model_.LineFromChar(change.pos);
  const TextPos added = model_.LineFromChar(change.pos + change.length) - first;
  const TextPos removed = added - (layout_.LogicalLines() - before);
  layout_.Edited(first, std::max<TextPos>(removed, 0), added, change.pos);
  anchor_ = change.pos;
  caret_ = change.pos + change.length;
  goalX_ = -1;
  if (hwnd()) {
    InvalidateFrom(change.pos, true);
    SetTop(top_);
    UpdateScrollBars();
    ScrollCaretIntoView();
    PlaceCaret();
  }
  if (OnSelectionChange) OnSelectionChange();
}

// --- selection

void OwnSurface::Select(TextPos anchor, TextPos caret, bool scroll) {
  anchor = std::clamp<TextPos>(anchor, 0, model_.Length());
  caret = std::clamp<TextPos>(caret, 0, model_.Length());
  model_.EndTyping();
  if (anchor == anchor_ && caret == caret_) {
    if (scroll && hwnd()) ScrollCaretIntoView();
    return;
  }
  const bool hadSelection = anchor_ != caret_;
  anchor_ = anchor;
  caret_ = caret;
  if (hwnd()) {
    if (hadSelection || anchor_ != caret_) ::InvalidateRect(hwnd(), nullptr, FALSE);
    if (scroll) ScrollCaretIntoView();
    PlaceCaret();
  }
  if (OnSelectionChange) OnSelectionChange();
}

void OwnSurface::SetSel(std::int64_t start, std::int64_t end) {
  if (end < 0) end = model_.Length();
  start = std::clamp<TextPos>(start, 0, model_.Length());
  goalX_ = -1;
  Select(start, end);
}

// --- lines

std::int64_t OwnSurface::LineCount() const { return wrap_ ? layout_.DisplayLineCount() : model_.LineCount(); }

std::int64_t OwnSurface::LineFromChar(std::int64_t pos) const {
  return wrap_ ? layout_.DisplayLineFromChar(pos) : model_.LineFromChar(pos);
}

std::int64_t OwnSurface::LineIndex(std::int64_t line) const {
  if (line < 0) return -1;
  return wrap_ ? layout_.DisplayLineIndex(line) : model_.LineIndex(line);
}

std::int64_t OwnSurface::LineLength(std::int64_t pos) const {
  if (!wrap_) return model_.LineLength(pos);
  const auto [start, end] = layout_.RowSpan(layout_.RowOf(pos));
  return end - start;
}

void OwnSurface::ScrollToLine(std::int64_t line) {
  const auto n = static_cast<TextPos>(std::max<std::int64_t>(line, 0));
  core::RowRef r = wrap_ ? layout_.RowAtDisplayLine(n) : core::RowRef{n, 0};
  if (r.line < 0) r = layout_.LastRow();
  SetTop(r);
}

std::int64_t OwnSurface::FindWordBreak(int code, std::int64_t pos) const {
  return core::FindWordBreak(model_, code, pos);
}

std::int64_t OwnSurface::Find(std::string_view what, std::int64_t from, std::int64_t to, bool matchCase,
                              bool wholeWord) const {
  return model_.Find(what, from, to, core::FindOptions{matchCase, wholeWord});
}

// --- look

void OwnSurface::SetFont(const core::FontSpec& font) {
  font_.Assign(font);
  MakeMetrics();
  if (hwnd()) {
    if (focused_) {
      ::DestroyCaret();
      ::CreateCaret(hwnd(), nullptr, 1, rowHeight_);
      ::ShowCaret(hwnd());
    }
    SetTop(top_);
    UpdateScrollBars();
    PlaceCaret();
    ::InvalidateRect(hwnd(), nullptr, FALSE);
  }
}

void OwnSurface::SetBackground(core::Color color) {
  background_ = color;
  if (hwnd()) ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void OwnSurface::SetWordWrap(bool wrap) {
  if (wrap == wrap_) return;
  // The caret's character stays the first thing shown of its row.
  wrap_ = wrap;
  hscroll_ = 0;
  MakeMetrics();
  if (!hwnd()) return;
  const core::RowRef caretRow = layout_.RowOf(caret_);
  SetTop(caretRow);
  ScrollCaretIntoView();
  UpdateScrollBars();
  PlaceCaret();
  ::InvalidateRect(hwnd(), nullptr, FALSE);
  StartMeasuring();
}

void OwnSurface::StartMeasuring() {
  if (!wrap_ || !hwnd() || measuring_ || layout_.AllMeasured()) return;
  measuring_ = true;
  ::SetTimer(hwnd(), kMeasureTimer, 10, nullptr);
}

void OwnSurface::InvalidateFrom(TextPos pos, bool toEnd) {
  RECT rc{};
  ::GetClientRect(hwnd(), &rc);
  const int row = ScreenRowOf(layout_.RowOf(pos));
  if (row >= 0) {
    rc.top = row * rowHeight_;
    if (!toEnd) rc.bottom = rc.top + rowHeight_;
  }
  ::InvalidateRect(hwnd(), &rc, FALSE);
}

}  // namespace own

std::unique_ptr<EditSurface> MakeOwnSurface() { return std::make_unique<own::OwnSurface>(); }
