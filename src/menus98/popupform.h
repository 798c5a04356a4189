// The window that shows one level of an Office-style menu (internal to the
// menus module).
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "menus98/popup.h"
#include "toolkit/handles.h"

inline constexpr UINT WM_MENU98_KEY = WM_APP + 0x198;  // wParam: the virtual key
inline constexpr UINT WM_MENU98_FLUSH = WM_APP + 0x199;  // frees closed sub-menu windows

class TPopupMenu98Form : public tk::Window {
 public:
  TPopupMenu98Form(TPopupMenu98* component, TPopupMenu98Form* parentForm, tk::MenuItem* root);
  ~TPopupMenu98Form() override;

  // Takes the root, the font and the animations for the next opening.
  void Prepare(tk::MenuItem* root);
  // Measures, places at (x, y) and runs the open animation; false when the
  // opening was aborted.
  bool Open(int x, int y);
  // Runs this level's close animation (or not) and hides it.
  void CloseLevel(bool animate);
  void Hide();
  void StopTimer();
  void Abort() { abort_ = true; }
  bool Animating() const { return animating_; }
  bool Shown() const;

  TPopupMenu98Form* ParentForm() const { return parentForm_; }
  TPopupMenu98Form* ChildForm() const { return child_.get(); }
  void FreeChild();
  tk::MenuItem* SelectedItem() const;
  int SelectedIndex() const { return selected_; }
  int ItemCount() const { return static_cast<int>(items_.size()); }
  tk::MenuItem* Item(int index) const;
  void KeyDown(UINT key);
  // Selects the first item as the keyboard does (a drop-down opened by key).
  void SelectFirst() { MoveSelection(1, -1); }
  // The item object of `index`; throws "Cannot find menu item." when
  // `strict` and there is none.
  tk::MenuItem* ItemAt(int index, bool strict) const;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void Measure();
  void Paint();
  void Present(HDC dc);
  void DrawItem(HDC dc, int index, int y, int height);
  void DrawGlyph(HDC dc, HBITMAP glyph, int x, int y, bool enabled);
  void Select(int index, bool keyboard);
  void MouseMove(int x, int y);
  void MouseDown();
  void MouseUp();
  void MouseLeave();
  void Timer();
  void OpenSubMenu();
  void Command(tk::MenuItem* item);
  void ChooseSelected();
  void MoveSelection(int direction, int from);
  void WriteStatusHint(tk::MenuItem* item);
  void ShowItemHelp(tk::MenuItem* item);
  void PumpMoves();
  void PumpPaints();
  void SetSize(int w, int h);
  std::vector<int> Heights() const;
  std::vector<core::menus98::ItemKind> Kinds() const;
  HFONT MenuFont(bool bold);

  TPopupMenu98* component_;
  TPopupMenu98Form* parentForm_;
  std::unique_ptr<TPopupMenu98Form> child_;
  tk::MenuItem* root_;
  std::vector<tk::MenuItem*> items_;  // the visible items, in order
  int selected_ = -1, previous_ = -1;
  int captionWidth_ = 0, shortcutWidth_ = 0;
  int width_ = 0, height_ = 0;        // the full size
  int curW_ = 0, curH_ = 0;           // the shown size
  int left_ = 0, top_ = 0;            // the anchor (the far edge of an upward or leftward menu)
  int hStep_ = 0, vStep_ = 0;
  TAnimation openAnimation_ = anVSlide, closeAnimation_ = anVSlide;
  bool fullRepaint_ = true;
  bool selectionChanged_ = false;
  bool upward_ = false, leftward_ = false;
  bool keyboardSelection_ = false;
  bool animating_ = false;
  bool abort_ = false;
  bool timerOn_ = false;
  bool tracking_ = false;
  tk::OwnedMemDC memDC_;
  tk::OwnedBitmap bitmap_;
  HGDIOBJ oldBitmap_ = nullptr;
  tk::OwnedFont font_, boldFont_;
};
