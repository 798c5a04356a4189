// The status bar with panels. TQuillonStatusBar differs from a plain status
// bar only in accepting child controls.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/component.h"
#include "toolkit/window.h"

namespace tk {

class StatusBar : public Component, public Window {
 public:
  StatusBar(Component* owner, std::string name);
  void CreateIn(HWND parent);

  // Panel widths in pixels; the last panel takes the rest of the bar.
  void SetPanels(const std::vector<int>& widths);
  int PanelCount() const { return static_cast<int>(texts_.size()); }
  int PanelWidth(int i) const { return widths_.at(static_cast<size_t>(i)); }
  const std::string& PanelText(int i) const { return texts_.at(static_cast<size_t>(i)); }
  void SetPanelText(int i, const std::string& text);
  // Panel 2 text, with an immediate repaint (for busy texts).
  void SetPanelTextNow(int i, const std::string& text);

  bool Shown() const { return shown_; }
  void SetShown(bool shown);
  int Height() const;
  // Keeps the bar at the bottom of its parent after a resize.
  void ParentResized();

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  virtual bool AcceptsControls() const { return false; }

 private:
  void ApplyParts();
  std::vector<int> widths_;
  std::vector<std::string> texts_;
  bool shown_ = true;
};

class TQuillonStatusBar : public StatusBar {
 public:
  using StatusBar::StatusBar;

 protected:
  bool AcceptsControls() const override { return true; }
};

}  // namespace tk
