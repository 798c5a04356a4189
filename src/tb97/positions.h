// Saved toolbar positions.
#pragma once

#include <string>

#include "toolkit/component.h"

// Restores / stores the place and visibility of every toolbar the form owns,
// below HKEY_CURRENT_USER\<keyPath>\<toolbar name>. Loading creates the key.
void LoadToolbarPositions(tk::Component* form, const std::string& keyPath);
void SaveToolbarPositions(tk::Component* form, const std::string& keyPath);
