// A document notices what another program did to its file: changed or
// deleted on disk, asked once when the frame becomes active, and asked
// before a save would overwrite another program's changes.
#include "harness.h"

#include "TRECode.h"
#include "Unit1.h"
#include "toolkit/errors.h"

using harness::Rec;

namespace {

class DiskFile : public harness::FrameTest {
 public:
  TEditForm* Open(const std::string& bytes) {
    path = folder.File("doc.txt", bytes);
    TEditForm* doc = frame->CreateMDIChild(path);
    harness::Pump();
    Rec().Clear();
    return doc;
  }
  // Another program writes the file (a different size, so that the change
  // shows however coarse the file times are).
  void WriteFromOutside(const std::string& bytes) { harness::WriteBytes(path, bytes); }
  // The user comes back to the program.
  void ActivateFrame() {
    ::SendMessageA(frame->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    harness::Pump();
  }
  bool IsOpen(TEditForm* doc) {
    for (tk::MDIChildForm* child : frame->MDIChildren())
      if (child == doc) return true;
    return false;
  }
  std::vector<std::string> Questions() {
    std::vector<std::string> out;
    for (const harness::Box& box : Rec().boxes) out.push_back(box.text);
    return out;
  }
  harness::TempFolder folder{"ql-disk-"};
  std::string path;
};

TEST_F(DiskFile, AChangedFileIsReloadedOrKeptAsModified) {
  Start();
  for (int answer : {IDYES, IDNO}) {
    SCOPED_TRACE(answer == IDYES ? "reload" : "keep");
    TEditForm* doc = Open("one\r\ntwo\r\nthree\r\n");
    doc->Edi->MoveToLine(2);
    WriteFromOutside("ONE\r\nTWO\r\nTHREE\r\nFOUR\r\n");
    Rec().boxAnswers.push_back(answer);
    ActivateFrame();
    ASSERT_EQ(Questions(), std::vector<std::string>{"File " + path + " was changed by another program. Reload it?"});
    EXPECT_EQ(Rec().boxes[0].type & (MB_YESNO | MB_ICONQUESTION), UINT(MB_YESNO | MB_ICONQUESTION));
    if (answer == IDYES) {
      EXPECT_EQ(doc->Edi->Text(), "ONE\rTWO\rTHREE\rFOUR\r");
      EXPECT_FALSE(doc->Modified());
      EXPECT_EQ(doc->Edi->CaretLine(), 2) << "the caret stays on its line";
    } else {
      EXPECT_EQ(doc->Edi->Text(), "one\rtwo\rthree\r");
      EXPECT_TRUE(doc->Modified());
    }
    // Asked once: coming back again asks nothing more.
    Rec().Clear();
    ActivateFrame();
    EXPECT_TRUE(Questions().empty());
    doc->Discard();
    harness::Pump();
  }
}

TEST_F(DiskFile, TwoChangesBeforeOneActivationAskOnce) {
  Start();
  TEditForm* doc = Open("a");
  WriteFromOutside("bb");
  WriteFromOutside("ccc");
  Rec().boxAnswers.push_back(IDYES);
  ActivateFrame();
  EXPECT_EQ(Questions().size(), 1u);
  EXPECT_EQ(doc->Edi->Text(), "ccc");
  doc->Discard();
}

TEST_F(DiskFile, ADeletedFileIsKeptToBeSavedAgainOrClosed) {
  Start();
  for (int answer : {IDYES, IDNO}) {
    SCOPED_TRACE(answer == IDYES ? "keep" : "close");
    TEditForm* doc = Open("kept text");
    ASSERT_TRUE(::DeleteFileA(path.c_str()));
    Rec().boxAnswers.push_back(answer);
    ActivateFrame();
    ASSERT_EQ(Questions(), std::vector<std::string>{"File " + path + " no longer exists. Keep it open?"});
    if (answer == IDNO) {
      // Unchanged, so it closes without the save question.
      EXPECT_FALSE(IsOpen(doc));
      continue;
    }
    ASSERT_TRUE(IsOpen(doc));
    EXPECT_TRUE(doc->Modified());
    EXPECT_EQ(doc->FileName, path);
    Rec().Clear();
    doc->Save1->Click();
    EXPECT_TRUE(Questions().empty());
    EXPECT_EQ(harness::ReadBytes(path), "kept text");
    EXPECT_FALSE(doc->Modified());
    doc->Discard();
    harness::Pump();
  }
}

TEST_F(DiskFile, SavingOverAnotherProgramsChangeAsksFirst) {
  Start();
  for (int answer : {IDYES, IDNO}) {
    SCOPED_TRACE(answer == IDYES ? "overwrite" : "leave");
    TEditForm* doc = Open("mine");
    doc->Edi->SetSel(0, -1);
    doc->Edi->ReplaceSel("my edit");
    WriteFromOutside("theirs, longer");
    Rec().boxAnswers.push_back(answer);
    doc->Save1->Click();
    ASSERT_EQ(Questions(),
              std::vector<std::string>{"File " + path + " was changed by another program. Overwrite it?"});
    EXPECT_EQ(harness::ReadBytes(path), answer == IDYES ? "my edit" : "theirs, longer");
    EXPECT_EQ(doc->Modified(), answer == IDNO);
    EXPECT_EQ(doc->Edi->Text(), "my edit");
    doc->Discard();
    harness::Pump();
  }
}

TEST_F(DiskFile, TheProgramsOwnSaveAndUntitledDocumentsAskNothing) {
  Start();
  TEditForm* doc = Open("text");
  doc->Edi->SetSel(0, -1);
  doc->Edi->ReplaceSel("longer text");
  doc->Save1->Click();
  TEditForm* untitled = frame->CreateMDIChild("");
  harness::Pump();
  ActivateFrame();
  EXPECT_TRUE(Questions().empty());
  EXPECT_FALSE(doc->Modified());
  doc->Discard();
  untitled->Discard();
}

TEST_F(DiskFile, AFolderInTheFilesPlaceKeepsTheText) {
  Start();
  TEditForm* doc = Open("precious");
  ASSERT_TRUE(::DeleteFileA(path.c_str()));
  ASSERT_TRUE(::CreateDirectoryA(path.c_str(), nullptr));
  Rec().boxAnswers.push_back(IDYES);  // reload: it cannot be read
  ActivateFrame();
  ASSERT_GE(Questions().size(), 2u);
  EXPECT_EQ(Questions()[0], "File " + path + " was changed by another program. Reload it?");
  EXPECT_NE(Questions()[1].find(path), std::string::npos) << Questions()[1];
  EXPECT_EQ(doc->Edi->Text(), "precious");
  EXPECT_TRUE(doc->Modified());
  // Saving there fails with a message (the command's error reaches the
  // general error box) and writes nothing.
  Rec().Clear();
  EXPECT_THROW(doc->Save1->Click(), tk::FileError);
  EXPECT_TRUE(::GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_TRUE(doc->Modified());
  ::RemoveDirectoryA(path.c_str());
  doc->Discard();
}

}  // namespace
