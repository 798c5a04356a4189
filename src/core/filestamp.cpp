#include "core/filestamp.h"

namespace core {

FileChange CompareStamps(const FileStamp& known, const FileStamp& now) {
  using S = FileStamp::State;
  if (known.state == S::fsUnknown || now.state == S::fsUnknown) return FileChange::fcNone;
  if (known == now) return FileChange::fcNone;
  if (now.state == S::fsMissing) return FileChange::fcDeleted;
  // A file that appears again, one that changed, and a folder put in the
  // file's place are all changes: the text on disk is not the document's.
  return FileChange::fcChanged;
}

namespace {
std::string WithName(std::string_view before, std::string_view path, std::string_view after) {
  std::string text(before);
  text += path;
  text += after;
  return text;
}
}  // namespace

std::string ChangedReloadQuestion(std::string_view path) {
  return WithName("File ", path, " was changed by another program. Reload it?");
}

std::string DeletedKeepQuestion(std::string_view path) {
  return WithName("File ", path, " no longer exists. Keep it open?");
}

std::string ChangedOverwriteQuestion(std::string_view path) {
  return WithName("File ", path, " was changed by another program. Overwrite it?");
}

}  // namespace core
