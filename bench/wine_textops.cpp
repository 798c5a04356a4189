// Times each text operation as a whole command on a real document window
// under Wine: the document is loaded, the command runs through the same
// handler as the menu item, and the clock stops when the control holds the
// result. Run by wine_textops.sh, which times sed and tr on the same files.
//
//   wine_textops.exe <kind> <file>     kind: replace | tags | double | trim | upcase | upcase-none | probe | goto
//
// goto times Go to line 1,000,000 without its dialog: the caret's move and
// the window's repaint. keys times, in the program, each followed by the
// window's repaint: Ctrl+End from the top, Page Down at the end, and 1,000
// characters typed at the end (per character).
//
// probe times the gateway's parts instead: reading the whole text, writing
// it back (the control holds text already), selecting near the end and one
// small replacement.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "MainForm.h"
#include "TRECode.h"
#include "Unit1.h"
#include "core/textfile.h"
#include "dialoglib.h"
#include "toolkit/application.h"
#include "toolkit/seam.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: wine_textops.exe <kind> <file>\n");
    return 2;
  }
  std::string kind = argv[1];
  std::ifstream in(argv[2], std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());

  tk::Application.Initialize();
  tk::Application.Title = "Quillon Light";
  std::string error;
  if (!dialoglib::Bind(error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 2;
  }
  std::string message;
  tk::Seam().messageBox = [&](HWND, const std::string& text, const std::string&, UINT) {
    message = text;
    return IDOK;
  };
  tk::Seam().beep = [](UINT) {};

  TForm1* frame = tk::Application.CreateForm<TForm1>();
  frame->Show();
  tk::Application.ProcessMessages();
  TEditForm* doc = frame->CreateMDIChild("");
  auto t0 = std::chrono::steady_clock::now();
  doc->Edi->SetText(core::DocumentFromFileBytes(bytes));
  doc->Edi->SetSel(0, 0);
  auto t1 = std::chrono::steady_clock::now();
  if (kind == "replace") {
    doc->ReplaceDialog1->SetFindText("foo");
    doc->ReplaceDialog1->SetReplaceText("barbaz");
    doc->ReplaceDialog1->Options = FR_DOWN | FR_MATCHCASE | FR_REPLACEALL;
    doc->ReplaceDialog1Replace();
  } else if (kind == "tags") {
    doc->HTMLTags2Click();
  } else if (kind == "double") {
    doc->Alldoublespaces1Click();
  } else if (kind == "trim") {
    doc->HTMLTags1Click();
  } else if (kind == "probe") {
    // Where the time of a whole command goes: reading, writing, selecting.
    auto a = std::chrono::steady_clock::now();
    std::string text = doc->Edi->Text();
    auto b = std::chrono::steady_clock::now();
    doc->Edi->SetText(text);
    auto c = std::chrono::steady_clock::now();
    doc->Edi->SetSel(static_cast<long long>(text.size()) - 10, static_cast<long long>(text.size()) - 5);
    auto d = std::chrono::steady_clock::now();
    doc->Edi->SetSel(100, 105);
    doc->Edi->ReplaceSel("xyz", false);
    auto e = std::chrono::steady_clock::now();
    std::printf("read %.0f ms, write %.0f ms, select at end %.0f ms, small replace %.0f ms\n",
                std::chrono::duration<double, std::milli>(b - a).count(),
                std::chrono::duration<double, std::milli>(c - b).count(),
                std::chrono::duration<double, std::milli>(d - c).count(),
                std::chrono::duration<double, std::milli>(e - d).count());
  } else if (kind == "keys") {
    HWND edi = doc->Edi->Handle();
    ::SetFocus(edi);
    auto key = [&](WORD vk) {
      ::SendMessageW(edi, WM_KEYDOWN, vk, 1);
      ::SendMessageW(edi, WM_KEYUP, vk, 0xC0000001);
      ::UpdateWindow(edi);
    };
    BYTE state[256] = {};
    ::GetKeyboardState(state);
    state[VK_CONTROL] = 0x80;
    ::SetKeyboardState(state);
    ::UpdateWindow(edi);  // the document's first paint belongs to its opening, not to the key
    auto a = std::chrono::steady_clock::now();
    key(VK_END);
    auto b = std::chrono::steady_clock::now();
    state[VK_CONTROL] = 0;
    ::SetKeyboardState(state);
    key(VK_NEXT);
    auto c = std::chrono::steady_clock::now();
    for (int i = 0; i < 1000; ++i) {
      ::SendMessageW(edi, WM_CHAR, 'a' + i % 26, 1);
      ::UpdateWindow(edi);
    }
    auto d = std::chrono::steady_clock::now();
    std::printf("ctrl+end %.2f ms, page down %.2f ms, typing %.3f ms a character\n",
                std::chrono::duration<double, std::milli>(b - a).count(),
                std::chrono::duration<double, std::milli>(c - b).count(),
                std::chrono::duration<double, std::milli>(d - c).count() / 1000);
  } else if (kind == "goto") {
    doc->Edi->MoveToLine(999999);
    ::UpdateWindow(doc->Edi->Handle());
  } else if (kind == "upcase") {
    doc->Edi->SetSel(0, -1);
    doc->Upcaseselection1Click();
  } else if (kind == "upcase-none") {
    // The command's fixed cost: a selection without a letter to change.
    doc->Edi->SetSel(0, 0);
    doc->Upcaseselection1Click();
  }
  auto t2 = std::chrono::steady_clock::now();
  auto ms = [](auto a, auto b) { return std::chrono::duration<double, std::milli>(b - a).count(); };
  std::printf("%s load_ms=%.0f command_ms=%.0f length=%lld %s\n", kind.c_str(), ms(t0, t1), ms(t1, t2),
              static_cast<long long>(doc->Edi->TextLength()), message.c_str());
  doc->Discard();
  ::DestroyWindow(frame->Handle());
  tk::Application.ProcessMessages();
  tk::Application.ReleaseDeadForms();  // as the message loop does when the frame goes
  return 0;
}
