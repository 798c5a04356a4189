#include "core/statustext.h"

#include "core/filenames.h"

namespace core {
namespace {

std::string Join(std::string_view a, std::string_view b) {
  std::string s;
  s.reserve(a.size() + b.size());
  s += a;
  s += b;
  return s;
}

}  // namespace

std::string CaretPositionText(std::int64_t caretLine, std::int64_t caretColumn) {
  return "Line: " + std::to_string(caretLine + 1) + " Pos: " + std::to_string(caretColumn + 1);
}

std::string_view ModifiedPanelText(bool modified) { return modified ? kModifiedText : std::string_view(); }

std::string SelectionSizeText(std::int64_t selectionLength) {
  return selectionLength > 0 ? std::to_string(selectionLength) + " chars selected." : std::string();
}

std::string LoadingText(std::string_view path) { return Join("Loading ", FileNamePart(path)); }
std::string SavingText(std::string_view path) { return Join("Saving ", FileNamePart(path)); }
std::string InsertingText(std::string_view path) { return Join("Inserting ", FileNamePart(path)); }

std::string_view ConvertingText(TextFormat format) {
  switch (format) {
    case TextFormat::tfUnix: return kConvertingUnixText;
    case TextFormat::tfMac: return kConvertingMacText;
    case TextFormat::tfDos: break;
  }
  return {};
}

std::string FileNotFoundText(std::string_view path) { return Join("File not found! ", FileNamePart(path)); }

std::string SaveModificationsQuestion(std::string_view fileName) {
  return Join(Join("File ", fileName), " was modified. Save modifications?");
}

}  // namespace core
