// TCustomToolWindow97: a window that sits in a dock or floats as a small
// captioned window of its own; TFloatParent: the hidden window that the
// floating tool windows of a form belong to.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/tb97/geometry.h"
#include "core/tb97/positions.h"
#include "tb97/dock.h"
#include "toolkit/component.h"
#include "toolkit/enumset.h"
#include "toolkit/window.h"

namespace tk {
class Form;
class PopupMenu;
}

using TDockableTo = tk::EnumSet<TDockPosition>;

class TFloatParent : public tk::Component, public tk::Window {
 public:
  TFloatParent(tk::Component* owner, std::string name = {});
  void CreateIn(HWND topForm);
};

class TCustomToolWindow97 : public tk::Component, public tk::Window {
 public:
  TCustomToolWindow97(tk::Component* owner, std::string name);
  ~TCustomToolWindow97() override;

  // Published properties.
  bool ActivateParent = true;
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  core::Color Color = kButtonFace;
  bool CloseButton() const { return closeButton_; }
  void SetCloseButton(bool on);
  TDock97* DefaultDock = nullptr;
  TDockableTo DockableTo{dpTop, dpBottom, dpLeft, dpRight};
  TDock97* DockedTo() const { return dock_; }
  void SetDockedTo(TDock97* dock);
  int DockPos() const { return dockPos_; }
  void SetDockPos(int pos);
  int DockRow() const { return dockRow_; }
  void SetDockRow(int row);
  bool DragHandle() const { return dragHandle_; }
  void SetDragHandle(bool on);
  bool FullSize() const { return fullSize_; }
  void SetFullSize(bool on);
  bool HideWhenInactive = true;
  tk::PopupMenu* PopupMenu = nullptr;
  bool Shown() const { return shown_; }
  void SetShown(bool shown);

  std::function<void()> OnClose, OnDockChanging, OnDockChanged, OnRecreating, OnRecreated, OnResize,
      OnVisibleChanged;

  bool Docked() const { return dock_ != nullptr; }
  // The remembered floating place, screen pixels.
  int FloatLeft = 0;
  int FloatTop = 0;
  bool Sizeable = true;
  bool HiddenWhileInactive() const { return hiddenWhileInactive_; }
  bool InactiveCaption() const { return inactiveCaption_; }

  // Places the window on `parent`: a dock docks it, the owner form (or its
  // float parent) makes it float; anything else is refused.
  void PlaceOn(tk::Window* parent);
  // Moves a floating window back onto the desktop's work area.
  void MoveOnScreen(bool onlyIfWhollyOff);
  // Lays the children out for where the window is and takes the size that
  // needs (deferred while the update lock is held).
  void UpdateSize();
  // The frame's size changed (grip shown or not): recomputes it and the size.
  void FrameChanged();
  tk::Form* OwnerForm() const { return form_; }
  HWND TopFormHandle() const;

  // The floating frame's border and caption, from the system metrics.
  core::tb97::Size FloatBorder() const;
  static int FloatCaptionHeight();
  core::tb97::Size FrameFor(TDock97* dock) const;

  // Operations of the kinds of tool windows.
  virtual int BarThickness(core::tb97::Orientation o) = 0;
  virtual core::tb97::Size MinimumFloatSize() { return {0, 0}; }
  // The client size the children need in `target` (nullptr: floating);
  // with `moveChildren` they are placed.
  virtual core::tb97::Size LayoutChildren(bool moveChildren, TDock97* previous, TDock97* target) = 0;
  virtual void SizeChanging(int width, int height) { (void)width, (void)height; }

  // Position-record hooks.
  virtual void LoadExtraPosition(const core::tb97::ReadValue& read) { (void)read; }
  virtual void ExtraPositionLoaded() {}
  virtual void SaveExtraPosition(std::vector<core::tb97::PositionValue>& values) { (void)values; }

  // Which sizing the floating frame offers (class parameters).
  struct ClassParams {
    bool standardChildAlign = true;
    bool cornerSizing = true;
    bool clipCursorWhileSizing = true;
  };

  // Counters the dock raises around its own bounds changes.
  int InsideArrangement = 0;
  // Sets the docked window's bounds in its dock (client coordinates).
  void SetArrangedBounds(const core::tb97::Rect& r);
  // Row and offset as the dock's arrangement left them (no rearranging).
  void TakePlace(int row, int pos) {
    dockRow_ = row;
    dockPos_ = pos;
  }
  // `dock` is being destroyed.
  void DockGone(TDock97* dock);
  // Every tool window of the program, newest last.
  static const std::vector<TCustomToolWindow97*>& All();

  // The last outline a drag or sizing loop showed (screen), for whoever
  // watches the loop.
  static const RECT& LastOutline();

 protected:
  virtual ClassParams GetClassParams() const { return {}; }
  // The window exists now (its children can be made).
  virtual void HandleCreated() {}
  virtual void SizingStarted(int hit) { (void)hit; }
  virtual void SizingAdjust(RECT& proposed, const RECT& start) { (void)proposed, (void)start; }
  virtual void SizingEnded(bool accepted) { (void)accepted; }
  // Paints the client area (the toolbar's surface).
  virtual void PaintClient(HDC dc, const RECT& client);
  // The client area behind the children (dock pattern or Color).
  void PaintSurface(HDC dc, const RECT& area);

  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  int updateLock_ = 0;
  ClassParams params_;

 private:
  friend struct Watcher;
  void EnsureHandle(HWND parent, bool floating);
  void MakeChild(TDock97* dock);
  void MakePopup();
  void ShowFloating();
  void Reevaluate(bool appActive);
  void PaintNonClient(HRGN update);
  void PaintDockedFrame(HDC dc);
  void PaintFloatingFrame(HDC dc);
  void PaintCloseButton(HDC dc);
  LRESULT HitTest(POINT screen);
  void CalcNonClient(RECT& r);
  void GiveFocusBack();
  void MouseDown(POINT client, bool doubleClick, bool ctrl);
  void DragLoop(POINT client, bool ctrl);
  void SizingLoop(int hit, POINT screen);
  void CloseButtonLoop();
  core::tb97::Rect CloseButtonRect() const;
  core::tb97::Size ClientSize() const;
  core::tb97::Size WindowSize() const;
  void LockUpdate() { ++updateLock_; }
  void UnlockUpdate();

  tk::Form* form_ = nullptr;
  TFloatParent* floatParent_ = nullptr;
  std::string caption_;
  bool closeButton_ = true;
  TDock97* dock_ = nullptr;
  int dockPos_ = -1;
  int dockRow_ = 0;
  bool dragHandle_ = true;
  bool fullSize_ = false;
  bool shown_ = true;
  bool hiddenWhileInactive_ = false;
  bool inactiveCaption_ = false;
  bool closePressed_ = false;
  bool pendingSize_ = false;
  int dockChange_ = 0;
};
