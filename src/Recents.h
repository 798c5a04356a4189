// The recent-files list: remembers opened files, offers the most recent of
// them as numbered entries in a menu next to an anchor item, reports a click
// on an entry, and keeps the list in the registry between runs.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/mrulist.h"
#include "toolkit/component.h"
#include "toolkit/menu.h"

// The list's option bits, its style and the place of its entries.
using TMruOptionsType = core::MruOption;
using TMruOptions = std::uint16_t;  // a set of TMruOptionsType bits
using TMruStyle = core::MruStyle;
using TMruPosition = core::MruPosition;
using TMruEvent = std::function<void(tk::Component* sender, const std::string& item)>;

class TMruList : public tk::Component {
 public:
  TMruList(tk::Component* owner, std::string name);
  ~TMruList() override;  // saves with mrAutoSave

  // Design-time properties: settable only while the list is being loaded
  // (from construction until Loaded); afterwards a tk::InvalidOperation
  // "Operation ist nur im Design-Modus möglich!" and no change.
  TMruOptions Options() const;
  void SetOptions(TMruOptions options);
  TMruStyle Style() const;
  void SetStyle(TMruStyle style);
  TMruPosition Position() const;
  void SetPosition(TMruPosition position);
  tk::MenuItem* Anchor() const { return anchor_; }
  void SetAnchor(tk::MenuItem* anchor);
  int MaxShowCount() const;
  void SetMaxShowCount(int count);
  // At any time.
  int MaxSaveCount() const;
  void SetMaxSaveCount(int count);
  const std::string& RegIniKey() const { return regIniKey_; }
  void SetRegIniKey(const std::string& key);

  TMruEvent OnMruClick;

  // Ends loading: checks the anchor ("Invalid Anchor!"), creates the menu
  // slots, loads with mrAutoLoad and rebuilds the menu. A registry error of
  // that load goes to the general error box and the list starts empty, so
  // that a damaged key cannot keep the form from loading.
  void Loaded();
  bool Loading() const { return loading_; }

  void AddItem(const std::string& path);
  void UnselectItem(const std::string& path);
  int IndexOfItem(const std::string& path) const;
  // Both throw tk::RegistryError (a value of another type than text, a key
  // that cannot be written); a failed load leaves the list as it was.
  void LoadFromRegistry();
  void SaveToRegistry();
  void RebuildMenu();

  const std::vector<core::MruEntry>& Entries() const;
  // The created entry slots, in menu order.
  const std::vector<tk::MenuItem*>& Slots() const { return slots_; }

 private:
  void DesignTimeOnly() const;
  bool AnchorValid() const;
  void SlotClick(tk::MenuItem* sender);

  core::MruModel model_;
  std::vector<tk::MenuItem*> slots_;
  tk::MenuItem* anchor_ = nullptr;
  tk::MenuItem* lineBefore_ = nullptr;
  tk::MenuItem* lineAfter_ = nullptr;
  std::string regIniKey_;
  std::uint32_t stamp_ = 0;
  bool loading_ = true;
  bool loaded_ = false;  // Loaded() went through: the slots exist, saving is allowed
  // The slots' click handlers hold a weak reference: a slot that outlives
  // the list does nothing.
  std::shared_ptr<TMruList*> alive_;
};
