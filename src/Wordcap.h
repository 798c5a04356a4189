// The painted caption: a component on a form that takes over the painting
// of the form's title bar (a colour gradient, the small icon, the caption
// buttons and up to three texts in fonts of their own) and composes the
// form's window text from those texts.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "core/caption/caption.h"
#include "toolkit/component.h"
#include "toolkit/form.h"
#include "toolkit/handles.h"

using core::caption::geAlways;
using core::caption::geNever;
using core::caption::geSmart;
using core::caption::geWhenActive;
using core::caption::jAuto;
using core::caption::jCenter;
using core::caption::jLeft;
using core::caption::jRight;
using core::caption::TGradientEnabled;
using core::caption::TJustification;

enum TFontKind { fkCustom, fkSystem, fkSystemI, fkSystemB, fkSystemBI, fkAutoHeight };

class TMSOfficeCaption;

// One of the caption's texts with its font and colours.
class TCompanyText {
 public:
  explicit TCompanyText(TMSOfficeCaption* owner);
  virtual ~TCompanyText() = default;
  TCompanyText(const TCompanyText&) = delete;
  TCompanyText& operator=(const TCompanyText&) = delete;

  virtual std::string Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  // The text as stored (for the caption part: as last painted).
  const std::string& StoredCaption() const { return caption_; }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  COLORREF ColorActive = 0;
  COLORREF ColorInactive = 0;
  TFontKind FontKind() const { return kind_; }
  void SetFontKind(TFontKind kind);
  const LOGFONTA& Font() const { return font_; }
  // A font of one's own: the kind becomes fkCustom, unless it is
  // fkAutoHeight, whose height is then adjusted to the caption font.
  void SetFont(const LOGFONTA& font);

  // The platform font for drawing (made on demand; the caption font when the
  // part's own cannot be made).
  HFONT Handle();
  // Applies the kind again (after a change of the system caption font).
  void ApplyFontKind();

 protected:
  friend class TMSOfficeCaption;
  TMSOfficeCaption* owner_;
  std::string caption_;
  bool visible_ = true;
  TFontKind kind_ = fkSystem;
  LOGFONTA font_{};
  tk::OwnedFont handle_;
};

class TAppNameText : public TCompanyText {
 public:
  using TCompanyText::TCompanyText;
};

class TCaptionText : public TCompanyText {
 public:
  using TCompanyText::TCompanyText;
  // Derived from the form's window text.
  std::string Caption() const override;
};

class TMSOfficeCaption : public tk::Component {
 public:
  // The owner must be a form; anything else throws the invalid-cast error.
  TMSOfficeCaption(tk::Component* owner, std::string name);
  ~TMSOfficeCaption() override;

  TCompanyText* CompanyText() { return &company_; }
  TAppNameText* AppNameText() { return &appName_; }
  TCaptionText* CaptionText() { return &caption_; }
  const TCompanyText* CompanyText() const { return &company_; }
  const TAppNameText* AppNameText() const { return &appName_; }

  COLORREF ColorLeftActive = RGB(0, 0, 0);
  COLORREF ColorLeftInActive = RGB(0, 0, 0);
  // Defaults: the active and inactive caption colours (system colours).
  COLORREF ColorRightActive;
  COLORREF ColorRightInActive;
  TGradientEnabled Enabled = geSmart;
  TJustification Justification = jAuto;
  int NumColors() const { return numColors_; }
  void SetNumColors(int n);
  // Lets the owner draw on the caption (the off-screen image, in the caption
  // font) before the texts; it may change the text area.
  std::function<void(TMSOfficeCaption* sender, HDC canvas, RECT& r)> OnDrawCaption;

  // Installs the window-procedure hook once the form's window exists (the
  // constructor does it when the window is there already).
  void HookForm();
  bool Hooked() const { return hooked_; }
  // Sets the form's window text from the three parts.
  void UpdateWindowText();
  // Repaints the frame now.
  void RepaintFrame();
  // The activation state the caption is painted with.
  bool IsActive() const;

  const LOGFONTA& CaptionFont() const { return captionFont_; }
  // The form's caption bar, text area and buttons now (window coordinates).
  core::caption::CaptionGeometry CurrentGeometry() const;
  // What the last painting drew: the text area after the icon and the texts.
  const RECT& LastTextArea() const { return lastTextArea_; }
  const std::vector<core::caption::DrawnPart>& LastTexts() const { return lastTexts_; }

 private:
  friend class TCompanyText;
  friend class TCaptionText;
  static LRESULT CALLBACK HookProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void Unhook();
  // Hooks the form's window again after the old one went.
  void Rehook();
  void ReadCaptionFont();
  void PaintCaption(bool active);
  HWND Wnd() const;

  tk::Form* form_;
  TCompanyText company_{this};
  TAppNameText appName_{this};
  TCaptionText caption_{this};
  int numColors_ = 64;
  LOGFONTA captionFont_{};
  tk::OwnedFont captionHandle_;
  HWND hookedWnd_ = nullptr;
  WNDPROC previous_ = nullptr;
  bool hooked_ = false;
  bool activeKnown_ = false;
  bool active_ = false;
  RECT lastTextArea_{};
  std::vector<core::caption::DrawnPart> lastTexts_;
};
