// TCustomToolbar97 / TToolbar97: the tool window that holds buttons and
// separators and lays them out: one line when docked, wrapped at
// `FloatRightX` when floating, with etched lines where a separator broke a
// line; a floating toolbar's sizing snaps to the arrangements its items
// allow.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/tb97/toolbarlayout.h"
#include "tb97/separator.h"
#include "tb97/toolwindow.h"

class TToolbarButton97;

class TCustomToolbar97 : public TCustomToolWindow97 {
 public:
  TCustomToolbar97(tk::Component* owner, std::string name);
  ~TCustomToolbar97() override;

  int FloatRightX() const { return floatRightX_; }
  void SetFloatRightX(int x);

  // Appends a button (its window is made in the toolbar) or a separator.
  void AddButton(TToolbarButton97* button);
  // Takes a button out of the layout (its window and object stay).
  void RemoveButton(TToolbarButton97* button);
  // A new separator, owned by the toolbar's form.
  TToolbarSep97* AddSeparator();
  void AddSeparator(TToolbarSep97* separator) { separator->SetParent(this); }
  // Two buttons of which only one shows: `vertical` in a vertical dock,
  // `other` elsewhere.
  void AddOrientationPair(TToolbarButton97* vertical, TToolbarButton97* other);

  // The buttons in layout order, nullptr where a separator stands.
  std::vector<TToolbarButton97*> Items() const;
  // The separators in layout order.
  std::vector<TToolbarSep97*> Separators() const;
  // Where floating lines were broken at a separator (line start, blank).
  const std::vector<core::tb97::LineSeparator>& LineSeparators() const { return lineSeparators_; }

  HWND ToolTip() const { return tooltip_; }

  // The separators' side of their toolbar.
  void InsertSeparator(TToolbarSep97* separator);
  void RemoveSeparator(TToolbarSep97* separator);

  int BarThickness(core::tb97::Orientation o) override;
  core::tb97::Size LayoutChildren(bool moveChildren, TDock97* previous, TDock97* target) override;
  void LoadExtraPosition(const core::tb97::ReadValue& read) override;
  void ExtraPositionLoaded() override;
  void SaveExtraPosition(std::vector<core::tb97::PositionValue>& values) override;

 protected:
  ClassParams GetClassParams() const override { return {false, false, false}; }
  void HandleCreated() override;
  void SizingStarted(int hit) override;
  void SizingAdjust(RECT& proposed, const RECT& start) override;
  void SizingEnded(bool accepted) override;
  void PaintClient(HDC dc, const RECT& client) override;

 private:
  struct Item {
    TToolbarButton97* button = nullptr;
    TToolbarSep97* separator = nullptr;
  };
  // The items as the layout sees them for orientation `o`; `order` gets the
  // item each entry stands for.
  std::vector<core::tb97::ToolbarItem> LayoutItems(core::tb97::Orientation o, std::vector<Item>* order,
                                                   bool applyPairs);
  bool VisibleFor(const TToolbarButton97* b, core::tb97::Orientation o) const;

  int floatRightX_ = 0;
  std::vector<Item> items_;
  std::vector<std::pair<TToolbarButton97*, TToolbarButton97*>> pairs_;
  std::vector<core::tb97::LineSeparator> lineSeparators_;
  std::optional<core::tb97::FloatSizer> sizer_;
  HWND tooltip_ = nullptr;
  int separatorCount_ = 0;
};

class TToolbar97 : public TCustomToolbar97 {
 public:
  using TCustomToolbar97::TCustomToolbar97;
};
