#include "core/filenames.h"

#include <gtest/gtest.h>

namespace core {
namespace {

TEST(FileNames, FileNamePartAfterLastSeparator) {
  struct Case {
    const char *path, *name;
  };
  const Case cases[] = {
      {"C:\\dir\\sub\\a.txt", "a.txt"},
      {"C:a.txt", "a.txt"},
      {"a.txt", "a.txt"},
      {"\\\\server\\share\\b.log", "b.log"},
      {"C:/dir/c.txt", "c.txt"},
      {"C:\\dir\\", ""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(FileNamePart(c.path), c.name) << c.path;
}

TEST(FileNames, CaptionWithAndWithoutExtensions) {
  struct Case {
    const char* path;
    const char* shown;   // ShowExtensions on
    const char* hidden;  // ShowExtensions off
  };
  const Case cases[] = {
      {"C:\\docs\\notes.txt", "notes.txt", "notes"},
      {"C:\\docs\\report.final.txt", "report.final.txt", "report"},
      {"D:archive.tar.gz", "archive.tar.gz", "archive"},
      {"C:\\my.dir\\readme", "readme", "readme"},  // no dot: whole name, not empty
      {"C:\\home\\.profile", ".profile", ".profile"},
      {"plain", "plain", "plain"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DocumentCaption(c.path, true), c.shown) << c.path;
    EXPECT_EQ(DocumentCaption(c.path, false), c.hidden) << c.path;
  }
}

TEST(FileNames, ExtensionHelpers) {
  EXPECT_EQ(FileExtension("C:\\a.tar.gz"), "gz");
  EXPECT_EQ(FileExtension("C:\\my.dir\\readme"), "");
  EXPECT_EQ(WithDefaultExtension("C:\\my.dir\\readme", "txt"), "C:\\my.dir\\readme.txt");
  EXPECT_EQ(WithDefaultExtension("C:\\dir\\a.log", "txt"), "C:\\dir\\a.log");
}

}  // namespace
}  // namespace core
