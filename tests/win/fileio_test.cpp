// The file module: the kernel-handle owner, whole-file reads, the safe save
// and the stamp that tells a changed file.
#include "harness.h"

#include <type_traits>

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

}  // namespace
