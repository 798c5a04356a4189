// The modeless find and replace dialogs report to their component.
#include "harness.h"
#include "toolkit/finddlg.h"

namespace {

class FindReplaceDialogs : public harness::FrameTest {};

constexpr int kFindEdit = 1152;     // edt1
constexpr int kReplaceEdit = 1153;  // edt2
constexpr int kReplaceOne = 1024;   // psh1
constexpr int kReplaceAll = 1025;   // psh2
constexpr int kMatchCase = 1041;    // chx2

TEST_F(FindReplaceDialogs, FindNextReportsTheTypedTextAndOptions) {
  Start();
  tk::FindDialog* find = frame->Create<tk::FindDialog>("FindDialog1");
  std::vector<std::pair<std::string, DWORD>> events;
  find->OnFind = [&](tk::FindDialog* d) { events.emplace_back(d->FindText(), d->Options); };
  find->Execute(frame->Handle());
  HWND dlg = find->Handle();
  ASSERT_NE(dlg, nullptr);
  ::SetDlgItemTextA(dlg, kFindEdit, "needle");
  ::CheckDlgButton(dlg, kMatchCase, BST_CHECKED);
  ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dlg, IDOK)));
  harness::Pump();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].first, "needle");
  EXPECT_TRUE(events[0].second & FR_MATCHCASE);
  // A second Execute brings the same dialog up instead of a new one.
  find->Execute(frame->Handle());
  EXPECT_EQ(find->Handle(), dlg);
  // Closing it forgets the window; the text stays for the next time.
  ::SendMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
  harness::Pump();
  EXPECT_EQ(find->Handle(), nullptr);
  EXPECT_EQ(find->FindText(), "needle");
}

TEST_F(FindReplaceDialogs, ReplaceAndReplaceAllAreToldApart) {
  Start();
  tk::ReplaceDialog* rep = frame->Create<tk::ReplaceDialog>("ReplaceDialog1");
  std::vector<bool> all;
  std::string with;
  rep->OnReplace = [&](tk::FindDialog* d) {
    all.push_back((d->Options & FR_REPLACEALL) != 0);
    with = static_cast<tk::ReplaceDialog*>(d)->ReplaceText();
  };
  rep->Execute(frame->Handle());
  HWND dlg = rep->Handle();
  ASSERT_NE(dlg, nullptr);
  ::SetDlgItemTextA(dlg, kFindEdit, "a");
  ::SetDlgItemTextA(dlg, kReplaceEdit, "aa");
  for (int button : {kReplaceOne, kReplaceAll})
    ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dlg, button)));
  harness::Pump();
  EXPECT_EQ(all, (std::vector<bool>{false, true}));
  EXPECT_EQ(with, "aa");
}

}  // namespace
