// Forms: top-level windows (and MDI frames and children) that own their
// components and call their event handlers. Handlers are virtual methods
// named after the event (FormCreate, FormShow, ...).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "toolkit/component.h"
#include "toolkit/menu.h"
#include "toolkit/window.h"

namespace tk {

enum class CloseAction { None, Hide, Free, Minimize };

// Posted to a form after WM_ACTIVATE so that its activation handler runs
// outside the platform's activation processing.
inline constexpr UINT WM_TK_ACTIVATE = WM_APP + 0x100;

class Form : public Component, public Window {
 public:
  explicit Form(Component* owner = nullptr, std::string name = {});
  ~Form() override;

  // Creates the window; the application calls it once the object is built.
  virtual void CreateWindowNow() = 0;

  std::string Caption() const { return Text(); }
  void SetCaption(const std::string& caption) { SetText(caption); }

  MainMenu* Menu() const { return menu_; }
  void SetMenu(MainMenu* menu);

  void Show();
  // Asks the form (and, for a frame, its documents) whether it may close,
  // then closes it as the close handler decides.
  void Close();
  virtual bool CloseQuery();

  // Shortcut and other keyboard handling before dispatch; true = consumed.
  virtual bool PreTranslate(MSG& msg);
  // The menu item with this command id among the menus this form shows.
  virtual MenuItem* FindMenuCommand(UINT command);
  virtual MenuItem* FindMenuShortCut(ShortCut shortCut);

  // A component's look at each of the form's messages before the form's own
  // handling (the Office-style system menu takes the non-client mouse);
  // returning true ends the message with `result`. One per form.
  using MessageHook = std::function<bool(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)>;
  void SetMessageHook(MessageHook hook) { messageHook_ = std::move(hook); }

  // Events.
  virtual void FormCreate() {}
  virtual void FormShow() {}
  virtual void FormActivate() {}
  virtual void FormDestroy() {}
  virtual void FormCloseQuery(bool& canClose) { canClose = true; }
  virtual void FormClose(CloseAction& action) { (void)action; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void HandleDestroyed() override;
  virtual CloseAction DefaultCloseAction() const;
  virtual void MenuChanged() {}

  MainMenu* menu_ = nullptr;
  bool destroyEventSent_ = false;
  MessageHook messageHook_;
};

class MDIChildForm;

class MDIFrameForm : public Form {
 public:
  explicit MDIFrameForm(Component* owner = nullptr, std::string name = {});

  HWND ClientHandle() const { return client_; }
  MDIChildForm* ActiveMDIChild() const;
  // The document windows in the order of the client's child list (its
  // z-order: the active one first).
  std::vector<MDIChildForm*> MDIChildren() const;
  int MDIChildCount() const { return static_cast<int>(MDIChildren().size()); }

  bool CloseQuery() override;
  bool PreTranslate(MSG& msg) override;
  MenuItem* FindMenuCommand(UINT command) override;
  MenuItem* FindMenuShortCut(ShortCut shortCut) override;

  // Rebuilds the menu bar from the frame's menus and the active child's.
  void MergeMenus();
  // The child about to go: its menus leave the bar now.
  void ChildGoing(MDIChildForm* child);
  // The area left for the client window; the frame lays out its bars around it.
  virtual void LayoutClient();

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  LRESULT DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void MenuChanged() override { MergeMenus(); }
  // The client rectangle that bars (docks, status bar) leave free.
  virtual RECT ClientArea();

  HWND client_ = nullptr;
  HMENU bar_ = nullptr;
  MDIChildForm* going_ = nullptr;
};

class MDIChildForm : public Form {
 public:
  explicit MDIChildForm(Component* owner = nullptr, std::string name = {});
  ~MDIChildForm() override;
  MDIFrameForm* Frame() const;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  LRESULT DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam) override;
  CloseAction DefaultCloseAction() const override { return CloseAction::Minimize; }
  void MenuChanged() override;
  // Creates the window as a child of the frame's client.
  HWND CreateMDIWindow(const char* className, const std::string& caption, bool maximized);
};

}  // namespace tk
