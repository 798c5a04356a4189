#include "core/tb97/toolbarlayout.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace core::tb97 {
namespace {

struct Margins {
  int left, right, top, bottom;
};

constexpr Margins kDocked{0, 0, 0, 0};
constexpr Margins kFloating{4, 4, 2, 1};

int ItemLength(const ToolbarItem& it, bool vertical) {
  if (it.separator) return vertical ? it.sizeVert : it.sizeHorz;
  return vertical ? it.size.cy : it.size.cx;
}

}  // namespace

int ToolbarThickness(std::span<const ToolbarItem> items, Orientation o) {
  int t = 8;
  for (const ToolbarItem& it : items)
    if (!it.separator && it.visible) t = std::max(t, o == Orientation::Vertical ? it.size.cx : it.size.cy);
  return t;
}

ToolbarLayout LayoutToolbar(std::span<ToolbarItem> items, const ToolbarTarget& target, int floatRightX,
                            bool moveChildren) {
  const bool floating = target.orientation == Orientation::None;
  const bool vertical = target.orientation == Orientation::Vertical;
  const Margins mg = floating ? kFloating : kDocked;
  ToolbarLayout out;

  int wrap = std::numeric_limits<int>::max();
  if (floating && floatRightX > 0) {
    wrap = floatRightX;
    for (const ToolbarItem& it : items)
      if (!it.separator) wrap = std::max(wrap, it.size.cx + 8);
  }

  const int t = ToolbarThickness(items, target.orientation);
  const int tp = target.currentDockRowSize.value_or(t);

  // Groups: the visible items cut after each separator.
  std::vector<std::vector<ToolbarItem*>> groups;
  bool cut = true;
  for (ToolbarItem& it : items) {
    if (!it.visible) continue;
    if (cut) groups.emplace_back();
    groups.back().push_back(&it);
    cut = it.separator;
  }

  int s = mg.top;
  int extent = 0;
  int lineThickness = t;
  if (groups.empty()) {
    extent = mg.left + 8;
    lineThickness = target.dockedRowSize.value_or(8);
  } else {
    int e = 0;
    bool first = true;
    bool lineOpen = true;
    int extentBeforeSeparator = 0;
    ToolbarItem* previousSeparator = nullptr;
    for (const auto& group : groups) {
      int g = 0;
      for (const ToolbarItem* it : group)
        if (!it->separator) g += vertical ? it->size.cy : it->size.cx;
      int m = 0;
      bool onLine = false;
      if (!floating || lineOpen) {
        m = e + (first ? mg.left : 0);
        if (static_cast<long long>(wrap) >= static_cast<long long>(m) + g + mg.right) {
          extent = std::max(extent, m);
          onLine = true;
        }
      }
      if (!onLine) {
        m = mg.left;
        extent = std::max(extent, mg.left);
        if (!first) s += t + 6;
        if (previousSeparator) {
          extent = extentBeforeSeparator;
          if (moveChildren) {
            previousSeparator->bounds.right = previousSeparator->bounds.left;
            out.lineSeparators.push_back({s, previousSeparator->blank});
          }
        }
      }
      // A group broken inside itself leaves no room after it: the next group
      // starts a line of its own.
      lineOpen = true;
      e = m;
      previousSeparator = nullptr;
      for (ToolbarItem* it : group) {
        const int len = ItemLength(*it, vertical);
        if (!it->separator && static_cast<long long>(e) + len + mg.right > wrap) {
          extent = std::max(extent, mg.left);
          s += t;
          e = mg.left;
          lineOpen = false;
        }
        if (it->separator) extentBeforeSeparator = extent;
        if (moveChildren) {
          if (it->separator)
            it->bounds = vertical ? Rect::FromPosSize(s, e, tp, it->sizeVert) : Rect::FromPosSize(e, s, it->sizeHorz, tp);
          else if (vertical)
            it->bounds = Rect::FromPosSize(s + (tp - it->size.cx) / 2, e, it->size.cx, it->size.cy);
          else
            it->bounds = Rect::FromPosSize(e, s + (tp - it->size.cy) / 2, it->size.cx, it->size.cy);
        }
        e += len;
        extent = std::max(extent, e);
        if (it->separator) previousSeparator = it;
      }
      first = false;
    }
  }

  const int along = extent + mg.right;
  const int across = s + lineThickness + mg.bottom;
  out.client = vertical ? Size{across, along} : Size{along, across};
  return out;
}

Size DockedClientSize(Size laidOut, Orientation o, int rowSize, bool fullSize, int dockClientLength, Size frame) {
  if (o == Orientation::Vertical) {
    return {std::max(laidOut.cx, rowSize), fullSize ? std::max(0, dockClientLength - frame.cy) : laidOut.cy};
  }
  return {fullSize ? std::max(0, dockClientLength - frame.cx) : laidOut.cx, std::max(laidOut.cy, rowSize)};
}

std::optional<SizingEdge> ToolbarSizingEdge(Point p, Size window, Size border) {
  if (p.y < border.cy) return SizingEdge::Top;
  if (p.y >= window.cy - border.cy - 1) return SizingEdge::Bottom;
  if (p.x < border.cx) return SizingEdge::Left;
  if (p.x >= window.cx - border.cx - 1) return SizingEdge::Right;
  return std::nullopt;
}

std::vector<SizeCandidate> FloatingCandidates(std::span<const ToolbarItem> items, Size frame, SizingEdge edge) {
  std::vector<ToolbarItem> work(items.begin(), items.end());
  const ToolbarTarget floating;
  std::vector<SizeCandidate> list;
  const Size one = LayoutToolbar(work, floating, 0, false).client;
  list.push_back({{one.cx + frame.cx, one.cy + frame.cy}, true});
  const int lowest = ToolbarThickness(work, Orientation::None) + 8;
  for (int i = one.cx - 1; i >= lowest; --i) {
    const Size c = LayoutToolbar(work, floating, i, false).client;
    if (c.cx == i) {
      const Size outer{c.cx + frame.cx, c.cy + frame.cy};
      if (!list.empty() && list.back().outer.cy == outer.cy) list.pop_back();
      if (std::none_of(list.begin(), list.end(), [&](const SizeCandidate& k) { return k.outer == outer; }))
        list.push_back({outer, false});
    } else if (c.cx < i) {
      i = c.cx + 1;  // every limit above the width reached gives the same
    }
  }
  const bool byHeight = edge == SizingEdge::Top || edge == SizingEdge::Bottom;
  std::stable_sort(list.begin(), list.end(), [byHeight](const SizeCandidate& a, const SizeCandidate& b) {
    return byHeight ? a.outer.cy > b.outer.cy : a.outer.cx > b.outer.cx;
  });
  return list;
}

namespace {

bool Vertical(SizingEdge e) { return e == SizingEdge::Top || e == SizingEdge::Bottom; }

int Along(const Size& s, SizingEdge e) { return Vertical(e) ? s.cy : s.cx; }

}  // namespace

FloatSizer::FloatSizer(SizingEdge edge, std::vector<SizeCandidate> candidates, Rect start, int floatRightX,
                       int frameWidth)
    : edge_(edge),
      candidates_(std::move(candidates)),
      start_(start),
      frameWidth_(frameWidth),
      keep_(floatRightX),
      current_(Vertical(edge) ? start.Height() : start.Width()) {
  for (std::size_t i = 0; i < candidates_.size(); ++i) {
    if (Along(candidates_[i].outer, edge_) != current_) continue;
    if (i > 0) snap_ = std::min(snap_, std::abs(Along(candidates_[i - 1].outer, edge_) - current_) - 1);
    if (i + 1 < candidates_.size())
      snap_ = std::min(snap_, std::abs(Along(candidates_[i + 1].outer, edge_) - current_) - 1);
    break;
  }
  snap_ = std::max(snap_, 0);
}

Rect FloatSizer::Adjust(const Rect& proposed) {
  if (candidates_.empty()) return proposed;
  int d = 0;
  switch (edge_) {
    case SizingEdge::Right: d = proposed.right - start_.left; break;
    case SizingEdge::Left: d = start_.right - proposed.left; break;
    case SizingEdge::Bottom: d = proposed.bottom - start_.top; break;
    case SizingEdge::Top: d = start_.bottom - proposed.top; break;
  }
  const bool shrinking = d < current_;
  if ((!leftStart_ || lastShrinking_ != shrinking) && current_ - snap_ <= d && d < current_ + snap_) d = current_;
  lastShrinking_ = shrinking;

  const SizeCandidate* pick = nullptr;
  if (d == current_) {
    for (const SizeCandidate& c : candidates_)
      if (Along(c.outer, edge_) == current_) pick = &c;
  }
  if (!pick) {
    const SizeCandidate* best = nullptr;
    const SizeCandidate* smallest = &candidates_.front();
    const SizeCandidate* largest = &candidates_.front();
    for (const SizeCandidate& c : candidates_) {
      const int a = Along(c.outer, edge_);
      if (a < Along(smallest->outer, edge_)) smallest = &c;
      if (a > Along(largest->outer, edge_)) largest = &c;
      if (shrinking) {
        if (a <= d && (!best || a > Along(best->outer, edge_))) best = &c;
      } else if (a > d && (!best || a < Along(best->outer, edge_))) {
        best = &c;
      }
    }
    pick = best ? best : shrinking ? smallest : largest;
  }

  const int w = pick->outer.cx;
  const int h = pick->outer.cy;
  Rect r;
  switch (edge_) {
    case SizingEdge::Right:
    case SizingEdge::Bottom: r = Rect::FromPosSize(start_.left, start_.top, w, h); break;
    case SizingEdge::Left: r = Rect::FromPosSize(start_.right - w, start_.top, w, h); break;
    case SizingEdge::Top: r = Rect::FromPosSize(start_.left, start_.bottom - h, w, h); break;
  }
  current_ = Along(pick->outer, edge_);
  keep_ = pick->unwrapped ? 0 : w - 2 * frameWidth_;
  if (!(r == start_)) leftStart_ = true;
  return r;
}

}  // namespace core::tb97
