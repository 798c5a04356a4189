// Simple MAPI's MAPISendDocuments, bound at run time: the library is looked
// for on the first send only, and what was found stays in force to the end
// of the run (the library is released then).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "toolkit/handles.h"

namespace tk {

class SimpleMapi {
 public:
  explicit SimpleMapi(std::string library = "MAPI32.DLL") : library_(std::move(library)) {}

  // Hands the files to the mail system, which shows a new message with them
  // attached and returns once the user sent or dropped it. `paths` and
  // `names` are lists separated by `delimiter`; empty names let the mail
  // system take them from the paths. Returns the mail system's result, or
  // 1 (MAPI_E_FAILURE) when the library or its function is missing.
  ULONG SendDocuments(HWND parent, const std::string& delimiter, const std::string& paths,
                      const std::string& names);

  // Whether the library and its function were found (looks for them once).
  bool Available();

  // Stands in for the library's function when set (tests).
  std::function<ULONG(HWND parent, const std::string& delimiter, const std::string& paths,
                      const std::string& names)>
      sendDocuments;

 private:
  using SendDocumentsFn = ULONG(WINAPI*)(ULONG_PTR, LPSTR, LPSTR, LPSTR, ULONG);
  void Bind();

  std::string library_;
  bool bound_ = false;
  OwnedModule module_;
  SendDocumentsFn send_ = nullptr;
};

// The program's one.
SimpleMapi& Mapi();

}  // namespace tk
