#include "tb97/toolbar.h"

#include <commctrl.h>

#include <algorithm>

#include "tb97/button.h"
#include "toolkit/application.h"
#include "toolkit/form.h"

namespace tb = core::tb97;

namespace {
tb::Rect ToRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
}  // namespace

TCustomToolbar97::TCustomToolbar97(tk::Component* owner, std::string name)
    : TCustomToolWindow97(owner, std::move(name)) {}

TCustomToolbar97::~TCustomToolbar97() {
  for (Item& it : items_)
    if (it.separator) it.separator->Detach();
}

void TCustomToolbar97::SetFloatRightX(int x) {
  floatRightX_ = std::max(0, x);
  if (!DockedTo()) UpdateSize();
}

void TCustomToolbar97::AddButton(TToolbarButton97* button) {
  items_.push_back({button, nullptr});
  if (hwnd_ && !button->HandleAllocated()) button->CreateIn(static_cast<TToolbar97*>(this), 0, 0);
  UpdateSize();
}

void TCustomToolbar97::RemoveButton(TToolbarButton97* button) {
  std::erase_if(items_, [&](const Item& it) { return it.button == button; });
  std::erase_if(pairs_, [&](const auto& p) { return p.first == button || p.second == button; });
  if (!OwnerForm()->Destroying()) UpdateSize();
}

TToolbarSep97* TCustomToolbar97::AddSeparator() {
  auto* s = OwnerForm()->Create<TToolbarSep97>(Name() + "Sep" + std::to_string(++separatorCount_));
  s->SetParent(this);
  return s;
}

void TCustomToolbar97::InsertSeparator(TToolbarSep97* separator) {
  items_.erase(std::remove_if(items_.begin(), items_.end(), [&](const Item& it) { return it.separator == separator; }),
               items_.end());
  items_.push_back({nullptr, separator});
  UpdateSize();
}

void TCustomToolbar97::RemoveSeparator(TToolbarSep97* separator) {
  items_.erase(std::remove_if(items_.begin(), items_.end(), [&](const Item& it) { return it.separator == separator; }),
               items_.end());
  separator->Detach();
  if (!OwnerForm()->Destroying()) UpdateSize();
}

void TCustomToolbar97::AddOrientationPair(TToolbarButton97* vertical, TToolbarButton97* other) {
  pairs_.emplace_back(vertical, other);
  UpdateSize();
}

std::vector<TToolbarButton97*> TCustomToolbar97::Items() const {
  std::vector<TToolbarButton97*> out;
  for (const Item& it : items_) out.push_back(it.button);
  return out;
}

std::vector<TToolbarSep97*> TCustomToolbar97::Separators() const {
  std::vector<TToolbarSep97*> out;
  for (const Item& it : items_)
    if (it.separator) out.push_back(it.separator);
  return out;
}

bool TCustomToolbar97::VisibleFor(const TToolbarButton97* b, tb::Orientation o) const {
  for (const auto& [vertical, other] : pairs_) {
    if (b == vertical) return o == tb::Orientation::Vertical;
    if (b == other) return o != tb::Orientation::Vertical;
  }
  return !b->HandleAllocated() || (::GetWindowLongPtrA(b->Handle(), GWL_STYLE) & WS_VISIBLE) != 0;
}

std::vector<tb::ToolbarItem> TCustomToolbar97::LayoutItems(tb::Orientation o, std::vector<Item>* order,
                                                          bool applyPairs) {
  if (applyPairs)
    for (const auto& [vertical, other] : pairs_)
      for (TToolbarButton97* b : {vertical, other})
        if (b && b->HandleAllocated()) ::ShowWindow(b->Handle(), VisibleFor(b, o) ? SW_SHOWNA : SW_HIDE);
  std::vector<tb::ToolbarItem> out;
  for (const Item& it : items_) {
    tb::ToolbarItem ti;
    if (it.separator) {
      ti.separator = true;
      ti.blank = it.separator->Blank();
      ti.sizeHorz = it.separator->SizeHorz();
      ti.sizeVert = it.separator->SizeVert();
    } else {
      ti.size = {it.button->Width, it.button->Height};
      ti.visible = VisibleFor(it.button, o);
    }
    out.push_back(ti);
    if (order) order->push_back(it);
  }
  return out;
}

int TCustomToolbar97::BarThickness(tb::Orientation o) { return tb::ToolbarThickness(LayoutItems(o, nullptr, false), o); }

tb::Size TCustomToolbar97::LayoutChildren(bool moveChildren, TDock97* previous, TDock97* target) {
  (void)previous;
  const tb::Orientation o = target ? target->Orientation() : tb::Orientation::None;
  std::vector<Item> order;
  std::vector<tb::ToolbarItem> items = LayoutItems(o, &order, moveChildren);
  tb::ToolbarTarget t;
  t.orientation = o;
  if (TDock97* now = DockedTo()) {
    t.dockedRowSize = now->RowSize(DockRow(), this);
    if (target == now) t.currentDockRowSize = t.dockedRowSize;
  }
  const tb::ToolbarLayout layout = tb::LayoutToolbar(items, t, target ? 0 : floatRightX_, moveChildren);
  if (moveChildren) {
    for (size_t i = 0; i < items.size(); ++i) {
      const tb::ToolbarItem& ti = items[i];
      if (!ti.visible) continue;
      const RECT r{ti.bounds.left, ti.bounds.top, ti.bounds.right, ti.bounds.bottom};
      if (order[i].separator) {
        order[i].separator->Bounds = r;
        continue;
      }
      TToolbarButton97* b = order[i].button;
      if (!b->HandleAllocated()) continue;
      RECT now{};
      ::GetWindowRect(b->Handle(), &now);
      if (hwnd_) ::MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&now), 2);
      if (!(ToRect(now) == ti.bounds))
        ::SetWindowPos(b->Handle(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    lineSeparators_ = layout.lineSeparators;
    if (hwnd_) ::InvalidateRect(hwnd_, nullptr, FALSE);
  }
  return layout.client;
}

void TCustomToolbar97::HandleCreated() {
  if (!tk::Application.OwnHintWindow)
    tooltip_ = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                                 ::GetModuleHandleA(nullptr), nullptr);
  for (Item& it : items_)
    if (it.button && !it.button->HandleAllocated()) it.button->CreateIn(static_cast<TToolbar97*>(this), 0, 0);
}

void TCustomToolbar97::LoadExtraPosition(const tb::ReadValue& read) { floatRightX_ = tb::ReadFloatRightX(read); }

void TCustomToolbar97::ExtraPositionLoaded() { UpdateSize(); }

void TCustomToolbar97::SaveExtraPosition(std::vector<tb::PositionValue>& values) {
  values.push_back({"FloatRightX", std::to_string(floatRightX_)});
}

void TCustomToolbar97::SizingStarted(int hit) {
  tb::SizingEdge edge = tb::SizingEdge::Right;
  switch (hit) {
    case HTLEFT: edge = tb::SizingEdge::Left; break;
    case HTTOP: edge = tb::SizingEdge::Top; break;
    case HTBOTTOM: edge = tb::SizingEdge::Bottom; break;
    default: break;
  }
  std::vector<tb::ToolbarItem> items = LayoutItems(tb::Orientation::None, nullptr, false);
  RECT wr{};
  ::GetWindowRect(hwnd_, &wr);
  sizer_.emplace(edge, tb::FloatingCandidates(items, FrameFor(nullptr), edge), ToRect(wr), floatRightX_,
                 FloatBorder().cx);
}

void TCustomToolbar97::SizingAdjust(RECT& proposed, const RECT& start) {
  (void)start;
  if (!sizer_) return;
  const tb::Rect r = sizer_->Adjust(ToRect(proposed));
  proposed = {r.left, r.top, r.right, r.bottom};
}

void TCustomToolbar97::SizingEnded(bool accepted) {
  if (accepted && sizer_) floatRightX_ = sizer_->FloatRightXToKeep();
  sizer_.reset();
}

void TCustomToolbar97::PaintClient(HDC dc, const RECT& client) {
  PaintSurface(dc, client);
  HBRUSH shadow = ::GetSysColorBrush(COLOR_BTNSHADOW), light = ::GetSysColorBrush(COLOR_BTNHIGHLIGHT);
  auto fill = [&](int l, int t, int r, int b, HBRUSH br) {
    RECT rc{l, t, r, b};
    ::FillRect(dc, &rc, br);
  };
  const bool verticalDock = DockedTo() && DockedTo()->Vertical();
  for (const Item& it : items_) {
    if (!it.separator || it.separator->Blank()) continue;
    const RECT& r = it.separator->Bounds;
    if (r.right <= r.left || r.bottom <= r.top) continue;
    if (verticalDock) {
      const int y = r.top + (r.bottom - r.top) / 2;
      fill(r.left, y - 1, r.right, y, shadow);
      fill(r.left, y, r.right, y + 1, light);
    } else {
      const int x = r.left + (r.right - r.left) / 2;
      fill(x - 1, r.top, x, r.bottom, shadow);
      fill(x, r.top, x + 1, r.bottom, light);
    }
  }
  if (DockedTo()) return;
  for (const tb::LineSeparator& ls : lineSeparators_) {
    if (ls.blank) continue;
    fill(1, ls.start - 4, client.right - 1, ls.start - 3, shadow);
    fill(1, ls.start - 3, client.right - 1, ls.start - 2, light);
  }
}
