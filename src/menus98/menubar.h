// The menus module for its users: bitmaps on menu items, the menu bar made
// of toolbar buttons and its buttons.
#pragma once

#include "menus98/itembitmaps.h"
#include "menus98/mainmenu.h"
#include "menus98/menubutton.h"
#include "menus98/menuitem.h"
