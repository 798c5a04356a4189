// The file module: the kernel-handle owner, whole-file reads, the safe save
// and the stamp that tells a changed file.
#include "harness.h"

#include <stdexcept>
#include <type_traits>
#include <vector>

#include "toolkit/errors.h"
#include "toolkit/fileio.h"

namespace {

static_assert(!std::is_copy_constructible_v<tk::KernelHandle> && !std::is_copy_assignable_v<tk::KernelHandle>);
static_assert(std::is_nothrow_move_constructible_v<tk::KernelHandle> &&
              std::is_nothrow_move_assignable_v<tk::KernelHandle>);

bool IsOpenHandle(HANDLE h) {
  DWORD flags = 0;
  return ::GetHandleInformation(h, &flags) != FALSE;
}

// Whether nobody holds the file open (an exclusive open succeeds).
bool NobodyHolds(const std::string& path) {
  HANDLE h = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  ::CloseHandle(h);
  return true;
}

TEST(FileModule, TheHandleOwnerClosesOnceAndMovesItsHandle) {
  HANDLE raw = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  {
    tk::KernelHandle a(raw);
    tk::KernelHandle b(std::move(a));
    EXPECT_FALSE(a);
    EXPECT_EQ(b.get(), raw);
    tk::KernelHandle c;
    c = std::move(b);
    EXPECT_EQ(c.get(), raw);
    EXPECT_TRUE(IsOpenHandle(raw));
  }
  EXPECT_FALSE(IsOpenHandle(raw));
  // "No handle" in either spelling is never closed.
  tk::KernelHandle none(INVALID_HANDLE_VALUE);
  EXPECT_FALSE(none);
  EXPECT_EQ(none.get(), nullptr);
  EXPECT_TRUE(none.Close());
  HANDLE kept = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  {
    tk::KernelHandle owner(kept);
    EXPECT_EQ(owner.release(), kept);
  }
  EXPECT_TRUE(IsOpenHandle(kept));
  ::CloseHandle(kept);
}

TEST(FileModule, ReadsWritesAndStampsAndLetsGoOfTheFileOnEveryPath) {
  harness::TempFolder folder("ql-fileio-");
  const std::string path = folder.File("a.txt", std::string("one\r\ntwo\0three", 14));
  EXPECT_EQ(tk::ReadWholeFile(path), std::string("one\r\ntwo\0three", 14));
  EXPECT_TRUE(NobodyHolds(path));

  auto before = tk::StampOf(path);
  ASSERT_TRUE(before);
  EXPECT_EQ(before->size, 14);
  EXPECT_NE(before->lastWrite, 0u);
  tk::WriteFileReplacing(path, "longer text");
  EXPECT_TRUE(NobodyHolds(path));
  auto after = tk::StampOf(path);
  ASSERT_TRUE(after);
  EXPECT_EQ(after->size, 11);
  EXPECT_NE(*after, *before);
  EXPECT_EQ(tk::ReadWholeFile(path), "longer text");
  EXPECT_EQ(tk::StampOf(path), after);  // reading changes nothing

  EXPECT_EQ(tk::StampOf(folder.Path() + "missing.txt"), std::nullopt);
  EXPECT_EQ(tk::StampOf(folder.Path()), std::nullopt);  // a folder
  EXPECT_THROW(tk::ReadWholeFile(folder.Path() + "missing.txt"), tk::FileError);

  // A file another program holds exclusively cannot be read; ours lets go.
  HANDLE locked = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  try {
    tk::ReadWholeFile(path);
    ADD_FAILURE() << "read a locked file";
  } catch (const tk::FileError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Cannot open file " + path + ": ", 0), 0u) << e.what();
  }
  EXPECT_THROW(tk::WriteFileReplacing(path, "x"), tk::FileError);
  ::CloseHandle(locked);
  EXPECT_EQ(tk::ReadWholeFile(path), "longer text");  // the failed save changed nothing
  EXPECT_TRUE(NobodyHolds(path));
}

// A save whose bytes are made while it writes: the blocks join into the file;
// a producer that fails part way leaves the old file and no temporary one.
TEST(FileModule, ASaveFromBlocksJoinsThemAndAFailingProducerChangesNothing) {
  harness::TempFolder folder("ql-fileio-");
  const std::string path = folder.File("b.txt", "old");
  tk::WriteFileReplacing(path, [](const tk::BlockWriter& write) {
    write("one ");
    write("");
    write("two");
  });
  EXPECT_EQ(tk::ReadWholeFile(path), "one two");
  EXPECT_THROW(tk::WriteFileReplacing(path,
                                      [](const tk::BlockWriter& write) {
                                        write("partial");
                                        throw std::runtime_error("made no more");
                                      }),
               std::runtime_error);
  EXPECT_EQ(tk::ReadWholeFile(path), "one two");
  WIN32_FIND_DATAA found{};
  HANDLE scan = ::FindFirstFileA((folder.Path() + "*").c_str(), &found);
  ASSERT_NE(scan, INVALID_HANDLE_VALUE);
  std::vector<std::string> names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (::FindNextFileA(scan, &found));
  ::FindClose(scan);
  EXPECT_EQ(names, std::vector<std::string>{"b.txt"});
  EXPECT_TRUE(NobodyHolds(path));
}

}  // namespace
