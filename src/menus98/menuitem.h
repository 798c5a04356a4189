// The menus module's side of every menu item: after any change of an item
// (caption, enabling, check mark, the platform menu built anew, the menus
// of a document merged into the frame's bar) the bitmaps put into the
// item's platform entries are put back, and a menu bar that shows the item
// takes its new state.
#pragma once

#include "toolkit/menu.h"

class TMenuItemBitmaps;
class TMainMenu98;

namespace menus98 {

// Installs the module's hook into the toolkit's menus (once; harmless again).
void InstallMenuItemHook();

// The module's lists; components join at creation and leave when destroyed.
void AddBitmaps(TMenuItemBitmaps* bitmaps);
void RemoveBitmaps(TMenuItemBitmaps* bitmaps);
void AddMenuBar(TMainMenu98* bar);
void RemoveMenuBar(TMainMenu98* bar);
const std::vector<TMainMenu98*>& MenuBars();

// Puts back the bitmaps of every item whose entries sit in `parent`'s
// platform menu; nullptr: of every item.
void ReapplyBitmaps(tk::MenuItem* parent);

}  // namespace menus98
