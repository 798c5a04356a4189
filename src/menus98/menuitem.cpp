#include "menus98/menuitem.h"

#include <algorithm>
#include <vector>

#include "menus98/itembitmaps.h"
#include "menus98/mainmenu.h"
#include "menus98/popup.h"

namespace menus98 {
namespace {

std::vector<TMenuItemBitmaps*>& Bitmaps() {
  static std::vector<TMenuItemBitmaps*> list;
  return list;
}

std::vector<TMainMenu98*>& Bars() {
  static std::vector<TMainMenu98*> list;
  return list;
}

void Rebuilt(tk::MenuItem* parent) {
  // A copy: applying never adds or removes components, but a bar's update may.
  std::vector<TMainMenu98*> bars = Bars();
  for (TMainMenu98* bar : bars) bar->MenuRebuilt(parent);
  ReapplyBitmaps(parent);
}

}  // namespace

void InstallMenuItemHook() {
  tk::SetMenuRebuiltHook(&Rebuilt);
  // The popup menus put the bitmaps back before they open, too.
  if (!ReapplyBitmaps()) ReapplyBitmaps() = [](tk::Component*) { ReapplyBitmaps(nullptr); };
}

void AddBitmaps(TMenuItemBitmaps* bitmaps) {
  InstallMenuItemHook();
  Bitmaps().push_back(bitmaps);
}

void RemoveBitmaps(TMenuItemBitmaps* bitmaps) { std::erase(Bitmaps(), bitmaps); }

void AddMenuBar(TMainMenu98* bar) {
  InstallMenuItemHook();
  Bars().push_back(bar);
}

void RemoveMenuBar(TMainMenu98* bar) { std::erase(Bars(), bar); }

const std::vector<TMainMenu98*>& MenuBars() { return Bars(); }

void ReapplyBitmaps(tk::MenuItem* parent) {
  for (TMenuItemBitmaps* b : Bitmaps())
    if (b->MenuItem() && (!parent || b->MenuItem()->Parent() == parent)) b->Apply();
}

}  // namespace menus98
