// Bitmaps beside menu commands: the toolbar glyphs stay in the platform
// menus through every change of the items and every merge of the menus.
#include <windows.h>

#include <gtest/gtest.h>

#include "harness.h"
#include "menus98/menubar.h"

namespace {

HBITMAP CheckedBitmapOf(tk::MenuItem* item) {
  MENUITEMINFOA mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_CHECKMARKS;
  if (!::GetMenuItemInfoA(item->Parent()->PopupHandle(), item->Command(), FALSE, &mii)) return nullptr;
  return mii.hbmpChecked;
}

class MenuBitmaps : public harness::DocumentTest {};

TEST_F(MenuBitmaps, SaveKeepsItsGlyphThroughChangesAndMerges) {
  TEditForm* doc = Doc("text");
  ASSERT_NE(doc->MB[3], nullptr);
  HBITMAP glyph = doc->MB[3]->CheckedBitmap();
  ASSERT_NE(glyph, nullptr);
  EXPECT_EQ(doc->MB[3]->UncheckedBitmap() != nullptr, true);  // one picture for both states
  EXPECT_EQ(CheckedBitmapOf(doc->Save1), glyph);

  doc->Save1->SetCaption("&Save it");  // the File popup is built anew
  EXPECT_EQ(CheckedBitmapOf(doc->Save1), glyph);
  doc->Save1->SetEnabled(false);
  EXPECT_EQ(CheckedBitmapOf(doc->Save1), glyph);
  EXPECT_NE(CheckedBitmapOf(doc->New1), nullptr);  // the siblings come back too
  doc->Wordwrap1->SetChecked(!doc->Wordwrap1->Checked());
  EXPECT_EQ(CheckedBitmapOf(doc->Wordwrap1), doc->MB[14]->CheckedBitmap());
  EXPECT_NE(CheckedBitmapOf(doc->Paste2), nullptr);  // an item with a sub-menu

  // Another document takes the bar and gives it back.
  TEditForm* other = Doc("other");
  ASSERT_NE(other, doc);
  ::SendMessageA(frame->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(doc->Handle()), 0);
  harness::Pump();
  frame->MergeMenus();
  EXPECT_EQ(CheckedBitmapOf(doc->Save1), glyph);
  EXPECT_NE(CheckedBitmapOf(other->Save1), nullptr);
  // The frame's own items carry theirs.
  EXPECT_NE(CheckedBitmapOf(frame->New1), nullptr);
  EXPECT_NE(CheckedBitmapOf(frame->Tilevertical1), nullptr);
}

TEST_F(MenuBitmaps, DisablingRemovesTheBitmapAndEnablingPutsItBack) {
  TEditForm* doc = Doc("");
  doc->MB[2]->SetEnabled(false);
  EXPECT_EQ(CheckedBitmapOf(doc->Open1), nullptr);
  doc->Open1->SetCaption("&Open again");
  EXPECT_EQ(CheckedBitmapOf(doc->Open1), nullptr);
  doc->MB[2]->SetEnabled(true);
  EXPECT_EQ(CheckedBitmapOf(doc->Open1), doc->MB[2]->CheckedBitmap());
}

TEST_F(MenuBitmaps, ResourcesByNameAndTheErrorBoxForBadNames) {
  TEditForm* doc = Doc("");
  struct Case {
    const char* name;
    bool loads;
  } cases[] = {{"SYSTEMCLOSE", true}, {"CHECKMARK", true}, {"RADIOITEM", true}, {"SYSTEMRESTORE", true},
               {"#abc", false},       {"#", false},         {"NO_SUCH_BITMAP", false}};
  for (const Case& c : cases) {
    harness::Rec().Clear();
    auto* mb = doc->Create<TMenuItemBitmaps>("MBTest");
    mb->SetMenuItem(doc->Print1);
    mb->SetCheckedBmpResource(c.name);
    if (c.loads) {
      EXPECT_TRUE(harness::Rec().boxes.empty()) << c.name;
      EXPECT_NE(mb->CheckedBitmap(), nullptr) << c.name;
      EXPECT_EQ(mb->CheckedBmpResource(), c.name);
      EXPECT_EQ(CheckedBitmapOf(doc->Print1), mb->CheckedBitmap()) << c.name;
    } else {
      ASSERT_EQ(harness::Rec().boxes.size(), 1u) << c.name;
      EXPECT_EQ(harness::Rec().boxes[0].text, std::string("'") + c.name + "' is not a valid resource name");
      EXPECT_EQ(harness::Rec().boxes[0].caption, "Error");
      EXPECT_TRUE(harness::Rec().boxes[0].type & MB_ICONERROR);
      EXPECT_EQ(mb->CheckedBitmap(), nullptr) << c.name;
      EXPECT_EQ(mb->CheckedBmpResource(), "") << c.name;
    }
    doc->Release(mb);  // destroyed here; the item's own bitmap returns below
    doc->MB[4]->Apply();
  }
  // Setting a bitmap clears the resource name; single bitmap copies it over.
  auto* mb = doc->Create<TMenuItemBitmaps>("MBTest");
  mb->SetUncheckedBmpResource("SYSTEMMOVE");
  EXPECT_EQ(mb->UncheckedBmpResource(), "SYSTEMMOVE");
  EXPECT_EQ(mb->CheckedBitmap(), nullptr);
  mb->SetSingleBitmap(true);
  EXPECT_NE(mb->CheckedBitmap(), nullptr);
  mb->SetUncheckedBitmap(doc->MB[3]->CheckedBitmap());
  EXPECT_EQ(mb->UncheckedBmpResource(), "");
  doc->Release(mb);
}

}  // namespace
