#include "toolkit/mapi.h"

#include <vector>

namespace tk {

SimpleMapi& Mapi() {
  static SimpleMapi mapi;
  return mapi;
}

void SimpleMapi::Bind() {
  if (bound_) return;
  bound_ = true;
  module_.reset(::LoadLibraryA(library_.c_str()));
  if (module_)
    send_ = reinterpret_cast<SendDocumentsFn>(
        reinterpret_cast<void*>(::GetProcAddress(module_.get(), "MAPISendDocuments")));
}

bool SimpleMapi::Available() {
  Bind();
  return send_ != nullptr;
}

ULONG SimpleMapi::SendDocuments(HWND parent, const std::string& delimiter, const std::string& paths,
                                const std::string& names) {
  if (sendDocuments) return sendDocuments(parent, delimiter, paths, names);
  if (!Available()) return 1;  // MAPI_E_FAILURE
  // The function takes writable strings.
  std::vector<char> d(delimiter.begin(), delimiter.end()), p(paths.begin(), paths.end()),
      n(names.begin(), names.end());
  d.push_back('\0');
  p.push_back('\0');
  n.push_back('\0');
  return send_(reinterpret_cast<ULONG_PTR>(parent), d.data(), p.data(), n.data(), 0);
}

}  // namespace tk
