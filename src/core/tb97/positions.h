// The record of where a tool window was left, one registry section per tool
// window named after it, every value a decimal text: what is read back and
// what is written. The window side reads each value as text (a missing
// value, or one of a type other than text, as nullopt), applies the
// LoadedPosition it gets, and writes the values of PositionValues in order.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace core::tb97 {

inline constexpr int kPositionRev = 2;
inline constexpr std::string_view kFloatingDock = "+";

// A tool window's position record cannot be read or written.
class PositionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A value of the section, nullopt when the section or the value is missing.
using ReadValue = std::function<std::optional<std::string>(std::string_view name)>;

struct DockInfo {
  std::string name;
  bool allowDrag = true;
};

// What the window is now, the defaults of what the record does not hold.
struct CurrentPlace {
  bool visible = true;
  int dockRow = 0;
  int dockPos = -1;
};

struct LoadedPosition {
  enum class Action {
    Ignore,   // no record of this layout: nothing changes
    Stay,     // only the visibility is applied; the window stays put
    Dock,     // dock into `dock` at the row and offset
    Float,    // float at the floating position, then onto the screen if wholly off it
  };
  Action action = Action::Ignore;
  bool visible = true;
  std::size_t dock = 0;  // index into the docks given
  int dockRow = 0;
  int dockPos = -1;
  int floatLeft = 0;
  int floatTop = 0;
};

// Reads the record of tool window `name` (PositionError when it is empty).
// `docks` are the form's docks in component order. Rows are held within
// 0 ... 65536 and coordinates within +-kMaxCoordinate.
LoadedPosition ReadPosition(std::string_view name, const ReadValue& read, const CurrentPlace& current,
                            std::span<const DockInfo> docks);

// The toolbar's wrap limit; 0 when missing, no number or negative.
int ReadFloatRightX(const ReadValue& read);

struct SavedPlace {
  std::string name;
  bool visible = true;
  // The dock the window is in; nullopt when floating.
  std::optional<DockInfo> dock;
  int dockRow = 0;
  int dockPos = -1;
  int floatLeft = 0;
  int floatTop = 0;
  std::optional<int> floatRightX;  // toolbars only
};

struct PositionValue {
  std::string name;
  std::string text;
  friend bool operator==(const PositionValue&, const PositionValue&) = default;
};

// The values to write, in order; PositionError for a window or a dragging
// dock without a name.
std::vector<PositionValue> PositionValues(const SavedPlace& place);

}  // namespace core::tb97
