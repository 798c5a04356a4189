// The own surface's clipboard: CF_TEXT and CF_UNICODETEXT with CR LF line
// ends out; in, CR LF, LF and CR each become one line end.
#include <cstring>

#include "surface/ownsurface.h"

namespace own {

namespace {

// Puts `bytes` (with a terminating zero) on the clipboard as `format`.
void Put(UINT format, const void* bytes, std::size_t size) {
  tk::OwnedGlobal mem(::GlobalAlloc(GMEM_MOVEABLE, size));
  if (!mem) return;
  void* p = ::GlobalLock(mem.get());
  if (!p) return;
  std::memcpy(p, bytes, size);
  ::GlobalUnlock(mem.get());
  if (::SetClipboardData(format, mem.get())) mem.release();  // the clipboard owns it now
}

class OpenClipboardScope {
 public:
  explicit OpenClipboardScope(HWND owner) : open_(::OpenClipboard(owner) != FALSE) {}
  ~OpenClipboardScope() {
    if (open_) ::CloseClipboard();
  }
  OpenClipboardScope(const OpenClipboardScope&) = delete;
  OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
  bool Open() const { return open_; }

 private:
  bool open_;
};

}  // namespace

void OwnSurface::CopySelection() {
  if (SelLength() == 0) return;
  std::string text;
  model_.ForEachSegment(SelStart(), SelStart() + SelLength(), [&](std::string_view s) {
    for (char c : s) {
      if (c == core::kModelLineEnd) text += '\r', text += '\n';
      else text += c;
    }
    return true;
  });
  const ByteTable& table = ByteTable::Get();
  std::wstring wide;
  wide.reserve(text.size());
  for (char c : text) wide += table.wide[static_cast<unsigned char>(c)];
  OpenClipboardScope clip(hwnd());
  if (!clip.Open()) return;
  ::EmptyClipboard();
  Put(CF_TEXT, text.c_str(), text.size() + 1);
  Put(CF_UNICODETEXT, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
}

std::string OwnSurface::ClipboardText() const {
  OpenClipboardScope clip(hwnd());
  if (!clip.Open()) return {};
  if (HANDLE h = ::GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* p = static_cast<const wchar_t*>(::GlobalLock(h))) {
      const std::size_t max = ::GlobalSize(h) / sizeof(wchar_t);
      const std::wstring_view w(p, wcsnlen(p, max));
      std::string bytes = ByteTable::Get().Narrow(w);
      ::GlobalUnlock(h);
      return bytes;
    }
  }
  if (HANDLE h = ::GetClipboardData(CF_TEXT)) {
    if (const auto* p = static_cast<const char*>(::GlobalLock(h))) {
      std::string bytes(p, strnlen(p, ::GlobalSize(h)));
      ::GlobalUnlock(h);
      return bytes;
    }
  }
  return {};
}

void OwnSurface::Copy() { CopySelection(); }

void OwnSurface::Cut() {
  if (SelLength() == 0) return;
  CopySelection();
  ReplaceSel("", true);
}

void OwnSurface::Paste() {
  std::string text = ClipboardText();  // line ends become "\r" in the model
  if (text.empty()) return;
  ReplaceSelWith(std::move(text), true);
}

}  // namespace own
