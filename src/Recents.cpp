#include "Recents.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <utility>

#include "toolkit/application.h"
#include "toolkit/errors.h"
#include "toolkit/registry.h"

namespace {

const char kDesignOnly[] = "Operation ist nur im Design-Modus möglich!";
const char kInvalidAnchor[] = "Invalid Anchor!";

// Equal without regard to case, as the user's locale compares.
bool SameTextLocale(std::string_view a, std::string_view b) {
  if (a.empty() || b.empty()) return a.empty() && b.empty();
  return ::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
}

// A file, not a folder, exists at the path.
bool FileExists(const std::string& path) {
  const DWORD attr = ::GetFileAttributesA(path.c_str());
  return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}

std::string KeyPath(const std::string& regIniKey) { return "Software\\" + regIniKey; }

}  // namespace

TMruList::TMruList(tk::Component* owner, std::string name)
    : Component(owner, std::move(name)),
      model_(SameTextLocale),
      stamp_(core::MruTakeStamp([] { return static_cast<std::uint32_t>(::GetTickCount()); })),
      alive_(std::make_shared<TMruList*>(this)) {}

TMruList::~TMruList() {
  alive_.reset();
  // Only a list that got through loading has anything to save: a form that
  // failed to load must not wipe the stored list.
  if (!loaded_ || !(model_.Options() & core::mrAutoSave)) return;
  try {
    SaveToRegistry();
  } catch (...) {
    try {
      tk::Application.HandleException();
    } catch (...) {
    }
  }
}

void TMruList::DesignTimeOnly() const {
  if (!loading_) throw tk::InvalidOperation(kDesignOnly);
}

TMruOptions TMruList::Options() const { return model_.Options(); }
void TMruList::SetOptions(TMruOptions options) {
  DesignTimeOnly();
  model_.SetOptions(options);
}
TMruStyle TMruList::Style() const { return model_.Style(); }
void TMruList::SetStyle(TMruStyle style) {
  DesignTimeOnly();
  model_.SetStyle(style);
}
TMruPosition TMruList::Position() const { return model_.Position(); }
void TMruList::SetPosition(TMruPosition position) {
  DesignTimeOnly();
  model_.SetPosition(position);
}
void TMruList::SetAnchor(tk::MenuItem* anchor) {
  DesignTimeOnly();
  anchor_ = anchor;
}
int TMruList::MaxShowCount() const { return model_.MaxShowCount(); }
void TMruList::SetMaxShowCount(int count) {
  DesignTimeOnly();
  model_.SetMaxShowCount(count);
}
int TMruList::MaxSaveCount() const { return model_.MaxSaveCount(); }
void TMruList::SetMaxSaveCount(int count) { model_.SetMaxSaveCount(count); }

void TMruList::SetRegIniKey(const std::string& key) {
  regIniKey_ = key;
  if (!loading_ && (model_.Options() & core::mrAutoLoad)) {
    LoadFromRegistry();
    RebuildMenu();
  }
}

// The anchor must be set, belong to something (a menu, or an owner for a
// menu of its own) and, unless the slots go below it, sit in a parent menu.
bool TMruList::AnchorValid() const {
  if (!anchor_) return false;
  if (!anchor_->Owner() && !anchor_->Parent()) return false;
  return model_.Position() == core::mpNewMenu || anchor_->Parent();
}

void TMruList::Loaded() {
  if (!loading_) return;
  if (!AnchorValid()) throw tk::InvalidOperation(kInvalidAnchor);
  tk::MenuItem* menu = model_.Position() == core::mpNewMenu ? anchor_ : anchor_->Parent();
  const std::optional<std::vector<core::MruInsertStep>> plan = core::MruInsertPlan(
      model_.Position(), anchor_->MenuIndex(), model_.MaxShowCount(), model_.Options(), stamp_);
  if (!plan) throw tk::InvalidOperation(kInvalidAnchor);
  std::weak_ptr<TMruList*> alive = alive_;
  for (const core::MruInsertStep& step : *plan) {
    const bool slot = step.kind == core::MruItemKind::Slot;
    auto item = std::make_unique<tk::MenuItem>(nullptr, step.name, slot ? "" : "-");
    item->SetVisible(false);  // until a rebuild shows it
    if (slot) {
      item->Tag = -1;
      item->OnClick = [alive](tk::MenuItem* sender) {
        if (std::shared_ptr<TMruList*> list = alive.lock()) (*list)->SlotClick(sender);
      };
    }
    tk::MenuItem* raw = menu->Insert(step.index, std::move(item));
    switch (step.kind) {
      case core::MruItemKind::Slot: slots_.push_back(raw); break;
      case core::MruItemKind::SeparatorBefore: lineBefore_ = raw; break;
      case core::MruItemKind::SeparatorAfter: lineAfter_ = raw; break;
    }
  }
  loading_ = false;
  loaded_ = true;
  if (model_.Options() & core::mrAutoLoad) {
    try {
      LoadFromRegistry();
    } catch (const tk::RegistryError&) {
      tk::Application.HandleException();
    }
  }
  RebuildMenu();
}

void TMruList::SlotClick(tk::MenuItem* sender) {
  if (!sender || !OnMruClick) return;
  // A copy: opening the file reorders the list.
  const std::optional<std::string> item = model_.ItemForTag(sender->Tag);
  if (item) OnMruClick(this, *item);
}

void TMruList::AddItem(const std::string& path) {
  model_.AddItem(path);
  RebuildMenu();
}

void TMruList::UnselectItem(const std::string& path) {
  if (path.empty()) return;
  model_.UnselectItem(path);
  RebuildMenu();
}

int TMruList::IndexOfItem(const std::string& path) const { return model_.IndexOfItem(path); }

void TMruList::RebuildMenu() {
  if (!loaded_ || !AnchorValid()) return;
  const core::MruMenuState state = model_.Rebuild(FileExists);
  const std::size_t n = std::min(slots_.size(), state.slots.size());
  for (std::size_t i = 0; i < n; ++i) {
    tk::MenuItem* slot = slots_[i];
    const core::MruSlot& s = state.slots[i];
    slot->Tag = s.tag;
    slot->SetCaption(s.caption);
    slot->SetChecked(s.checked);
    slot->SetVisible(s.visible);
  }
  if (lineBefore_) lineBefore_->SetVisible(state.separatorBeforeVisible);
  if (lineAfter_) lineAfter_->SetVisible(state.separatorAfterVisible);
  if (state.anchorEnabled) anchor_->SetEnabled(*state.anchorEnabled);
  if (state.anchorVisible) anchor_->SetVisible(*state.anchorVisible);
}

void TMruList::LoadFromRegistry() {
  if (regIniKey_.empty()) return;
  tk::Registry reg;
  const bool open = reg.OpenKeyReadOnly(KeyPath(regIniKey_));
  core::MruValueReader read;  // none: the key is missing, the list empty
  if (open) {
    read = [&reg](const std::string& name) -> std::optional<std::string> {
      if (!reg.ValueExists(name)) return std::nullopt;
      return reg.ReadString(name);  // another type throws, naming the value
    };
  }
  model_.LoadFromRegistry(read, FileExists);
  RebuildMenu();
}

void TMruList::SaveToRegistry() {
  if (regIniKey_.empty()) return;
  tk::Registry reg;
  if (!reg.OpenKey("Software", true)) throw tk::RegistryError("The registry key 'Software' cannot be opened");
  reg.DeleteKey(regIniKey_);
  const std::string path = KeyPath(regIniKey_);
  if (!reg.OpenKey(path, true)) throw tk::RegistryError("The registry key '" + path + "' cannot be written");
  for (const core::MruRegValue& value : model_.ToRegistry()) reg.WriteString(value.name, value.text);
}

const std::vector<core::MruEntry>& TMruList::Entries() const { return model_.Entries(); }
