#include "core/textfile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace core {
namespace {

using namespace std::string_literals;

TEST(TextFileRead, EveryLineEndKindBecomesCrLf) {
  struct Case {
    std::string file, document;
  };
  const Case cases[] = {
      {"", ""},
      {"abc", "abc"},
      {"a\r\nb\r\n", "a\r\nb\r\n"},
      {"a\nb\n", "a\r\nb\r\n"},
      {"a\rb\r", "a\r\nb\r\n"},
      {"a\nb", "a\r\nb"},
      {"a\r\nb\nc\rd", "a\r\nb\r\nc\r\nd"},
      // LF CR is two line ends, CR CR LF is two, LF LF is two.
      {"a\n\rb", "a\r\n\r\nb"},
      {"a\r\r\nb", "a\r\n\r\nb"},
      {"\n\n", "\r\n\r\n"},
      {"\r", "\r\n"},
      {"x\r", "x\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(DocumentFromFileBytes(c.file), c.document) << testing::PrintToString(c.file);
}

TEST(TextFileWrite, FormatsAndFinalLineEnd) {
  struct Case {
    std::string document, dos, unix, mac;
  };
  const Case cases[] = {
      {"", "", "", ""},
      {"a", "a", "a\n", "a\r"},
      {"a\r\nb", "a\r\nb", "a\nb\n", "a\rb\r"},
      {"a\r\nb\r\n", "a\r\nb\r\n", "a\nb\n", "a\rb\r"},
      {"a\r\n\r\n", "a\r\n\r\n", "a\n\n", "a\r\r"},
      {"\r\n", "\r\n", "\n", "\r"},
      // Text fetched with lone CR or LF paragraph ends is written the same way.
      {"a\rb\r", "a\r\nb\r\n", "a\nb\n", "a\rb\r"},
      {"a\nb", "a\r\nb", "a\nb\n", "a\rb\r"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.document));
    EXPECT_EQ(FileBytesFromDocument(c.document, TextFormat::tfDos), c.dos);
    EXPECT_EQ(FileBytesFromDocument(c.document, TextFormat::tfUnix), c.unix);
    EXPECT_EQ(FileBytesFromDocument(c.document, TextFormat::tfMac), c.mac);
  }
}

// The segmented writer gives exactly the bytes of the whole-text one, however
// the text is cut into segments (a CR LF split between two, empty segments)
// and however small its blocks are.
TEST(TextFileWrite, SegmentedWriterMatchesWholeTextAtEveryCut) {
  const std::string texts[] = {"", "a", "\r", "\n", "\r\n", "a\r\nb", "a\rb\r", "a\n\rb", "ab\r\r\n\n",
                               std::string("x\0\r\n\xff", 5)};
  for (const std::string& text : texts) {
    for (TextFormat f : {TextFormat::tfDos, TextFormat::tfUnix, TextFormat::tfMac}) {
      const std::string want = FileBytesFromDocument(text, f);
      for (std::size_t cut1 = 0; cut1 <= text.size(); ++cut1) {
        for (std::size_t cut2 = cut1; cut2 <= text.size(); ++cut2) {
          for (std::size_t block : {2u, 3u, 64u}) {
            std::string got;
            std::size_t biggest = 0;
            FileBytesWriter w(f, [&](std::string_view b) {
              got.append(b);
              biggest = std::max(biggest, b.size());
            }, block);
            w.Put(std::string_view(text).substr(0, cut1));
            w.Put({});
            w.Put(std::string_view(text).substr(cut1, cut2 - cut1));
            w.Put(std::string_view(text).substr(cut2));
            w.Finish();
            ASSERT_EQ(got, want) << testing::PrintToString(text) << " format " << static_cast<int>(f) << " cuts "
                                 << cut1 << "," << cut2 << " block " << block;
            EXPECT_LE(biggest, block);
          }
        }
      }
    }
  }
}

TEST(TextFileRoundTrip, EveryByteOtherThanCrLfSurvivesInEveryFormat) {
  std::string all;
  for (int b = 0; b < 256; ++b) {
    if (b != '\r' && b != '\n') all.push_back(static_cast<char>(b));
  }
  const std::string file = all + "\r\n" + all + "\n" + all;
  const std::string doc = DocumentFromFileBytes(file);
  EXPECT_EQ(doc, all + "\r\n" + all + "\r\n" + all);
  EXPECT_EQ(FileBytesFromDocument(doc, TextFormat::tfDos), all + "\r\n" + all + "\r\n" + all);
  EXPECT_EQ(FileBytesFromDocument(doc, TextFormat::tfUnix), all + "\n" + all + "\n" + all + "\n");
  EXPECT_EQ(FileBytesFromDocument(doc, TextFormat::tfMac), all + "\r" + all + "\r" + all + "\r");
  // A second load of what was written gives the same document again.
  for (TextFormat f : {TextFormat::tfUnix, TextFormat::tfMac}) {
    EXPECT_EQ(DocumentFromFileBytes(FileBytesFromDocument(doc, f)), doc + "\r\n");
  }
}

TEST(TextFile, CountLinesIgnoresEmptyLineAfterFinalLineEnd) {
  EXPECT_EQ(CountLines(""), 0u);
  EXPECT_EQ(CountLines("a"), 1u);
  EXPECT_EQ(CountLines("a\r\n"), 1u);
  EXPECT_EQ(CountLines("\r\n"), 1u);
  EXPECT_EQ(CountLines("a\r\nb"), 2u);
  EXPECT_EQ(CountLines("a\r\n\r\n"), 2u);
  EXPECT_EQ(CountLines("a\rb\nc"), 3u);
}

TEST(TextFile, ZeroBytesAreKeptAndCanBeFound) {
  std::string doc = DocumentFromFileBytes("ab\0c\nd\0"s);
  EXPECT_EQ(doc, "ab\0c\r\nd\0"s);
  EXPECT_EQ(FindZeroByte(doc), 2u);
  EXPECT_EQ(CountZeroBytes(doc), 2u);
  EXPECT_EQ(FindZeroByte("abc"), std::string_view::npos);
  EXPECT_EQ(ReplaceZeroBytes(doc, ' '), 2u);
  EXPECT_EQ(doc, "ab c\r\nd ");
}

TEST(TextFile, FilterIndexSelectsFormat) {
  EXPECT_EQ(FormatFromFilterIndex(1), TextFormat::tfDos);
  EXPECT_EQ(FormatFromFilterIndex(2), TextFormat::tfUnix);
  EXPECT_EQ(FormatFromFilterIndex(3), TextFormat::tfMac);
  EXPECT_EQ(FormatFromFilterIndex(0), TextFormat::tfDos);
  EXPECT_EQ(FormatFromFilterIndex(4), TextFormat::tfDos);
}

}  // namespace
}  // namespace core
