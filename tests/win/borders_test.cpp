// Exception borders: whatever a handler of ours throws inside a window
// procedure, a subclassed control or a dialog of the library stops there,
// shows in the general error box (or, in the library, gives the failure
// result), and the program goes on.
#include "harness.h"

#include <new>
#include <stdexcept>

#include "TRECode.h"
#include "toolkit/application.h"
#include "toolkit/window.h"

#include "../../dialogs/guard.h"
#include "../../dialogs/resource.h"

using harness::Rec;

namespace {

const UINT kThrow = WM_APP + 1;
const UINT kAnswer = WM_APP + 2;

// A window of ours, or a subclassed system control, whose handler throws
// on kThrow and answers 42 to kAnswer.
class Thrower : public tk::Window {
 public:
  HWND Make() {
    RegisterClassOnce("QuillonBorderTest", 0, nullptr);
    return CreateHandle(0, "QuillonBorderTest", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
  }
  void Attach(HWND control) { Subclass(control); }
  std::vector<UINT> seen;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_CHAR) seen.push_back(static_cast<UINT>(wParam));
    if (msg == kThrow && lParam == 1) throw std::bad_alloc();
    if (msg == kThrow) throw std::runtime_error("The handler failed");
    if (msg == kAnswer) return 42;
    return DefaultHandler(msg, wParam, lParam);
  }
};

using Borders = harness::FrameTest;

void ExpectOneErrorBox(const char* text) {
  ASSERT_EQ(Rec().boxes.size(), 1u);
  EXPECT_EQ(Rec().boxes[0].text, text);
  EXPECT_EQ(Rec().boxes[0].caption, tk::Application.Title);
  EXPECT_EQ(Rec().boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
  Rec().boxes.clear();
}

TEST_F(Borders, AThrowingWindowProcedureShowsTheErrorBoxAndTheWindowGoesOn) {
  Thrower own;
  HWND wnd = own.Make();
  ::SendMessageA(wnd, kThrow, 0, 0);
  ExpectOneErrorBox("The handler failed.");
  EXPECT_EQ(::SendMessageA(wnd, kAnswer, 0, 0), 42);
  // Memory running out says so in words a user understands.
  ::SendMessageA(wnd, kThrow, 0, 1);
  ExpectOneErrorBox("There is not enough memory to complete this operation.");
  // Posted, through the message loop, it ends the same way.
  ::PostMessageA(wnd, kThrow, 0, 0);
  harness::Pump();
  ExpectOneErrorBox("The handler failed.");
  ::DestroyWindow(wnd);
}

// The one subclassing: ANSI and Unicode controls keep their character set,
// a throw is stopped, and the control's own procedure comes back when the
// object goes first or when the control is destroyed.
TEST_F(Borders, SubclassedControlsKeepTheirCharactersAndTheirBorder) {
  for (bool unicode : {true, false}) {
    HWND edit = unicode ? ::CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr)
                        : ::CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(edit);
    LONG_PTR own = unicode ? ::GetWindowLongPtrW(edit, GWLP_WNDPROC) : ::GetWindowLongPtrA(edit, GWLP_WNDPROC);
    {
      Thrower sub;
      sub.Attach(edit);
      if (unicode) {
        ::SendMessageW(edit, WM_CHAR, 0x20AC, 1);  // the euro sign, not a byte
        wchar_t text[4] = {};
        ::GetWindowTextW(edit, text, 4);
        EXPECT_EQ(std::wstring(text), L"\x20AC");
        EXPECT_EQ(sub.seen, std::vector<UINT>{0x20AC});
      } else {
        ::SendMessageA(edit, WM_CHAR, 'a', 1);
        EXPECT_EQ(sub.seen, std::vector<UINT>{'a'});
      }
      ::SendMessageA(edit, kThrow, 0, 0);
      ExpectOneErrorBox("The handler failed.");
      EXPECT_EQ(::SendMessageA(edit, kAnswer, 0, 0), 42);
    }
    EXPECT_EQ(unicode ? ::GetWindowLongPtrW(edit, GWLP_WNDPROC) : ::GetWindowLongPtrA(edit, GWLP_WNDPROC), own);
    EXPECT_EQ(::SendMessageA(edit, kAnswer, 0, 0), 0);  // no longer ours
    ::DestroyWindow(edit);
  }
}

// The editing window's event handlers run inside the border.
TEST_F(Borders, TheEditingWindowsHandlersCannotThrowPastIt) {
  HWND parent = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
  {
    TSRichEdit edit(nullptr, "Edi");
    edit.CreateIn(parent);
    HWND control = edit.Handle();
    edit.OnMouseDown = [] { throw std::runtime_error("Mouse handler failed"); };
    ::SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    ::SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    ExpectOneErrorBox("Mouse handler failed.");
    // A paste whose selection handler fails ends in the error box; the
    // pasted text is in, and the window goes on.
    harness::SetClipboardText("pasted");
    edit.OnSelectionChange = [] { throw std::runtime_error("Selection handler failed"); };
    ::SendMessageW(control, WM_PASTE, 0, 0);
    ASSERT_FALSE(Rec().boxes.empty());
    EXPECT_EQ(Rec().boxes[0].text, "Selection handler failed.");
    Rec().boxes.clear();
    edit.OnSelectionChange = nullptr;
    EXPECT_EQ(edit.Text(), "pasted");
    ::SendMessageW(control, WM_CHAR, 'k', 1);
    EXPECT_EQ(edit.Text(), "pastedk");
  }
  ::DestroyWindow(parent);
}

// The dialog library's border, on a dialog of the library itself.
INT_PTR ThrowOnInit(HWND, UINT msg, WPARAM, LPARAM) {
  if (msg == WM_INITDIALOG) throw std::runtime_error("dialog failed");
  return FALSE;
}

TEST_F(Borders, AFailingLibraryDialogEndsWithTheFailureResult) {
  HMODULE lib = ::LoadLibraryA("QuillonL.dll");
  ASSERT_TRUE(lib);
  INT_PTR r = ::DialogBoxParamA(lib, MAKEINTRESOURCEA(IDD_GOTOLINE), nullptr, dialogs::GuardedProc<ThrowOnInit>, 0);
  EXPECT_EQ(r, dialogs::kDialogFailed);
  ::FreeLibrary(lib);
  EXPECT_EQ(dialogs::GuardedEntry<short>(0, []() -> short { throw std::bad_alloc(); }), 0);
  EXPECT_EQ(dialogs::GuardedEntry(7, [] { return 12; }), 12);
  EXPECT_TRUE(Rec().boxes.empty());  // the library shows no error box of its own
}

}  // namespace
