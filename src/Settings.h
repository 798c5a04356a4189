// The program-wide settings, read from the registry by the frame.
#pragma once

#include <memory>

#include "core/colortext.h"
#include "toolkit/graphics.h"

struct TSettings {
  bool CreateNewDoc = false;
  bool MaximizeDocs = false;
  bool Autowordwrap = false;
  bool ShowOperations = false;
  bool ShowExtensions = false;
  core::Color Background = 0;
  // Owned here; users copy its properties and never keep the object.
  std::unique_ptr<tk::Font> Font;
};

// Filled by TForm1::Initialisieren; read-only everywhere else.
extern TSettings Settings;

inline constexpr char kSettingsKey[] = "Software\\ORCA\\Quillon-Light";
