// The recent-files list without its menu and registry plumbing.
//
// MruModel keeps the entries (full paths, most recent first with
// mrTopSelected) with their open marks, and computes what the menu slots
// show. The window side owns the menu items and the registry key: it calls
// Rebuild() after every change and applies the returned MruMenuState, and it
// moves the values of ToRegistry() / LoadFromRegistry() to and from the key.
//
// Registry layout (all string values): "Count" = number of entries in
// decimal, then "1", "2", ... "Count" = the full paths in list order. Open
// marks are not stored.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// Option bits of the list.
enum MruOption : std::uint16_t {
  mrLineAfter = 1u << 0,             // a separator follows the slots
  mrLineBefore = 1u << 1,            // a separator precedes the slots
  mrShortFileNames = 1u << 2,        // captions show the file name only
  mrCheckFileExist = 1u << 3,        // missing files are skipped on load and in the menu
  mrShowNumber = 1u << 4,            // captions get "&<n>  " in front
  mrTopSelected = 1u << 5,           // AddItem moves the path to the top
  mrAutoSave = 1u << 6,              // saved when the list is destroyed
  mrAutoLoad = 1u << 7,              // loaded after the form is loaded
  mrDisableAnchorIfEmpty = 1u << 8,  // anchor enabled exactly when an entry shows
  mrHideAnchorIfEmpty = 1u << 9,     // anchor visible exactly when an entry shows
};
using MruOptions = std::uint16_t;

inline constexpr MruOptions kMruDefaultOptions =
    mrLineBefore | mrCheckFileExist | mrShowNumber | mrTopSelected | mrAutoSave | mrAutoLoad;

enum MruStyle : std::uint8_t {
  msNormal = 0,         // open marks do not matter to the menu
  msHideSelected = 1,   // entries with the open mark are left out of the menu
  msCheckSelected = 2,  // entries with the open mark are shown checked
};

enum MruPosition : std::uint8_t {
  mpAfter = 0,    // slots follow the anchor in its parent menu
  mpBefore = 1,   // slots precede the anchor
  mpNewMenu = 2,  // slots become the anchor's sub-items
};

// Case-insensitive equality of two paths.
using MruSameText = std::function<bool(std::string_view, std::string_view)>;
// Whether the file at a path exists.
using MruFileExists = std::function<bool(const std::string&)>;
// The string value of the given name in the list's key, nullopt when missing.
// A value of another registry type is the reader's error to throw; it
// propagates out of LoadFromRegistry, which then leaves the list unchanged.
using MruValueReader = std::function<std::optional<std::string>(const std::string& name)>;

// Equality without regard to case in Windows-1252: ASCII letters, the
// accented letters 0xC0..0xDE (except 0xD7) against 0xE0..0xFE, and
// the pairs S/s, OE/oe, Z/z with caron and Y/y with diaeresis.
bool SameTextWin1252(std::string_view a, std::string_view b);

struct MruEntry {
  std::string path;
  bool open = false;  // the file is open in a document window
};

struct MruSlot {
  bool visible = false;
  bool checked = false;
  std::string caption;  // empty while hidden
  int tag = -1;         // index of the shown entry; -1 while hidden
};

// What the menu shows after a rebuild.
struct MruMenuState {
  std::vector<MruSlot> slots;  // one per slot, max(MaxShowCount, 0) of them, in menu order
  int shown = 0;               // number of visible slots (always the first ones)
  bool separatorBeforeVisible = false;  // only meaningful with mrLineBefore
  bool separatorAfterVisible = false;   // only meaningful with mrLineAfter
  std::optional<bool> anchorEnabled;    // set with mrDisableAnchorIfEmpty; else leave the anchor alone
  std::optional<bool> anchorVisible;    // set with mrHideAnchorIfEmpty; else leave the anchor alone
};

struct MruRegValue {
  std::string name;
  std::string text;
};

// "Count" above this is read as this many; it keeps a damaged or hostile
// "Count" (say 2147483647) from making the load read values for hours.
inline constexpr int kMruMaxLoadCount = 10000;

class MruModel {
 public:
  // An empty `sameText` selects SameTextWin1252.
  explicit MruModel(MruSameText sameText = {});

  // Bound of the list: adding a new path to a list of more than
  // MaxSaveCount entries first drops entries from the end, so AddItem never
  // leaves more than MaxSaveCount + 1. Negative counts as 0. Default 50.
  int MaxSaveCount() const { return maxSaveCount_; }
  void SetMaxSaveCount(int n) { maxSaveCount_ = n; }
  // Number of menu slots; negative counts as 0. Default 9.
  int MaxShowCount() const { return maxShowCount_; }
  void SetMaxShowCount(int n) { maxShowCount_ = n; }
  MruOptions Options() const { return options_; }
  void SetOptions(MruOptions o) { options_ = o; }
  MruStyle Style() const { return style_; }
  void SetStyle(MruStyle s) { style_ = s; }
  MruPosition Position() const { return position_; }
  void SetPosition(MruPosition p) { position_ = p; }

  const std::vector<MruEntry>& Entries() const { return entries_; }

  // Index of the first entry equal to `path` by the case comparison, or -1.
  int IndexOfItem(std::string_view path) const;

  // Records that `path` was opened: a path not in the list is appended
  // (after trimming the list to MaxSaveCount entries); with mrTopSelected the
  // entry moves to index 0. The entry keeps the spelling it was first stored
  // in, and gets the open mark. An empty path is ignored.
  void AddItem(std::string_view path);

  // Records that the document of `path` was closed: clears the open mark of
  // its entry, if any. An empty path is ignored.
  void UnselectItem(std::string_view path);

  // The path a clicked slot stands for (its tag), or nullopt for a tag that
  // names no entry.
  std::optional<std::string> ItemForTag(int tag) const;

  // The slots' contents for the current entries. `exists` is asked only with
  // mrCheckFileExist; an empty `exists` counts every file as existing.
  MruMenuState Rebuild(const MruFileExists& exists) const;

  // The values to write into the (freshly emptied) key: "Count", then "1"..
  // with every entry, marked or not, existing or not.
  std::vector<MruRegValue> ToRegistry() const;

  // Replaces the entries with those in the key: "Count" by the registry
  // integer rule (missing or no integer: 0; negative: 0; above
  // kMruMaxLoadCount: that), then the values "1".."Count"; a missing or empty
  // value is skipped, and with mrCheckFileExist so is a path whose file does
  // not exist. Loaded entries have no open mark and are not trimmed to
  // MaxSaveCount. An empty `read` stands for an empty key.
  void LoadFromRegistry(const MruValueReader& read, const MruFileExists& exists);

  void Clear() { entries_.clear(); }

 private:
  MruSameText sameText_;
  std::vector<MruEntry> entries_;
  int maxSaveCount_ = 50;
  int maxShowCount_ = 9;
  MruOptions options_ = kMruDefaultOptions;
  MruStyle style_ = msHideSelected;
  MruPosition position_ = mpAfter;
};

// Names of the created menu items: slot n is "_" + stamp + n, the separator
// before "_" + stamp + "A", the one after "_" + stamp + "P" (all decimal).
std::string MruSlotName(std::uint32_t stamp, int n);
std::string MruSeparatorBeforeName(std::uint32_t stamp);
std::string MruSeparatorAfterName(std::uint32_t stamp);

// The stamp of a new list: the tick count, after which the count is read
// again until it has moved on, so the next list gets another stamp.
std::uint32_t MruTakeStamp(const std::function<std::uint32_t()>& tickCount);

// Where the first slot goes: index 0 among the anchor's sub-items for
// mpNewMenu, else the anchor's index in its parent menu (+1 for mpAfter).
// nullopt when the anchor has no place in a parent menu (anchorIndex < 0)
// and the position needs one.
std::optional<int> MruInsertStart(MruPosition position, int anchorIndex);

enum class MruItemKind : std::uint8_t { Slot, SeparatorBefore, SeparatorAfter };

struct MruInsertStep {
  MruItemKind kind;
  int slot;    // slot number for kind Slot, else -1
  int index;   // index to insert at, in the menu as it is at this step
  std::string name;
};

// The menu items to create, in creation order, with the index each one is
// inserted at: the slots one after the other from the start, the separator
// after (mrLineAfter) behind the last slot, then the separator before
// (mrLineBefore) at the start, in front of the first slot. nullopt when
// MruInsertStart gives none.
std::optional<std::vector<MruInsertStep>> MruInsertPlan(MruPosition position, int anchorIndex, int maxShowCount,
                                                        MruOptions options, std::uint32_t stamp);

}  // namespace core
