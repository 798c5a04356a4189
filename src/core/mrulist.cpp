#include "core/mrulist.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <utility>

#include "core/filenames.h"
#include "core/regint.h"

namespace core {
namespace {

unsigned char FoldWin1252(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 0x20);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 0x20);
  switch (c) {
    case 0x9A: return 0x8A;  // s caron
    case 0x9C: return 0x8C;  // oe
    case 0x9E: return 0x8E;  // z caron
    case 0xFF: return 0x9F;  // y diaeresis
    default: return c;
  }
}

}  // namespace

bool SameTextWin1252(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldWin1252(static_cast<unsigned char>(a[i])) != FoldWin1252(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

MruModel::MruModel(MruSameText sameText) : sameText_(std::move(sameText)) {
  if (!sameText_) sameText_ = SameTextWin1252;
}

int MruModel::IndexOfItem(std::string_view path) const {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (sameText_(entries_[i].path, path)) return static_cast<int>(i);
  }
  return -1;
}

void MruModel::AddItem(std::string_view path) {
  if (path.empty()) return;
  int index = IndexOfItem(path);
  if (index < 0) {
    // Trim to the bound before appending. A list loaded longer than the
    // bound (MaxSaveCount lowered since it was saved) is brought back to it
    // here instead of staying too long for ever.
    const auto bound = static_cast<std::size_t>(std::max(maxSaveCount_, 0));
    if (entries_.size() > bound) entries_.resize(bound);
    entries_.push_back(MruEntry{std::string(path), false});
    index = static_cast<int>(entries_.size()) - 1;
  }
  if (options_ & mrTopSelected) {
    std::rotate(entries_.begin(), entries_.begin() + index, entries_.begin() + index + 1);
    index = 0;
  }
  entries_[static_cast<std::size_t>(index)].open = true;
}

void MruModel::UnselectItem(std::string_view path) {
  if (path.empty()) return;
  const int index = IndexOfItem(path);
  if (index >= 0) entries_[static_cast<std::size_t>(index)].open = false;
}

std::optional<std::string> MruModel::ItemForTag(int tag) const {
  if (tag < 0 || static_cast<std::size_t>(tag) >= entries_.size()) return std::nullopt;
  return entries_[static_cast<std::size_t>(tag)].path;
}

MruMenuState MruModel::Rebuild(const MruFileExists& exists) const {
  MruMenuState state;
  state.slots.resize(static_cast<std::size_t>(std::max(maxShowCount_, 0)));
  const bool checkExist = (options_ & mrCheckFileExist) && exists;
  std::size_t slot = 0;
  for (std::size_t i = 0; i < entries_.size() && slot < state.slots.size(); ++i) {
    const MruEntry& e = entries_[i];
    if (style_ == msHideSelected && e.open) continue;
    if (checkExist && !exists(e.path)) continue;
    MruSlot& s = state.slots[slot];
    // The path goes in as it is: an "&" in it marks an accelerator.
    std::string caption(options_ & mrShortFileNames ? FileNamePart(e.path) : std::string_view(e.path));
    if (options_ & mrShowNumber) caption = "&" + std::to_string(slot + 1) + "  " + caption;
    s.caption = std::move(caption);
    s.checked = style_ == msCheckSelected && e.open;
    s.tag = static_cast<int>(i);
    s.visible = true;
    ++slot;
  }
  state.shown = static_cast<int>(slot);
  const bool any = slot > 0;
  state.separatorBeforeVisible = any && (options_ & mrLineBefore);
  state.separatorAfterVisible = any && (options_ & mrLineAfter);
  if (options_ & mrDisableAnchorIfEmpty) state.anchorEnabled = any;
  if (options_ & mrHideAnchorIfEmpty) state.anchorVisible = any;
  return state;
}

std::vector<MruRegValue> MruModel::ToRegistry() const {
  std::vector<MruRegValue> values;
  values.reserve(entries_.size() + 1);
  values.push_back({"Count", std::to_string(entries_.size())});
  for (std::size_t i = 0; i < entries_.size(); ++i) values.push_back({std::to_string(i + 1), entries_[i].path});
  return values;
}

void MruModel::LoadFromRegistry(const MruValueReader& read, const MruFileExists& exists) {
  std::vector<MruEntry> loaded;
  if (read) {
    const int count = std::clamp(RegIntFromValue(read("Count"), 0), 0, kMruMaxLoadCount);
    const bool checkExist = (options_ & mrCheckFileExist) && exists;
    for (int n = 1; n <= count; ++n) {
      std::optional<std::string> path = read(std::to_string(n));
      if (!path || path->empty()) continue;
      if (checkExist && !exists(*path)) continue;
      loaded.push_back(MruEntry{std::move(*path), false});
    }
  }
  entries_ = std::move(loaded);  // only now: a throwing reader leaves the list as it was
}

std::string MruSlotName(std::uint32_t stamp, int n) { return "_" + std::to_string(stamp) + std::to_string(n); }
std::string MruSeparatorBeforeName(std::uint32_t stamp) { return "_" + std::to_string(stamp) + "A"; }
std::string MruSeparatorAfterName(std::uint32_t stamp) { return "_" + std::to_string(stamp) + "P"; }

std::uint32_t MruTakeStamp(const std::function<std::uint32_t()>& tickCount) {
  const std::uint32_t stamp = tickCount();
  while (tickCount() == stamp) {
  }
  return stamp;
}

std::optional<int> MruInsertStart(MruPosition position, int anchorIndex) {
  if (position == mpNewMenu) return 0;
  if (anchorIndex < 0) return std::nullopt;
  if (position == mpAfter) {
    if (anchorIndex == INT_MAX) return std::nullopt;
    return anchorIndex + 1;
  }
  return anchorIndex;
}

std::optional<std::vector<MruInsertStep>> MruInsertPlan(MruPosition position, int anchorIndex, int maxShowCount,
                                                        MruOptions options, std::uint32_t stamp) {
  const std::optional<int> start = MruInsertStart(position, anchorIndex);
  if (!start) return std::nullopt;
  const int count = std::max(maxShowCount, 0);
  // The last index used is start + count (the separator after).
  if (static_cast<long long>(*start) + count > INT_MAX) return std::nullopt;
  std::vector<MruInsertStep> steps;
  steps.reserve(static_cast<std::size_t>(count) + 2);
  for (int n = 0; n < count; ++n) steps.push_back({MruItemKind::Slot, n, *start + n, MruSlotName(stamp, n)});
  if (options & mrLineAfter) steps.push_back({MruItemKind::SeparatorAfter, -1, *start + count, MruSeparatorAfterName(stamp)});
  if (options & mrLineBefore) steps.push_back({MruItemKind::SeparatorBefore, -1, *start, MruSeparatorBeforeName(stamp)});
  return steps;
}

}  // namespace core
