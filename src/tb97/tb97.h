// Docks, toolbars, separators and toolbar buttons: the one header the forms
// include.
#pragma once

#include "tb97/button.h"
#include "tb97/dock.h"
#include "tb97/positions.h"
#include "tb97/toolbar.h"
