// The frame's toolbar on real documents: each button runs the command its
// hint names, and is enabled when that command has something to act on.
#include "harness.h"

#include <cstring>
#include <tuple>

#include "TRECode.h"
#include "Unit1.h"
#include "toolkit/application.h"
#include "toolkit/finddlg.h"
#include "toolkit/mapi.h"

using harness::Rec;

namespace {

using Layout = std::vector<std::tuple<long, long, long, long>>;

class Toolbar : public harness::FrameTest {
 protected:
  void TearDown() override {
    FrameTest::TearDown();
    tk::Mapi() = tk::SimpleMapi();
  }
  // A fresh frame with three documents, `doc` (a file) the active one.
  void Fresh() {
    if (frame) {
      FrameTest::TearDown();
      FrameTest::SetUp();
    }
    Start();
    harness::WriteBytes(path, "ab\r\ncd");
    first = frame->CreateMDIChild("");
    second = frame->CreateMDIChild("");
    doc = frame->CreateMDIChild(path);
    harness::Pump();
    ASSERT_EQ(frame->ActiveMDIChild(), doc);
    ASSERT_EQ(doc->Edi->Text(), "ab\rcd");
  }
  TEditForm* Active() { return dynamic_cast<TEditForm*>(frame->ActiveMDIChild()); }
  void SetClipboard(const std::string& text) { harness::SetClipboardText(text); }
  std::string Clipboard() { return harness::ClipboardText(); }
  // Where the documents stand, after they were all put in one place.
  Layout Arranged(const std::function<void()>& arrange) {
    for (TEditForm* d : {first, second, doc})
      ::SetWindowPos(d->Handle(), nullptr, 5, 5, 200, 150, SWP_NOZORDER | SWP_NOACTIVATE);
    arrange();
    harness::Pump();
    Layout layout;
    for (TEditForm* d : {first, second, doc}) {
      RECT r{};
      ::GetWindowRect(d->Handle(), &r);
      layout.emplace_back(r.left, r.top, r.right, r.bottom);
    }
    return layout;
  }
  // The button's arrangement is its menu item's and neither of the others'.
  void ExpectArrangesAs(int button, tk::MenuItem* item) {
    Layout byButton = Arranged([&] { frame->Btn[static_cast<size_t>(button)]->Click(); });
    for (tk::MenuItem* m : {frame->Cascade1, frame->Tile1, frame->Tilevertical1}) {
      Layout byMenu = Arranged([&] { m->Click(); });
      if (m == item) {
        EXPECT_EQ(byButton, byMenu) << m->Caption();
      } else {
        EXPECT_NE(byButton, byMenu) << m->Caption();
      }
    }
  }

  harness::TempFolder folder{"ql-toolbar-"};
  std::string path = folder.File("doc.txt", "ab\r\ncd");
  std::string other = folder.File("other.txt", "other");
  TEditForm *first = nullptr, *second = nullptr, *doc = nullptr;
};

TEST_F(Toolbar, EachButtonRunsTheCommandItsHintNames) {
  struct Case {
    int button;
    const char* hint;
    int needs;  // documents that must be open for the button to be enabled
    std::function<void()> before;
    std::function<void()> after;
  };
  int calls = 0;
  const std::vector<Case> cases = {
      {1, "New Document", 0, [] {},
       [&] {
         EXPECT_EQ(frame->MDIChildren().size(), 4u);
         EXPECT_NE(Active(), doc);
         EXPECT_EQ(Active()->FileName, "");
       }},
      {2, "Open", 0,
       [&] {
         Rec().dialogAnswers.push_back([&](tk::CommonDialog& d) {
           EXPECT_EQ(d.DialogKind(), tk::CommonDialog::Kind::Open);
           dynamic_cast<tk::OpenDialog&>(d).FileName = other;
           return true;
         });
       },
       [&] {
         EXPECT_EQ(frame->MDIChildren().size(), 4u);
         EXPECT_EQ(Active()->FileName, other);
         EXPECT_EQ(Active()->Edi->Text(), "other");
       }},
      {3, "Save", 1,
       [&] {
         doc->Edi->SetSel(0, 0);
         doc->Edi->ReplaceSel("z");
       },
       [&] {
         EXPECT_EQ(harness::ReadBytes(path), "zab\r\ncd");
         EXPECT_FALSE(doc->Modified());
       }},
      {4, "Print", 1,
       [&] {
         Rec().printAnswers.push_back([&](PRINTDLGA& print) -> BOOL {
           ++calls;
           EXPECT_TRUE(print.Flags & PD_NOSELECTION);
           return FALSE;
         });
       },
       [&] { EXPECT_EQ(calls, 1); }},
      {5, "Send", 1,
       [&] {
         tk::Mapi().sendDocuments = [&](HWND, const std::string&, const std::string& paths, const std::string&) {
           ++calls;
           EXPECT_EQ(paths, path);
           return 0ul;
         };
       },
       [&] { EXPECT_EQ(calls, 1); }},
      {6, "Cut", 1,
       [&] {
         SetClipboard("old");
         doc->Edi->SetSel(0, 2);
       },
       [&] {
         EXPECT_EQ(doc->Edi->Text(), "\rcd");
         EXPECT_EQ(Clipboard(), "ab");
       }},
      {7, "Copy", 1,
       [&] {
         SetClipboard("old");
         doc->Edi->SetSel(0, 2);
       },
       [&] {
         EXPECT_EQ(doc->Edi->Text(), "ab\rcd");
         EXPECT_EQ(Clipboard(), "ab");
       }},
      {8, "Paste", 1,
       [&] {
         SetClipboard("P");
         doc->Edi->SetSel(0, 2);
       },
       [&] { EXPECT_EQ(doc->Edi->Text(), "P\rcd"); }},
      {9, "Delete selection", 1,
       [&] {
         SetClipboard("old");
         doc->Edi->SetSel(0, 2);
       },
       [&] {
         EXPECT_EQ(doc->Edi->Text(), "\rcd");
         EXPECT_EQ(Clipboard(), "old");
       }},
      {10, "Undo", 1,
       [&] {
         doc->Edi->SetSel(0, 0);
         doc->Edi->ReplaceSel("typed");
       },
       [&] { EXPECT_EQ(doc->Edi->Text(), "ab\rcd"); }},
      {11, "Search", 1, [&] { doc->Edi->SetSel(3, 4); },
       [&] {
         EXPECT_TRUE(doc->FindDialog1->Handle() && ::IsWindowVisible(doc->FindDialog1->Handle()));
         EXPECT_EQ(doc->ReplaceDialog1->Handle(), nullptr);
         EXPECT_EQ(doc->Edi->SelStart(), 0);  // a search starts at the top
         doc->FindDialog1->CloseDialog();
       }},
      {21, "Replace", 1, [] {},
       [&] {
         EXPECT_TRUE(doc->ReplaceDialog1->Handle() && ::IsWindowVisible(doc->ReplaceDialog1->Handle()));
         EXPECT_EQ(doc->FindDialog1->Handle(), nullptr);
         doc->ReplaceDialog1->CloseDialog();
       }},
      {12, "Increase font", 1,
       [&] {
         core::FontSpec font = doc->Edi->Font();
         font.size = 10;
         doc->Edi->SetFont(font);
       },
       [&] { EXPECT_EQ(doc->Edi->Font().size, 11); }},
      {13, "Decrease font", 1,
       [&] {
         core::FontSpec font = doc->Edi->Font();
         font.size = 10;
         doc->Edi->SetFont(font);
       },
       [&] { EXPECT_EQ(doc->Edi->Font().size, 9); }},
      {14, "Toggle wordwrap-mode", 1, [&] { ASSERT_FALSE(doc->Wordwrap1->Checked()); },
       [&] { EXPECT_TRUE(doc->Wordwrap1->Checked()); }},
      {15, "Cascade", 1, [] {}, [&] { ExpectArrangesAs(15, frame->Cascade1); }},
      {16, "Tile horizontal", 1, [] {}, [&] { ExpectArrangesAs(16, frame->Tile1); }},
      {17, "Tile vertical", 1, [] {}, [&] { ExpectArrangesAs(17, frame->Tilevertical1); }},
      // Next is the window that was active before; previous goes round to
      // the one that has waited longest.
      {18, "Previous document", 2, [] {}, [&] { EXPECT_EQ(Active(), first); }},
      {19, "Next document", 2, [] {}, [&] { EXPECT_EQ(Active(), second); }},
      {20, "Help", 0, [&] { Rec().helpShown = true; }, [&] { EXPECT_EQ(Rec().helpCalls, 1); }},
  };
  ASSERT_EQ(cases.size(), 21u);

  // Enabled with no, one and two documents.
  Start();
  for (int open = 0; open <= 2; ++open) {
    if (open) frame->CreateMDIChild("");
    for (const Case& c : cases)
      EXPECT_EQ(frame->Btn[static_cast<size_t>(c.button)]->IsEnabled(), open >= c.needs)
          << "Btn" << c.button << " with " << open << " documents";
  }

  for (const Case& c : cases) {
    SCOPED_TRACE("Btn" + std::to_string(c.button) + " \"" + c.hint + "\"");
    Fresh();
    calls = 0;
    ASSERT_EQ(frame->Btn[static_cast<size_t>(c.button)]->Hint, c.hint);
    c.before();
    const bool arranges = c.button >= 15 && c.button <= 17;  // these click in their check
    if (!arranges) {
      frame->Btn[static_cast<size_t>(c.button)]->Click();
      harness::Pump();
    }
    c.after();
    EXPECT_TRUE(Rec().boxes.empty()) << (Rec().boxes.empty() ? "" : Rec().boxes[0].text);
  }
}

}  // namespace
