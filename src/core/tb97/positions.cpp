#include "core/tb97/positions.h"

#include <algorithm>

#include "core/regint.h"
#include "core/tb97/geometry.h"

namespace core::tb97 {
namespace {

constexpr int kMaxRow = 1 << 16;

int ReadInt(const ReadValue& read, std::string_view name, int dflt) { return RegIntFromValue(read(name), dflt); }

}  // namespace

LoadedPosition ReadPosition(std::string_view name, const ReadValue& read, const CurrentPlace& current,
                            std::span<const DockInfo> docks) {
  if (name.empty()) throw PositionError("Cannot restore tool window's position because Name property is not set");
  LoadedPosition out;
  if (ReadInt(read, "Rev", 0) != kPositionRev) return out;
  out.visible = ReadInt(read, "Visible", current.visible ? 1 : 0) != 0;
  out.action = LoadedPosition::Action::Stay;
  const std::string dockedTo = read("DockedTo").value_or(std::string());
  if (dockedTo.empty()) return out;
  if (dockedTo != kFloatingDock) {
    const auto it = std::find_if(docks.begin(), docks.end(), [&](const DockInfo& d) { return d.name == dockedTo; });
    if (it == docks.end() || !it->allowDrag) return out;
    out.dock = static_cast<std::size_t>(it - docks.begin());
    out.action = LoadedPosition::Action::Dock;
  } else {
    out.action = LoadedPosition::Action::Float;
  }
  out.dockRow = std::clamp(ReadInt(read, "DockRow", current.dockRow), 0, kMaxRow);
  out.dockPos = ClampCoordinate(ReadInt(read, "DockPos", current.dockPos));
  out.floatLeft = ClampCoordinate(ReadInt(read, "FloatLeft", 0));
  out.floatTop = ClampCoordinate(ReadInt(read, "FloatTop", 0));
  return out;
}

int ReadFloatRightX(const ReadValue& read) {
  return std::clamp(ReadInt(read, "FloatRightX", 0), 0, kMaxCoordinate);
}

std::vector<PositionValue> PositionValues(const SavedPlace& p) {
  if (p.name.empty()) throw PositionError("Cannot save tool window's position because Name property is not set");
  std::string dockedTo;
  if (!p.dock) {
    dockedTo = kFloatingDock;
  } else if (p.dock->allowDrag) {
    if (p.dock->name.empty())
      throw PositionError("Cannot save tool window's position because DockedTo's Name property not set");
    dockedTo = p.dock->name;
  }
  std::vector<PositionValue> v{
      {"Rev", std::to_string(kPositionRev)},       {"Visible", p.visible ? "1" : "0"},
      {"DockedTo", dockedTo},                      {"DockRow", std::to_string(p.dockRow)},
      {"DockPos", std::to_string(p.dockPos)},      {"FloatLeft", std::to_string(p.floatLeft)},
      {"FloatTop", std::to_string(p.floatTop)},
  };
  if (p.floatRightX) v.push_back({"FloatRightX", std::to_string(*p.floatRightX)});
  return v;
}

}  // namespace core::tb97
