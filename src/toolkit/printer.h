// The application's current printer: the printer (with its device mode:
// paper, orientation, ...) that print jobs go to. Until a dialog chooses
// one, it is the system's default printer, if there is one.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tk {

class Printer {
 public:
  // False when no printer is chosen and the system has no default one.
  bool Available();
  std::string DriverName();
  std::string DeviceName();
  std::string PortName();

  // A new movable global block holding a copy of the device mode; the
  // caller owns it. nullptr without a printer.
  HGLOBAL CopyDevMode();
  // A new movable global block of device names: four 16-bit words (the
  // offsets of the driver, device and port names, counted from the block's
  // start, and the default flag 0), then the three names, zero-terminated,
  // in that order. The caller owns it. nullptr without a printer.
  HGLOBAL MakeDevNames();
  // Makes the printer these blocks describe the current one. The blocks
  // are copied; the caller still owns them. A null device-names block
  // leaves the printer as it was.
  void SetFromBlocks(HGLOBAL devMode, HGLOBAL devNames);

  // A device context on the current printer with its device mode; the
  // caller deletes it (DeleteDC). nullptr without a printer.
  HDC CreateDC();

  // Forgets the chosen printer: the system's default applies again.
  void Reset();

 private:
  void EnsureKnown();

  bool known_ = false;
  std::string driver_, device_, port_;
  std::vector<BYTE> devMode_;
};

// The one printer object of the program.
Printer& CurrentPrinter();

// Frees a print or page-setup dialog's device blocks whatever they are when
// the dialog ends (the platform may have replaced the ones it was given).
template <class Dialog>
class DeviceBlocks {
 public:
  explicit DeviceBlocks(Dialog& dialog) : dialog_(dialog) {}
  ~DeviceBlocks() {
    if (dialog_.hDevMode) ::GlobalFree(dialog_.hDevMode);
    if (dialog_.hDevNames) ::GlobalFree(dialog_.hDevNames);
    dialog_.hDevMode = dialog_.hDevNames = nullptr;
  }
  DeviceBlocks(const DeviceBlocks&) = delete;
  DeviceBlocks& operator=(const DeviceBlocks&) = delete;

 private:
  Dialog& dialog_;
};

}  // namespace tk
