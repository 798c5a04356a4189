#include "core/filestamp.h"

#include <gtest/gtest.h>

namespace {

using core::FileChange;
using core::FileStamp;
using S = FileStamp::State;

TEST(FileStamp, WhatBecameOfTheFile) {
  const FileStamp file{S::fsFile, 10, 100};
  struct Case {
    const char* name;
    FileStamp known, now;
    FileChange expected;
  } cases[] = {
      {"unchanged", file, file, FileChange::fcNone},
      {"written, same size", file, {S::fsFile, 10, 101}, FileChange::fcChanged},
      {"grown, same time", file, {S::fsFile, 11, 100}, FileChange::fcChanged},
      {"deleted", file, {S::fsMissing, 0, 0}, FileChange::fcDeleted},
      {"a folder in its place", file, {S::fsFolder, 0, 100}, FileChange::fcChanged},
      {"back after it was gone", {S::fsMissing, 0, 0}, file, FileChange::fcChanged},
      {"still gone", {S::fsMissing, 0, 0}, {S::fsMissing, 0, 0}, FileChange::fcNone},
      // A folder that cannot be reached says nothing either way.
      {"cannot be asked now", file, {S::fsUnknown, 0, 0}, FileChange::fcNone},
      {"never known", {S::fsUnknown, 0, 0}, file, FileChange::fcNone},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(core::CompareStamps(c.known, c.now), c.expected);
  }
}

TEST(FileStamp, QuestionsNameTheFileAsTheCloseQuestionDoes) {
  EXPECT_EQ(core::ChangedReloadQuestion("C:\\dir\\a.txt"), "File C:\\dir\\a.txt was changed by another program. Reload it?");
  EXPECT_EQ(core::DeletedKeepQuestion("C:\\dir\\a.txt"), "File C:\\dir\\a.txt no longer exists. Keep it open?");
  EXPECT_EQ(core::ChangedOverwriteQuestion("Z:/x/b.log"), "File Z:/x/b.log was changed by another program. Overwrite it?");
}

}  // namespace
