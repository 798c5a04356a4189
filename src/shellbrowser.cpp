#include "shellbrowser.h"

#include <objbase.h>
#include <shlobj.h>

#include <iterator>
#include <utility>

#include "toolkit/application.h"
#include "toolkit/window.h"

namespace {

// COM for the shell's folder objects, for as long as the dialog runs.
class ComScope {
 public:
  ComScope() : ok_(SUCCEEDED(::CoInitialize(nullptr))) {}
  ~ComScope() {
    if (ok_) ::CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool ok_;
};

// The shell's task allocator (CoGetMalloc), which owns item lists and the
// strings the shell hands out.
void ShellFree(void* p) {
  if (!p) return;
  IMalloc* malloc = nullptr;
  if (SUCCEEDED(::CoGetMalloc(1, &malloc)) && malloc) {
    malloc->Free(p);
    malloc->Release();
  }
}

// An item list the shell allocated for us.
class ItemList {
 public:
  ItemList() = default;
  explicit ItemList(LPITEMIDLIST p) : p_(p) {}
  ~ItemList() { ShellFree(p_); }
  ItemList(ItemList&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ItemList& operator=(ItemList&& other) noexcept {
    if (this != &other) {
      ShellFree(p_);
      p_ = std::exchange(other.p_, nullptr);
    }
    return *this;
  }
  LPITEMIDLIST get() const { return p_; }
  LPITEMIDLIST* out() {
    ShellFree(p_);
    p_ = nullptr;
    return &p_;
  }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  LPITEMIDLIST p_ = nullptr;
};

// A COM interface pointer, released once.
template <class I>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() {
    if (p_) p_->Release();
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  I* operator->() const { return p_; }
  I** out() { return &p_; }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  I* p_ = nullptr;
};

std::string PathOf(LPCITEMIDLIST list) {
  char path[MAX_PATH] = {};
  if (!list || !::SHGetPathFromIDListA(list, path)) return {};
  return path;
}

std::string FromWide(const wchar_t* text) {
  if (!text) return {};
  int n = ::WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return {};
  std::string out(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text, -1, out.data(), n, nullptr, nullptr);
  out.resize(static_cast<size_t>(n - 1));
  return out;
}

std::string Bounded(const char* text) {
  size_t n = 0;
  while (n < MAX_PATH && text[n]) ++n;
  return std::string(text, n);
}

// The desktop folder's normal display name of an item list.
std::string DisplayNameOf(LPCITEMIDLIST list) {
  ComRef<IShellFolder> desktop;
  if (!list || FAILED(::SHGetDesktopFolder(desktop.out())) || !desktop) return {};
  STRRET name{};
  if (FAILED(desktop->GetDisplayNameOf(list, SHGDN_NORMAL, &name))) return {};
  switch (name.uType) {
    case STRRET_WSTR: {
      std::string text = FromWide(name.pOleStr);
      ShellFree(name.pOleStr);
      return text;
    }
    case STRRET_OFFSET:
      return Bounded(reinterpret_cast<const char*>(list) + name.uOffset);
    case STRRET_CSTR:
      return Bounded(name.cStr);
  }
  return {};
}

bool EqualsNoCase(const std::string& a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i]; ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return i == a.size() && !b[i];
}

// The top of the tree: none (the desktop), the drives folder, or a path.
ItemList RootItemList(const std::string& root, HWND owner) {
  ItemList list;
  if (root.empty()) return list;
  if (EqualsNoCase(root, "mycomputer")) {
    if (FAILED(::SHGetSpecialFolderLocation(owner, CSIDL_DRIVES, list.out()))) return ItemList();
    return list;
  }
  ComRef<IShellFolder> desktop;
  if (FAILED(::SHGetDesktopFolder(desktop.out())) || !desktop) return list;
  wchar_t wide[MAX_PATH] = {};
  if (::MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, root.c_str(), -1, wide, MAX_PATH) == 0) return list;
  ULONG eaten = 0;
  if (FAILED(desktop->ParseDisplayName(owner, nullptr, wide, &eaten, list.out(), nullptr))) return ItemList();
  return list;
}

}  // namespace

UINT ShellBrowserFlags(TShellBrowserOptions options) {
  static constexpr UINT kFlags[] = {BIF_BROWSEFORCOMPUTER, BIF_BROWSEFORPRINTER, BIF_DONTGOBELOWDOMAIN,
                                    BIF_RETURNFSANCESTORS, BIF_RETURNONLYFSDIRS, BIF_STATUSTEXT};
  UINT flags = 0;
  for (unsigned i = 0; i < std::size(kFlags); ++i)
    if (options.Contains(static_cast<TShellBrowserOption>(i))) flags |= kFlags[i];
  return flags;
}

void TShellBrowser::SetCaption(const std::string& caption) {
  caption_ = caption;
  if (dialog_) ::SetWindowTextA(dialog_, caption_.c_str());
}

void TShellBrowser::SetStatusText(const std::string& text) {
  statusText_ = text;
  if (dialog_) ::SendMessageA(dialog_, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(statusText_.c_str()));
}

bool TShellBrowser::Execute() {
  ComScope com;
  HWND owner = nullptr;
  if (auto* window = dynamic_cast<tk::Window*>(Owner())) owner = window->Handle();

  ItemList root = RootItemList(RootPath, owner);
  char displayName[MAX_PATH] = {};
  BROWSEINFOA info{};
  info.hwndOwner = owner;
  info.pidlRoot = root.get();
  info.pszDisplayName = displayName;
  info.lpszTitle = Prompt.empty() ? nullptr : Prompt.c_str();
  info.ulFlags = ShellBrowserFlags(Options);
  info.lpfn = BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(this);

  ItemList chosen;
  {
    // The dialog window is known only while the dialog runs.
    struct Forget {
      HWND& dialog;
      ~Forget() { dialog = nullptr; }
    } forget{dialog_};
    chosen = ItemList(::SHBrowseForFolderA(&info));
  }
  if (!chosen) {
    Folder.clear();
    DisplayName.clear();
    return false;
  }
  Folder = PathOf(chosen.get());
  DisplayName = DisplayNameOf(chosen.get());
  return true;
}

void TShellBrowser::Initialized(HWND wnd) {
  dialog_ = wnd;
  if (!InitialPath.empty())
    ::SendMessageA(wnd, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(InitialPath.c_str()));
  if (!statusText_.empty())
    ::SendMessageA(wnd, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(statusText_.c_str()));
  if (!caption_.empty()) ::SetWindowTextA(wnd, caption_.c_str());
  if (OnInitialize) OnInitialize(*this);
}

void TShellBrowser::SelectionChanged(const void* itemList) {
  if (!dialog_ || !OnSelChange) return;
  auto list = static_cast<LPCITEMIDLIST>(itemList);
  std::string path = PathOf(list);
  if (!path.empty())
    OnSelChange(*this, path, false);
  else
    OnSelChange(*this, DisplayNameOf(list), true);
}

int CALLBACK TShellBrowser::BrowseCallback(HWND wnd, UINT msg, LPARAM lParam, LPARAM data) {
  auto* self = reinterpret_cast<TShellBrowser*>(data);
  try {
    if (msg == BFFM_INITIALIZED) self->Initialized(wnd);
    if (msg == BFFM_SELCHANGED) self->SelectionChanged(reinterpret_cast<const void*>(lParam));
  } catch (...) {
    tk::Application.HandleException();
  }
  return 0;
}
