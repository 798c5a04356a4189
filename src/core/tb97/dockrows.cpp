#include "core/tb97/dockrows.h"

#include <algorithm>

namespace core::tb97 {
namespace {

constexpr int kMaxRow = 1 << 16;

int Length(const DockBar& b, bool vertical) { return vertical ? b.size.cy : b.size.cx; }

}  // namespace

Rect ResizeDock(DockPosition position, const Rect& outer, int width, int height) {
  switch (position) {
    case DockPosition::Top:
    case DockPosition::Left:
      return Rect::FromPosSize(outer.left, outer.top, width, height);
    case DockPosition::Bottom:
      return Rect::FromPosSize(outer.left, outer.top + outer.Height() - height, width, height);
    case DockPosition::Right:
      return Rect::FromPosSize(outer.left + outer.Width() - width, outer.top, width, height);
  }
  return outer;
}

DockArrangement RearrangeBars(const DockFrame& dock, std::vector<DockBar>& bars) {
  const bool vertical = OrientationOf(dock.position) == Orientation::Vertical;
  DockArrangement out;
  if (bars.empty()) {
    const int thickness = dock.designTime ? 9 : dock.fixAlign ? 1 : 0;
    out.outer = vertical ? ResizeDock(dock.position, dock.outer, thickness, dock.outer.Height())
                         : ResizeDock(dock.position, dock.outer, dock.outer.Width(), thickness);
    return out;
  }
  for (DockBar& b : bars) {
    b.dockPos = ClampCoordinate(b.dockPos);
    b.dockRow = std::clamp(b.dockRow, -kMaxRow, kMaxRow);
  }
  // A dock of one row takes its bars in the order of their offsets, whatever
  // rows they held.
  if (dock.limitToOneRow)
    for (DockBar& b : bars) b.dockRow = 0;
  std::stable_sort(bars.begin(), bars.end(), [](const DockBar& a, const DockBar& b) {
    return a.dockRow != b.dockRow ? a.dockRow < b.dockRow : a.dockPos < b.dockPos;
  });

  // Close up empty rows: the sorted rows are renumbered 0, 1, ...
  {
    int next = -1;
    int previous = 0;
    for (std::size_t i = 0; i < bars.size(); ++i) {
      if (i == 0 || bars[i].dockRow != previous) ++next;
      previous = bars[i].dockRow;
      bars[i].dockRow = next;
    }
  }

  // First pass: a full-size bar keeps its row alone; bars never overlap.
  int highest = HighestRow(bars);
  for (int row = 0; row <= highest; ++row) {
    int pos = 0;
    for (std::size_t i = 0; i < bars.size(); ++i) {
      DockBar& b = bars[i];
      if (b.dockRow != row) continue;
      if (b.fullSize && BarsOnRow(bars, row, &b) > 0) {
        for (DockBar& o : bars)
          if (&o != &b && o.dockRow >= row) ++o.dockRow;
        highest = HighestRow(bars);
      }
      b.dockPos = std::max(b.dockPos, pos);
      pos = b.dockPos + Length(b, vertical);
    }
  }

  out.rowSizes.assign(static_cast<std::size_t>(highest + 1), 8);
  for (const DockBar& b : bars) {
    int& size = out.rowSizes[static_cast<std::size_t>(b.dockRow)];
    size = std::max(size, b.thickness);
  }

  // Second pass: a row sticking out of the dock slides back by the overshoot
  // of its last bar.
  const int clientLength = vertical ? dock.client.cy : dock.client.cx;
  for (std::size_t k = 0; k < bars.size(); ++k) {
    DockBar& b = bars[k];
    if (b.fullSize) {
      b.dockPos = 0;
      continue;
    }
    for (std::size_t r = bars.size(); r-- > k;) {
      const DockBar& last = bars[r];
      if (last.dockRow != b.dockRow) continue;
      const int end = last.dockPos + Length(last, vertical);
      if (end > clientLength) {
        b.dockPos -= end - clientLength;
        break;
      }
    }
  }

  // Third pass: placement, row by row.
  int rowStart = 0;
  for (int row = 0; row <= highest; ++row) {
    int pos = 0;
    int rowThickness = 8;
    for (DockBar& b : bars) {
      if (b.dockRow != row) continue;
      const int t = out.rowSizes[static_cast<std::size_t>(row)] + 4;
      rowThickness = std::max(rowThickness, t);
      b.dockPos = std::max(b.dockPos, pos);
      if (vertical) {
        const int h = b.fullSize ? dock.client.cy : b.size.cy;
        b.bounds = Rect::FromPosSize(rowStart, b.dockPos, t, h);
      } else {
        const int w = b.fullSize ? dock.client.cx : b.size.cx;
        b.bounds = Rect::FromPosSize(b.dockPos, rowStart, w, t);
      }
      b.size = {b.bounds.Width(), b.bounds.Height()};
      pos = b.dockPos + Length(b, vertical);
    }
    rowStart += rowThickness;
  }

  out.outer = vertical ? ResizeDock(dock.position, dock.outer, rowStart + dock.nonClient.cx,
                                    dock.client.cy + dock.nonClient.cy)
                       : ResizeDock(dock.position, dock.outer, dock.client.cx + dock.nonClient.cx,
                                    rowStart + dock.nonClient.cy);
  return out;
}

int HighestRow(std::span<const DockBar> bars) {
  int highest = -1;
  for (const DockBar& b : bars) highest = std::max(highest, b.dockRow);
  return highest;
}

int BarsOnRow(std::span<const DockBar> bars, int row, const DockBar* except) {
  int n = 0;
  for (const DockBar& b : bars)
    if (&b != except && b.dockRow == row) ++n;
  return n;
}

void InsertRowBefore(std::span<DockBar> bars, int row) {
  for (DockBar& b : bars)
    if (b.dockRow >= row) ++b.dockRow;
}

int RowSize(std::span<const int> rowSizes, int row, const DockBar* bar) {
  if (row >= 0 && static_cast<std::size_t>(row) < rowSizes.size()) return rowSizes[static_cast<std::size_t>(row)];
  return bar ? bar->thickness : 0;
}

RowHit RowAt(std::span<const int> rowSizes, int highestRow, int p) {
  int b = 0;
  for (int i = 0;; ++i) {
    if (p <= b + 5) return {i, true};
    if (i > highestRow) return {i, false};  // the row after the last one is unbounded
    const int e = b + RowSize(rowSizes, i) + 4;
    if (p <= e - 5) return {i, false};
    b = e;
  }
}

int RowContaining(std::span<const int> rowSizes, int highestRow, int p) {
  int end = 0;
  for (int i = 0; i <= highestRow; ++i) {
    end += RowSize(rowSizes, i) + 4;
    if (end > p) return i;
  }
  return highestRow + 1;
}

DropPlace PlanDrop(std::span<DockBar> bars, std::span<const int> rowSizes, const Rect& outline, Orientation o,
                   bool fullSize, const DockBar* self) {
  const bool vertical = o == Orientation::Vertical;
  const int centre = vertical ? outline.left + outline.Width() / 2 : outline.top + outline.Height() / 2;
  const RowHit hit = RowAt(rowSizes, HighestRow(bars), centre);
  int row = hit.row;
  if (hit.insertNew) {
    InsertRowBefore(bars, row);
  } else if (fullSize && BarsOnRow(bars, row, self) > 0) {
    ++row;
    InsertRowBefore(bars, row);
  }
  return {row, vertical ? outline.top : outline.left};
}

}  // namespace core::tb97
