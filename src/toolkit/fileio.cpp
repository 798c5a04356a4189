#include "toolkit/fileio.h"

#include <algorithm>

#include "toolkit/errors.h"

namespace tk {
namespace {

// Reads and writes go in pieces a DWORD can count.
constexpr size_t kChunk = size_t{1} << 24;

std::uint64_t Ticks(const FILETIME& t) { return (std::uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime; }

}  // namespace

std::string SystemMessage(DWORD code) {
  char* buffer = nullptr;
  DWORD len = ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                   FORMAT_MESSAGE_IGNORE_INSERTS,
                               nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text;
  try {
    text = len && buffer ? std::string(buffer, len) : "error " + std::to_string(code);
  } catch (...) {
    if (buffer) ::LocalFree(buffer);
    throw;
  }
  if (buffer) ::LocalFree(buffer);
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ' || text.back() == '.'))
    text.pop_back();
  return text;
}

core::FileStamp QueryStamp(const std::string& name) {
  using S = core::FileStamp::State;
  core::FileStamp stamp;
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExA(name.c_str(), GetFileExInfoStandard, &data)) {
    DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) stamp.state = S::fsMissing;
    return stamp;
  }
  stamp.state = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? S::fsFolder : S::fsFile;
  stamp.size = (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
  stamp.writeTime = Ticks(data.ftLastWriteTime);
  return stamp;
}

std::optional<FileStamp> StampOf(const std::string& name) {
  core::FileStamp now = QueryStamp(name);
  if (now.state != core::FileStamp::State::fsFile) return std::nullopt;
  return FileStamp{static_cast<std::int64_t>(now.size), now.writeTime};
}

std::string ReadWholeFile(const std::string& name) {
  KernelHandle file(::CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) throw FileError("Cannot open file " + name + ": " + SystemMessage(::GetLastError()));
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size))
    throw FileError("Cannot read file " + name + ": " + SystemMessage(::GetLastError()));
  if (size.QuadPart > 0x7FFFFFFE) throw FileError("Cannot open file " + name + ": the file is too large");
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD got = 0;
    DWORD want = static_cast<DWORD>(std::min(bytes.size() - done, kChunk));
    if (!::ReadFile(file.get(), bytes.data() + done, want, &got, nullptr))
      throw FileError("Cannot read file " + name + ": " + SystemMessage(::GetLastError()));
    if (got == 0) break;  // the file shrank meanwhile
    done += got;
  }
  bytes.resize(done);
  return bytes;
}

void WriteFileReplacing(const std::string& name, const std::string& bytes) {
  WriteFileReplacing(name, [&bytes](const BlockWriter& write) { write(bytes); });
}

namespace {

// Ends the production of a file's bytes once a write failed.
struct WriteFailed {};

}  // namespace

void WriteFileReplacing(const std::string& name, const std::function<void(const BlockWriter& write)>& produce) {
  const std::string failed = "Cannot save file " + name + ": ";
  const std::string unchanged = ". The file was not changed.";
  DWORD attributes = ::GetFileAttributesA(name.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) throw FileError(failed + "this is a folder" + unchanged);
    if (attributes & FILE_ATTRIBUTE_READONLY) throw FileError(failed + "the file is read-only" + unchanged);
  }
  size_t slash = name.find_last_of("\\/:");
  std::string folder = slash == std::string::npos ? "." : name.substr(0, slash + 1);
  char temp[MAX_PATH + 1] = {};
  if (!::GetTempFileNameA(folder.c_str(), "qlt", 0, temp))
    throw FileError(failed + SystemMessage(::GetLastError()) + unchanged);
  DWORD error = 0;
  {
    KernelHandle file(::CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) error = ::GetLastError();
    const BlockWriter write = [&](std::string_view block) {
      size_t done = 0;
      while (!error && done < block.size()) {
        DWORD put = 0;
        DWORD want = static_cast<DWORD>(std::min(block.size() - done, kChunk));
        if (!::WriteFile(file.get(), block.data() + done, want, &put, nullptr) || put != want)
          error = ::GetLastError() ? ::GetLastError() : ERROR_DISK_FULL;
        done += put;
      }
      if (error) throw WriteFailed{};
    };
    try {
      if (!error) produce(write);
    } catch (const WriteFailed&) {
      // `error` tells why.
    } catch (...) {
      file.Close();
      ::DeleteFileA(temp);
      throw;
    }
    if (!error && !::FlushFileBuffers(file.get())) error = ::GetLastError();
    if (!file.Close() && !error) error = ::GetLastError();
  }
  if (!error && !::MoveFileExA(temp, name.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    error = ::GetLastError();
  if (error) {
    ::DeleteFileA(temp);
    throw FileError(failed + SystemMessage(error) + unchanged);
  }
  if (attributes != INVALID_FILE_ATTRIBUTES) ::SetFileAttributesA(name.c_str(), attributes);
}

}  // namespace tk
