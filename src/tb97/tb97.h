// Docks, tool windows, toolbars, separators and toolbar buttons: the one
// header the forms include.
#pragma once

#include "tb97/button.h"
#include "tb97/dock.h"
#include "tb97/positions.h"
#include "tb97/separator.h"
#include "tb97/toolbar.h"
#include "tb97/toolwindow.h"
