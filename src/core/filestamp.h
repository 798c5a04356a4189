// What a document remembers of its file on disk, to notice when another
// program changed or deleted it: the file's size and last-write time, taken
// when the document loads or saves it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace core {

struct FileStamp {
  enum class State {
    fsUnknown,  // the file could not be asked (an unreachable folder, say)
    fsMissing,  // no such file (or folder on its way)
    fsFile,     // a file, with the size and time below
    fsFolder,   // a folder stands where the file was
  };
  State state = State::fsUnknown;
  std::uint64_t size = 0;
  std::uint64_t writeTime = 0;  // in the platform's units; only compared
  bool operator==(const FileStamp&) const = default;
};

enum class FileChange { fcNone, fcChanged, fcDeleted };

// What became of a file that was `known` when it is `now`. A file whose
// state cannot be asked now (or was not known) has not changed as far as
// anyone can tell: nothing is asked for it.
FileChange CompareStamps(const FileStamp& known, const FileStamp& now);

// The questions, naming the file by its path as the close question does.
std::string ChangedReloadQuestion(std::string_view path);
std::string DeletedKeepQuestion(std::string_view path);
std::string ChangedOverwriteQuestion(std::string_view path);

}  // namespace core
