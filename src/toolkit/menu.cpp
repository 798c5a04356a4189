#include "toolkit/menu.h"

#include <algorithm>
#include <set>

#include "toolkit/errors.h"

namespace tk {
namespace {

// Command identifiers: 16 bits, recycled, below the range that the
// multiple-document client uses for its window list.
constexpr UINT kFirstCommand = 100;
constexpr UINT kLastCommand = 0xEFFF;

class CommandIds {
 public:
  UINT Take() {
    if (!free_.empty()) {
      UINT id = *free_.begin();
      free_.erase(free_.begin());
      return id;
    }
    if (next_ > kLastCommand) throw Error("Too many menu items");
    return next_++;
  }
  void Give(UINT id) { free_.insert(id); }

 private:
  UINT next_ = kFirstCommand;
  std::set<UINT> free_;
};

CommandIds& Ids() {
  static CommandIds ids;
  return ids;
}

MenuRebuilt& RebuiltHook() {
  static MenuRebuilt hook;
  return hook;
}

void TellRebuilt(MenuItem* parent) {
  if (RebuiltHook()) RebuiltHook()(parent);
}

// Removes every entry of a menu without destroying sub-menus.
void ClearMenu(HMENU menu) {
  while (::GetMenuItemCount(menu) > 0) ::RemoveMenu(menu, 0, MF_BYPOSITION);
}

}  // namespace

void SetMenuRebuiltHook(MenuRebuilt hook) { RebuiltHook() = std::move(hook); }

std::string ShortCutToText(ShortCut shortCut) {
  if (shortCut == 0) return {};
  std::string text;
  if (shortCut & scShift) text += "Shift+";
  if (shortCut & scCtrl) text += "Ctrl+";
  if (shortCut & scAlt) text += "Alt+";
  UINT vk = shortCut & 0xFF;
  if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) {
    text += static_cast<char>(vk);
  } else if (vk >= VK_F1 && vk <= VK_F24) {
    text += "F" + std::to_string(vk - VK_F1 + 1);
  } else {
    switch (vk) {
      case VK_BACK: text += "BkSp"; break;
      case VK_TAB: text += "Tab"; break;
      case VK_RETURN: text += "Enter"; break;
      case VK_ESCAPE: text += "Esc"; break;
      case VK_SPACE: text += "Space"; break;
      case VK_PRIOR: text += "PgUp"; break;
      case VK_NEXT: text += "PgDn"; break;
      case VK_END: text += "End"; break;
      case VK_HOME: text += "Home"; break;
      case VK_LEFT: text += "Left"; break;
      case VK_UP: text += "Up"; break;
      case VK_RIGHT: text += "Right"; break;
      case VK_DOWN: text += "Down"; break;
      case VK_INSERT: text += "Ins"; break;
      case VK_DELETE: text += "Del"; break;
      default: text += "#" + std::to_string(vk); break;
    }
  }
  return text;
}

MenuItem::MenuItem(Component* owner, std::string name, std::string caption)
    : Component(owner, std::move(name)), caption_(std::move(caption)), command_(Ids().Take()) {}

MenuItem::~MenuItem() {
  onChange_ = nullptr;
  items_.clear();
  if (popup_) {
    ClearMenu(popup_);
    ::DestroyMenu(popup_);
  }
  Ids().Give(command_);
}

void MenuItem::SetCaption(std::string caption) {
  if (caption_ == caption) return;
  caption_ = std::move(caption);
  Changed();
}
void MenuItem::SetShortCut(ShortCut shortCut) {
  if (shortCut_ == shortCut) return;
  shortCut_ = shortCut;
  Changed();
}
void MenuItem::SetChecked(bool checked) {
  if (checked_ == checked) return;
  checked_ = checked;
  Changed();
}
void MenuItem::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Changed();
}
void MenuItem::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  Changed();
}
void MenuItem::SetRadioItem(bool radio) {
  if (radio_ == radio) return;
  radio_ = radio;
  Changed();
}
void MenuItem::SetDefault(bool isDefault) {
  if (default_ == isDefault) return;
  default_ = isDefault;
  Changed();
}

void MenuItem::Click() {
  if (enabled_ && OnClick) OnClick(this);
}

int MenuItem::IndexOf(const MenuItem* item) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i].get() == item) return static_cast<int>(i);
  return -1;
}

MenuItem* MenuItem::Insert(int index, std::unique_ptr<MenuItem> item) {
  if (item->parent_) throw InvalidOperation("Menu item already has a parent");
  index = std::clamp(index, 0, Count());
  item->parent_ = this;
  MenuItem* raw = item.get();
  items_.insert(items_.begin() + index, std::move(item));
  RebuildPopup();
  return raw;
}

MenuItem* MenuItem::Add(std::string name, std::string caption, std::function<void(MenuItem*)> onClick,
                        ShortCut shortCut) {
  auto item = std::make_unique<MenuItem>(nullptr, std::move(name), std::move(caption));
  item->OnClick = std::move(onClick);
  item->shortCut_ = shortCut;
  return Add(std::move(item));
}

std::unique_ptr<MenuItem> MenuItem::Remove(MenuItem* item) {
  int i = IndexOf(item);
  if (i < 0) return nullptr;
  std::unique_ptr<MenuItem> out = std::move(items_[static_cast<size_t>(i)]);
  items_.erase(items_.begin() + i);
  out->parent_ = nullptr;
  RebuildPopup();
  return out;
}

MenuItem* MenuItem::Find(const std::string& name) {
  for (auto& item : items_) {
    if (item->Name() == name) return item.get();
    if (MenuItem* found = item->Find(name)) return found;
  }
  return nullptr;
}

MenuItem* MenuItem::FindCommand(UINT command) {
  for (auto& item : items_) {
    if (item->command_ == command) return item.get();
    if (MenuItem* found = item->FindCommand(command)) return found;
  }
  return nullptr;
}

MenuItem* MenuItem::FindShortCut(ShortCut shortCut) {
  if (shortCut == 0) return nullptr;
  for (auto& item : items_) {
    if (!item->visible_ || !item->enabled_) continue;
    if (item->items_.empty() && item->shortCut_ == shortCut) return item.get();
    if (MenuItem* found = item->FindShortCut(shortCut)) return found;
  }
  return nullptr;
}

HMENU MenuItem::PopupHandle() {
  if (!popup_) {
    popup_ = ::CreatePopupMenu();
    RebuildPopup();
  }
  return popup_;
}

void MenuItem::AppendTo(HMENU menu) {
  if (!visible_) return;
  MENUITEMINFOA mii{};
  mii.cbSize = sizeof mii;
  if (IsLine()) {
    mii.fMask = MIIM_FTYPE;
    mii.fType = MFT_SEPARATOR;
    ::InsertMenuItemA(menu, ::GetMenuItemCount(menu), TRUE, &mii);
    return;
  }
  std::string text = caption_;
  if (shortCut_) text += "\t" + ShortCutToText(shortCut_);
  mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_DATA;
  mii.fType = MFT_STRING | (radio_ ? MFT_RADIOCHECK : 0);
  mii.fState = (enabled_ ? MFS_ENABLED : MFS_GRAYED) | (checked_ ? MFS_CHECKED : 0) |
               (default_ ? MFS_DEFAULT : 0);
  mii.wID = command_;
  mii.dwItemData = reinterpret_cast<ULONG_PTR>(this);
  mii.dwTypeData = text.data();
  if (!items_.empty()) {
    mii.fMask |= MIIM_SUBMENU;
    mii.hSubMenu = PopupHandle();
  }
  ::InsertMenuItemA(menu, ::GetMenuItemCount(menu), TRUE, &mii);
}

void MenuItem::RebuildPopup() {
  if (popup_) {
    ClearMenu(popup_);
    for (auto& item : items_) item->AppendTo(popup_);
  }
  TellRebuilt(this);
  // A first sub-item turns a plain entry into a sub-menu: the parent shows it anew.
  if (parent_ && items_.size() <= 1) parent_->RebuildPopup();
  if (onChange_) onChange_();
}

void MenuItem::Changed() {
  if (parent_)
    parent_->RebuildPopup();
  else if (onChange_)
    onChange_();
}

MainMenu::MainMenu(Component* owner, std::string name) : Component(owner, std::move(name)) {}

std::vector<MenuItem*> MergeMenus(MainMenu* frame, MainMenu* child) {
  std::vector<MenuItem*> out;
  std::set<int> childGroups;
  if (child)
    for (int i = 0; i < child->Items()->Count(); ++i) childGroups.insert(child->Items()->Items(i)->GroupIndex());
  if (frame)
    for (int i = 0; i < frame->Items()->Count(); ++i) {
      MenuItem* m = frame->Items()->Items(i);
      if (!childGroups.count(m->GroupIndex())) out.push_back(m);
    }
  if (child)
    for (int i = 0; i < child->Items()->Count(); ++i) out.push_back(child->Items()->Items(i));
  std::stable_sort(out.begin(), out.end(),
                   [](MenuItem* a, MenuItem* b) { return a->GroupIndex() < b->GroupIndex(); });
  return out;
}

void FillMenuBar(HMENU bar, const std::vector<MenuItem*>& menus) {
  ClearMenu(bar);
  std::vector<MenuItem*> parents;
  for (MenuItem* m : menus) {
    m->AppendTo(bar);
    if (m->Parent() && std::find(parents.begin(), parents.end(), m->Parent()) == parents.end())
      parents.push_back(m->Parent());
  }
  for (MenuItem* parent : parents) TellRebuilt(parent);
}

}  // namespace tk
