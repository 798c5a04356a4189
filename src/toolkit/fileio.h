// Files on disk: the owner of a kernel handle, an open file, and the three
// things the program does with files: read one whole, save one safely, and
// ask for its size and last write.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "core/filestamp.h"

namespace tk {

// Owns a kernel handle (a file, a mapping, an event ...): closed exactly
// once, by whoever holds it last; moved, never copied. Null and
// INVALID_HANDLE_VALUE both mean "no handle".
class KernelHandle {
 public:
  KernelHandle() = default;
  explicit KernelHandle(HANDLE h) : h_(h) {}
  ~KernelHandle() { Close(); }
  KernelHandle(const KernelHandle&) = delete;
  KernelHandle& operator=(const KernelHandle&) = delete;
  KernelHandle(KernelHandle&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
  KernelHandle& operator=(KernelHandle&& other) noexcept {
    if (this != &other) {
      Close();
      h_ = std::exchange(other.h_, nullptr);
    }
    return *this;
  }

  HANDLE get() const { return Valid(h_) ? h_ : nullptr; }
  explicit operator bool() const { return Valid(h_); }
  HANDLE release() {
    HANDLE h = get();
    h_ = nullptr;
    return h;
  }
  // Closes the handle now; false (GetLastError tells why) when closing failed.
  bool Close() {
    if (!Valid(h_)) return true;
    return ::CloseHandle(std::exchange(h_, nullptr)) != FALSE;
  }

 private:
  static bool Valid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  HANDLE h_ = nullptr;
};

// What a file looked like on disk: enough to notice that it changed.
struct FileStamp {
  std::int64_t size = 0;
  std::uint64_t lastWrite = 0;  // FILETIME, 100 ns since 1601 (UTC)
  bool operator==(const FileStamp&) const = default;
};

// What stands at `name` on disk now, in one attribute query: missing (no
// such file or folder on the way), a folder, a file with its size and last
// write, or unknown when it cannot be asked (an unreachable network folder,
// no access) - which says nothing about the file either way.
core::FileStamp QueryStamp(const std::string& name);

// The size and last write of the named file; nullopt when it is not a file
// that can be asked (no such file, a folder, no access).
std::optional<FileStamp> StampOf(const std::string& name);

// The whole content of a file. Throws FileError when it cannot be opened or
// read ("Cannot open file <name>: ...", "Cannot read file <name>: ...").
std::string ReadWholeFile(const std::string& name);

// Writes `bytes` to a new file beside `name` and, once all of it is on disk,
// puts that file in the place of `name`, keeping the old file's attributes.
// Any failure leaves `name` as it was and throws FileError.
void WriteFileReplacing(const std::string& name, const std::string& bytes);
// The same for bytes that are made while they are written: `produce` hands
// them, block after block, to the function it is given. After a failed write
// that function throws, ending `produce`; whatever ends it (that, or an
// exception of its own) leaves `name` as it was.
using BlockWriter = std::function<void(std::string_view block)>;
void WriteFileReplacing(const std::string& name, const std::function<void(const BlockWriter& write)>& produce);

// The platform's wording for an error code, without a final full stop.
std::string SystemMessage(DWORD code);

}  // namespace tk
