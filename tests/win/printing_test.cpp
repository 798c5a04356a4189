// Printing, page setup, mail and the recycle bin of the document window.
#include "harness.h"

#include <shellapi.h>

#include <algorithm>
#include <cstdlib>

#include "TRECode.h"
#include "Unit1.h"
#include "Unit1_print.h"
#include "toolkit/application.h"
#include "toolkit/mapi.h"
#include "toolkit/printer.h"

using harness::FrameTest;
using harness::Rec;

namespace {

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class Printing : public FrameTest {
 public:
  void TearDown() override {
    FrameTest::TearDown();
    tk::Mapi() = tk::SimpleMapi();
  }
  std::string File(const std::string& name, const std::string& bytes) { return folder.File(name, bytes); }
  TEditForm* Open(const std::string& path) {
    TEditForm* doc = frame->CreateMDIChild(path);
    harness::Pump();
    return doc;
  }
  // Types into the document, so that it has unsaved changes.
  static void Change(TEditForm* doc) {
    doc->Edi->SetSel(0, 0);
    doc->Edi->ReplaceSel("changed ");
    ASSERT_TRUE(doc->Modified());
  }
  bool IsOpen(TEditForm* doc) {
    std::vector<tk::MDIChildForm*> docs = frame->MDIChildren();
    return std::find(docs.begin(), docs.end(), doc) != docs.end();
  }
  harness::TempFolder folder{"ql-print-"};
  std::string dir = folder.Path();
};

// ---------------------------------------------------------------------------
// Page layout

// A device context of a whole screen page, as a metafile records it.
class MetafileDC {
 public:
  MetafileDC() : dc_(::CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr)) {}
  ~MetafileDC() { ::DeleteEnhMetaFile(::CloseEnhMetaFile(dc_)); }
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

TEST_F(Printing, LongDocumentsArePagedWithoutLosingText) {
  Start();
  TEditForm* doc = frame->CreateMDIChild("");
  // A large font: many pages from little text.
  core::FontSpec font = doc->Edi->Font();
  font.size = 28;
  std::string lines, wrapped;
  for (int i = 0; i < 1000; ++i) lines += "Line " + std::to_string(i) + "\r\n";
  // (The control takes long over a very long line, so this one is 24 KB.)
  for (int i = 0; i < 3600; ++i) wrapped += "word" + std::to_string(i % 97) + (i % 11 ? " " : "\t");
  struct Case {
    const char* name;
    std::string text;
  } cases[] = {
      {"a thousand short lines", lines},
      {"one line of 24 KB, wrapped", wrapped},
      {"empty lines and a line without a final line end", "\r\n\r\n" + lines + "\r\n\r\nlast"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    doc->Edi->SetText(c.text);
    doc->Edi->SetFont(font);
    const std::int64_t length = doc->Edi->TextLength();
    MetafileDC dc;
    std::vector<PageRange> pages = FormatPages(*doc->Edi, dc.get(), false);
    ASSERT_GT(pages.size(), 3u);
    // Page after page, nothing left out, nothing twice.
    EXPECT_EQ(pages.front().from, 0);
    EXPECT_EQ(pages.back().to, length);
    for (size_t i = 0; i < pages.size(); ++i) {
      EXPECT_LT(pages[i].from, pages[i].to) << "page " << i;
      if (i) {
        EXPECT_EQ(pages[i].from, pages[i - 1].to) << "page " << i;
      }
    }
    // Drawing the pages lays them out the same way.
    MetafileDC drawn;
    int started = 0, ended = 0;
    std::vector<PageRange> rendered =
        FormatPages(*doc->Edi, drawn.get(), true, [&](bool start) { ++(start ? started : ended); });
    ASSERT_EQ(rendered.size(), pages.size());
    EXPECT_EQ(started, static_cast<int>(pages.size()));
    EXPECT_EQ(ended, started);
    for (size_t i = 0; i < pages.size(); ++i) EXPECT_EQ(rendered[i].to, pages[i].to);
    EXPECT_FALSE(doc->Modified());
  }

  // Uniform lines: every full page holds the same number of lines, as many
  // as the font's line height lets the page's height hold, and the count of
  // pages follows from it.
  doc->Edi->SetText(lines);
  doc->Edi->SetFont(font);
  MetafileDC dc;
  std::vector<PageRange> pages = FormatPages(*doc->Edi, dc.get(), false);
  std::string text = doc->Edi->Text();
  auto linesOn = [&](const PageRange& p) {
    return std::count(text.begin() + p.from, text.begin() + p.to, '\r');
  };
  long perPage = linesOn(pages.front());
  for (size_t i = 0; i + 1 < pages.size(); ++i) EXPECT_EQ(linesOn(pages[i]), perPage) << "page " << i;
  EXPECT_EQ(pages.size(), static_cast<size_t>((1000 + perPage - 1) / perPage));
  const double pageHeight = ::GetDeviceCaps(dc.get(), VERTRES);
  const double fontHeight = 28.0 * ::GetDeviceCaps(dc.get(), LOGPIXELSY) / 72;
  EXPECT_GE(perPage, static_cast<long>(pageHeight / (1.6 * fontHeight)));
  EXPECT_LE(perPage, static_cast<long>(pageHeight / fontHeight));
}

TEST_F(Printing, AnEmptyDocumentIsOneEmptyPage) {
  Start();
  TEditForm* doc = frame->CreateMDIChild("");
  MetafileDC dc;
  std::vector<PageRange> pages = FormatPages(*doc->Edi, dc.get(), true);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].from, 0);
  EXPECT_EQ(pages[0].to, 0);
}

TEST_F(Printing, CancelledOrZeroCopiesPrintNothing) {
  Start();
  TEditForm* doc = frame->CreateMDIChild("");
  doc->Edi->SetText("text");
  // Cancelled: nothing happens. Confirmed with no copies: no job (and no
  // error, even without a printer). The dialog offers no page range, no
  // selection and no file, and never starts below one copy.
  std::vector<WORD> offered;
  for (BOOL confirm : {FALSE, TRUE, TRUE}) {
    Rec().printAnswers.push_back([&offered, confirm](PRINTDLGA& print) {
      EXPECT_EQ(print.Flags & (PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE),
                static_cast<DWORD>(PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE));
      EXPECT_EQ(print.Flags & (PD_RETURNDC | PD_USEDEVMODECOPIESANDCOLLATE), 0u);
      offered.push_back(print.nCopies);
      print.nCopies = 0;
      return confirm;
    });
    tk::Guarded([&] { doc->Print1->Click(); });
    EXPECT_TRUE(Rec().boxes.empty());  // no error box
  }
  EXPECT_EQ(offered, (std::vector<WORD>{1, 1, 1}));
  EXPECT_EQ(doc->PrintDialog1->Copies, 0);
}

// ---------------------------------------------------------------------------
// Page setup

TEST_F(Printing, PageSetupUsesTheFramesDialogWhoseMarginsPersist) {
  Start();
  TEditForm* first = frame->CreateMDIChild("");
  TEditForm* second = frame->CreateMDIChild("");
  std::vector<RECT> shown;
  auto answer = [&](RECT newMargins) {
    Rec().dialogAnswers.push_back([&shown, newMargins, this](tk::CommonDialog& d) {
      auto& setup = dynamic_cast<TPageSetupDialog&>(d);
      EXPECT_EQ(&setup, frame->PageSetupDialog1);
      EXPECT_EQ(setup.Flags(), 0x80Au);
      shown.push_back(setup.Margins);
      setup.Margins = newMargins;
      return true;
    });
  };
  answer({2500, 1500, 2000, 3000});
  first->PageSetup1->Click();
  answer({1000, 1000, 1000, 1000});
  second->PageSetup1->Click();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].left, 1000);  // 10 mm on every side at first
  EXPECT_EQ(shown[0].bottom, 1000);
  EXPECT_EQ(shown[1].left, 2500);  // what the other window confirmed
  EXPECT_EQ(shown[1].top, 1500);
  EXPECT_EQ(shown[1].right, 2000);
  EXPECT_EQ(shown[1].bottom, 3000);
}

// ---------------------------------------------------------------------------
// Send

struct Sent {
  std::string delimiter, paths, names;
};

TEST_F(Printing, SendHandsTheSavedFileToTheMailSystem) {
  Start();
  std::vector<Sent> sent;
  tk::Mapi().sendDocuments = [&](HWND parent, const std::string& d, const std::string& p, const std::string& n) {
    EXPECT_EQ(parent, nullptr);
    sent.push_back({d, p, n});
    return 0ul;
  };
  const std::string saved = dir + "new.txt";
  struct Case {
    const char* name;
    bool untitled;
    int answer;       // to "Save now?"
    bool saveDialog;  // confirm the save dialog
    bool sends;
  } cases[] = {
      {"untitled, No", true, IDNO, false, false},
      {"untitled, Yes, save dialog cancelled", true, IDYES, false, false},
      {"untitled, Yes, saved", true, IDYES, true, true},
      {"named with unsaved changes", false, 0, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rec().Clear();
    sent.clear();
    ::DeleteFileA(saved.c_str());
    std::string named = File("named.txt", "on disk");
    TEditForm* doc = c.untitled ? frame->CreateMDIChild("") : Open(named);
    Change(doc);
    if (c.answer) Rec().boxAnswers.push_back(c.answer);
    Rec().dialogAnswers.push_back([&](tk::CommonDialog& d) {
      dynamic_cast<tk::SaveDialog&>(d).FileName = saved;
      return c.saveDialog;
    });
    doc->Send1->Click();

    if (c.untitled) {
      ASSERT_EQ(Rec().boxes.size(), 1u);
      EXPECT_EQ(Rec().boxes[0].text, "Document must be saved before sending! Save now?");
      EXPECT_EQ(Rec().boxes[0].type & 0xF, static_cast<UINT>(MB_YESNO));
      EXPECT_TRUE(Rec().boxes[0].type & MB_ICONQUESTION);
    } else {
      EXPECT_TRUE(Rec().boxes.empty());
    }
    ASSERT_EQ(sent.size(), c.sends ? 1u : 0u);
    if (c.sends) {
      EXPECT_EQ(sent[0].delimiter, ";");
      EXPECT_EQ(sent[0].paths, c.untitled ? saved : named);
      EXPECT_EQ(sent[0].names, "");
    }
    // A named document goes as last saved: its changes stay unsaved.
    if (!c.untitled) {
      EXPECT_TRUE(doc->Modified());
    }
    doc->Discard();
    harness::Pump();
  }
}

TEST_F(Printing, SendWithoutAMailSystemIsSilent) {
  Start();
  tk::Mapi() = tk::SimpleMapi("ql-no-such-mapi.dll");
  TEditForm* doc = Open(File("mail.txt", "text"));
  doc->Send1->Click();
  doc->Send1->Click();
  EXPECT_TRUE(Rec().boxes.empty());
  EXPECT_TRUE(Rec().beeps.empty());
  EXPECT_FALSE(tk::Mapi().Available());
  EXPECT_EQ(tk::Mapi().SendDocuments(nullptr, ";", "x", ""), 1u);
}

// ---------------------------------------------------------------------------
// Delete file

// The XDG trash folder that Wine's recycle bin uses, as a Windows path.
std::string TrashFolder() {
  std::string base;
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) {
    base = data;
  } else if (const char* home = std::getenv("WINEHOMEDIR"); home && *home) {
    // "\\??\\Z:\\home\\user": the Unix home on drive Z:.
    std::string h = home;
    if (h.rfind("\\??\\", 0) == 0) h.erase(0, 4);
    std::replace(h.begin(), h.end(), '\\', '/');
    if (h.rfind("Z:", 0) == 0) base = h.substr(2) + "/.local/share";
  }
  if (base.empty()) return {};
  std::string path = "Z:" + base + "/Trash/";
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

TEST_F(Printing, DeleteFileGoesToTheRecycleBinOnlyWhenTheShellDeletedIt) {
  Start();
  struct Case {
    const char* name;
    int button;  // in the shell's confirmation
    bool gone;
  } cases[] = {
      {"confirmed", IDYES, true},
      {"declined", IDNO, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rec().Clear();
    const std::string name = "ql-delete-" + std::to_string(::GetCurrentProcessId()) + "-" +
                             std::to_string(::GetTickCount()) + "-" + c.name + ".txt";
    const std::string path = File(name, "content");
    TEditForm* doc = Open(path);
    Change(doc);
    std::string dialogTitle;
    harness::AnswerDialog([&](HWND dialog) {
      char title[128] = {};
      ::GetWindowTextA(dialog, title, sizeof title);
      dialogTitle = title;
      ::PostMessageA(dialog, WM_COMMAND, static_cast<WPARAM>(c.button), 0);
    });
    doc->Delete1->Click();
    harness::Pump();

    EXPECT_FALSE(dialogTitle.empty()) << "the shell asked nothing";
    EXPECT_EQ(Rec().beeps, std::vector<UINT>{0});
    EXPECT_TRUE(Rec().boxes.empty()) << "no save question";
    EXPECT_EQ(frame->StatusBar1->PanelText(2), "");
    EXPECT_EQ(Exists(path), !c.gone);
    EXPECT_EQ(IsOpen(doc), !c.gone);
    if (!c.gone) {
      // The document stays as it was, its changes included.
      EXPECT_TRUE(doc->Modified());
      EXPECT_EQ(doc->FileName, path);
      doc->Discard();
      harness::Pump();
      continue;
    }
    // In Wine's recycle bin (the desktop's trash); taken out again here.
    std::string trash = TrashFolder();
    ASSERT_FALSE(trash.empty());
    EXPECT_TRUE(Exists(trash + "files\\" + name)) << trash;
    ::DeleteFileA((trash + "files\\" + name).c_str());
    ::DeleteFileA((trash + "info\\" + name + ".trashinfo").c_str());
  }
}

TEST_F(Printing, DeleteFileOnAnUntitledDocumentDoesNothing) {
  Start();
  TEditForm* doc = frame->CreateMDIChild("");
  Change(doc);
  doc->Delete1->Click();
  harness::Pump();
  EXPECT_TRUE(IsOpen(doc));
  EXPECT_TRUE(doc->Modified());
  EXPECT_TRUE(Rec().beeps.empty());
  EXPECT_TRUE(Rec().boxes.empty());
}

}  // namespace

// ---------------------------------------------------------------------------
// Printing for real, on a PDF printer that the test command sets up when the
// machine can have one (QL_PRINT_OUT names the folder its jobs land in).

std::vector<std::string> PdfsWith(const std::string& folder, const std::string& token) {
  std::vector<std::string> out;
  WIN32_FIND_DATAA found{};
  HANDLE h = ::FindFirstFileA((folder + "*.pdf").c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return out;
  do {
    if (std::string(found.cFileName).find(token) != std::string::npos) out.push_back(folder + found.cFileName);
  } while (::FindNextFileA(h, &found));
  ::FindClose(h);
  return out;
}

std::string Head(const std::string& path, size_t n) {
  HANDLE h = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return {};
  std::string bytes(n, '\0');
  DWORD got = 0;
  ::ReadFile(h, bytes.data(), static_cast<DWORD>(n), &got, nullptr);
  ::CloseHandle(h);
  bytes.resize(got);
  return bytes;
}

// Waits until `count` jobs with `token` in their names have landed.
std::vector<std::string> AwaitPdfs(const std::string& folder, const std::string& token, size_t count) {
  std::vector<std::string> pdfs;
  for (int wait = 0; wait < 300 && pdfs.size() < count; ++wait) {
    ::Sleep(100);
    pdfs = PdfsWith(folder, token);
  }
  ::Sleep(500);  // the last one may still be being written
  return PdfsWith(folder, token);
}

class RealPrinting : public Printing {
 public:
  void SetUp() override {
    Printing::SetUp();
    const char* out = std::getenv("QL_PRINT_OUT");
    if (!out || !*out) GTEST_SKIP() << "no PDF printer on this machine";
    pdfFolder = std::string("Z:") + out + "/";
    std::replace(pdfFolder.begin(), pdfFolder.end(), '/', '\\');
    Start();
    tk::CurrentPrinter().Reset();
    ASSERT_TRUE(tk::CurrentPrinter().Available()) << "Wine sees no printer";
  }
  void TearDown() override {
    for (const std::string& pdf : PdfsWith(pdfFolder, "qlprint")) ::DeleteFileA(pdf.c_str());
    Printing::TearDown();
  }
  // A saved document whose job names carry `name`.
  TEditForm* PrintableDoc(const std::string& name) {
    std::string text;
    for (int i = 0; i < 150; ++i) text += "Printed line " + std::to_string(i) + "\r\n";
    return Open(File(name + ".txt", text));
  }
  std::string Token(const std::string& what) { return "qlprint" + what + std::to_string(::GetCurrentProcessId()); }
  std::string pdfFolder;
};

// The device mode's copy count, or -1.
int DevModeCopies(HGLOBAL devMode) {
  if (!devMode) return -1;
  auto* dm = static_cast<DEVMODEA*>(::GlobalLock(devMode));
  int copies = (dm->dmFields & DM_COPIES) ? dm->dmCopies : -1;
  ::GlobalUnlock(devMode);
  return copies;
}

TEST_F(RealPrinting, TwoCopiesAreTwoJobsOnTheCurrentPrinter) {
  const std::string token = Token("two");
  TEditForm* doc = PrintableDoc(token);
  // The user asks for two copies, and the driver's own device mode says
  // three: each copy is a job of ours, so the driver is told one copy.
  Rec().printAnswers.push_back([](PRINTDLGA& print) -> BOOL {
    EXPECT_NE(print.hDevMode, nullptr);
    EXPECT_NE(print.hDevNames, nullptr);
    print.nCopies = 2;
    if (auto* dm = static_cast<DEVMODEA*>(::GlobalLock(print.hDevMode))) {
      dm->dmFields |= DM_COPIES;
      dm->dmCopies = 3;
      ::GlobalUnlock(print.hDevMode);
    }
    return TRUE;
  });
  doc->Print1->Click();
  EXPECT_TRUE(Rec().boxes.empty());
  HGLOBAL current = tk::CurrentPrinter().CopyDevMode();
  EXPECT_EQ(DevModeCopies(current), 1);
  ::GlobalFree(current);

  std::vector<std::string> pdfs = AwaitPdfs(pdfFolder, token, 2);
  ASSERT_EQ(pdfs.size(), 2u) << pdfFolder;
  for (const std::string& pdf : pdfs) EXPECT_EQ(Head(pdf, 5), "%PDF-") << pdf;
}

TEST_F(RealPrinting, ZeroCopiesSendNoJob) {
  const std::string none = Token("none"), one = Token("one");
  TEditForm* zero = PrintableDoc(none);
  Rec().printAnswers.push_back([](PRINTDLGA& print) -> BOOL {
    print.nCopies = 0;
    return TRUE;
  });
  zero->Print1->Click();
  // A job printed after it lands; by then the printer has had the time to
  // land one of the first document, had there been one.
  TEditForm* after = PrintableDoc(one);
  Rec().printAnswers.push_back([](PRINTDLGA& print) -> BOOL {
    print.nCopies = 1;
    return TRUE;
  });
  after->Print1->Click();
  ASSERT_EQ(AwaitPdfs(pdfFolder, one, 1).size(), 1u) << pdfFolder;
  EXPECT_EQ(PdfsWith(pdfFolder, none).size(), 0u);
  EXPECT_TRUE(Rec().boxes.empty());
}
