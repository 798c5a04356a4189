// TToolbarButton97: a toolbar's flat button. It draws a border only while
// the pointer is over it or it is pressed (hot tracking, ended by one timer
// shared by every button even when no mouse message comes), shows a glyph
// and/or a caption, can latch down in a group, repeat its click while held,
// and drop down a popup menu.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/tb97/buttonlayout.h"
#include "core/tb97/glyphimages.h"
#include "toolkit/component.h"
#include "toolkit/graphics.h"
#include "toolkit/handles.h"
#include "toolkit/popupmenu.h"
#include "toolkit/window.h"

#include "tb97/toolbar.h"

enum TButtonState97 { bsUp, bsDisabled, bsDown, bsExclusive, bsHot };
enum TButtonDisplayMode { dmBoth, dmGlyphOnly, dmTextOnly };
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

class TToolbarButton97;

// The images of one button's glyph, one per state, built on first use and
// kept in the shared glyph cache.
class TButtonGlyph97 {
 public:
  TButtonGlyph97() = default;
  ~TButtonGlyph97() { Drop(); }
  TButtonGlyph97(const TButtonGlyph97&) = delete;
  TButtonGlyph97& operator=(const TButtonGlyph97&) = delete;

  // Gives back the built images (after any change of glyph, mask, number
  // of images or disabled style).
  void Drop();
  // Draws the image of `state` at x, y; false when there is none.
  bool Draw(HDC dc, int x, int y, TButtonState97 state, HBITMAP glyph, HBITMAP mask, int numGlyphs,
            bool oldDisabledStyle);
  // The list and index of the state's image once built (for tests).
  HIMAGELIST List(bool disabled) const { return disabled ? disabledList_ : list_; }
  int Index(TButtonState97 state) const { return index_[static_cast<size_t>(state)]; }
  COLORREF TransparentColor() const { return transparent_; }

 private:
  bool Load(HBITMAP glyph, HBITMAP mask);
  HIMAGELIST list_ = nullptr, disabledList_ = nullptr;
  std::array<int, core::tb97::kButtonStateCount> index_{-1, -1, -1, -1, -1};
  core::tb97::PixelImage strip_, mask_;
  bool hasMask_ = false;
  COLORREF transparent_ = 0;
  // What the images were built from.
  HBITMAP glyph_ = nullptr, maskSource_ = nullptr;
  int numGlyphs_ = 0;
  bool old_ = false;
  DWORD face_ = 0, highlight_ = 0, shadow_ = 0;
};

class TToolbarButton97 : public tk::Component, public tk::Window {
 public:
  TToolbarButton97(tk::Component* owner, std::string name);
  ~TToolbarButton97() override;

  // --- Size, glyph and hint (fields read when the button is made or drawn).
  std::string Hint;
  bool ShowHint = true;
  int Width = 23;
  int Height = 22;
  // Images in `Glyph`: up, disabled, down, exclusive, hot. A newly loaded
  // glyph sets it from its shape unless it was set since.
  int NumGlyphs = 1;
  // Sets NumGlyphs and redraws with the images rebuilt.
  void SetNumGlyphs(int n);
  tk::Glyph Glyph;
  // A glyph from a bitmap of the caller's (copied); it takes the place of
  // `Glyph` and sets NumGlyphs from its shape.
  void SetGlyphBitmap(HBITMAP bitmap);
  // The optional mask (copied): black = glyph, white = transparent.
  void SetGlyphMask(HBITMAP mask);
  HBITMAP GlyphBitmap() const;

  // --- Properties.
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool v);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int v);
  bool Down() const { return down_; }
  void SetDown(bool v);
  TButtonDisplayMode DisplayMode() const { return displayMode_; }
  void SetDisplayMode(TButtonDisplayMode v) { Set(displayMode_, v); }
  bool DropdownArrow() const { return dropdownArrow_; }
  void SetDropdownArrow(bool v) { Set(dropdownArrow_, v); }
  bool DropdownCombo() const { return dropdownCombo_; }
  void SetDropdownCombo(bool v);
  tk::PopupMenu* DropdownMenu() const { return dropdownMenu_; }
  void SetDropdownMenu(tk::PopupMenu* v) { Set(dropdownMenu_, v); }
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& v) { Set(caption_, v); }
  bool IsEnabled() const { return enabled_; }
  void SetEnabledState(bool enabled);
  bool Flat() const { return flat_; }
  void SetFlat(bool v) { Set(flat_, v); }
  // With ParentFont, the font of the window the button sits on.
  tk::Font Font;
  bool ParentFont = true;
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout v) { Set(layout_, v); }
  int Margin() const { return margin_; }
  void SetMargin(int v) { Set(margin_, v); }
  int ModalResult = 0;
  bool NoBorder() const { return noBorder_; }
  void SetNoBorder(bool v) { Set(noBorder_, v); }
  bool OldDisabledStyle() const { return oldDisabledStyle_; }
  void SetOldDisabledStyle(bool v) { Set(oldDisabledStyle_, v); }
  bool Opaque() const { return opaque_; }
  void SetOpaque(bool v) { Set(opaque_, v); }
  // The background of an opaque button.
  core::Color Color = static_cast<core::Color>(0x80000000u | COLOR_BTNFACE);
  bool Repeating = false;
  int RepeatDelay = 400;
  int RepeatInterval = 100;
  bool ShowBorderWhenInactive = false;
  int Spacing() const { return spacing_; }
  void SetSpacing(int v) { Set(spacing_, v); }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v) { Set(wordWrap_, v); }

  // --- Events.
  std::function<void()> OnClick;
  std::function<void()> OnDblClick;
  std::function<void()> OnMouseEnter;
  std::function<void()> OnMouseExit;
  std::function<void(UINT button, WPARAM keys, int x, int y)> OnMouseDown;
  std::function<void(UINT button, WPARAM keys, int x, int y)> OnMouseUp;
  std::function<void(WPARAM keys, int x, int y)> OnMouseMove;
  // Runs just before the drop-down menu shows.
  std::function<void()> OnDropdown;

  // As a user's click: the drop-down menu, or ModalResult and OnClick. Does
  // nothing while disabled.
  void Click();

  void CreateIn(TToolbar97* bar, int x, int y);
  // Makes the button's window on any parent window.
  void CreateOn(HWND parent, int x, int y);
  std::string HintText() const override { return ShowHint ? Hint : std::string(); }

  // The drawing state and the pointer state, for those who look on.
  TButtonState97 State() const { return state_; }
  bool PointerInside() const { return pointerInside_; }
  bool Tracking() const { return tracking_; }
  // The button the pointer is over now, if any.
  static TToolbarButton97* HotButton();
  const TButtonGlyph97& GlyphImages() const { return glyph_; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void HandleDestroyed() override;

 private:
  friend struct ButtonShared;
  template <class T>
  void Set(T& field, const T& v) {
    if (field == v) return;
    field = v;
    Repaint();
  }
  void Repaint();
  void Paint(HDC dc);
  void PaintContent(HDC dc, const RECT& content, bool pressedShift);
  HFONT CaptionFont();
  void SyncGlyph();

  void MouseEnter();
  void MouseLeave();
  // Makes this button the hot one when the pointer is over it.
  void CheckHot();
  // Enters or leaves as the pointer's place says.
  void UpdateHot();
  void MouseDown(UINT msg, WPARAM keys, int x, int y);
  void MouseMove(WPARAM keys, int x, int y);
  void MouseUp(UINT msg, WPARAM keys, int x, int y);
  void CancelTracking();
  bool InMainPart(int x, int y) const;
  bool ComboWithMenu() const { return dropdownCombo_ && dropdownMenu_; }
  void RepeatTick();
  void StopRepeat();
  void DropDown();
  void RaiseGroupOthers();

  bool allowAllUp_ = false;
  int groupIndex_ = 0;
  bool down_ = false;
  TButtonDisplayMode displayMode_ = dmBoth;
  bool dropdownArrow_ = true;
  bool dropdownCombo_ = false;
  tk::PopupMenu* dropdownMenu_ = nullptr;
  std::string caption_;
  bool enabled_ = true;
  bool flat_ = true;
  TButtonLayout layout_ = blGlyphLeft;
  int margin_ = -1;
  bool noBorder_ = false;
  bool oldDisabledStyle_ = false;
  bool opaque_ = true;
  int spacing_ = 4;
  bool wordWrap_ = false;

  TButtonState97 state_ = bsUp;
  bool pointerInside_ = false;
  bool tracking_ = false;
  bool arrowPartPressed_ = false;
  bool clickInProgress_ = false;
  bool repeatRunning_ = false;
  bool repeatCreated_ = false;

  TButtonGlyph97 glyph_;
  tk::OwnedBitmap ownGlyph_, ownMask_;
  HBITMAP seenGlyph_ = nullptr;  // the bitmap NumGlyphs was last set from
  int seenNumGlyphs_ = 1;
};
