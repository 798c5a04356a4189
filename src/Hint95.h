// Flat hint windows: a component that shows every control's hint in a hint
// window of its own (the status-bar font, a one-pixel or raised frame),
// placed below the visible part of the mouse cursor, with the program's
// hint timing.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "core/hint/hint.h"
#include "toolkit/component.h"
#include "toolkit/handles.h"
#include "toolkit/window.h"

using core::hint::hsFlat;
using core::hint::hsOffice97;
using core::hint::hsWindows95;
using core::hint::THintStyle;

class THint95;

// The hint window: a borderless topmost popup that draws its own frame.
class THintWindow95 : public tk::Window {
 public:
  THintWindow95() = default;
  // Shows `text` below the mouse cursor; `bounds` gives the width the text
  // may take.
  void ActivateHint(const RECT& bounds, const std::string& text);
  void ReleaseHint();
  bool Showing() const { return Visible(); }
  int TextWidth() const { return textWidth_; }
  int TextHeight() const { return textHeight_; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void CreateIfNeeded();
  void Paint(HDC target);
  tk::OwnedBitmap image_;
  THint95* hint_ = nullptr;
  std::string text_;
  int textWidth_ = 0;
  int textHeight_ = 0;
};

// The flat-hint component of a form.
class THint95 : public tk::Component {
 public:
  THint95(tk::Component* owner, std::string name);
  ~THint95() override;

  THintStyle HintStyle() const { return style_; }
  void SetHintStyle(THintStyle style);
  // The font of every hint.
  const LOGFONTA& HintFont() const { return font_; }
  HFONT HintFontHandle();
  // Reads the status-bar font of the system again.
  void ReadSystemFont();

  // Called before a hint shows; it may change the text or refuse the hint.
  std::function<void(std::string& hintStr, bool& canShow, HWND& hintControl)> OnShowHint;

  THintWindow95& Window() { return window_; }
  // The control whose hint was last announced.
  static HWND HintControl();
  // The first hint component of the application's main form, or nullptr.
  static THint95* Find();

 private:
  class Notifier;
  bool Filter(const MSG& msg);
  void Timer(UINT_PTR id);
  void Hide();

  THintStyle style_ = hsWindows95;
  LOGFONTA font_{};
  tk::OwnedFont fontHandle_;
  THintWindow95 window_;
  tk::OwnedWindow notifier_;
  int filter_ = 0;
  HWND over_ = nullptr;  // the control under the mouse that has a hint
  bool wasShowing_ = false;
};
