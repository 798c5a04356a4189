#include "core/filenames.h"

namespace core {

std::string_view FileNamePart(std::string_view path) {
  const std::size_t sep = path.find_last_of(":\\/");
  return sep == std::string_view::npos ? path : path.substr(sep + 1);
}

std::string DocumentCaption(std::string_view path, bool showExtensions) {
  const std::string_view name = FileNamePart(path);
  if (showExtensions) return std::string(name);
  const std::size_t dot = name.find('.');
  if (dot == std::string_view::npos || dot == 0) return std::string(name);
  return std::string(name.substr(0, dot));
}

std::string_view FileExtension(std::string_view path) {
  const std::string_view name = FileNamePart(path);
  const std::size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
}

std::string WithDefaultExtension(std::string_view path, std::string_view ext) {
  std::string result(path);
  if (FileNamePart(path).find('.') == std::string_view::npos) {
    result += '.';
    result += ext;
  }
  return result;
}

}  // namespace core
