// Menus as a model: items with caption, shortcut, check, enabled, visible,
// radio, default, group index (for merging a document's menus into the
// frame's bar), hint and click handler. The model builds the platform menus
// and keeps them in step with every change.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/component.h"

namespace tk {

// A shortcut: a virtual-key code with modifier bits.
using ShortCut = WORD;
inline constexpr ShortCut scShift = 0x2000;
inline constexpr ShortCut scCtrl = 0x4000;
inline constexpr ShortCut scAlt = 0x8000;
std::string ShortCutToText(ShortCut shortCut);

class MenuItem;
// Told when a menu changes so that the owner of a menu bar rebuilds it.
using MenuChanged = std::function<void()>;
// Told after the platform entries of an item's sub-items were made anew
// (its popup refilled, or a form's bar filled with top-level items): what
// was put into those entries from outside the model (check-mark bitmaps)
// must be put back. One hook for the program.
using MenuRebuilt = std::function<void(MenuItem* parent)>;
void SetMenuRebuiltHook(MenuRebuilt hook);

class MenuItem : public Component {
 public:
  explicit MenuItem(Component* owner = nullptr, std::string name = {}, std::string caption = {});
  ~MenuItem() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  bool IsLine() const { return caption_ == "-"; }
  ShortCut GetShortCut() const { return shortCut_; }
  void SetShortCut(ShortCut shortCut);
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool RadioItem() const { return radio_; }
  void SetRadioItem(bool radio);
  bool Default() const { return default_; }
  void SetDefault(bool isDefault);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int group) { groupIndex_ = group; }
  std::string Hint;
  // The help topic shown for F1 on the item in an open menu; 0 for none.
  int HelpContext = 0;
  int Tag = 0;
  std::function<void(MenuItem* sender)> OnClick;

  // Runs the click handler (only while enabled).
  void Click();

  // The tree. Items added here are owned by their parent item; Insert with
  // an index beyond the end appends.
  MenuItem* Parent() const { return parent_; }
  int Count() const { return static_cast<int>(items_.size()); }
  MenuItem* Items(int i) const { return items_[static_cast<size_t>(i)].get(); }
  int IndexOf(const MenuItem* item) const;
  int MenuIndex() const { return parent_ ? parent_->IndexOf(this) : -1; }
  MenuItem* Insert(int index, std::unique_ptr<MenuItem> item);
  MenuItem* Add(std::unique_ptr<MenuItem> item) { return Insert(Count(), std::move(item)); }
  MenuItem* Add(std::string name, std::string caption, std::function<void(MenuItem*)> onClick = {},
                ShortCut shortCut = 0);
  std::unique_ptr<MenuItem> Remove(MenuItem* item);
  MenuItem* Find(const std::string& name);  // by component name, in the whole subtree
  MenuItem* FindCommand(UINT command);       // in the whole subtree
  MenuItem* FindShortCut(ShortCut shortCut); // an enabled, visible item, in the whole subtree

  UINT Command() const { return command_; }
  // The popup menu of an item with sub-items (built on first use).
  HMENU PopupHandle();
  // Hook for whoever shows this item in a menu bar.
  void SetOnChange(MenuChanged onChange) { onChange_ = std::move(onChange); }

  // Appends this item's platform entry to a menu.
  void AppendTo(HMENU menu);

 private:
  void Changed();  // rebuilds the parent's popup or tells the bar's owner
  void RebuildPopup();

  std::string caption_;
  ShortCut shortCut_ = 0;
  bool checked_ = false, enabled_ = true, visible_ = true, radio_ = false, default_ = false;
  int groupIndex_ = 0;
  MenuItem* parent_ = nullptr;
  std::vector<std::unique_ptr<MenuItem>> items_;
  UINT command_;
  HMENU popup_ = nullptr;
  MenuChanged onChange_;
};

// A form's menu bar: its top-level items are the menus.
class MainMenu : public Component {
 public:
  explicit MainMenu(Component* owner = nullptr, std::string name = {});
  MenuItem* Items() { return &root_; }
  MenuItem* Find(const std::string& name) { return root_.Find(name); }
  // Told when anything in the bar must be rebuilt.
  void SetOnChange(MenuChanged onChange) { root_.SetOnChange(std::move(onChange)); }

 private:
  MenuItem root_;
};

// Fills a menu bar with the menus of the frame merged with those of the
// active document: a document menu of a group index replaces the frame's
// menus of that group; the result is ordered by group index.
std::vector<MenuItem*> MergeMenus(MainMenu* frame, MainMenu* child);
void FillMenuBar(HMENU bar, const std::vector<MenuItem*>& menus);

}  // namespace tk
