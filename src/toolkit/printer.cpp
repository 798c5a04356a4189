#include "toolkit/printer.h"

#include <commdlg.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace tk {

namespace {

// Locks a global block for as long as it is read or written.
class Locked {
 public:
  explicit Locked(HGLOBAL block) : block_(block), p_(block ? ::GlobalLock(block) : nullptr) {}
  ~Locked() {
    if (p_) ::GlobalUnlock(block_);
  }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;
  void* get() const { return p_; }

 private:
  HGLOBAL block_;
  void* p_;
};

std::string NameAt(const BYTE* block, SIZE_T size, WORD offset) {
  if (offset >= size) return {};
  const char* p = reinterpret_cast<const char*>(block) + offset;
  return std::string(p, ::strnlen(p, size - offset));
}

}  // namespace

Printer& CurrentPrinter() {
  static Printer printer;
  return printer;
}

void Printer::EnsureKnown() {
  if (known_) return;
  PRINTDLGA pd{};
  pd.lStructSize = sizeof pd;
  pd.Flags = PD_RETURNDEFAULT;
  if (::PrintDlgA(&pd)) SetFromBlocks(pd.hDevMode, pd.hDevNames);
  if (pd.hDevMode) ::GlobalFree(pd.hDevMode);
  if (pd.hDevNames) ::GlobalFree(pd.hDevNames);
}

bool Printer::Available() {
  EnsureKnown();
  return known_;
}

std::string Printer::DriverName() {
  EnsureKnown();
  return driver_;
}

std::string Printer::DeviceName() {
  EnsureKnown();
  return device_;
}

std::string Printer::PortName() {
  EnsureKnown();
  return port_;
}

void Printer::Reset() {
  known_ = false;
  driver_.clear();
  device_.clear();
  port_.clear();
  devMode_.clear();
}

void Printer::SetFromBlocks(HGLOBAL devMode, HGLOBAL devNames) {
  if (!devNames) return;
  {
    Locked names(devNames);
    auto* p = static_cast<const BYTE*>(names.get());
    if (!p) return;
    SIZE_T size = ::GlobalSize(devNames);
    if (size < sizeof(DEVNAMES)) return;
    auto* header = reinterpret_cast<const DEVNAMES*>(p);
    driver_ = NameAt(p, size, header->wDriverOffset);
    device_ = NameAt(p, size, header->wDeviceOffset);
    port_ = NameAt(p, size, header->wOutputOffset);
  }
  devMode_.clear();
  if (devMode) {
    Locked mode(devMode);
    auto* dm = static_cast<const DEVMODEA*>(mode.get());
    SIZE_T size = ::GlobalSize(devMode);
    if (dm && size >= offsetof(DEVMODEA, dmFields)) {
      SIZE_T used = std::min<SIZE_T>(size, SIZE_T{dm->dmSize} + dm->dmDriverExtra);
      auto* bytes = reinterpret_cast<const BYTE*>(dm);
      devMode_.assign(bytes, bytes + used);
    }
  }
  known_ = true;
}

HGLOBAL Printer::CopyDevMode() {
  EnsureKnown();
  if (!known_ || devMode_.empty()) return nullptr;
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, devMode_.size());
  if (!block) return nullptr;
  Locked p(block);
  std::memcpy(p.get(), devMode_.data(), devMode_.size());
  return block;
}

HGLOBAL Printer::MakeDevNames() {
  EnsureKnown();
  if (!known_) return nullptr;
  constexpr size_t kHeader = 4 * sizeof(WORD);
  size_t size = kHeader + driver_.size() + 1 + device_.size() + 1 + port_.size() + 1;
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (!block) return nullptr;
  Locked lock(block);
  auto* p = static_cast<BYTE*>(lock.get());
  auto* header = reinterpret_cast<DEVNAMES*>(p);
  size_t at = kHeader;
  auto put = [&](const std::string& name) {
    auto offset = static_cast<WORD>(at);
    std::memcpy(p + at, name.c_str(), name.size() + 1);
    at += name.size() + 1;
    return offset;
  };
  header->wDriverOffset = put(driver_);
  header->wDeviceOffset = put(device_);
  header->wOutputOffset = put(port_);
  header->wDefault = 0;
  return block;
}

HDC Printer::CreateDC() {
  EnsureKnown();
  if (!known_) return nullptr;
  const DEVMODEA* mode = devMode_.empty() ? nullptr : reinterpret_cast<const DEVMODEA*>(devMode_.data());
  return ::CreateDCA(driver_.empty() ? nullptr : driver_.c_str(), device_.c_str(),
                     port_.empty() ? nullptr : port_.c_str(), mode);
}

}  // namespace tk
