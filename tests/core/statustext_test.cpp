#include "core/statustext.h"

#include <gtest/gtest.h>

namespace core {
namespace {

TEST(StatusText, PanelTexts) {
  EXPECT_EQ(CaretPositionText(0, 0), "Line: 1 Pos: 1");
  EXPECT_EQ(CaretPositionText(1, 3), "Line: 2 Pos: 4");
  EXPECT_EQ(ModifiedPanelText(true), "Modified");
  EXPECT_EQ(ModifiedPanelText(false), "");
  EXPECT_EQ(SelectionSizeText(12), "12 chars selected.");
  EXPECT_EQ(SelectionSizeText(0), "");
  EXPECT_EQ(ConvertingText(TextFormat::tfUnix), "Converting file to UNIX");
  EXPECT_EQ(ConvertingText(TextFormat::tfMac), "Converting file to Mac");
  EXPECT_EQ(ConvertingText(TextFormat::tfDos), "");
}

TEST(StatusText, FileTextsUseTheBareName) {
  EXPECT_EQ(LoadingText("C:\\dir\\a.txt"), "Loading a.txt");
  EXPECT_EQ(LoadingText(""), "Loading ");
  EXPECT_EQ(SavingText("C:b.txt"), "Saving b.txt");
  EXPECT_EQ(InsertingText("C:\\x\\100%.txt"), "Inserting 100%.txt");
  EXPECT_EQ(FileNotFoundText("C:\\dir\\gone.txt"), "File not found! gone.txt");
}

TEST(StatusText, CloseQuestion) {
  EXPECT_EQ(SaveModificationsQuestion("C:\\dir\\a.txt"), "File C:\\dir\\a.txt was modified. Save modifications?");
  EXPECT_EQ(SaveModificationsQuestion(""), "File  was modified. Save modifications?");
  EXPECT_EQ(SaveModificationsQuestion("C:\\%s%d.txt"), "File C:\\%s%d.txt was modified. Save modifications?");
}

}  // namespace
}  // namespace core
