// The platform-free arithmetic of the docking toolbars: dock rows, toolbar
// layout and sizing, button content, drag outlines and screen placement,
// disabled glyphs and the position record.
#pragma once

#include "core/tb97/buttonlayout.h"
#include "core/tb97/disabledglyph.h"
#include "core/tb97/dockrows.h"
#include "core/tb97/geometry.h"
#include "core/tb97/outline.h"
#include "core/tb97/positions.h"
#include "core/tb97/toolbarlayout.h"
